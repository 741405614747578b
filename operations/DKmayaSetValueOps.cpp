#include "operations/DKmayaSetValueOps.h"

#include "plugin/DKexception.h"

#include <maya/MFn.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnStringData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>

#include <type_traits>

// Numbers take the numeric attribute's default, unit values the unit
// attribute's.
template <typename Value>
void DKplugValueKind<Value>::readDefault(const MPlug& plug, Value& value) {
    using DefaultFn =
        std::conditional_t<std::is_arithmetic_v<Value>, MFnNumericAttribute, MFnUnitAttribute>;
    DefaultFn attribute(plug.attribute());
    attribute.getDefault(value);
}

// Short attributes keep their default as a whole number.
template <>
void DKplugValueKind<short>::readDefault(const MPlug& plug, short& value) {
    MFnNumericAttribute attribute(plug.attribute());
    int whole = 0;
    attribute.getDefault(whole);
    value = static_cast<short>(whole);
}

template <>
void DKplugValueKind<MString>::readDefault(const MPlug& plug, MString& value) {
    MFnTypedAttribute attribute(plug.attribute());
    MObject data;
    attribute.getDefault(data);
    MFnStringData text(data);
    value = text.string();
}

DKplugObjectValue::DKplugObjectValue(const MObject& value) {
    if (value.hasFn(MFn::kDependencyNode)) {
        node_ = DKmayaObject(value);
    } else {
        data_ = value;
    }
}

MObject DKplugObjectValue::resolve() {
    return node_.isValid() ? node_.object() : data_;
}

MStatus DKplugValueKind<MObject>::read(const MPlug& plug, MObject& value) {
    return plug.getValue(value);
}

void DKplugValueKind<MObject>::readDefault(const MPlug& plug, MObject& value) {
    MObject attributeObject = plug.attribute();
    if (attributeObject.hasFn(MFn::kTypedAttribute)) {
        MFnTypedAttribute attribute(attributeObject);
        attribute.getDefault(value);
    } else {
        value = MObject::kNullObj;
    }
}

// A node value is looked up at the moment of writing, so that it finds a
// node deleted and re-created since the operation was recorded.
MStatus DKplugValueKind<MObject>::write(MPlug& plug, DKplugObjectValue& value) {
    MObject object = value.resolve();
    return plug.setValue(object);
}

template <>
const char* const DKplugValueKind<double>::failureContext = "Error setting double value";
template <>
const char* const DKplugValueKind<float>::failureContext = "Error setting float value";
template <>
const char* const DKplugValueKind<int>::failureContext = "Error setting int value";
template <>
const char* const DKplugValueKind<short>::failureContext = "Error setting short value";
template <>
const char* const DKplugValueKind<bool>::failureContext = "Error setting bool value";
template <>
const char* const DKplugValueKind<char>::failureContext = "Error setting char value";
template <>
const char* const DKplugValueKind<MDistance>::failureContext = "Error setting MDistance value";
template <>
const char* const DKplugValueKind<MAngle>::failureContext = "Error setting MAngle value";
template <>
const char* const DKplugValueKind<MTime>::failureContext = "Error setting MTime value";
template <>
const char* const DKplugValueKind<MString>::failureContext = "Error setting MString value";
const char* const DKplugValueKind<MObject>::failureContext = "Error setting object value";

// A value that cannot be read is not an error: the attribute's default stands
// in as the value to restore. A failed write leaves plug and held value as
// they were.
template <typename Value>
void DKmayaSetValueOp<Value>::doIt() {
    typename Kind::Read previous{};
    if (Kind::read(plug_, previous) != MS::kSuccess) {
        Kind::readDefault(plug_, previous);
    }
    checkStatus(Kind::write(plug_, value_), Kind::failureContext);
    value_ = Kind::hold(previous);
    applied_ = !applied_;
}

template class DKmayaSetValueOp<double>;
template class DKmayaSetValueOp<float>;
template class DKmayaSetValueOp<int>;
template class DKmayaSetValueOp<short>;
template class DKmayaSetValueOp<bool>;
template class DKmayaSetValueOp<char>;
template class DKmayaSetValueOp<MDistance>;
template class DKmayaSetValueOp<MAngle>;
template class DKmayaSetValueOp<MTime>;
template class DKmayaSetValueOp<MString>;
template class DKmayaSetValueOp<MObject>;
