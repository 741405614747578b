#ifndef DK_COMMANDS_UNINSTANCER_DKANIMATEDGEOMETRY_H
#define DK_COMMANDS_UNINSTANCER_DKANIMATEDGEOMETRY_H

#include "commands/uninstancer/DKinstancedObject.h"

#include <maya/MEulerRotation.h>
#include <maya/MObject.h>
#include <maya/MObjectArray.h>

#include <vector>

// What the animation bake keeps for one particle: its one copy for the
// whole range, the curves keyed on it and, once the particle has shown
// another object, the blend shapes that bake the change of shape.
struct DKanimatedGeometry {
    enum FrameState { kUnseen = 0, kSeen = 1, kGone = 2 };
    // The curves, in the order of their channels.
    enum Channel {
        kTranslateX,
        kTranslateY,
        kTranslateZ,
        kRotateX,
        kRotateY,
        kRotateZ,
        kScaleX,
        kScaleY,
        kScaleZ,
        kVisibility,
        kChannelCount
    };

    int frameState = kUnseen;
    // The object the copy shows at the last keyed frame.
    int objectIndex = -1;
    DKinstancedObject copy;
    // One deformer and one weight curve per shape of the copy.
    MObjectArray blendShapes;
    MObjectArray weightCurves;
    // Per instanced object: its shapes are targets already.
    std::vector<bool> targetAdded;
    MObject curves[kChannelCount];
    // The rotation of the last key: each new one is the solution nearest
    // to it, so that the curves never turn the long way round.
    MEulerRotation keyedRotation;
    bool rotationKeyed = false;
    // The record's first and last transform keys held back from its
    // curves (DKheldKeys), -1 while none is.
    int firstHeld = -1;
    int lastHeld = -1;
};

#endif
