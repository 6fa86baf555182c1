# The damaged inputs too large to keep in the repository are written at build time beside the
# test binary, in tests/fuzz/damaged/<reader>/ of the build folder, where the test reads them too.
set(large_inputs ${CMAKE_CURRENT_BINARY_DIR}/fuzz/damaged)
add_custom_command(
  OUTPUT ${large_inputs}/slotmenu/valid_100k_records.zvs ${large_inputs}/trees/valid_200k_bodies.xml
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/MakeLargeInputs.sh ${large_inputs}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/MakeLargeInputs.sh
  COMMENT "Writing the large damaged inputs")
add_custom_target(fuzz_large_inputs DEPENDS ${large_inputs}/slotmenu/valid_100k_records.zvs
                                            ${large_inputs}/trees/valid_200k_bodies.xml)
add_dependencies(${TEST_TARGET} fuzz_large_inputs)
