#include "graph/Attribute.h"

namespace host {

Attribute::Attribute(Kind k, std::string ln, std::string sn)
    : kind(k), longName(std::move(ln)), shortName(std::move(sn)) {}

MFn::Type Attribute::apiType() const {
    switch (kind) {
        case Kind::Numeric:
            return MFn::kNumericAttribute;
        case Kind::Unit:
            switch (unitType) {
                case MFnUnitAttribute::kAngle:
                    return MFn::kDoubleAngleAttribute;
                case MFnUnitAttribute::kDistance:
                    return MFn::kDoubleLinearAttribute;
                case MFnUnitAttribute::kTime:
                    return MFn::kTimeAttribute;
                default:
                    return MFn::kUnitAttribute;
            }
        case Kind::Enum:
            return MFn::kEnumAttribute;
        case Kind::Typed:
            return MFn::kTypedAttribute;
        case Kind::Compound:
            return MFn::kCompoundAttribute;
        case Kind::Message:
            return MFn::kMessageAttribute;
        case Kind::Generic:
            return MFn::kGenericAttribute;
        case Kind::Matrix:
            return floatMatrix ? MFn::kFloatMatrixAttribute : MFn::kMatrixAttribute;
    }
    return MFn::kAttribute;
}

bool Attribute::hasFn(MFn::Type type) const {
    if (type == MFn::kAttribute || Object::hasFn(type))
        return true;
    switch (kind) {
        case Kind::Unit:
            return type == MFn::kUnitAttribute;
        // A numeric compound (double3 ...) is also reachable as a compound.
        case Kind::Numeric:
            return type == MFn::kCompoundAttribute && !children.empty();
        default:
            return false;
    }
}

const Attribute* Attribute::root() const {
    const Attribute* a = this;
    while (a->parent)
        a = a->parent;
    return a;
}

std::vector<const Attribute*> Attribute::arrayChain() const {
    std::vector<const Attribute*> chain;
    for (const Attribute* a = this; a; a = a->parent)
        if (a->array)
            chain.insert(chain.begin(), a);
    return chain;
}

int Attribute::childIndex(const Attribute* child) const {
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i].get() == child)
            return static_cast<int>(i);
    return -1;
}

Attribute* Attribute::find(const std::string& name) {
    if (matchesName(name))
        return this;
    for (auto& c : children)
        if (Attribute* found = c->find(name))
            return found;
    return nullptr;
}

void Attribute::addChild(const std::shared_ptr<Attribute>& child) {
    child->parent = this;
    children.push_back(child);
}

}  // namespace host
