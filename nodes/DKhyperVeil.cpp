#include "nodes/DKhyperVeil.h"

#include "nodes/DKhyperVeilCallbacks.h"
#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

#include <maya/MFnAttribute.h>
#include <maya/MFnData.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MGlobal.h>
#include <maya/MNodeMessage.h>
#include <maya/MString.h>

#include <string>

const char* const DKhyperVeil::typeName = "dkHyperVeil";

MObject DKhyperVeil::aShow;
MObject DKhyperVeil::aRemoveFromHyperShadeTabs;
MObject DKhyperVeil::aInputInterface;
MObject DKhyperVeil::aIn;
MObject DKhyperVeil::aOut;

namespace {

// The settings every attribute but "out" starts from.
void makeKeyableStorableReadableWritable(MFnAttribute& attribute) {
    checkStatus(attribute.setKeyable(true), "Error making attribute keyable.");
    checkStatus(attribute.setStorable(true), "Error making attribute storable.");
    checkStatus(attribute.setReadable(true), "Error making attribute readable.");
    checkStatus(attribute.setWritable(true), "Error making attribute writable.");
}

// The per-node procedures all take the veil's name as their one argument.
MString procedureCall(const char* procedure, const MObject& node) {
    MFnDependencyNode fn(node);
    std::string text = std::string(procedure) + "\"" + fn.name().asChar() + "\";";
    return MString(text.c_str());
}

}  // namespace

DKhyperVeil::DKhyperVeil() : aboutToDeleteCallbackId(kNoCallback) {}

DKhyperVeil::~DKhyperVeil() {
    MMessage::removeCallback(aboutToDeleteCallbackId);
}

void* DKhyperVeil::creator() {
    return new DKhyperVeil;
}

MStatus DKhyperVeil::initialize() {
    return errorFrame(typeName, [] {
        MStatus status;

        MFnNumericAttribute numeric;
        aShow = numeric.create("show", "shw", MFnNumericData::kBoolean, 0.0, &status);
        checkStatus(status, "Could not create show attribute.");
        makeKeyableStorableReadableWritable(numeric);
        // Stored and settable, but not offered among the keyable attributes.
        numeric.setKeyable(false);

        aRemoveFromHyperShadeTabs = numeric.create("removeFromHyperShadeTabs", "rhst",
                                                   MFnNumericData::kBoolean, 1.0, &status);
        checkStatus(status, "Could not create removeFromHyperShadeTabs attribute.");
        makeKeyableStorableReadableWritable(numeric);
        // Internal, so that every set reaches setInternalValueInContext.
        numeric.setInternal(true);

        MFnTypedAttribute typed;
        aInputInterface =
            typed.create("inputInterface", "ii", MFnData::kString, MObject::kNullObj, &status);
        checkStatus(status, "Could not create inputInterface attribute.");
        makeKeyableStorableReadableWritable(typed);

        MFnMessageAttribute message;
        aIn = message.create("in", "i", &status);
        checkStatus(status, "Could not create in attribute.");
        makeKeyableStorableReadableWritable(message);
        checkStatus(message.setReadable(false), "Error making 'in' not readable attribute.");
        checkStatus(message.setArray(true), "Error making 'in' an array attribute.");
        checkStatus(message.setIndexMatters(false), "Error making 'in' index doesn't matter.");

        aOut = message.create("out", "o", &status);
        checkStatus(status, "Could not create out attribute.");
        checkStatus(message.setKeyable(false), "Error making attribute non-keyable.");
        checkStatus(message.setStorable(false), "Error making attribute non-storable.");
        checkStatus(message.setReadable(true), "Error making attribute readable.");
        checkStatus(message.setWritable(false), "Error making attribute non-writable.");

        checkStatus(addAttribute(aShow), "Could not add show attribute.");
        checkStatus(addAttribute(aRemoveFromHyperShadeTabs),
                    "Could not add removeFromHyperShadeTabs attribute.");
        checkStatus(addAttribute(aInputInterface), "Could not add inputInterface attribute.");
        checkStatus(addAttribute(aIn), "Could not add in attribute.");
        checkStatus(addAttribute(aOut), "Could not add out attribute.");

        checkStatus(attributeAffects(aIn, aOut), "attributeAffects( aIn, aOut ) failed.");
        return MStatus(MS::kSuccess);
    });
}

void DKhyperVeil::postConstructor() {
    // A veil is kept even when nothing is connected to it.
    setExistWithoutInConnections(true);
    setExistWithoutOutConnections(true);
    MObject self = thisMObject();
    aboutToDeleteCallbackId =
        MNodeMessage::addNodeAboutToDeleteCallback(self, aboutToDeleteCallback, nullptr, nullptr);
}

// "out" is only a connection point for the scripts: the node gives it no value.
MStatus DKhyperVeil::compute(const MPlug&, MDataBlock&) {
    return errorFrame(typeName, [] { return MStatus(MS::kUnknownParameter); });
}

bool DKhyperVeil::setInternalValueInContext(const MPlug& plug, const MDataHandle& dataHandle,
                                            MDGContext&) {
    if (!(plug == aRemoveFromHyperShadeTabs))
        return false;

    bool show = false;
    MPlug(thisMObject(), aShow).getValue(show);
    if (!show) {
        const char* procedure =
            dataHandle.asBool() ? "dkHyperVeilHideVeilInTabs " : "dkHyperVeilShowVeilInTabs ";
        MGlobal::executeCommand(procedureCall(procedure, thisMObject()), false, false);
    }
    // The host stores the new value as for any attribute.
    return false;
}

// Queued on the deleting modifier, the clean-up joins the deletion and its undo.
void DKhyperVeil::aboutToDeleteCallback(MObject& node, MDGModifier& modifier, void*) {
    modifier.commandToExecute(procedureCall("dkHyperVeilAboutToDeleteCallback ", node));
}
