#include "graph/Data.h"
#include "graph/attributes/AttributeSet.h"

#include <maya/MFnNumericAttribute.h>

using host::Attribute;
using host::AttributeSet;
using host::Value;

namespace {

Value numericDefault(MFnNumericData::Type type, double v) {
    switch (type) {
        case MFnNumericData::kBoolean:
            return v != 0.0;
        case MFnNumericData::kFloat:
            return static_cast<double>(static_cast<float>(v));
        case MFnNumericData::kDouble:
            return v;
        default:
            if (host::numericComponentCount(type) > 1) {
                auto nd = std::make_shared<host::NumericData>(type);
                nd->values = {{v, v, v, v}};
                return std::shared_ptr<host::Data>(nd);
            }
            return static_cast<long>(v);
    }
}

Attribute* numeric(const MObject& object) {
    Attribute* a = AttributeSet::of(object);
    return a && a->kind == Attribute::Kind::Numeric ? a : nullptr;
}

// Reads the n components of a numeric default: one leaf or the children of
// a numeric compound.
bool defaults(const MObject& object, double* out, unsigned n) {
    Attribute* a = numeric(object);
    if (!a)
        return false;
    if (!a->children.empty()) {
        if (a->children.size() < n)
            return false;
        for (unsigned i = 0; i < n; ++i)
            out[i] = host::valueAsDouble(a->children[i]->defaultValue);
        return true;
    }
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&a->defaultValue)) {
        auto* nd = dynamic_cast<host::NumericData*>(d->get());
        if (!nd || nd->count() < n)
            return false;
        for (unsigned i = 0; i < n; ++i)
            out[i] = nd->values[i];
        return true;
    }
    if (n != 1)
        return false;
    out[0] = host::valueAsDouble(a->defaultValue);
    return true;
}

MStatus setDefaults(const MObject& object, const double* in, unsigned n) {
    Attribute* a = numeric(object);
    if (!a)
        return MS::kFailure;
    if (!a->children.empty()) {
        if (a->children.size() != n)
            return MS::kInvalidParameter;
        for (unsigned i = 0; i < n; ++i)
            a->children[i]->defaultValue = numericDefault(a->children[i]->numericType, in[i]);
        return MS::kSuccess;
    }
    if (n == 1) {
        a->defaultValue = numericDefault(a->numericType, in[0]);
        return MS::kSuccess;
    }
    if (host::numericComponentCount(a->numericType) != n)
        return MS::kInvalidParameter;
    auto nd = std::make_shared<host::NumericData>(a->numericType);
    for (unsigned i = 0; i < n; ++i)
        nd->values[i] = in[i];
    a->defaultValue = std::shared_ptr<host::Data>(nd);
    return MS::kSuccess;
}

MObject compound3(MObject& target, const MString& full, const MString& brief, const char* suffixes,
                  MStatus* ReturnStatus) {
    MObject result =
        AttributeSet::create(target, Attribute::Kind::Numeric, full, brief, ReturnStatus);
    Attribute* a = AttributeSet::of(result);
    if (!a)
        return result;
    a->numericType = MFnNumericData::k3Float;
    for (int i = 0; i < 3; ++i) {
        std::string s(1, suffixes[i]);
        auto c = std::make_shared<Attribute>(Attribute::Kind::Numeric, a->longName + s,
                                             a->shortName + s);
        c->numericType = MFnNumericData::kFloat;
        c->defaultValue = 0.0;
        a->addChild(c);
    }
    return result;
}

}  // namespace

MFnNumericAttribute::MFnNumericAttribute() = default;
MFnNumericAttribute::MFnNumericAttribute(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnNumericAttribute::MFnNumericAttribute(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnNumericAttribute::type() const {
    return MFn::kNumericAttribute;
}
const char* MFnNumericAttribute::className() const {
    return "MFnNumericAttribute";
}
bool MFnNumericAttribute::acceptsObject(const MObject& object) const {
    return numeric(object) != nullptr;
}

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    MFnNumericData::Type unitType, double defaultValue,
                                    MStatus* ReturnStatus) {
    if (unitType <= MFnNumericData::kInvalid || unitType >= MFnNumericData::kLast) {
        AttributeSet::report(ReturnStatus, false);
        return MObject();
    }
    MObject result =
        AttributeSet::create(m_object, Attribute::Kind::Numeric, fullName, briefName, ReturnStatus);
    if (Attribute* a = AttributeSet::of(result)) {
        a->numericType = unitType;
        a->defaultValue = numericDefault(unitType, defaultValue);
    }
    return result;
}

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    const MObject& child1, const MObject& child2,
                                    const MObject& child3, MStatus* ReturnStatus) {
    std::vector<std::shared_ptr<Attribute>> kids;
    for (const MObject* c : {&child1, &child2, &child3}) {
        if (c->isNull())
            continue;
        auto a = host::ObjectAccess::sharedAs<Attribute>(*c);
        if (!a || a->parent || a->kind == Attribute::Kind::Compound) {
            AttributeSet::report(ReturnStatus, false);
            return MObject();
        }
        kids.push_back(a);
    }
    if (kids.size() < 2) {
        AttributeSet::report(ReturnStatus, false);
        return MObject();
    }
    MObject result =
        AttributeSet::create(m_object, Attribute::Kind::Numeric, fullName, briefName, ReturnStatus);
    Attribute* a = AttributeSet::of(result);
    if (!a)
        return result;
    // The compound's kind follows its children (double3 of doubles, ...).
    MFnNumericData::Type each =
        kids[0]->kind == Attribute::Kind::Numeric ? kids[0]->numericType : MFnNumericData::kDouble;
    bool three = kids.size() == 3;
    switch (each) {
        case MFnNumericData::kShort:
            a->numericType = three ? MFnNumericData::k3Short : MFnNumericData::k2Short;
            break;
        case MFnNumericData::kLong:
            a->numericType = three ? MFnNumericData::k3Long : MFnNumericData::k2Long;
            break;
        case MFnNumericData::kFloat:
            a->numericType = three ? MFnNumericData::k3Float : MFnNumericData::k2Float;
            break;
        default:
            a->numericType = three ? MFnNumericData::k3Double : MFnNumericData::k2Double;
            break;
    }
    for (auto& k : kids)
        a->addChild(k);
    return result;
}

MObject MFnNumericAttribute::createColor(const MString& fullName, const MString& briefName,
                                         MStatus* ReturnStatus) {
    MObject result = compound3(m_object, fullName, briefName, "RGB", ReturnStatus);
    if (Attribute* a = AttributeSet::of(result))
        a->usedAsColor = true;
    return result;
}

MObject MFnNumericAttribute::createPoint(const MString& fullName, const MString& briefName,
                                         MStatus* ReturnStatus) {
    return compound3(m_object, fullName, briefName, "XYZ", ReturnStatus);
}

MFnNumericData::Type MFnNumericAttribute::unitType(MStatus* ReturnStatus) const {
    Attribute* a = numeric(m_object);
    AttributeSet::report(ReturnStatus, a != nullptr);
    return a ? a->numericType : MFnNumericData::kInvalid;
}

MObject MFnNumericAttribute::child(unsigned int index, MStatus* ReturnStatus) const {
    Attribute* a = numeric(m_object);
    bool ok = a && index < a->children.size();
    AttributeSet::report(ReturnStatus, ok);
    return ok ? host::toMObject(a->children[index]) : MObject();
}

#define MINIMAYA_LIMIT(Has, Get, Set, field)                     \
    bool MFnNumericAttribute::Has(MStatus* ReturnStatus) const { \
        Attribute* a = numeric(m_object);                        \
        AttributeSet::report(ReturnStatus, a != nullptr);        \
        return a && a->field.has_value();                        \
    }                                                            \
    MStatus MFnNumericAttribute::Get(double& v) const {          \
        Attribute* a = numeric(m_object);                        \
        if (!a || !a->field)                                     \
            return MS::kFailure;                                 \
        v = *a->field;                                           \
        return MS::kSuccess;                                     \
    }                                                            \
    MStatus MFnNumericAttribute::Set(double v) {                 \
        Attribute* a = numeric(m_object);                        \
        if (!a)                                                  \
            return MS::kFailure;                                 \
        a->field = v;                                            \
        return MS::kSuccess;                                     \
    }
MINIMAYA_LIMIT(hasMin, getMin, setMin, minValue)
MINIMAYA_LIMIT(hasMax, getMax, setMax, maxValue)
MINIMAYA_LIMIT(hasSoftMin, getSoftMin, setSoftMin, softMinValue)
MINIMAYA_LIMIT(hasSoftMax, getSoftMax, setSoftMax, softMaxValue)
#undef MINIMAYA_LIMIT

namespace {
MStatus setChildLimits(const MObject& object, const double* v, unsigned n, bool max) {
    Attribute* a = numeric(object);
    if (!a || a->children.size() != n)
        return MS::kFailure;
    for (unsigned i = 0; i < n; ++i)
        (max ? a->children[i]->maxValue : a->children[i]->minValue) = v[i];
    return MS::kSuccess;
}
}  // namespace

MStatus MFnNumericAttribute::setMin(double a, double b) {
    double v[] = {a, b};
    return setChildLimits(m_object, v, 2, false);
}
MStatus MFnNumericAttribute::setMax(double a, double b) {
    double v[] = {a, b};
    return setChildLimits(m_object, v, 2, true);
}
MStatus MFnNumericAttribute::setMin(double a, double b, double c) {
    double v[] = {a, b, c};
    return setChildLimits(m_object, v, 3, false);
}
MStatus MFnNumericAttribute::setMax(double a, double b, double c) {
    double v[] = {a, b, c};
    return setChildLimits(m_object, v, 3, true);
}

#define MINIMAYA_DEFAULT1(T)                            \
    MStatus MFnNumericAttribute::getDefault(T& value) { \
        double v;                                       \
        if (!defaults(m_object, &v, 1))                 \
            return MS::kFailure;                        \
        value = static_cast<T>(v);                      \
        return MS::kSuccess;                            \
    }                                                   \
    MStatus MFnNumericAttribute::setDefault(T value) {  \
        double v = static_cast<double>(value);          \
        return setDefaults(m_object, &v, 1);            \
    }
MINIMAYA_DEFAULT1(char)
MINIMAYA_DEFAULT1(int)
MINIMAYA_DEFAULT1(float)
MINIMAYA_DEFAULT1(double)
#undef MINIMAYA_DEFAULT1

MStatus MFnNumericAttribute::getDefault(bool& value) {
    double v;
    if (!defaults(m_object, &v, 1))
        return MS::kFailure;
    value = v != 0.0;
    return MS::kSuccess;
}
MStatus MFnNumericAttribute::setDefault(bool value) {
    double v = value ? 1.0 : 0.0;
    return setDefaults(m_object, &v, 1);
}

#define MINIMAYA_DEFAULT2(T)                                           \
    MStatus MFnNumericAttribute::getDefault(T& a, T& b) {              \
        double v[2];                                                   \
        if (!defaults(m_object, v, 2))                                 \
            return MS::kFailure;                                       \
        a = static_cast<T>(v[0]);                                      \
        b = static_cast<T>(v[1]);                                      \
        return MS::kSuccess;                                           \
    }                                                                  \
    MStatus MFnNumericAttribute::setDefault(T a, T b) {                \
        double v[] = {static_cast<double>(a), static_cast<double>(b)}; \
        return setDefaults(m_object, v, 2);                            \
    }
MINIMAYA_DEFAULT2(int)
MINIMAYA_DEFAULT2(float)
MINIMAYA_DEFAULT2(double)
#undef MINIMAYA_DEFAULT2

#define MINIMAYA_DEFAULT3(T)                                                                   \
    MStatus MFnNumericAttribute::getDefault(T& a, T& b, T& c) {                                \
        double v[3];                                                                           \
        if (!defaults(m_object, v, 3))                                                         \
            return MS::kFailure;                                                               \
        a = static_cast<T>(v[0]);                                                              \
        b = static_cast<T>(v[1]);                                                              \
        c = static_cast<T>(v[2]);                                                              \
        return MS::kSuccess;                                                                   \
    }                                                                                          \
    MStatus MFnNumericAttribute::setDefault(T a, T b, T c) {                                   \
        double v[] = {static_cast<double>(a), static_cast<double>(b), static_cast<double>(c)}; \
        return setDefaults(m_object, v, 3);                                                    \
    }
MINIMAYA_DEFAULT3(int)
MINIMAYA_DEFAULT3(float)
MINIMAYA_DEFAULT3(double)
#undef MINIMAYA_DEFAULT3
