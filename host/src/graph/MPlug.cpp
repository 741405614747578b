// MPlug and MPlugArray over the graph's plug references (PlugRef: a node and
// a path of attribute and element indices).
//
// Map, top to bottom:
// - PlugAccess, the host's own way between MPlug and PlugRef;
// - helpers the readers and writers share: the status out-parameter, the
//   numeric test, one number reader and one number writer (which rounds a
//   number to what the attribute keeps), and the plug name texts, so that
//   the many typed overloads below stay short;
// - basics: construction, attribute, node, names;
// - reading: getValue per type;
// - writing: setValue per type, all through host::assign;
// - as...: the asDouble-style shorthands over getValue;
// - structure: flags (keyable, locked...), isFreeToChange, elements,
//   children, parents, connections and the comparison operators;
// - MPlugArray.
#include "graph/Data.h"
#include "graph/DataAccess.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "plugin/FaultInjection.h"

#include <maya/MIntArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>

#include <sstream>

using host::Attribute;
using host::Node;
using host::PlugPath;
using host::PlugRef;
using host::Value;

namespace host {

MPlug PlugAccess::make(Node* node, const PlugPath& path) {
    MPlug plug;
    if (!node || !path.attribute)
        return plug;
    plug.m_node = Scene::current().object(node);
    plug.m_attribute =
        toMObject(std::static_pointer_cast<Attribute>(path.attribute->shared_from_this()));
    plug.m_indices = path.indices;
    return plug;
}

PlugRef PlugAccess::ref(const MPlug& plug) {
    return PlugRef{nodeOf(plug.m_node), PlugPath{attributeOf(plug.m_attribute), plug.m_indices}};
}

Node* PlugAccess::node(const MPlug& plug) {
    return nodeOf(plug.m_node);
}
Attribute* PlugAccess::attribute(const MPlug& plug) {
    return attributeOf(plug.m_attribute);
}

}  // namespace host

namespace {

MStatus fail(MStatus* s, MS::MStatusCode code = MS::kFailure) {
    if (s)
        *s = code;
    return code;
}
void ok(MStatus* s) {
    if (s)
        *s = MS::kSuccess;
}

bool resolvedLeaf(const PlugRef& r) {
    return r.node && r.path.attribute && host::isResolved(r.path) && r.path.attribute->isLeaf();
}

bool isNumericLike(const Attribute& a) {
    switch (a.kind) {
        case Attribute::Kind::Numeric:
            return a.isLeaf();
        case Attribute::Kind::Unit:
        case Attribute::Kind::Enum:
            return true;
        default:
            return false;
    }
}

// A read a test has armed to fail (host::faults).
bool readRefused(const MPlug& plug) {
    MStatus status;
    return host::faults::armedFor("MPlug::getValue") &&
           host::faults::fire("MPlug::getValue", plug.name().asChar(), status);
}

// Reads a number from a resolved numeric, unit or enum plug.
bool readNumber(const MPlug& plug, double& out) {
    if (readRefused(plug))
        return false;
    PlugRef r = host::PlugAccess::ref(plug);
    if (!resolvedLeaf(r) || !isNumericLike(*r.path.attribute))
        return false;
    Value v = host::evaluate(r);
    if (std::holds_alternative<std::string>(v) ||
        std::holds_alternative<std::shared_ptr<host::Data>>(v))
        return false;
    out = host::valueAsDouble(v);
    return true;
}

MStatus writeValue(const MPlug& plug, const Value& v) {
    PlugRef r = host::PlugAccess::ref(plug);
    if (!r.node || !r.path.attribute || !host::isResolved(r.path))
        return MS::kInvalidParameter;
    return host::assign(r, v);
}

Value numberFor(const Attribute& a, double v) {
    if (a.kind == Attribute::Kind::Numeric) {
        switch (a.numericType) {
            case MFnNumericData::kBoolean:
                return v != 0.0;
            case MFnNumericData::kFloat:
                return static_cast<double>(static_cast<float>(v));
            case MFnNumericData::kDouble:
                return v;
            default:
                return static_cast<long>(v);
        }
    }
    if (a.kind == Attribute::Kind::Enum)
        return static_cast<long>(v);
    return v;
}

MStatus writeNumber(const MPlug& plug, double v) {
    PlugRef r = host::PlugAccess::ref(plug);
    if (!r.node || !r.path.attribute)
        return MS::kInvalidParameter;
    if (!isNumericLike(*r.path.attribute))
        return MS::kInvalidParameter;
    return writeValue(plug, numberFor(*r.path.attribute, v));
}

std::string plugText(const PlugRef& r, bool withNode, bool longNames, bool fullPath,
                     bool nonMandatoryIndices) {
    std::vector<const Attribute*> chain;
    for (const Attribute* a = r.path.attribute; a; a = a->parent)
        chain.insert(chain.begin(), a);
    std::string text;
    size_t next = 0;
    for (size_t i = 0; i < chain.size(); ++i) {
        const Attribute* a = chain[i];
        std::string index;
        if (a->array && next < r.path.indices.size()) {
            unsigned idx = r.path.indices[next++];
            if (!a->worldSpace || nonMandatoryIndices)
                index = "[" + std::to_string(idx) + "]";
        }
        bool last = i + 1 == chain.size();
        if (!fullPath && !last && index.empty())
            continue;
        if (!text.empty())
            text += ".";
        text += (longNames || a->shortName.empty()) ? a->longName : a->shortName;
        text += index;
    }
    if (withNode)
        text = (r.node ? r.node->name() : std::string()) + "." + text;
    return text;
}

}  // namespace

// ---------------------------------------------------------------- basics

MPlug::MPlug() = default;
MPlug::MPlug(const MPlug& other) = default;
MPlug::~MPlug() = default;
MPlug& MPlug::operator=(const MPlug& other) = default;

MPlug::MPlug(const MObject& node, const MObject& attribute) {
    Node* n = host::nodeOf(node);
    Attribute* a = host::attributeOf(attribute);
    if (!n || !a)
        return;
    m_node = node;
    m_attribute = attribute;
}

MStatus MPlug::setAttribute(MObject& attribute) {
    if (!host::attributeOf(attribute))
        return MS::kInvalidParameter;
    m_attribute = attribute;
    m_indices.clear();
    return MS::kSuccess;
}

MObject MPlug::attribute(MStatus* ReturnStatus) const {
    if (isNull())
        fail(ReturnStatus);
    else
        ok(ReturnStatus);
    return m_attribute;
}

MObject MPlug::node(MStatus* ReturnStatus) const {
    if (isNull())
        fail(ReturnStatus);
    else
        ok(ReturnStatus);
    return m_node;
}

MString MPlug::name(MStatus* ReturnStatus) const {
    if (isNull()) {
        fail(ReturnStatus);
        return MString();
    }
    ok(ReturnStatus);
    return plugText(host::PlugAccess::ref(*this), true, true, false, false).c_str();
}

MString MPlug::partialName(bool includeNodeName, bool includeNonMandatoryIndices, bool, bool,
                           bool useFullAttributePath, bool useLongNames,
                           MStatus* ReturnStatus) const {
    if (isNull()) {
        fail(ReturnStatus);
        return MString();
    }
    ok(ReturnStatus);
    return plugText(host::PlugAccess::ref(*this), includeNodeName, useLongNames,
                    useFullAttributePath, includeNonMandatoryIndices)
        .c_str();
}

MString MPlug::info(MStatus* ReturnStatus) const {
    if (isNull()) {
        fail(ReturnStatus);
        return MString();
    }
    ok(ReturnStatus);
    return plugText(host::PlugAccess::ref(*this), true, true, true, true).c_str();
}

// ---------------------------------------------------------------- reading

MStatus MPlug::getValue(double& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = v;
    return MS::kSuccess;
}
MStatus MPlug::getValue(float& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = static_cast<float>(v);
    return MS::kSuccess;
}
MStatus MPlug::getValue(int& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = static_cast<int>(v);
    return MS::kSuccess;
}
MStatus MPlug::getValue(short& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = static_cast<short>(v);
    return MS::kSuccess;
}
MStatus MPlug::getValue(bool& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = v != 0.0;
    return MS::kSuccess;
}
MStatus MPlug::getValue(char& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = static_cast<char>(v);
    return MS::kSuccess;
}
MStatus MPlug::getValue(MDistance& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = MDistance(v, MDistance::kCentimeters);
    return MS::kSuccess;
}
MStatus MPlug::getValue(MAngle& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = MAngle(v, MAngle::kRadians);
    return MS::kSuccess;
}
MStatus MPlug::getValue(MTime& value, MDGContext&) const {
    double v;
    if (!readNumber(*this, v))
        return MS::kFailure;
    value = MTime(v, MTime::kSeconds);
    return MS::kSuccess;
}

MStatus MPlug::getValue(MString& value, MDGContext&) const {
    if (readRefused(*this))
        return MS::kFailure;
    PlugRef r = host::PlugAccess::ref(*this);
    if (!resolvedLeaf(r))
        return MS::kFailure;
    Value v = host::evaluate(r);
    if (auto* s = std::get_if<std::string>(&v)) {
        value = s->c_str();
        return MS::kSuccess;
    }
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&v))
        if (auto* sd = dynamic_cast<host::StringData*>(d->get())) {
            value = sd->value;
            return MS::kSuccess;
        }
    if (r.path.attribute->kind == Attribute::Kind::Typed &&
        r.path.attribute->dataType == MFnData::kString &&
        std::holds_alternative<std::monostate>(v)) {
        value = "";
        return MS::kSuccess;
    }
    return MS::kFailure;
}

MStatus MPlug::getValue(MObject& value, MDGContext&) const {
    if (readRefused(*this))
        return MS::kFailure;
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node || !r.path.attribute || !host::isResolved(r.path))
        return MS::kFailure;
    const Attribute& a = *r.path.attribute;
    if (a.kind == Attribute::Kind::Numeric && !a.children.empty()) {
        auto nd = std::make_shared<host::NumericData>(a.numericType);
        for (size_t i = 0; i < a.children.size() && i < 4; ++i) {
            PlugRef c = r;
            c.path.attribute = a.children[i].get();
            nd->values[i] = host::valueAsDouble(host::evaluate(c));
        }
        value = host::toMObject(nd);
        return MS::kSuccess;
    }
    if (!a.isLeaf() || a.kind == Attribute::Kind::Message)
        return MS::kFailure;
    Value v = host::evaluate(r);
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&v)) {
        value = *d ? host::toMObject(*d) : MObject();
        return MS::kSuccess;
    }
    if (auto* s = std::get_if<std::string>(&v)) {
        value = host::toMObject(std::make_shared<host::StringData>(MString(s->c_str())));
        return MS::kSuccess;
    }
    if (std::holds_alternative<std::monostate>(v)) {
        if (a.kind == Attribute::Kind::Typed) {
            auto d = host::makeData(a.dataType);
            value = d ? host::toMObject(d) : MObject();
            return MS::kSuccess;
        }
        if (a.kind == Attribute::Kind::Matrix) {
            value = host::toMObject(std::make_shared<host::MatrixData>());
            return MS::kSuccess;
        }
        if (a.kind == Attribute::Kind::Generic) {
            value = MObject();
            return MS::kSuccess;
        }
    }
    return MS::kFailure;
}

MStatus MPlug::getValue(MDataHandle& value, MDGContext&) const {
    PlugRef r = host::PlugAccess::ref(*this);
    if (!resolvedLeaf(r))
        return MS::kFailure;
    value = host::DataHandleAccess::make(*r.path.attribute, host::evaluate(r));
    return MS::kSuccess;
}

// ---------------------------------------------------------------- writing

MStatus MPlug::setValue(double value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(float value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(int value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(short value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(bool value) {
    return writeNumber(*this, value ? 1.0 : 0.0);
}
MStatus MPlug::setValue(char value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(MDistance& value) {
    return writeNumber(*this, value.asCentimeters());
}
MStatus MPlug::setValue(MAngle& value) {
    return writeNumber(*this, value.asRadians());
}
MStatus MPlug::setValue(MTime& value) {
    return writeNumber(*this, value.as(MTime::kSeconds));
}

MStatus MPlug::setValue(MString& value) {
    PlugRef r = host::PlugAccess::ref(*this);
    if (!resolvedLeaf(r))
        return MS::kInvalidParameter;
    const Attribute& a = *r.path.attribute;
    if (a.kind != Attribute::Kind::Typed || a.dataType != MFnData::kString)
        return MS::kInvalidParameter;
    return writeValue(*this, std::string(value.asChar()));
}

MStatus MPlug::setValue(const char* value) {
    MString text(value ? value : "");
    return setValue(text);
}

MStatus MPlug::setValue(MObject& value) {
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node || !r.path.attribute || !host::isResolved(r.path))
        return MS::kInvalidParameter;
    const Attribute& a = *r.path.attribute;
    auto data = host::ObjectAccess::sharedAs<host::Data>(value);
    if (a.kind == Attribute::Kind::Numeric && !a.children.empty()) {
        auto* nd = dynamic_cast<host::NumericData*>(data.get());
        if (!nd || nd->count() != a.children.size())
            return MS::kInvalidParameter;
        for (size_t i = 0; i < a.children.size(); ++i) {
            MPlug c = child(static_cast<unsigned>(i));
            MStatus s = writeNumber(c, nd->values[i]);
            if (!s)
                return s;
        }
        return MS::kSuccess;
    }
    if (!a.isLeaf())
        return MS::kInvalidParameter;
    switch (a.kind) {
        case Attribute::Kind::Typed:
            if (value.isNull())
                return writeValue(*this, Value{});
            if (!data)
                return MS::kInvalidParameter;
            if (a.dataType == MFnData::kString) {
                auto* sd = dynamic_cast<host::StringData*>(data.get());
                if (!sd)
                    return MS::kInvalidParameter;
                return writeValue(*this, std::string(sd->value.asChar()));
            }
            if (a.dataType != MFnData::kInvalid && data->dataType() != a.dataType)
                return MS::kInvalidParameter;
            return writeValue(*this, std::shared_ptr<host::Data>(data->clone()));
        case Attribute::Kind::Matrix:
            if (!dynamic_cast<host::MatrixData*>(data.get()))
                return MS::kInvalidParameter;
            return writeValue(*this, std::shared_ptr<host::Data>(data->clone()));
        case Attribute::Kind::Generic:
            if (!data)
                return writeValue(*this, Value{});
            return writeValue(*this, std::shared_ptr<host::Data>(data->clone()));
        default:
            return MS::kInvalidParameter;
    }
}

MStatus MPlug::setValue(MDataHandle& value) {
    PlugRef r = host::PlugAccess::ref(*this);
    if (!resolvedLeaf(r))
        return MS::kInvalidParameter;
    return writeValue(*this, host::DataHandleAccess::value(value));
}

// ---------------------------------------------------------------- as...

#define MINIMAYA_AS(Type, Name)                                      \
    Type MPlug::Name(MDGContext& ctx, MStatus* ReturnStatus) const { \
        Type v{};                                                    \
        MStatus s = getValue(v, ctx);                                \
        if (ReturnStatus)                                            \
            *ReturnStatus = s;                                       \
        return v;                                                    \
    }
MINIMAYA_AS(bool, asBool)
MINIMAYA_AS(char, asChar)
MINIMAYA_AS(short, asShort)
MINIMAYA_AS(int, asInt)
MINIMAYA_AS(float, asFloat)
MINIMAYA_AS(double, asDouble)
MINIMAYA_AS(MDistance, asMDistance)
MINIMAYA_AS(MAngle, asMAngle)
MINIMAYA_AS(MTime, asMTime)
MINIMAYA_AS(MString, asString)
#undef MINIMAYA_AS

// ---------------------------------------------------------------- structure

bool MPlug::isNull(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return m_node.isNull() || m_attribute.isNull();
}

bool MPlug::isNetworked(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return isConnected();
}

bool MPlug::isArray(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    const Attribute* a = host::attributeOf(m_attribute);
    return a && a->array && m_indices.size() < a->arrayChain().size();
}

bool MPlug::isElement(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    const Attribute* a = host::attributeOf(m_attribute);
    return a && a->array && m_indices.size() == a->arrayChain().size();
}

bool MPlug::isCompound(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    const Attribute* a = host::attributeOf(m_attribute);
    return a && a->isCompound() && !isArray();
}

bool MPlug::isChild(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    const Attribute* a = host::attributeOf(m_attribute);
    return a && a->parent;
}

bool MPlug::isProcedural(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return false;
}

bool MPlug::isDynamic(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    const Attribute* a = host::attributeOf(m_attribute);
    return a && a->dynamic;
}

bool MPlug::isFromReferencedFile(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return false;
}

bool MPlug::isConnected(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node)
        return false;
    return r.node->inputs.count(r.path) || r.node->outputs.count(r.path);
}

bool MPlug::isKeyable(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node)
        return false;
    if (r.node->keyablePlugs.count(r.path))
        return true;
    if (r.node->nonKeyablePlugs.count(r.path))
        return false;
    return r.path.attribute->keyable;
}

MStatus MPlug::setKeyable(bool keyable) {
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node)
        return MS::kFailure;
    r.node->keyablePlugs.erase(r.path);
    r.node->nonKeyablePlugs.erase(r.path);
    if (keyable != r.path.attribute->keyable)
        (keyable ? r.node->keyablePlugs : r.node->nonKeyablePlugs).insert(r.path);
    host::Scene::current().touch();
    return MS::kSuccess;
}

bool MPlug::isLocked(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    PlugRef r = host::PlugAccess::ref(*this);
    return r.node && r.node->lockedPlugs.count(r.path);
}

MStatus MPlug::setLocked(bool locked) {
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node)
        return MS::kFailure;
    if (locked)
        r.node->lockedPlugs.insert(r.path);
    else
        r.node->lockedPlugs.erase(r.path);
    host::Scene::current().touch();
    return MS::kSuccess;
}

bool MPlug::isChannelBoxFlagSet(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    const Attribute* a = host::attributeOf(m_attribute);
    return a && a->channelBox;
}

MStatus MPlug::setChannelBox(bool) {
    return isNull() ? MS::kFailure : MS::kSuccess;
}

bool MPlug::isCachingFlagSet(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    const Attribute* a = host::attributeOf(m_attribute);
    return a && a->cached;
}

MStatus MPlug::setCaching(bool) {
    return isNull() ? MS::kFailure : MS::kSuccess;
}

MPlug::FreeToChangeState MPlug::isFreeToChange(bool checkParents, bool checkChildren,
                                               MStatus* ReturnStatus) const {
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node) {
        fail(ReturnStatus);
        return kNotFreeToChange;
    }
    ok(ReturnStatus);
    auto blocked = [&](const PlugPath& p) {
        return r.node->lockedPlugs.count(p) || r.node->inputs.count(p);
    };
    if (r.node->locked || blocked(r.path))
        return kNotFreeToChange;
    if (checkParents) {
        PlugPath p = r.path;
        while (p.attribute->parent) {
            if (p.attribute->array && !p.indices.empty())
                p.indices.pop_back();
            p.attribute = p.attribute->parent;
            if (blocked(p))
                return kNotFreeToChange;
        }
    }
    if (checkChildren) {
        for (const auto& locked : r.node->lockedPlugs)
            for (const Attribute* a = locked.attribute->parent; a; a = a->parent)
                if (a == r.path.attribute)
                    return kChildrenNotFreeToChange;
        for (const auto& in : r.node->inputs)
            for (const Attribute* a = in.first.attribute->parent; a; a = a->parent)
                if (a == r.path.attribute)
                    return kChildrenNotFreeToChange;
    }
    return kFreeToChange;
}

unsigned int MPlug::logicalIndex(MStatus* ReturnStatus) const {
    if (!isElement()) {
        fail(ReturnStatus);
        return 0;
    }
    ok(ReturnStatus);
    return m_indices.back();
}

MStatus MPlug::selectAncestorLogicalIndex(unsigned int index, const MObject& attribute) {
    const Attribute* a = host::attributeOf(m_attribute);
    if (!a)
        return MS::kFailure;
    const Attribute* target = attribute.isNull() ? a : host::attributeOf(attribute);
    auto chain = a->arrayChain();
    for (size_t i = 0; i < chain.size(); ++i) {
        if (chain[i] != target)
            continue;
        if (m_indices.size() <= i)
            m_indices.resize(i + 1, 0);
        m_indices[i] = index;
        return MS::kSuccess;
    }
    return MS::kInvalidParameter;
}

unsigned int MPlug::getExistingArrayAttributeIndices(MIntArray& indices, MStatus* ReturnStatus) {
    indices.clear();
    if (!isArray()) {
        fail(ReturnStatus);
        return 0;
    }
    ok(ReturnStatus);
    PlugRef r = host::PlugAccess::ref(*this);
    for (unsigned i : r.node->elementIndices(r.path))
        indices.append(static_cast<int>(i));
    return indices.length();
}

unsigned int MPlug::numElements(MStatus* ReturnStatus) const {
    if (!isArray()) {
        fail(ReturnStatus);
        return 0;
    }
    ok(ReturnStatus);
    PlugRef r = host::PlugAccess::ref(*this);
    return static_cast<unsigned>(r.node->elementIndices(r.path).size());
}

unsigned int MPlug::evaluateNumElements(MStatus* ReturnStatus) {
    return numElements(ReturnStatus);
}

unsigned int MPlug::numChildren(MStatus* ReturnStatus) const {
    const Attribute* a = host::attributeOf(m_attribute);
    if (!a || !a->isCompound()) {
        fail(ReturnStatus);
        return 0;
    }
    ok(ReturnStatus);
    return static_cast<unsigned>(a->children.size());
}

unsigned int MPlug::numConnectedElements(MStatus* ReturnStatus) const {
    if (!isArray()) {
        fail(ReturnStatus);
        return 0;
    }
    ok(ReturnStatus);
    unsigned count = 0;
    for (unsigned i = 0; i < numElements(); ++i)
        if (elementByPhysicalIndex(i).isConnected())
            ++count;
    return count;
}

unsigned int MPlug::numConnectedChildren(MStatus* ReturnStatus) const {
    unsigned n = numChildren(ReturnStatus);
    unsigned count = 0;
    for (unsigned i = 0; i < n; ++i)
        if (child(i).isConnected())
            ++count;
    return count;
}

MPlug MPlug::child(MObject& attribute, MStatus* ReturnStatus) const {
    const Attribute* a = host::attributeOf(m_attribute);
    const Attribute* c = host::attributeOf(attribute);
    if (!a || !c || c->parent != a || isArray()) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    ok(ReturnStatus);
    MPlug p = *this;
    p.m_attribute = attribute;
    return p;
}

MPlug MPlug::child(unsigned int index, MStatus* ReturnStatus) const {
    const Attribute* a = host::attributeOf(m_attribute);
    if (!a || index >= a->children.size() || isArray()) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    ok(ReturnStatus);
    MPlug p = *this;
    p.m_attribute = host::toMObject(a->children[index]);
    return p;
}

MPlug MPlug::parent(MStatus* ReturnStatus) const {
    const Attribute* a = host::attributeOf(m_attribute);
    if (!a || !a->parent) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    ok(ReturnStatus);
    MPlug p = *this;
    Attribute* parentAttr = a->parent;
    p.m_attribute =
        host::toMObject(std::static_pointer_cast<Attribute>(parentAttr->shared_from_this()));
    p.m_indices.resize(std::min(p.m_indices.size(), parentAttr->arrayChain().size()));
    return p;
}

MPlug MPlug::array(MStatus* ReturnStatus) const {
    if (!isElement()) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    ok(ReturnStatus);
    MPlug p = *this;
    p.m_indices.pop_back();
    return p;
}

MPlug MPlug::elementByLogicalIndex(unsigned int logicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    ok(ReturnStatus);
    MPlug p = *this;
    p.m_indices.push_back(logicalIndex);
    return p;
}

MPlug MPlug::elementByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    PlugRef r = host::PlugAccess::ref(*this);
    auto existing = r.node->elementIndices(r.path);
    if (physicalIndex >= existing.size()) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    ok(ReturnStatus);
    MPlug p = *this;
    p.m_indices.push_back(existing[physicalIndex]);
    return p;
}

MPlug MPlug::connectionByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) {
        fail(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    unsigned seen = 0;
    for (unsigned i = 0; i < numElements(); ++i) {
        MPlug e = elementByPhysicalIndex(i);
        if (!e.isConnected())
            continue;
        if (seen++ == physicalIndex) {
            ok(ReturnStatus);
            return e;
        }
    }
    fail(ReturnStatus, MS::kInvalidParameter);
    return MPlug();
}

bool MPlug::connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus) const {
    array.clear();
    PlugRef r = host::PlugAccess::ref(*this);
    if (!r.node) {
        fail(ReturnStatus);
        return false;
    }
    ok(ReturnStatus);
    if (asDst) {
        auto it = r.node->inputs.find(r.path);
        if (it != r.node->inputs.end())
            array.append(host::PlugAccess::make(it->second));
    }
    if (asSrc) {
        auto it = r.node->outputs.find(r.path);
        if (it != r.node->outputs.end())
            for (const auto& d : it->second)
                array.append(host::PlugAccess::make(d));
    }
    return array.length() > 0;
}

MPlug MPlug::operator[](MObject& attribute) const {
    return child(attribute);
}
MPlug MPlug::operator[](unsigned int logicalIndex) const {
    return elementByLogicalIndex(logicalIndex);
}

bool MPlug::operator==(const MPlug& other) const {
    return m_node == other.m_node && m_attribute == other.m_attribute &&
           m_indices == other.m_indices;
}
bool MPlug::operator==(const MObject& attribute) const {
    return m_attribute == attribute;
}
bool MPlug::operator!=(const MPlug& other) const {
    return !(*this == other);
}
bool MPlug::operator!=(const MObject& attribute) const {
    return !(*this == attribute);
}
bool MPlug::operator!() const {
    return isNull();
}
MPlug::operator MObject() const {
    return m_attribute;
}

// ---------------------------------------------------------------- MPlugArray

MPlugArray::MPlugArray() = default;
MPlugArray::MPlugArray(const MPlugArray& other) = default;
MPlugArray::MPlugArray(unsigned int initialSize, const MPlug& initialValue)
    : m_plugs(initialSize, initialValue) {}
MPlugArray::~MPlugArray() = default;
MPlugArray& MPlugArray::operator=(const MPlugArray& other) = default;
const MPlug& MPlugArray::operator[](unsigned int index) const {
    return m_plugs[index];
}
MPlug& MPlugArray::operator[](unsigned int index) {
    return m_plugs[index];
}
MStatus MPlugArray::set(const MPlug& element, unsigned int index) {
    if (index >= m_plugs.size())
        return MS::kInvalidParameter;
    m_plugs[index] = element;
    return MS::kSuccess;
}
MStatus MPlugArray::setLength(unsigned int length) {
    m_plugs.resize(length);
    return MS::kSuccess;
}
unsigned int MPlugArray::length() const {
    return static_cast<unsigned>(m_plugs.size());
}
MStatus MPlugArray::remove(unsigned int index) {
    if (index >= m_plugs.size())
        return MS::kInvalidParameter;
    m_plugs.erase(m_plugs.begin() + index);
    return MS::kSuccess;
}
MStatus MPlugArray::insert(const MPlug& element, unsigned int index) {
    if (index > m_plugs.size())
        return MS::kInvalidParameter;
    m_plugs.insert(m_plugs.begin() + index, element);
    return MS::kSuccess;
}
MStatus MPlugArray::append(const MPlug& element) {
    m_plugs.push_back(element);
    return MS::kSuccess;
}
MStatus MPlugArray::clear() {
    m_plugs.clear();
    return MS::kSuccess;
}
void MPlugArray::setSizeIncrement(unsigned int) {}
unsigned int MPlugArray::sizeIncrement() const {
    return 1;
}
