# The meadow test area's background pictures are painted from its terrain by the game's area
# painter at build time, as the game's own areas are, and compiled in under ":/naturetest/".
set(nature_dir ${CMAKE_CURRENT_BINARY_DIR}/nature_area_art)
add_custom_command(
  OUTPUT ${nature_dir}/nature_area_art.cpp
  COMMAND mirrowen_areas ${CMAKE_CURRENT_LIST_DIR}/naturetest ${nature_dir}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/naturetest/pictures.qrc ${nature_dir}/pictures.qrc
  COMMAND Qt5::rcc --name nature_area_art --output ${nature_dir}/nature_area_art.cpp ${nature_dir}/pictures.qrc
  DEPENDS mirrowen_areas ${CMAKE_CURRENT_LIST_DIR}/naturetest/Nature.xml ${CMAKE_CURRENT_LIST_DIR}/naturetest/pictures.qrc
  COMMENT "Painting the meadow test area")
set_source_files_properties(${nature_dir}/nature_area_art.cpp PROPERTIES SKIP_AUTOGEN ON)
target_sources(${TEST_TARGET} PRIVATE ${nature_dir}/nature_area_art.cpp)
