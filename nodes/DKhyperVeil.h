#ifndef DK_NODES_DKHYPERVEIL_H
#define DK_NODES_DKHYPERVEIL_H

#include <maya/MDGContext.h>
#include <maya/MDGModifier.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MMessage.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPxObjectSet.h>
#include <maya/MStatus.h>

// An object set whose members are kept out of the shading editor's tabs.
// The node only holds the switches; script procedures called by name do the
// hiding and showing.
class DKhyperVeil : public MPxObjectSet {
public:
    static const char* const typeName;

    static MObject aShow;
    static MObject aRemoveFromHyperShadeTabs;
    static MObject aInputInterface;
    static MObject aIn;
    static MObject aOut;

    DKhyperVeil();
    ~DKhyperVeil() override;

    static void* creator();
    static MStatus initialize();

    void postConstructor() override;
    MStatus compute(const MPlug& plug, MDataBlock& data) override;
    bool setInternalValueInContext(const MPlug& plug, const MDataHandle& dataHandle,
                                   MDGContext& context) override;

    static void aboutToDeleteCallback(MObject& node, MDGModifier& modifier, void* clientData);

private:
    MCallbackId aboutToDeleteCallbackId;
};

#endif
