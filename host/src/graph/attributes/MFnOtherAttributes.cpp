// The message, generic and matrix attribute function sets: thin, since such
// attributes carry no settings of their own beyond what MFnAttribute has.
#include "graph/Data.h"
#include "graph/attributes/AttributeSet.h"

#include <maya/MFnGenericAttribute.h>
#include <maya/MFnMatrixAttribute.h>
#include <maya/MFnMessageAttribute.h>

#include <algorithm>

using host::Attribute;
using host::AttributeSet;

namespace {
Attribute* ofKind(const MObject& object, Attribute::Kind kind) {
    Attribute* a = AttributeSet::of(object);
    return a && a->kind == kind ? a : nullptr;
}
}  // namespace

#define MINIMAYA_ATTRIBUTE_SET(Class, K, Api)                    \
    Class::Class() = default;                                    \
    Class::Class(MObject& object, MStatus* ReturnStatus) {       \
        MStatus s = attach(object);                              \
        if (ReturnStatus)                                        \
            *ReturnStatus = s;                                   \
    }                                                            \
    Class::Class(const MObject& object, MStatus* ReturnStatus) { \
        MStatus s = attach(object);                              \
        if (ReturnStatus)                                        \
            *ReturnStatus = s;                                   \
    }                                                            \
    MFn::Type Class::type() const {                              \
        return Api;                                              \
    }                                                            \
    const char* Class::className() const {                       \
        return #Class;                                           \
    }                                                            \
    bool Class::acceptsObject(const MObject& object) const {     \
        return ofKind(object, Attribute::Kind::K) != nullptr;    \
    }
MINIMAYA_ATTRIBUTE_SET(MFnMessageAttribute, Message, MFn::kMessageAttribute)
MINIMAYA_ATTRIBUTE_SET(MFnGenericAttribute, Generic, MFn::kGenericAttribute)
MINIMAYA_ATTRIBUTE_SET(MFnMatrixAttribute, Matrix, MFn::kMatrixAttribute)
#undef MINIMAYA_ATTRIBUTE_SET

MObject MFnMessageAttribute::create(const MString& fullName, const MString& briefName,
                                    MStatus* ReturnStatus) {
    return AttributeSet::create(m_object, Attribute::Kind::Message, fullName, briefName,
                                ReturnStatus);
}

MObject MFnGenericAttribute::create(const MString& fullName, const MString& briefName,
                                    MStatus* ReturnStatus) {
    return AttributeSet::create(m_object, Attribute::Kind::Generic, fullName, briefName,
                                ReturnStatus);
}

MStatus MFnGenericAttribute::addAccept(MFnData::Type type) {
    Attribute* a = ofKind(m_object, Attribute::Kind::Generic);
    if (!a)
        return MS::kFailure;
    if (std::find(a->acceptedData.begin(), a->acceptedData.end(), type) == a->acceptedData.end())
        a->acceptedData.push_back(type);
    return MS::kSuccess;
}

MStatus MFnGenericAttribute::addAccept(MFnNumericData::Type type) {
    Attribute* a = ofKind(m_object, Attribute::Kind::Generic);
    if (!a)
        return MS::kFailure;
    if (std::find(a->acceptedNumeric.begin(), a->acceptedNumeric.end(), type) ==
        a->acceptedNumeric.end())
        a->acceptedNumeric.push_back(type);
    return MS::kSuccess;
}

MStatus MFnGenericAttribute::removeAccept(MFnData::Type type) {
    Attribute* a = ofKind(m_object, Attribute::Kind::Generic);
    if (!a)
        return MS::kFailure;
    a->acceptedData.erase(std::remove(a->acceptedData.begin(), a->acceptedData.end(), type),
                          a->acceptedData.end());
    return MS::kSuccess;
}

MStatus MFnGenericAttribute::removeAccept(MFnNumericData::Type type) {
    Attribute* a = ofKind(m_object, Attribute::Kind::Generic);
    if (!a)
        return MS::kFailure;
    a->acceptedNumeric.erase(
        std::remove(a->acceptedNumeric.begin(), a->acceptedNumeric.end(), type),
        a->acceptedNumeric.end());
    return MS::kSuccess;
}

MObject MFnMatrixAttribute::create(const MString& fullName, const MString& briefName, Type type,
                                   MStatus* ReturnStatus) {
    MObject result =
        AttributeSet::create(m_object, Attribute::Kind::Matrix, fullName, briefName, ReturnStatus);
    if (Attribute* a = AttributeSet::of(result)) {
        a->floatMatrix = type == kFloat;
        a->defaultValue = std::shared_ptr<host::Data>(std::make_shared<host::MatrixData>());
    }
    return result;
}

MStatus MFnMatrixAttribute::getDefault(MMatrix& value) {
    Attribute* a = ofKind(m_object, Attribute::Kind::Matrix);
    if (!a)
        return MS::kFailure;
    value = MMatrix();
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&a->defaultValue))
        if (auto* m = dynamic_cast<host::MatrixData*>(d->get()))
            value = m->value;
    return MS::kSuccess;
}

MStatus MFnMatrixAttribute::setDefault(const MMatrix& value) {
    Attribute* a = ofKind(m_object, Attribute::Kind::Matrix);
    if (!a)
        return MS::kFailure;
    a->defaultValue = std::shared_ptr<host::Data>(std::make_shared<host::MatrixData>(value));
    return MS::kSuccess;
}
