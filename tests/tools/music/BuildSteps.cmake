# The music generator is a tool of its own; its score reading and mastering are compiled in here.
target_sources(${TEST_TARGET} PRIVATE
  ${CMAKE_SOURCE_DIR}/tools/music/ScoreReader.cpp ${CMAKE_SOURCE_DIR}/tools/music/Chords.cpp
  ${CMAKE_SOURCE_DIR}/tools/music/Master.cpp ${CMAKE_SOURCE_DIR}/tools/music/Stereo.cpp)
target_link_libraries(${TEST_TARGET} PRIVATE mirrowen_synth)
