# The pictures of the engine tests' resource tree are drawn at build time, so no binary art is kept
# in the repository, and compiled into the test binary under ":/res/...".
add_executable(make_engine_test_art ${CMAKE_CURRENT_LIST_DIR}/art/MakeTestArt.cpp)
target_link_libraries(make_engine_test_art PRIVATE Qt5::Gui)
set(art_dir ${CMAKE_CURRENT_BINARY_DIR}/engine_test_art)
add_custom_command(
  OUTPUT ${art_dir}/engine_test_art.cpp
  COMMAND make_engine_test_art ${art_dir}
  COMMAND Qt5::rcc --name engine_test_art --output ${art_dir}/engine_test_art.cpp ${art_dir}/engine_test_art.qrc
  DEPENDS make_engine_test_art
  COMMENT "Drawing the engine tests' pictures")
set_source_files_properties(${art_dir}/engine_test_art.cpp PROPERTIES SKIP_AUTOGEN ON)
target_sources(${TEST_TARGET} PRIVATE ${art_dir}/engine_test_art.cpp)
