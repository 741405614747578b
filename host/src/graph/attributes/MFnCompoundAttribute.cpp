#include "graph/attributes/AttributeSet.h"

#include <maya/MFnCompoundAttribute.h>

#include <algorithm>

using host::Attribute;
using host::AttributeSet;

namespace {
Attribute* compound(const MObject& object) {
    Attribute* a = AttributeSet::of(object);
    return a && a->hasFn(MFn::kCompoundAttribute) ? a : nullptr;
}
}  // namespace

MFnCompoundAttribute::MFnCompoundAttribute() = default;
MFnCompoundAttribute::MFnCompoundAttribute(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnCompoundAttribute::MFnCompoundAttribute(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnCompoundAttribute::type() const {
    return MFn::kCompoundAttribute;
}
const char* MFnCompoundAttribute::className() const {
    return "MFnCompoundAttribute";
}
bool MFnCompoundAttribute::acceptsObject(const MObject& object) const {
    return compound(object) != nullptr;
}

MObject MFnCompoundAttribute::create(const MString& fullName, const MString& briefName,
                                     MStatus* ReturnStatus) {
    return AttributeSet::create(m_object, Attribute::Kind::Compound, fullName, briefName,
                                ReturnStatus);
}

MStatus MFnCompoundAttribute::addChild(const MObject& child) {
    Attribute* a = compound(m_object);
    auto c = host::ObjectAccess::sharedAs<Attribute>(child);
    if (!a || !c || c->parent || c.get() == a)
        return MS::kInvalidParameter;
    for (const auto& existing : a->children)
        if (existing->matchesName(c->longName) || existing->matchesName(c->shortName))
            return MS::kFailure;
    a->addChild(c);
    return MS::kSuccess;
}

MStatus MFnCompoundAttribute::removeChild(const MObject& child) {
    Attribute* a = compound(m_object);
    Attribute* c = AttributeSet::of(child);
    if (!a || !c || c->parent != a)
        return MS::kInvalidParameter;
    auto& kids = a->children;
    kids.erase(std::remove_if(kids.begin(), kids.end(), [c](auto& k) { return k.get() == c; }),
               kids.end());
    c->parent = nullptr;
    return MS::kSuccess;
}

unsigned int MFnCompoundAttribute::numChildren(MStatus* ReturnStatus) const {
    Attribute* a = compound(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a ? static_cast<unsigned>(a->children.size()) : 0;
}

MObject MFnCompoundAttribute::child(unsigned int index, MStatus* ReturnStatus) const {
    Attribute* a = compound(m_object);
    bool ok = a && index < a->children.size();
    AttributeSet::report(ReturnStatus, ok);
    return ok ? host::toMObject(a->children[index]) : MObject();
}
