#include "graph/attributes/AttributeSet.h"

#include <maya/MFnAttribute.h>

namespace host {

MObject AttributeSet::create(MObject& target, Attribute::Kind kind, const MString& fullName,
                             const MString& briefName, MStatus* ReturnStatus) {
    if (fullName.length() == 0) {
        report(ReturnStatus, false);
        return MObject();
    }
    auto a = std::make_shared<Attribute>(
        kind, fullName.asChar(), briefName.length() ? briefName.asChar() : fullName.asChar());
    target = toMObject(a);
    report(ReturnStatus, true);
    return target;
}

MObject AttributeSet::objectOf(Attribute* attribute) {
    if (!attribute)
        return MObject();
    return toMObject(std::static_pointer_cast<Attribute>(attribute->shared_from_this()));
}

void AttributeSet::report(MStatus* ReturnStatus, bool ok) {
    if (ReturnStatus)
        *ReturnStatus = ok ? MS::kSuccess : MS::kFailure;
}

}  // namespace host

using host::Attribute;
using host::AttributeSet;

MFnAttribute::MFnAttribute() = default;
MFnAttribute::MFnAttribute(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnAttribute::MFnAttribute(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}

MFn::Type MFnAttribute::type() const {
    return MFn::kAttribute;
}
const char* MFnAttribute::className() const {
    return "MFnAttribute";
}
bool MFnAttribute::acceptsObject(const MObject& object) const {
    return object.hasFn(MFn::kAttribute);
}

#define MINIMAYA_FLAG(Getter, Setter, field)                 \
    bool MFnAttribute::Getter(MStatus* ReturnStatus) const { \
        Attribute* a = AttributeSet::of(m_object);           \
        AttributeSet::report(ReturnStatus, a != nullptr);    \
        return a && a->field;                                \
    }                                                        \
    MStatus MFnAttribute::Setter(bool state) {               \
        Attribute* a = AttributeSet::of(m_object);           \
        if (!a)                                              \
            return MS::kFailure;                             \
        a->field = state;                                    \
        return MS::kSuccess;                                 \
    }
MINIMAYA_FLAG(isReadable, setReadable, readable)
MINIMAYA_FLAG(isWritable, setWritable, writable)
MINIMAYA_FLAG(isConnectable, setConnectable, connectable)
MINIMAYA_FLAG(isStorable, setStorable, storable)
MINIMAYA_FLAG(isCached, setCached, cached)
MINIMAYA_FLAG(isArray, setArray, array)
MINIMAYA_FLAG(indexMatters, setIndexMatters, indexMatters)
MINIMAYA_FLAG(isKeyable, setKeyable, keyable)
MINIMAYA_FLAG(isChannelBoxFlagSet, setChannelBox, channelBox)
MINIMAYA_FLAG(isHidden, setHidden, hidden)
MINIMAYA_FLAG(isUsedAsColor, setUsedAsColor, usedAsColor)
MINIMAYA_FLAG(isIndeterminant, setIndeterminant, indeterminant)
MINIMAYA_FLAG(isRenderSource, setRenderSource, renderSource)
MINIMAYA_FLAG(isWorldSpace, setWorldSpace, worldSpace)
MINIMAYA_FLAG(isAffectsWorldSpace, setAffectsWorldSpace, affectsWorldSpace)
MINIMAYA_FLAG(usesArrayDataBuilder, setUsesArrayDataBuilder, usesArrayDataBuilder)
MINIMAYA_FLAG(internal, setInternal, internal)
#undef MINIMAYA_FLAG

bool MFnAttribute::isDynamic(MStatus* ReturnStatus) const {
    Attribute* a = AttributeSet::of(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a && a->dynamic;
}

bool MFnAttribute::isExtension(MStatus* ReturnStatus) const {
    AttributeSet::report(ReturnStatus, AttributeSet::of(m_object) != nullptr);
    return false;
}

bool MFnAttribute::accepts(MFnData::Type type, MStatus* ReturnStatus) const {
    Attribute* a = AttributeSet::of(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    if (!a)
        return false;
    if (a->kind == Attribute::Kind::Typed)
        return a->dataType == type;
    if (a->kind == Attribute::Kind::Generic)
        for (auto t : a->acceptedData)
            if (t == type)
                return true;
    return false;
}

MString MFnAttribute::name(MStatus* ReturnStatus) const {
    Attribute* a = AttributeSet::of(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a ? MString(a->longName.c_str()) : MString();
}

MString MFnAttribute::shortName(MStatus* ReturnStatus) const {
    Attribute* a = AttributeSet::of(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a ? MString(a->shortName.c_str()) : MString();
}

MObject MFnAttribute::parent(MStatus* ReturnStatus) const {
    Attribute* a = AttributeSet::of(m_object);
    bool has = a && a->parent;
    AttributeSet::report(ReturnStatus, has);
    return has ? AttributeSet::objectOf(a->parent) : MObject();
}

MFnAttribute::DisconnectBehavior MFnAttribute::disconnectBehavior(MStatus* ReturnStatus) const {
    Attribute* a = AttributeSet::of(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a ? static_cast<DisconnectBehavior>(a->disconnectBehavior) : kNothing;
}

MStatus MFnAttribute::setDisconnectBehavior(DisconnectBehavior behavior) {
    Attribute* a = AttributeSet::of(m_object);
    if (!a)
        return MS::kFailure;
    a->disconnectBehavior = behavior;
    return MS::kSuccess;
}
