# The plug-in module. Its sources live in the folders named after the module's
# subsystems; each folder is picked up whole so new files need no list edits.
file(GLOB_RECURSE DK_MODULE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/plugin/*.cpp
  ${PROJECT_SOURCE_DIR}/operations/*.cpp
  ${PROJECT_SOURCE_DIR}/scene/*.cpp
  ${PROJECT_SOURCE_DIR}/commands/*.cpp
  ${PROJECT_SOURCE_DIR}/nodes/*.cpp)

set(DK_MODULE_VERSION 1.1)

# What the application's kits expect to be told about the platform; the older
# kits stop or pick the wrong types without them. The stand-in headers ignore
# them, so every build uses the same set.
if(WIN32)
  set(DK_KIT_DEFINITIONS NT_PLUGIN _BOOL REQUIRE_IOSTREAM)
  set(DK_MODULE_SUFFIX ".mll")
elseif(APPLE)
  set(DK_KIT_DEFINITIONS OSMac_ _BOOL REQUIRE_IOSTREAM)
  set(DK_MODULE_SUFFIX ".bundle")
else()
  # Strict -std=c++17 leaves out the lower-case linux the older kits test.
  set(DK_KIT_DEFINITIONS LINUX linux _BOOL REQUIRE_IOSTREAM)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    list(APPEND DK_KIT_DEFINITIONS Bits64_ LINUX_64)
  endif()
  set(DK_MODULE_SUFFIX ".so")
endif()

add_library(DravikTools MODULE ${DK_MODULE_SOURCES})
target_include_directories(DravikTools PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(DravikTools PRIVATE ${DK_KIT_DEFINITIONS})
target_link_libraries(DravikTools PRIVATE maya_api)
set_target_properties(DravikTools PROPERTIES PREFIX "" SUFFIX "${DK_MODULE_SUFFIX}"
  LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/plug-ins)

# The module folder the application finds through its module path: the
# plug-in under plug-ins/, its MEL procedures under scripts/, and the module
# description naming the folder. Without --prefix it is laid out in the build.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX ${PROJECT_BINARY_DIR}/DravikTools CACHE PATH "Module folder" FORCE)
endif()
install(TARGETS DravikTools LIBRARY DESTINATION plug-ins)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/scripts/ DESTINATION scripts FILES_MATCHING PATTERN "*.mel")
install(CODE "
  file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/DravikTools.mod\"
    \"+ DravikTools ${DK_MODULE_VERSION} \${CMAKE_INSTALL_PREFIX}\\n\")
  message(STATUS \"Module description: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/DravikTools.mod\")")

# The module's sources once more, against the stand-in headers alone, as a
# kit would see them, with every warning an error: nothing of the host's own
# is in reach, so what compiles here needs only what the kits declare.
if(NOT MAYA_LOCATION AND DK_BUILD_TESTS AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_library(DravikTools_kit_check OBJECT ${DK_MODULE_SOURCES})
  target_include_directories(DravikTools_kit_check PRIVATE
    ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/host/include)
  target_compile_definitions(DravikTools_kit_check PRIVATE ${DK_KIT_DEFINITIONS})
  target_compile_options(DravikTools_kit_check PRIVATE -Wall -Wextra -Werror)
endif()
