#ifndef DK_COMMANDS_UNINSTANCER_DKINSTANCEDOBJECT_H
#define DK_COMMANDS_UNINSTANCER_DKINSTANCEDOBJECT_H

#include <maya/MDagPath.h>
#include <maya/MObjectArray.h>

// An object the instancer places, or a copy made of one: its DAG path and
// the shapes below it in depth-first order. A hierarchy member that nothing
// feeds keeps an invalid path.
struct DKinstancedObject {
    MDagPath path;
    MObjectArray shapes;
};

#endif
