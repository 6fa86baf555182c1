# The area painter is a tool of its own; its plan reading and its scenery are compiled in here.
target_sources(${TEST_TARGET} PRIVATE
  ${CMAKE_SOURCE_DIR}/tools/areas/AreaPictures.cpp ${CMAKE_SOURCE_DIR}/tools/areas/AreaPlan.cpp
  ${CMAKE_SOURCE_DIR}/tools/areas/Palette.cpp ${CMAKE_SOURCE_DIR}/tools/areas/Scenery.cpp
  ${CMAKE_SOURCE_DIR}/tools/areas/Thorns.cpp)
