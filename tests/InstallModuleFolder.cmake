# Installs the build into a fresh folder and checks that it is the module
# folder the application expects: the plug-in, its scripts, and a module
# description naming the folder.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DPLUGIN=... -P InstallModuleFolder.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file plug-ins/${PLUGIN} scripts/dkDravikToolsCreateUI.mel scripts/dkDravikToolsDeleteUI.mel
    DravikTools.mod)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "the module folder has no ${file}")
  endif()
endforeach()
file(READ "${PREFIX}/DravikTools.mod" description)
if(NOT description STREQUAL "+ DravikTools 1.1 ${PREFIX}\n")
  message(FATAL_ERROR "unexpected module description: '${description}'")
endif()
