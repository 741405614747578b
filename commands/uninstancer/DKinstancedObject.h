#ifndef DK_COMMANDS_UNINSTANCER_DKINSTANCEDOBJECT_H
#define DK_COMMANDS_UNINSTANCER_DKINSTANCEDOBJECT_H

#include <maya/MDagPath.h>
#include <maya/MMatrix.h>
#include <maya/MObjectArray.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

// An object the instancer places, or a copy made of one: its DAG path and
// the shapes below it in depth-first order. A hierarchy member that nothing
// feeds keeps an invalid path.
struct DKinstancedObject {
    MDagPath path;
    MObjectArray shapes;
};

// An instanced object as one frame finds it: whether it can be copied and
// its world matrix, then, from its first copy on, the full path of the node
// copied and the names of that hierarchy's nodes in depth-first order, which
// the copy's nodes are named after. Nothing renames or moves a source while
// a frame is baked, so a frame reads them once, not once a copy.
struct DKsourceFrame {
    bool live = false;
    MMatrix matrix;
    bool named = false;
    MString copiedName;
    MStringArray names;
};

#endif
