#include "foundation/Numbers.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "particles/Particles.h"
#include "particles/SceneEdit.h"

#include <maya/MFnParticleSystem.h>

using host::Node;
namespace particles = host::particles;

namespace {

void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

Node* shapeNode(const MObject& object) {
    Node* node = host::nodeOf(object);
    return node && node->inScene && particles::isShape(*node) ? node : nullptr;
}

const host::Attribute* attributeNamed(Node& shape, const MString& name) {
    return shape.findAttribute(name.asChar());
}

bool isKind(const MObject& object, const MString& name, particles::ArrayKind kind,
            MStatus* status) {
    Node* shape = shapeNode(object);
    setStatus(status, shape ? MS::kSuccess : MS::kFailure);
    return shape && particles::perParticleKind(*shape, attributeNamed(*shape, name)) == kind;
}

template <class Array, class Read>
unsigned getValues(const MObject& object, const MString& name, Array& values, MStatus* status,
                   particles::ArrayKind kind, Read read) {
    Node* shape = shapeNode(object);
    const host::Attribute* a = shape ? attributeNamed(*shape, name) : nullptr;
    if (!shape || particles::perParticleKind(*shape, a) != kind) {
        setStatus(status, shape ? MS::kInvalidParameter : MS::kFailure);
        values.clear();
        return 0;
    }
    values = read(*shape, a);
    setStatus(status, MS::kSuccess);
    return values.length();
}

template <class Array, class Write>
void setValues(const MObject& object, const MString& name, const Array& values, MStatus* status,
               Write write) {
    Node* shape = shapeNode(object);
    const host::Attribute* a = shape ? attributeNamed(*shape, name) : nullptr;
    if (!shape) {
        setStatus(status, MS::kFailure);
        return;
    }
    setStatus(status, a && write(*shape, a, values) ? MS::kSuccess : MS::kInvalidParameter);
}

// A state array of a shape, or empty for an object that is none.
template <class Array, class Read>
Array stateArray(const MObject& object, const host::Attribute* attribute, Read read) {
    Node* shape = shapeNode(object);
    return shape ? read(*shape, attribute) : Array();
}

}  // namespace

MFnParticleSystem::MFnParticleSystem() = default;

MFnParticleSystem::MFnParticleSystem(MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnParticleSystem::MFnParticleSystem(const MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnParticleSystem::MFnParticleSystem(const MDagPath& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, setObject(object));
}

MFnParticleSystem::~MFnParticleSystem() = default;

MFn::Type MFnParticleSystem::type() const {
    return MFn::kParticle;
}
const char* MFnParticleSystem::className() const {
    return "MFnParticleSystem";
}

bool MFnParticleSystem::acceptsObject(const MObject& object) const {
    Node* node = host::nodeOf(object);
    return node && particles::isShape(*node);
}

MObject MFnParticleSystem::create(MStatus* ReturnStatus) {
    return create(MObject::kNullObj, ReturnStatus);
}

MObject MFnParticleSystem::create(MObject parent, MStatus* ReturnStatus) {
    Node* parentNode = host::nodeOf(parent);
    if (!parent.isNull() && (!parentNode || !parentNode->inScene || !parentNode->isDag())) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    // Nodes made through the API are not undoable, so the edit is dropped.
    particles::SceneEdit edit;
    Node* shape = particles::createShape(edit, "", parentNode);
    if (!shape) {
        setStatus(ReturnStatus, MS::kFailure);
        return MObject();
    }
    MObject object = host::Scene::current().object(shape);
    setStatus(ReturnStatus, attach(object));
    return object;
}

MStatus MFnParticleSystem::emit(const MPoint& worldPosition) {
    MPointArray positions;
    positions.append(worldPosition);
    return emit(positions, MVectorArray());
}

MStatus MFnParticleSystem::emit(const MPointArray& worldPositions) {
    return emit(worldPositions, MVectorArray());
}

MStatus MFnParticleSystem::emit(const MPointArray& worldPositions,
                                const MVectorArray& worldVelocities) {
    Node* shape = shapeNode(m_object);
    if (!shape)
        return MS::kFailure;
    if (worldVelocities.length() != 0 && worldVelocities.length() != worldPositions.length())
        return MS::kInvalidParameter;
    const MMatrix toShape = workingPath().inclusiveMatrixInverse();
    MVectorArray positions, velocities;
    for (unsigned k = 0; k < worldPositions.length(); ++k) {
        MPoint p = worldPositions[k] * toShape;
        positions.append(MVector(p.x, p.y, p.z));
        velocities.append(k < worldVelocities.length() ? worldVelocities[k] * toShape
                                                       : MVector::zero);
    }
    particles::addParticles(*shape, positions, velocities);
    return MS::kSuccess;
}

MStatus MFnParticleSystem::saveInitialState() const {
    Node* shape = shapeNode(m_object);
    if (!shape)
        return MS::kFailure;
    particles::saveInitialState(*shape);
    return MS::kSuccess;
}

bool MFnParticleSystem::isValid() const {
    return shapeNode(m_object) != nullptr;
}

MString MFnParticleSystem::particleName() const {
    Node* shape = shapeNode(m_object);
    return shape ? MString(shape->name().c_str()) : MString();
}

MFnParticleSystem::RenderType MFnParticleSystem::renderType() const {
    return kPoints;
}

unsigned int MFnParticleSystem::count() const {
    Node* shape = shapeNode(m_object);
    return shape ? particles::count(*shape) : 0u;
}

void MFnParticleSystem::position(MVectorArray& positions) const {
    positions = stateArray<MVectorArray>(m_object, particles::shapeAttributes().position,
                                         particles::vectors);
}

void MFnParticleSystem::velocity(MVectorArray& velocities) const {
    velocities = stateArray<MVectorArray>(m_object, particles::shapeAttributes().velocity,
                                          particles::vectors);
}

void MFnParticleSystem::acceleration(MVectorArray& accelerations) const {
    accelerations = stateArray<MVectorArray>(m_object, particles::shapeAttributes().acceleration,
                                             particles::vectors);
}

void MFnParticleSystem::mass(MDoubleArray& masses) const {
    masses =
        stateArray<MDoubleArray>(m_object, particles::shapeAttributes().mass, particles::doubles);
}

void MFnParticleSystem::particleIds(MIntArray& ids) const {
    MDoubleArray values = stateArray<MDoubleArray>(
        m_object, particles::shapeAttributes().particleId, particles::doubles);
    ids.setLength(values.length());
    for (unsigned k = 0; k < values.length(); ++k)
        ids[k] = host::foundation::truncToInt(values[k]);
}

void MFnParticleSystem::age(MDoubleArray& ages) const {
    ages = stateArray<MDoubleArray>(m_object, particles::shapeAttributes().age, particles::doubles);
}

bool MFnParticleSystem::hasLifespan() const {
    Node* shape = shapeNode(m_object);
    return shape &&
           host::valueAsLong(host::evaluate(host::PlugRef{
               shape, host::PlugPath{particles::shapeAttributes().lifespanMode, {}}})) != 0;
}

void MFnParticleSystem::lifespan(MDoubleArray& lifespans) const {
    Node* shape = shapeNode(m_object);
    lifespans = shape ? particles::lifespans(*shape) : MDoubleArray();
}

void MFnParticleSystem::position0(MVectorArray& positions) const {
    positions = stateArray<MVectorArray>(m_object, particles::shapeAttributes().position0,
                                         particles::vectors);
}

bool MFnParticleSystem::isPerParticleIntAttribute(const MString& name, MStatus* status) const {
    return isKind(m_object, name, particles::ArrayKind::Int, status);
}

bool MFnParticleSystem::isPerParticleDoubleAttribute(const MString& name, MStatus* status) const {
    return isKind(m_object, name, particles::ArrayKind::Double, status);
}

bool MFnParticleSystem::isPerParticleVectorAttribute(const MString& name, MStatus* status) const {
    return isKind(m_object, name, particles::ArrayKind::Vector, status);
}

unsigned int MFnParticleSystem::getPerParticleAttribute(MString& name, MVectorArray& values,
                                                        MStatus* status) const {
    return getValues(m_object, name, values, status, particles::ArrayKind::Vector,
                     particles::vectors);
}

unsigned int MFnParticleSystem::getPerParticleAttribute(MString& name, MDoubleArray& values,
                                                        MStatus* status) const {
    return getValues(m_object, name, values, status, particles::ArrayKind::Double,
                     particles::doubles);
}

unsigned int MFnParticleSystem::getPerParticleAttribute(MString& name, MIntArray& values,
                                                        MStatus* status) const {
    return getValues(m_object, name, values, status, particles::ArrayKind::Int, particles::ints);
}

void MFnParticleSystem::setPerParticleAttribute(MString& name, MVectorArray& values,
                                                MStatus* status) const {
    setValues(m_object, name, values, status, particles::setVectors);
}

void MFnParticleSystem::setPerParticleAttribute(MString& name, MDoubleArray& values,
                                                MStatus* status) const {
    setValues(m_object, name, values, status, particles::setDoubles);
}

void MFnParticleSystem::evaluateDynamics(MTime& to, bool runupFromStart) {
    if (Node* shape = shapeNode(m_object))
        particles::evaluateAt(*shape, to, runupFromStart);
}
