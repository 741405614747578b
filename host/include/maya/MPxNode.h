#ifndef MINIMAYA_MPXNODE_H
#define MINIMAYA_MPXNODE_H

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>

class MPlug;
class MPlugArray;
class MDataBlock;
class MDataHandle;
class MDGContext;

typedef void* (*MCreatorFunction)();
typedef MStatus (*MInitializeFunction)();

namespace host {
class Node;
struct NodeAccess;
}  // namespace host

// Base of node types defined outside the host's core.
class MPxNode {
public:
    enum Type {
        kDependNode,
        kLocatorNode,
        kDeformerNode,
        kManipContainer,
        kSurfaceShape,
        kFieldNode,
        kEmitterNode,
        kSpringNode,
        kIkSolverNode,
        kHardwareShader,
        kHwShaderNode,
        kTransformNode,
        kObjectSet,
        kFluidEmitterNode,
        kImagePlaneNode,
        kParticleAttributeMapperNode,
        kCameraSetNode,
        kConstraintNode,
        kLast
    };

    MPxNode();
    virtual ~MPxNode();
    virtual void postConstructor();
    virtual MStatus compute(const MPlug& plug, MDataBlock& dataBlock);
    virtual bool getInternalValueInContext(const MPlug& plug, MDataHandle& dataHandle,
                                           MDGContext& ctx);
    virtual bool setInternalValueInContext(const MPlug& plug, const MDataHandle& dataHandle,
                                           MDGContext& ctx);
    virtual bool getInternalValue(const MPlug& plug, MDataHandle& dataHandle);
    virtual bool setInternalValue(const MPlug& plug, const MDataHandle& dataHandle);
    virtual int internalArrayCount(const MPlug& plug, const MDGContext& ctx) const;
    virtual void copyInternalData(MPxNode* node);
    virtual MStatus legalConnection(const MPlug& plug, const MPlug& otherPlug, bool asSrc,
                                    bool& isLegal) const;
    virtual MStatus legalDisconnection(const MPlug& plug, const MPlug& otherPlug, bool asSrc,
                                       bool& isLegal) const;
    virtual MStatus setDependentsDirty(const MPlug& plug, MPlugArray& plugArray);
    virtual MStatus connectionMade(const MPlug& plug, const MPlug& otherPlug, bool asSrc);
    virtual MStatus connectionBroken(const MPlug& plug, const MPlug& otherPlug, bool asSrc);
    virtual bool isPassiveOutput(const MPlug& plug) const;
    virtual MStatus shouldSave(const MPlug& plug, bool& isSaving);
    virtual MPlug passThroughToOne(const MPlug& plug) const;
    virtual bool passThroughToMany(const MPlug& plug, MPlugArray& plugArray) const;
    virtual Type type() const;
    virtual bool isAbstractClass() const;

    MTypeId typeId() const;
    MString typeName() const;
    MString name() const;
    MObject thisMObject() const;
    MStatus setExistWithoutInConnections(bool flag);
    bool existWithoutInConnections(MStatus* ReturnStatus = nullptr) const;
    MStatus setExistWithoutOutConnections(bool flag);
    bool existWithoutOutConnections(MStatus* ReturnStatus = nullptr) const;

    static MStatus addAttribute(const MObject& attr);
    static MStatus inheritAttributesFrom(const MString& parentClassName);
    static MStatus attributeAffects(const MObject& whenChanges, const MObject& isAffected);

    static MObject message;
    static MObject isHistoricallyInteresting;
    static MObject caching;
    static MObject state;

private:
    friend struct host::NodeAccess;
    host::Node* m_node = nullptr;
    bool m_existWithoutIn = false;
    bool m_existWithoutOut = false;
};

#endif
