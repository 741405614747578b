# The plug-in module. All but its entry points build once as a static library
# that the module and the plug-in tests both link; the entry points alone
# make the loadable module. Sources are listed one a line, by folder.
set(DK_CORE_SOURCES
  ${PROJECT_SOURCE_DIR}/commands/copy/DKcopyAttrCmd.cpp
  ${PROJECT_SOURCE_DIR}/commands/copy/DKcopyPlugValue.cpp
  ${PROJECT_SOURCE_DIR}/commands/copy/DKcopyPlugValueCmd.cpp
  ${PROJECT_SOURCE_DIR}/commands/copy/DKtextEdits.cpp
  ${PROJECT_SOURCE_DIR}/commands/info/DKattrInfoCmd.cpp
  ${PROJECT_SOURCE_DIR}/commands/info/DKnodeInfoCmd.cpp
  ${PROJECT_SOURCE_DIR}/commands/map/DKmapCmd.cpp
  ${PROJECT_SOURCE_DIR}/commands/map/DKmapCmdOps.cpp
  ${PROJECT_SOURCE_DIR}/commands/map/DKmapStore.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKanimationBake.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKframeProgress.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKheldKeys.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKinstanceExtraction.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKrecordIndex.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKroundToPlaces.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKuninstancerCmd.cpp
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKuninstancerUndo.cpp
  ${PROJECT_SOURCE_DIR}/nodes/DKhyperVeil.cpp
  ${PROJECT_SOURCE_DIR}/nodes/DKhyperVeilCallbacks.cpp
  ${PROJECT_SOURCE_DIR}/operations/DKmayaModifier.cpp
  ${PROJECT_SOURCE_DIR}/operations/DKmayaNativeOp.cpp
  ${PROJECT_SOURCE_DIR}/operations/DKmayaRemoveChildOp.cpp
  ${PROJECT_SOURCE_DIR}/operations/DKmayaSetValueOps.cpp
  ${PROJECT_SOURCE_DIR}/plugin/DKerrorFrame.cpp
  ${PROJECT_SOURCE_DIR}/plugin/DKexception.cpp
  ${PROJECT_SOURCE_DIR}/scene/DKfnParticleInstancer.cpp
  ${PROJECT_SOURCE_DIR}/scene/DKfnParticleSystem.cpp
  ${PROJECT_SOURCE_DIR}/scene/DKmayaObject.cpp
  ${PROJECT_SOURCE_DIR}/scene/DKparticleIdMapper.cpp
  ${PROJECT_SOURCE_DIR}/scene/DKplugLookup.cpp
)

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

add_library(DravikToolsCore STATIC ${DK_CORE_SOURCES})
target_include_directories(DravikToolsCore PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(DravikToolsCore PRIVATE ${DK_KIT_DEFINITIONS})
target_link_libraries(DravikToolsCore PUBLIC maya_api)

add_library(DravikTools MODULE ${PROJECT_SOURCE_DIR}/plugin/DKplugin.cpp)
target_compile_definitions(DravikTools PRIVATE ${DK_KIT_DEFINITIONS})
target_link_libraries(DravikTools PRIVATE DravikToolsCore)
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
  add_library(DravikTools_kit_check OBJECT ${DK_CORE_SOURCES} ${PROJECT_SOURCE_DIR}/plugin/DKplugin.cpp)
  target_include_directories(DravikTools_kit_check PRIVATE
    ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/host/include)
  target_compile_definitions(DravikTools_kit_check PRIVATE ${DK_KIT_DEFINITIONS})
  target_compile_options(DravikTools_kit_check PRIVATE -Wall -Wextra -Werror)
endif()
