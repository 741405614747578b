#pragma once
// Base of the message classes: callback ids and their removal. A callback
// left registered by a plug-in is removed by the host when the plug-in is
// unloaded, so it is never called into unloaded code.

#include <maya/MCallbackIdArray.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MObject;
class MDGModifier;
class MString;

class OPENMAYA_EXPORT MMessage {
public:
    typedef void (*MBasicFunction)(void* clientData);
    typedef void (*MNodeFunction)(MObject& node, void* clientData);
    typedef void (*MNodeModifierFunction)(MObject& node, MDGModifier& modifier, void* clientData);
    typedef void (*MStringFunction)(const MString& str, void* clientData);

    // Fails for an id that is not registered (never was, or already removed).
    static MStatus removeCallback(MCallbackId id);
    // Removes every id of the array; fails if any of them was not registered.
    static MStatus removeCallbacks(MCallbackIdArray& ids);
    // The id of the callback being called; fails outside of a callback.
    static MCallbackId currentCallbackId(MStatus* ReturnStatus = NULL);
    // The ids of the callbacks registered for a node.
    static MStatus nodeCallbacks(const MObject& node, MCallbackIdArray& ids);
};
