#include "commands/copy/DKcopyPlugValue.h"

#include "commands/copy/DKtextEdits.h"
#include "plugin/DKexception.h"

#include <maya/MAngle.h>
#include <maya/MDagModifier.h>
#include <maya/MDistance.h>
#include <maya/MFn.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnData.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MObject.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include <sstream>
#include <string>

namespace {

std::string nameWithNode(const MPlug& plug) {
    return plug.partialName(true).asChar();
}

// Runs what was just appended; a refusal drops it again (undoing whatever
// part of it took effect) so that the next way starts from a clean list.
bool tryLastStep(DKmayaModifier& modifier) {
    try {
        modifier.doIt();
        return true;
    } catch (const DKexception&) {
        modifier.removeLast(1);
        return false;
    }
}

template <typename Value, typename Parameter>
bool appendSetter(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier,
                  void (DKmayaModifier::*set)(const MPlug&, Parameter)) {
    Value value{};
    if (source.getValue(value) != MS::kSuccess) {
        return false;
    }
    (modifier.*set)(destination, value);
    return true;
}

bool appendNumericSetter(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier) {
    switch (MFnNumericAttribute(source.attribute()).unitType()) {
        case MFnNumericData::kBoolean:
            return appendSetter<bool>(source, destination, modifier, &DKmayaModifier::setBoolValue);
        case MFnNumericData::kByte:
        case MFnNumericData::kChar:
            return appendSetter<char>(source, destination, modifier, &DKmayaModifier::setCharValue);
        case MFnNumericData::kShort:
            return appendSetter<short>(source, destination, modifier,
                                       &DKmayaModifier::setShortValue);
        case MFnNumericData::kLong:
            return appendSetter<int>(source, destination, modifier, &DKmayaModifier::setIntValue);
        case MFnNumericData::kFloat:
            return appendSetter<float>(source, destination, modifier,
                                       &DKmayaModifier::setFloatValue);
        case MFnNumericData::kDouble:
            return appendSetter<double>(source, destination, modifier,
                                        &DKmayaModifier::setDoubleValue);
        default:
            return appendSetter<MObject>(source, destination, modifier,
                                         &DKmayaModifier::setObjectValue);
    }
}

bool appendAngleSetter(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier) {
    return appendSetter<MAngle>(source, destination, modifier, &DKmayaModifier::setAngleValue);
}

bool appendDistanceSetter(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier) {
    return appendSetter<MDistance>(source, destination, modifier,
                                   &DKmayaModifier::setDistanceValue);
}

bool appendTimeSetter(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier) {
    return appendSetter<MTime>(source, destination, modifier, &DKmayaModifier::setTimeValue);
}

// Appends the typed setter that fits the source attribute, holding the
// source's value; false when the value cannot be read or no setter fits.
bool appendTypedSetter(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier) {
    const MObject attribute = source.attribute();
    switch (attribute.apiType()) {
        case MFn::kNumericAttribute:
            return appendNumericSetter(source, destination, modifier);
        case MFn::kDoubleAngleAttribute:
        case MFn::kFloatAngleAttribute:
            return appendAngleSetter(source, destination, modifier);
        case MFn::kDoubleLinearAttribute:
        case MFn::kFloatLinearAttribute:
            return appendDistanceSetter(source, destination, modifier);
        case MFn::kTimeAttribute:
            return appendTimeSetter(source, destination, modifier);
        case MFn::kEnumAttribute:
            return appendSetter<int>(source, destination, modifier, &DKmayaModifier::setIntValue);
        case MFn::kUnitAttribute:
            switch (MFnUnitAttribute(attribute).unitType()) {
                case MFnUnitAttribute::kAngle:
                    return appendAngleSetter(source, destination, modifier);
                case MFnUnitAttribute::kDistance:
                    return appendDistanceSetter(source, destination, modifier);
                case MFnUnitAttribute::kTime:
                    return appendTimeSetter(source, destination, modifier);
                default:
                    return false;
            }
        case MFn::kTypedAttribute:
            if (MFnTypedAttribute(attribute).attrType() == MFnData::kString) {
                return appendSetter<MString>(source, destination, modifier,
                                             &DKmayaModifier::setStringValue);
            }
            return appendSetter<MObject>(source, destination, modifier,
                                         &DKmayaModifier::setObjectValue);
        default:
            return appendSetter<MObject>(source, destination, modifier,
                                         &DKmayaModifier::setObjectValue);
    }
}

bool copyThroughConnection(const MPlug& source, const MPlug& destination,
                           DKmayaModifier& modifier) {
    MFnAttribute from(source.attribute());
    MFnAttribute to(destination.attribute());
    if (!(from.isReadable() && from.isConnectable() && to.isConnectable())) {
        return false;
    }
    modifier.nativeModifier(false);
    MDagModifier& native = modifier.nativeModifier(true);
    // A connection the host will not queue (an array plug, for one) would
    // leave an empty step that runs without copying anything.
    if (native.connect(source, destination) != MS::kSuccess ||
        native.disconnect(source, destination) != MS::kSuccess) {
        modifier.removeLast(1);
        return false;
    }
    return tryLastStep(modifier);
}

bool copyThroughTypedValue(const MPlug& source, const MPlug& destination,
                           DKmayaModifier& modifier) {
    return appendTypedSetter(source, destination, modifier) && tryLastStep(modifier);
}

// The host writes the texts for the source's own attribute path, quoted and
// starting with a full stop; naming the destination, node included, in its
// place makes them set the destination.
bool copyThroughSetAttrTexts(const MPlug& source, const MPlug& destination,
                             const MStringArray& commands, DKmayaModifier& modifier) {
    modifier.nativeModifier(false);
    const std::string from = std::string("\".") + source.partialName().asChar();
    const std::string to = "\"" + nameWithNode(destination);
    for (unsigned i = 0; i < commands.length(); ++i) {
        std::string text = commands[i].asChar();
        replaceAll(text, from, to);
        modifier.nativeModifier(true).commandToExecute(MString(text.c_str()));
    }
    return tryLastStep(modifier);
}

}  // namespace

void copyPlugValue(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier) {
    if (destination.isFreeToChange(true, true) != MPlug::kFreeToChange) {
        std::stringstream message;
        message << nameWithNode(destination) << " is not settable.";
        throw DKbadArgumentException(message.str());
    }
    if (source.attribute().hasFn(MFn::kMessageAttribute) ||
        destination.attribute().hasFn(MFn::kMessageAttribute)) {
        return;
    }
    MPlug reader(source);
    MStringArray commands;
    reader.getSetAttrCmds(commands, MPlug::kAll, false);
    if (commands.length() == 0) {
        return;
    }
    if (copyThroughConnection(source, destination, modifier) ||
        copyThroughTypedValue(source, destination, modifier) ||
        copyThroughSetAttrTexts(source, destination, commands, modifier)) {
        return;
    }
    std::stringstream message;
    message << "Unable to copy the value of " << nameWithNode(source) << " to "
            << nameWithNode(destination) << ".";
    throw DKexception(message.str());
}
