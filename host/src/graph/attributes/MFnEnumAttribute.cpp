#include "graph/attributes/AttributeSet.h"

#include <maya/MFnEnumAttribute.h>

#include <algorithm>

using host::Attribute;
using host::AttributeSet;

namespace {
Attribute* enumeration(const MObject& object) {
    Attribute* a = AttributeSet::of(object);
    return a && a->kind == Attribute::Kind::Enum ? a : nullptr;
}
}  // namespace

MFnEnumAttribute::MFnEnumAttribute() = default;
MFnEnumAttribute::MFnEnumAttribute(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnEnumAttribute::MFnEnumAttribute(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnEnumAttribute::type() const {
    return MFn::kEnumAttribute;
}
const char* MFnEnumAttribute::className() const {
    return "MFnEnumAttribute";
}
bool MFnEnumAttribute::acceptsObject(const MObject& object) const {
    return enumeration(object) != nullptr;
}

MObject MFnEnumAttribute::create(const MString& fullName, const MString& briefName,
                                 short defaultValue, MStatus* ReturnStatus) {
    MObject result =
        AttributeSet::create(m_object, Attribute::Kind::Enum, fullName, briefName, ReturnStatus);
    if (Attribute* a = AttributeSet::of(result))
        a->defaultValue = static_cast<long>(defaultValue);
    return result;
}

MStatus MFnEnumAttribute::addField(const MString& fieldString, short index) {
    Attribute* a = enumeration(m_object);
    if (!a || fieldString.length() == 0)
        return MS::kFailure;
    for (const auto& f : a->enumFields)
        if (f.first == fieldString.asChar() || f.second == index)
            return MS::kFailure;
    a->enumFields.emplace_back(fieldString.asChar(), index);
    return MS::kSuccess;
}

MString MFnEnumAttribute::fieldName(short index, MStatus* ReturnStatus) const {
    Attribute* a = enumeration(m_object);
    if (a)
        for (const auto& f : a->enumFields)
            if (f.second == index) {
                AttributeSet::report(ReturnStatus, true);
                return f.first.c_str();
            }
    AttributeSet::report(ReturnStatus, false);
    return MString();
}

short MFnEnumAttribute::fieldIndex(const MString& fieldString, MStatus* ReturnStatus) const {
    Attribute* a = enumeration(m_object);
    if (a)
        for (const auto& f : a->enumFields)
            if (f.first == fieldString.asChar()) {
                AttributeSet::report(ReturnStatus, true);
                return f.second;
            }
    AttributeSet::report(ReturnStatus, false);
    return 0;
}

MStatus MFnEnumAttribute::getMin(short& minValue) const {
    Attribute* a = enumeration(m_object);
    if (!a || a->enumFields.empty())
        return MS::kFailure;
    minValue = std::min_element(a->enumFields.begin(), a->enumFields.end(), [](auto& x, auto& y) {
                   return x.second < y.second;
               })->second;
    return MS::kSuccess;
}

MStatus MFnEnumAttribute::getMax(short& maxValue) const {
    Attribute* a = enumeration(m_object);
    if (!a || a->enumFields.empty())
        return MS::kFailure;
    maxValue = std::max_element(a->enumFields.begin(), a->enumFields.end(), [](auto& x, auto& y) {
                   return x.second < y.second;
               })->second;
    return MS::kSuccess;
}

MStatus MFnEnumAttribute::setDefault(short index) {
    Attribute* a = enumeration(m_object);
    if (!a)
        return MS::kFailure;
    a->defaultValue = static_cast<long>(index);
    return MS::kSuccess;
}

MStatus MFnEnumAttribute::setDefault(const MString& fieldString) {
    MStatus s;
    short index = fieldIndex(fieldString, &s);
    return s ? setDefault(index) : s;
}

MStatus MFnEnumAttribute::getDefault(short& index) const {
    Attribute* a = enumeration(m_object);
    if (!a)
        return MS::kFailure;
    index = static_cast<short>(host::valueAsLong(a->defaultValue));
    return MS::kSuccess;
}

MString MFnEnumAttribute::defaultValue(MStatus* ReturnStatus) const {
    short index = 0;
    MStatus s = getDefault(index);
    if (!s) {
        if (ReturnStatus)
            *ReturnStatus = s;
        return MString();
    }
    return fieldName(index, ReturnStatus);
}
