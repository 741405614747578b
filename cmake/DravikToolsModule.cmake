# The plug-in module. Its sources live in the folders named after the module's
# subsystems; each folder is picked up whole so new files need no list edits.
file(GLOB_RECURSE DK_MODULE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/plugin/*.cpp
  ${PROJECT_SOURCE_DIR}/operations/*.cpp
  ${PROJECT_SOURCE_DIR}/scene/*.cpp
  ${PROJECT_SOURCE_DIR}/commands/*.cpp
  ${PROJECT_SOURCE_DIR}/nodes/*.cpp)

add_library(DravikTools MODULE ${DK_MODULE_SOURCES})
target_include_directories(DravikTools PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(DravikTools PRIVATE maya_api)
set_target_properties(DravikTools PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/plug-ins)
if(WIN32)
  set_target_properties(DravikTools PROPERTIES SUFFIX ".mll")
endif()
