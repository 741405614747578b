#include "Startup.h"
#include "commands/Support.h"
#include "geometry/Mesh.h"
#include "ui/Controls.h"

namespace host {

void registerScriptCommands() {
    // The mesh type comes first: polyCube and createNode make meshes.
    geometry::registerMeshType();
    geometry::registerPolyHistoryTypes();
    commands::registerNodeCommands();
    commands::registerDagCommands();
    commands::registerAttributeCommands();
    commands::registerConnectionCommands();
    commands::registerSetCommands();
    geometry::registerPolyCommands();
    commands::registerTransformCommands();
    commands::registerQueryCommands();
    commands::registerCreateCommands();
    commands::registerSessionCommands();
    commands::registerSystemCommands();
    commands::registerWalkCommands();
    commands::registerVisibilityCommands();
    commands::registerConstraintCommands();
    ui::registerUiCommands();
}

}  // namespace host
