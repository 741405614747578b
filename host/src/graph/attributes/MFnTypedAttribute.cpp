#include "graph/Data.h"
#include "graph/attributes/AttributeSet.h"

#include <maya/MFnTypedAttribute.h>

using host::Attribute;
using host::AttributeSet;

namespace {
Attribute* typed(const MObject& object) {
    Attribute* a = AttributeSet::of(object);
    return a && a->kind == Attribute::Kind::Typed ? a : nullptr;
}

// Strings are stored as text; other data as a private copy.
host::Value defaultFrom(const MObject& data) {
    auto d = host::ObjectAccess::sharedAs<host::Data>(data);
    if (!d)
        return {};
    if (auto* s = dynamic_cast<host::StringData*>(d.get()))
        return std::string(s->value.asChar());
    return std::shared_ptr<host::Data>(d->clone());
}
}  // namespace

MFnTypedAttribute::MFnTypedAttribute() = default;
MFnTypedAttribute::MFnTypedAttribute(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnTypedAttribute::MFnTypedAttribute(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnTypedAttribute::type() const {
    return MFn::kTypedAttribute;
}
const char* MFnTypedAttribute::className() const {
    return "MFnTypedAttribute";
}
bool MFnTypedAttribute::acceptsObject(const MObject& object) const {
    return typed(object) != nullptr;
}

MObject MFnTypedAttribute::create(const MString& fullName, const MString& briefName,
                                  MFnData::Type type, MObject defaultData, MStatus* ReturnStatus) {
    if (type <= MFnData::kInvalid || type >= MFnData::kLast) {
        AttributeSet::report(ReturnStatus, false);
        return MObject();
    }
    auto d = host::ObjectAccess::sharedAs<host::Data>(defaultData);
    if (!defaultData.isNull() && (!d || d->dataType() != type)) {
        AttributeSet::report(ReturnStatus, false);
        return MObject();
    }
    MObject result =
        AttributeSet::create(m_object, Attribute::Kind::Typed, fullName, briefName, ReturnStatus);
    if (Attribute* a = AttributeSet::of(result)) {
        a->dataType = type;
        a->defaultValue = defaultFrom(defaultData);
    }
    return result;
}

MFnData::Type MFnTypedAttribute::attrType(MStatus* ReturnStatus) const {
    Attribute* a = typed(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a ? a->dataType : MFnData::kInvalid;
}

MStatus MFnTypedAttribute::getDefault(MObject& defaultData) {
    Attribute* a = typed(m_object);
    if (!a)
        return MS::kFailure;
    if (auto* s = std::get_if<std::string>(&a->defaultValue)) {
        defaultData = host::toMObject(std::make_shared<host::StringData>(MString(s->c_str())));
    } else if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&a->defaultValue)) {
        defaultData = *d ? host::toMObject((*d)->clone()) : MObject();
    } else {
        defaultData = MObject();
    }
    return MS::kSuccess;
}

MStatus MFnTypedAttribute::setDefault(const MObject& defaultData) {
    Attribute* a = typed(m_object);
    if (!a)
        return MS::kFailure;
    auto d = host::ObjectAccess::sharedAs<host::Data>(defaultData);
    if (!defaultData.isNull() && (!d || d->dataType() != a->dataType))
        return MS::kInvalidParameter;
    a->defaultValue = defaultFrom(defaultData);
    return MS::kSuccess;
}
