# The test areas' background pictures are painted from their terrain by the game's area painter at
# build time, as the game's own areas are, and compiled in under ":/<folder>/" beside the area files
# (which the folder's own .qrc files list).
function(paint_test_area folder area_file)
  set(source ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${folder})
  set(art_dir ${CMAKE_CURRENT_BINARY_DIR}/${folder}_area_art)
  add_custom_command(
    OUTPUT ${art_dir}/${folder}_area_art.cpp
    COMMAND mirrowen_areas ${source} ${art_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${source}/pictures.qrc ${art_dir}/pictures.qrc
    COMMAND Qt5::rcc --name ${folder}_area_art --output ${art_dir}/${folder}_area_art.cpp ${art_dir}/pictures.qrc
    DEPENDS mirrowen_areas ${source}/${area_file} ${source}/pictures.qrc
    COMMENT "Painting the test area ${folder}")
  set_source_files_properties(${art_dir}/${folder}_area_art.cpp PROPERTIES SKIP_AUTOGEN ON)
  target_sources(${TEST_TARGET} PRIVATE ${art_dir}/${folder}_area_art.cpp)
endfunction()

paint_test_area(naturetest Nature.xml)
paint_test_area(boxarea BoxArea.xml)
