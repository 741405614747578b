#include "graph/Node.h"
#include "graph/NodeType.h"
#include "graph/Scene.h"

#include <maya/MDGContext.h>
#include <maya/MDataHandle.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPxNode.h>
#include <maya/MPxObjectSet.h>

MObject MPxNode::message;
MObject MPxNode::isHistoricallyInteresting;
MObject MPxNode::caching;
MObject MPxNode::state;

MPxNode::MPxNode() = default;
MPxNode::~MPxNode() = default;

void MPxNode::postConstructor() {}
MStatus MPxNode::compute(const MPlug&, MDataBlock&) {
    return MS::kUnknownParameter;
}
bool MPxNode::getInternalValueInContext(const MPlug&, MDataHandle&, MDGContext&) {
    return false;
}
bool MPxNode::setInternalValueInContext(const MPlug&, const MDataHandle&, MDGContext&) {
    return false;
}
bool MPxNode::getInternalValue(const MPlug&, MDataHandle&) {
    return false;
}
bool MPxNode::setInternalValue(const MPlug&, const MDataHandle&) {
    return false;
}
int MPxNode::internalArrayCount(const MPlug&, const MDGContext&) const {
    return -1;
}
void MPxNode::copyInternalData(MPxNode*) {}
MStatus MPxNode::legalConnection(const MPlug&, const MPlug&, bool, bool&) const {
    return MS::kUnknownParameter;
}
MStatus MPxNode::legalDisconnection(const MPlug&, const MPlug&, bool, bool&) const {
    return MS::kUnknownParameter;
}
MStatus MPxNode::setDependentsDirty(const MPlug&, MPlugArray&) {
    return MS::kSuccess;
}
MStatus MPxNode::connectionMade(const MPlug&, const MPlug&, bool) {
    return MS::kUnknownParameter;
}
MStatus MPxNode::connectionBroken(const MPlug&, const MPlug&, bool) {
    return MS::kUnknownParameter;
}
bool MPxNode::isPassiveOutput(const MPlug&) const {
    return false;
}
MStatus MPxNode::shouldSave(const MPlug&, bool&) {
    return MS::kUnknownParameter;
}
MPlug MPxNode::passThroughToOne(const MPlug&) const {
    return MPlug();
}
bool MPxNode::passThroughToMany(const MPlug&, MPlugArray&) const {
    return false;
}
MPxNode::Type MPxNode::type() const {
    return kDependNode;
}
bool MPxNode::isAbstractClass() const {
    return false;
}

MTypeId MPxNode::typeId() const {
    return m_node ? m_node->type().typeId : MTypeId();
}
MString MPxNode::typeName() const {
    return m_node ? MString(m_node->type().name.c_str()) : MString();
}
MString MPxNode::name() const {
    return m_node ? MString(m_node->name().c_str()) : MString();
}
MObject MPxNode::thisMObject() const {
    return host::Scene::current().object(m_node);
}

MStatus MPxNode::setExistWithoutInConnections(bool flag) {
    m_existWithoutIn = flag;
    return MS::kSuccess;
}
bool MPxNode::existWithoutInConnections(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return m_existWithoutIn;
}
MStatus MPxNode::setExistWithoutOutConnections(bool flag) {
    m_existWithoutOut = flag;
    return MS::kSuccess;
}
bool MPxNode::existWithoutOutConnections(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return m_existWithoutOut;
}

MStatus MPxNode::addAttribute(const MObject& attr) {
    host::NodeType* type = host::NodeTypeRegistry::instance().initializing();
    auto a = host::ObjectAccess::sharedAs<host::Attribute>(attr);
    // Attributes are added while the type's initialize function runs.
    if (!type || !a)
        return MS::kFailure;
    return type->addAttribute(a);
}

MStatus MPxNode::inheritAttributesFrom(const MString& parentClassName) {
    host::NodeType* type = host::NodeTypeRegistry::instance().initializing();
    host::NodeType* base = host::NodeTypeRegistry::instance().find(parentClassName.asChar());
    if (!type || !base || base->pluginName.empty())
        return MS::kFailure;
    for (const auto& a : base->attributes())
        if (!type->findAttribute(a->longName))
            type->addAttribute(a);
    return MS::kSuccess;
}

MStatus MPxNode::attributeAffects(const MObject& whenChanges, const MObject& isAffected) {
    host::Attribute* from = host::attributeOf(whenChanges);
    host::Attribute* to = host::attributeOf(isAffected);
    if (!from || !to)
        return MS::kInvalidParameter;
    for (host::Attribute* a : from->affects)
        if (a == to)
            return MS::kSuccess;
    from->affects.push_back(to);
    to->computed = true;
    for (auto& c : to->children)
        c->computed = true;
    return MS::kSuccess;
}

// ---------------------------------------------------------------- MPxObjectSet

MObject MPxObjectSet::dagSetMembers;
MObject MPxObjectSet::dnSetMembers;
MObject MPxObjectSet::memberWireframeColor;
MObject MPxObjectSet::annotation;
MObject MPxObjectSet::isLayer;
MObject MPxObjectSet::verticesOnlySet;
MObject MPxObjectSet::edgesOnlySet;
MObject MPxObjectSet::facetsOnlySet;
MObject MPxObjectSet::editPointsOnlySet;
MObject MPxObjectSet::renderableOnlySet;
MObject MPxObjectSet::partition;
MObject MPxObjectSet::groupNodes;
MObject MPxObjectSet::usedByNodes;

MPxObjectSet::MPxObjectSet() = default;
MPxObjectSet::~MPxObjectSet() = default;
MPxNode::Type MPxObjectSet::type() const {
    return kObjectSet;
}
bool MPxObjectSet::canBeDeleted(bool) {
    return true;
}

// ---------------------------------------------------------------- MDGContext

MDGContext MDGContext::fsNormal;

MDGContext::MDGContext() = default;
MDGContext::MDGContext(const MTime& when) : m_normal(false), m_time(when) {}
MDGContext::MDGContext(const MDGContext& other) = default;
MDGContext& MDGContext::operator=(const MDGContext& other) = default;
MDGContext::~MDGContext() = default;
bool MDGContext::isNormal(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return m_normal;
}
MStatus MDGContext::getTime(MTime& outTime) const {
    if (m_normal)
        return MS::kFailure;
    outTime = m_time;
    return MS::kSuccess;
}
