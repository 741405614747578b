#ifndef MINIMAYA_MANIMUTIL_H
#define MINIMAYA_MANIMUTIL_H

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

// Questions about what animation curves drive.
class OPENMAYA_EXPORT MAnimUtil {
public:
    // A node is animated when a keyable plug of it (or an element or child
    // of one) is driven by an animation curve; checkParent also asks the
    // DAG parents above it.
    static bool isAnimated(const MObject& node, bool checkParent = false,
                           MStatus* ReturnStatus = NULL);
    static bool isAnimated(const MDagPath& path, bool checkParent = false,
                           MStatus* ReturnStatus = NULL);
    // A plug is animated when it or a plug below it is driven by a curve;
    // checkParent also asks the compounds above it.
    static bool isAnimated(const MPlug& plug, bool checkParent = false,
                           MStatus* ReturnStatus = NULL);
    static bool isAnimated(const MSelectionList& selectionList, bool checkParent = false,
                           MStatus* ReturnStatus = NULL);

    static bool findAnimatedPlugs(const MObject& node, MPlugArray& animatedPlugs,
                                  bool checkParent = false, MStatus* ReturnStatus = NULL);
    static bool findAnimatedPlugs(const MDagPath& path, MPlugArray& animatedPlugs,
                                  bool checkParent = false, MStatus* ReturnStatus = NULL);
    // The curves that drive the plug.
    static bool findAnimation(const MPlug& plug, MObjectArray& animation,
                              MStatus* ReturnStatus = NULL);
};

#endif
