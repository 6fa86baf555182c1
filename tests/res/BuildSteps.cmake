# The music tests measure loudness with the same code the music generator levels it with.
target_link_libraries(${TEST_TARGET} PRIVATE mirrowen_synth)
