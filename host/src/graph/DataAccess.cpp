#include "graph/DataAccess.h"

#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MFnUnitAttribute.h>

namespace host {

void DataHandleState::store(const Value& newValue) {
    value = newValue;
    if (node) {
        node->storage(path).value = newValue;
        Scene::current().touch();
    }
}

MDataHandle DataHandleAccess::make(const Attribute& attribute, const Value& value) {
    MDataHandle handle;
    handle.m_state = std::make_shared<DataHandleState>();
    handle.m_state->attribute = &attribute;
    handle.m_state->value = value;
    return handle;
}

MDataHandle DataHandleAccess::output(Node& node, const PlugPath& path) {
    MDataHandle handle;
    handle.m_state = std::make_shared<DataHandleState>();
    handle.m_state->attribute = path.attribute;
    handle.m_state->node = &node;
    handle.m_state->path = path;
    if (const PlugValue* pv = node.stored(path))
        handle.m_state->value = pv->value;
    return handle;
}

const Value& DataHandleAccess::value(const MDataHandle& handle) {
    static const Value none;
    return handle.m_state ? handle.m_state->value : none;
}

MDataBlock DataBlockAccess::make(Node& node) {
    MDataBlock block;
    block.m_node = &node;
    return block;
}

}  // namespace host

using host::DataHandleState;
using host::Value;

// ---------------------------------------------------------------- MDataHandle

MDataHandle::MDataHandle() = default;

DataHandleState& MDataHandle::state() const {
    if (!m_state)
        m_state = std::make_shared<DataHandleState>();
    return *m_state;
}
MDataHandle::MDataHandle(const MDataHandle& other) = default;
MDataHandle& MDataHandle::operator=(const MDataHandle& other) = default;
MDataHandle::~MDataHandle() = default;

bool MDataHandle::isNumeric() const {
    return m_state && state().attribute &&
           state().attribute->kind == host::Attribute::Kind::Numeric;
}

MFnNumericData::Type MDataHandle::numericType() const {
    return isNumeric() ? state().attribute->numericType : MFnNumericData::kInvalid;
}

MFnData::Type MDataHandle::type() const {
    if (!m_state || !state().attribute)
        return MFnData::kInvalid;
    if (state().attribute->kind == host::Attribute::Kind::Typed)
        return state().attribute->dataType;
    if (isNumeric())
        return MFnData::kNumeric;
    return MFnData::kInvalid;
}

MObject MDataHandle::attribute() {
    if (!m_state || !state().attribute)
        return MObject();
    return host::toMObject(std::const_pointer_cast<host::Attribute>(
        std::static_pointer_cast<const host::Attribute>(state().attribute->shared_from_this())));
}

bool& MDataHandle::asBool() const {
    state().b = host::valueAsDouble(state().value) != 0.0;
    return state().b;
}
char& MDataHandle::asChar() const {
    state().c = static_cast<char>(host::valueAsLong(state().value));
    return state().c;
}
short& MDataHandle::asShort() const {
    state().s = static_cast<short>(host::valueAsLong(state().value));
    return state().s;
}
int& MDataHandle::asInt() const {
    state().i = static_cast<int>(host::valueAsLong(state().value));
    return state().i;
}
float& MDataHandle::asFloat() const {
    state().f = static_cast<float>(host::valueAsDouble(state().value));
    return state().f;
}
double& MDataHandle::asDouble() const {
    state().d = host::valueAsDouble(state().value);
    return state().d;
}
MDistance MDataHandle::asDistance() const {
    return MDistance(host::valueAsDouble(state().value), MDistance::kCentimeters);
}
MAngle MDataHandle::asAngle() const {
    return MAngle(host::valueAsDouble(state().value), MAngle::kRadians);
}
MTime MDataHandle::asTime() const {
    return MTime(host::valueAsDouble(state().value), MTime::kSeconds);
}
MMatrix& MDataHandle::asMatrix() const {
    state().m = MMatrix();
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&state().value))
        if (auto* md = dynamic_cast<host::MatrixData*>(d->get()))
            state().m = md->value;
    return state().m;
}
MVector& MDataHandle::asVector() const {
    state().v = MVector();
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&state().value))
        if (auto* nd = dynamic_cast<host::NumericData*>(d->get()))
            state().v = MVector(nd->values[0], nd->values[1], nd->values[2]);
    return state().v;
}
MString& MDataHandle::asString() const {
    state().str = "";
    if (auto* s = std::get_if<std::string>(&state().value))
        state().str = s->c_str();
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&state().value))
        if (auto* sd = dynamic_cast<host::StringData*>(d->get()))
            state().str = sd->value;
    return state().str;
}
MObject MDataHandle::data() {
    if (!m_state)
        return MObject();
    if (auto* d = std::get_if<std::shared_ptr<host::Data>>(&state().value))
        if (*d)
            return host::toMObject((*d)->clone());
    if (auto* s = std::get_if<std::string>(&state().value))
        return host::toMObject(std::make_shared<host::StringData>(MString(s->c_str())));
    return MObject();
}

void MDataHandle::set(bool value) {
    state().store(value);
}
void MDataHandle::set(char value) {
    state().store(static_cast<long>(value));
}
void MDataHandle::set(short value) {
    state().store(static_cast<long>(value));
}
void MDataHandle::set(int value) {
    state().store(static_cast<long>(value));
}
void MDataHandle::set(float value) {
    state().store(static_cast<double>(value));
}
void MDataHandle::set(double value) {
    state().store(value);
}
void MDataHandle::set(const MMatrix& value) {
    state().store(std::shared_ptr<host::Data>(std::make_shared<host::MatrixData>(value)));
}
void MDataHandle::set(const MDistance& value) {
    state().store(value.asCentimeters());
}
void MDataHandle::set(const MAngle& value) {
    state().store(value.asRadians());
}
void MDataHandle::set(const MTime& value) {
    state().store(value.as(MTime::kSeconds));
}
void MDataHandle::set(double x, double y, double z) {
    auto nd = std::make_shared<host::NumericData>(MFnNumericData::k3Double);
    nd->values = {{x, y, z, 0}};
    state().store(std::shared_ptr<host::Data>(nd));
}
void MDataHandle::set(const MString& value) {
    state().store(std::string(value.asChar()));
}
MStatus MDataHandle::set(const MObject& data) {
    auto d = host::ObjectAccess::sharedAs<host::Data>(data);
    if (!d)
        return MS::kInvalidParameter;
    if (auto* sd = dynamic_cast<host::StringData*>(d.get())) {
        state().store(std::string(sd->value.asChar()));
        return MS::kSuccess;
    }
    state().store(std::shared_ptr<host::Data>(d->clone()));
    return MS::kSuccess;
}
void MDataHandle::setClean() {
    if (m_state && state().node)
        state().node->markClean(state().path);
}

// ---------------------------------------------------------------- MDataBlock

MDataBlock::MDataBlock(const MDataBlock& other) = default;
MDataBlock& MDataBlock::operator=(const MDataBlock& other) = default;
MDataBlock::~MDataBlock() = default;

MDataHandle MDataBlock::inputValue(const MPlug& plug, MStatus* ReturnStatus) {
    host::PlugRef ref = host::PlugAccess::ref(plug);
    if (ReturnStatus)
        *ReturnStatus = ref.node ? MS::kSuccess : MS::kInvalidParameter;
    if (!ref.node)
        return MDataHandle();
    return host::DataHandleAccess::make(*ref.path.attribute, host::evaluate(ref));
}

MDataHandle MDataBlock::inputValue(const MObject& attribute, MStatus* ReturnStatus) {
    host::Attribute* a = host::attributeOf(attribute);
    if (!a || !m_node) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return MDataHandle();
    }
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return host::DataHandleAccess::make(
        *a, host::evaluate(host::PlugRef{m_node, host::PlugPath{a, {}}}));
}

MDataHandle MDataBlock::outputValue(const MPlug& plug, MStatus* ReturnStatus) {
    host::PlugRef ref = host::PlugAccess::ref(plug);
    if (ReturnStatus)
        *ReturnStatus = ref.node ? MS::kSuccess : MS::kInvalidParameter;
    if (!ref.node)
        return MDataHandle();
    return host::DataHandleAccess::output(*ref.node, ref.path);
}

MDataHandle MDataBlock::outputValue(const MObject& attribute, MStatus* ReturnStatus) {
    host::Attribute* a = host::attributeOf(attribute);
    if (!a || !m_node) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return MDataHandle();
    }
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return host::DataHandleAccess::output(*m_node, host::PlugPath{a, {}});
}

MStatus MDataBlock::setClean(const MPlug& plug) {
    host::PlugRef ref = host::PlugAccess::ref(plug);
    if (!ref.node)
        return MS::kInvalidParameter;
    ref.node->markClean(ref.path);
    return MS::kSuccess;
}

MStatus MDataBlock::setClean(const MObject& attribute) {
    host::Attribute* a = host::attributeOf(attribute);
    if (!a || !m_node)
        return MS::kInvalidParameter;
    m_node->markClean(host::PlugPath{a, {}});
    return MS::kSuccess;
}

bool MDataBlock::isClean(const MPlug& plug) {
    host::PlugRef ref = host::PlugAccess::ref(plug);
    return ref.node && ref.node->isClean(ref.path);
}

bool MDataBlock::isClean(const MObject& attribute) {
    host::Attribute* a = host::attributeOf(attribute);
    return a && m_node && m_node->isClean(host::PlugPath{a, {}});
}

MDGContext MDataBlock::context() {
    return MDGContext();
}
