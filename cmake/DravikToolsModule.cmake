# The plug-in module. All but its entry points build once as a static library
# that the module and the plug-in tests both link; the entry points alone
# make the loadable module. Sources are listed one a line, by folder.
add_library(DravikToolsCore STATIC
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
  ${PROJECT_SOURCE_DIR}/commands/uninstancer/DKinstanceExtraction.cpp
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
target_include_directories(DravikToolsCore PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(DravikToolsCore PUBLIC maya_api)

add_library(DravikTools MODULE ${PROJECT_SOURCE_DIR}/plugin/DKplugin.cpp)
target_link_libraries(DravikTools PRIVATE DravikToolsCore)
set_target_properties(DravikTools PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/plug-ins)
if(WIN32)
  set_target_properties(DravikTools PROPERTIES SUFFIX ".mll")
endif()
