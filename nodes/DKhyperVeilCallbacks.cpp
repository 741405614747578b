#include "nodes/DKhyperVeilCallbacks.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

// The editors are prepared by script; the module reports nothing about it.
void sceneUpdateCallback(void*) {
    MGlobal::executeCommand("dkHyperVeilInitEditors", false, false);
}
