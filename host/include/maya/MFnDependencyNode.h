#ifndef MINIMAYA_MFNDEPENDENCYNODE_H
#define MINIMAYA_MFNDEPENDENCYNODE_H

#include <maya/MFnBase.h>
#include <maya/MPlug.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MTypeId.h>

class MPlugArray;
class MObjectArray;
class MPxNode;

class MFnDependencyNode : public MFnBase {
public:
    enum MObjectColor { kUseDefaultColor = -1 };
    enum MAttrClass { kLocalDynamicAttr = 1, kNormalAttr, kExtensionAttr, kInvalidAttr };

    MFnDependencyNode();
    explicit MFnDependencyNode(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnDependencyNode(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MObject create(const MTypeId& typeId, MStatus* ReturnStatus = nullptr);
    MObject create(const MTypeId& typeId, const MString& name, MStatus* ReturnStatus = nullptr);
    MObject create(const MString& type, MStatus* ReturnStatus = nullptr);
    MObject create(const MString& type, const MString& name, MStatus* ReturnStatus = nullptr);

    MTypeId typeId(MStatus* ReturnStatus = nullptr) const;
    MString typeName(MStatus* ReturnStatus = nullptr) const;
    MString name(MStatus* ReturnStatus = nullptr) const;
    MString pluginName(MStatus* ReturnStatus = nullptr) const;
    MString setName(const MString& name, MStatus* ReturnStatus = nullptr);
    bool isShared(MStatus* ReturnStatus = nullptr) const;
    bool isDefaultNode(MStatus* ReturnStatus = nullptr) const;
    bool isFromReferencedFile(MStatus* ReturnStatus = nullptr) const;
    bool isLocked(MStatus* ReturnStatus = nullptr) const;
    MStatus setLocked(bool locked);
    bool hasUniqueName(MStatus* ReturnStatus = nullptr) const;

    unsigned int attributeCount(MStatus* ReturnStatus = nullptr) const;
    MObject attribute(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MObject attribute(const MString& attrName, MStatus* ReturnStatus = nullptr) const;
    MObject reorderedAttribute(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    bool hasAttribute(const MString& name, MStatus* ReturnStatus = nullptr) const;
    MStatus addAttribute(const MObject& attr, MAttrClass type = kLocalDynamicAttr);
    MStatus removeAttribute(const MObject& attr, MAttrClass type = kLocalDynamicAttr);
    MAttrClass attributeClass(const MObject& attr, MStatus* ReturnStatus = nullptr) const;
    MStatus getAffectedAttributes(const MObject& attr, MObjectArray& affectedAttributes) const;

    MPlug findPlug(const MObject& attr, bool wantNetworkedPlug,
                   MStatus* ReturnStatus = nullptr) const;
    MPlug findPlug(const MString& attrName, bool wantNetworkedPlug,
                   MStatus* ReturnStatus = nullptr) const;
    MPlug findPlug(const MObject& attr, MStatus* ReturnStatus = nullptr) const;
    MPlug findPlug(const MString& attrName, MStatus* ReturnStatus = nullptr) const;
    MStatus getConnections(MPlugArray& array) const;

    MPxNode* userNode(MStatus* ReturnStatus = nullptr) const;
    static MString classification(const MString& nodeTypeName);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
