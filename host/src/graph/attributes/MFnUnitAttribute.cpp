#include "graph/attributes/AttributeSet.h"

#include <maya/MFnUnitAttribute.h>

using host::Attribute;
using host::AttributeSet;

namespace {
Attribute* unit(const MObject& object) {
    Attribute* a = AttributeSet::of(object);
    return a && a->kind == Attribute::Kind::Unit ? a : nullptr;
}
}  // namespace

MFnUnitAttribute::MFnUnitAttribute() = default;
MFnUnitAttribute::MFnUnitAttribute(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnUnitAttribute::MFnUnitAttribute(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnUnitAttribute::type() const {
    return MFn::kUnitAttribute;
}
const char* MFnUnitAttribute::className() const {
    return "MFnUnitAttribute";
}
bool MFnUnitAttribute::acceptsObject(const MObject& object) const {
    return unit(object) != nullptr;
}

MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName, Type unitType,
                                 double defaultValue, MStatus* ReturnStatus) {
    if (unitType <= kInvalid || unitType >= kLast) {
        AttributeSet::report(ReturnStatus, false);
        return MObject();
    }
    MObject result =
        AttributeSet::create(m_object, Attribute::Kind::Unit, fullName, briefName, ReturnStatus);
    if (Attribute* a = AttributeSet::of(result)) {
        a->unitType = unitType;
        a->defaultValue = defaultValue;
    }
    return result;
}

MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName,
                                 const MTime& defaultValue, MStatus* ReturnStatus) {
    return create(fullName, briefName, kTime, defaultValue.as(MTime::kSeconds), ReturnStatus);
}
MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName,
                                 const MAngle& defaultValue, MStatus* ReturnStatus) {
    return create(fullName, briefName, kAngle, defaultValue.asRadians(), ReturnStatus);
}
MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName,
                                 const MDistance& defaultValue, MStatus* ReturnStatus) {
    return create(fullName, briefName, kDistance, defaultValue.asCentimeters(), ReturnStatus);
}

MFnUnitAttribute::Type MFnUnitAttribute::unitType(MStatus* ReturnStatus) const {
    Attribute* a = unit(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a ? a->unitType : kInvalid;
}

#define MINIMAYA_LIMIT(Has, Get, Set, field)                  \
    bool MFnUnitAttribute::Has(MStatus* ReturnStatus) const { \
        Attribute* a = unit(m_object);                        \
        AttributeSet::report(ReturnStatus, a != nullptr);     \
        return a && a->field.has_value();                     \
    }                                                         \
    MStatus MFnUnitAttribute::Get(double& v) const {          \
        Attribute* a = unit(m_object);                        \
        if (!a || !a->field)                                  \
            return MS::kFailure;                              \
        v = *a->field;                                        \
        return MS::kSuccess;                                  \
    }                                                         \
    MStatus MFnUnitAttribute::Set(double v) {                 \
        Attribute* a = unit(m_object);                        \
        if (!a)                                               \
            return MS::kFailure;                              \
        a->field = v;                                         \
        return MS::kSuccess;                                  \
    }
MINIMAYA_LIMIT(hasMin, getMin, setMin, minValue)
MINIMAYA_LIMIT(hasMax, getMax, setMax, maxValue)
MINIMAYA_LIMIT(hasSoftMin, getSoftMin, setSoftMin, softMinValue)
MINIMAYA_LIMIT(hasSoftMax, getSoftMax, setSoftMax, softMaxValue)
#undef MINIMAYA_LIMIT

namespace {
MStatus readDefault(const MObject& object, MFnUnitAttribute::Type want, double& v) {
    Attribute* a = unit(object);
    if (!a || (want != MFnUnitAttribute::kInvalid && a->unitType != want))
        return MS::kFailure;
    v = host::valueAsDouble(a->defaultValue);
    return MS::kSuccess;
}
MStatus writeDefault(const MObject& object, MFnUnitAttribute::Type want, double v) {
    Attribute* a = unit(object);
    if (!a || (want != MFnUnitAttribute::kInvalid && a->unitType != want))
        return MS::kFailure;
    a->defaultValue = v;
    return MS::kSuccess;
}
}  // namespace

MStatus MFnUnitAttribute::getDefault(double& value) {
    return readDefault(m_object, kInvalid, value);
}
MStatus MFnUnitAttribute::getDefault(MDistance& value) {
    double v = 0;
    MStatus s = readDefault(m_object, kDistance, v);
    if (s)
        value = MDistance(v, MDistance::kCentimeters);
    return s;
}
MStatus MFnUnitAttribute::getDefault(MAngle& value) {
    double v = 0;
    MStatus s = readDefault(m_object, kAngle, v);
    if (s)
        value = MAngle(v, MAngle::kRadians);
    return s;
}
MStatus MFnUnitAttribute::getDefault(MTime& value) {
    double v = 0;
    MStatus s = readDefault(m_object, kTime, v);
    if (s)
        value = MTime(v, MTime::kSeconds);
    return s;
}
MStatus MFnUnitAttribute::setDefault(double value) {
    return writeDefault(m_object, kInvalid, value);
}
MStatus MFnUnitAttribute::setDefault(const MDistance& value) {
    return writeDefault(m_object, kDistance, value.asCentimeters());
}
MStatus MFnUnitAttribute::setDefault(const MAngle& value) {
    return writeDefault(m_object, kAngle, value.asRadians());
}
MStatus MFnUnitAttribute::setDefault(const MTime& value) {
    return writeDefault(m_object, kTime, value.as(MTime::kSeconds));
}
