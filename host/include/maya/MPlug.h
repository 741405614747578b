#ifndef MINIMAYA_MPLUG_H
#define MINIMAYA_MPLUG_H

#include <maya/MAngle.h>
#include <maya/MDGContext.h>
#include <maya/MDistance.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTime.h>

#include <vector>

class MPlugArray;
class MStringArray;
class MIntArray;
class MDataHandle;

namespace host {
struct PlugAccess;
}

// A point of connection on a node: an attribute, narrowed by a logical
// index for every array attribute on the way down to it.
class MPlug {
public:
    enum MValueSelector { kAll, kNonDefault, kChanged, kLastAttrSelector };
    enum FreeToChangeState { kFreeToChange = 0, kNotFreeToChange, kChildrenNotFreeToChange };

    MPlug();
    MPlug(const MPlug& other);
    MPlug(const MObject& node, const MObject& attribute);
    ~MPlug();
    MPlug& operator=(const MPlug& other);

    MStatus setAttribute(MObject& attribute);
    MObject attribute(MStatus* ReturnStatus = nullptr) const;
    MObject node(MStatus* ReturnStatus = nullptr) const;
    MString name(MStatus* ReturnStatus = nullptr) const;
    MString partialName(bool includeNodeName = false, bool includeNonMandatoryIndices = false,
                        bool includeInstancedIndices = false, bool useAlias = false,
                        bool useFullAttributePath = false, bool useLongNames = false,
                        MStatus* ReturnStatus = nullptr) const;
    MString info(MStatus* ReturnStatus = nullptr) const;

    MStatus getValue(MObject& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MDataHandle& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(double& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(float& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(int& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(short& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(bool& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(char& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MDistance& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MAngle& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MTime& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MString& value, MDGContext& ctx = MDGContext::fsNormal) const;

    MStatus setValue(MObject& value);
    MStatus setValue(MDataHandle& value);
    MStatus setValue(double value);
    MStatus setValue(float value);
    MStatus setValue(int value);
    MStatus setValue(short value);
    MStatus setValue(bool value);
    MStatus setValue(char value);
    MStatus setValue(MDistance& value);
    MStatus setValue(MAngle& value);
    MStatus setValue(MTime& value);
    MStatus setValue(MString& value);
    MStatus setValue(const char* value);

    bool asBool(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    char asChar(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    short asShort(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    int asInt(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    float asFloat(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    double asDouble(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    MDistance asMDistance(MDGContext& ctx = MDGContext::fsNormal,
                          MStatus* ReturnStatus = nullptr) const;
    MAngle asMAngle(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    MTime asMTime(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    MString asString(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;

    bool isNull(MStatus* ReturnStatus = nullptr) const;
    bool isNetworked(MStatus* ReturnStatus = nullptr) const;
    bool isArray(MStatus* ReturnStatus = nullptr) const;
    bool isElement(MStatus* ReturnStatus = nullptr) const;
    bool isCompound(MStatus* ReturnStatus = nullptr) const;
    bool isChild(MStatus* ReturnStatus = nullptr) const;
    bool isProcedural(MStatus* ReturnStatus = nullptr) const;
    bool isDynamic(MStatus* ReturnStatus = nullptr) const;
    bool isFromReferencedFile(MStatus* ReturnStatus = nullptr) const;
    bool isConnected(MStatus* ReturnStatus = nullptr) const;
    bool isKeyable(MStatus* ReturnStatus = nullptr) const;
    MStatus setKeyable(bool keyable);
    bool isLocked(MStatus* ReturnStatus = nullptr) const;
    MStatus setLocked(bool locked);
    bool isChannelBoxFlagSet(MStatus* ReturnStatus = nullptr) const;
    MStatus setChannelBox(bool channelBox);
    bool isCachingFlagSet(MStatus* ReturnStatus = nullptr) const;
    MStatus setCaching(bool caching);
    FreeToChangeState isFreeToChange(bool checkParents = true, bool checkChildren = true,
                                     MStatus* ReturnStatus = nullptr) const;

    unsigned int logicalIndex(MStatus* ReturnStatus = nullptr) const;
    MStatus selectAncestorLogicalIndex(unsigned int index,
                                       const MObject& attribute = MObject::kNullObj);
    unsigned int getExistingArrayAttributeIndices(MIntArray& indices,
                                                  MStatus* ReturnStatus = nullptr);
    unsigned int numElements(MStatus* ReturnStatus = nullptr) const;
    unsigned int evaluateNumElements(MStatus* ReturnStatus = nullptr);
    unsigned int numChildren(MStatus* ReturnStatus = nullptr) const;
    unsigned int numConnectedElements(MStatus* ReturnStatus = nullptr) const;
    unsigned int numConnectedChildren(MStatus* ReturnStatus = nullptr) const;
    MPlug child(MObject& attribute, MStatus* ReturnStatus = nullptr) const;
    MPlug child(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MPlug parent(MStatus* ReturnStatus = nullptr) const;
    MPlug array(MStatus* ReturnStatus = nullptr) const;
    MPlug elementByLogicalIndex(unsigned int logicalIndex, MStatus* ReturnStatus = nullptr) const;
    MPlug elementByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus = nullptr) const;
    MPlug connectionByPhysicalIndex(unsigned int physicalIndex,
                                    MStatus* ReturnStatus = nullptr) const;
    bool connectedTo(MPlugArray& array, bool asDst, bool asSrc,
                     MStatus* ReturnStatus = nullptr) const;

    MStatus getSetAttrCmds(MStringArray& cmds, MValueSelector valueSelector = kAll,
                           bool useLongNames = false);

    MPlug operator[](MObject& attribute) const;
    MPlug operator[](unsigned int logicalIndex) const;
    bool operator==(const MPlug& other) const;
    bool operator==(const MObject& attribute) const;
    bool operator!=(const MPlug& other) const;
    bool operator!=(const MObject& attribute) const;
    bool operator!() const;
    operator MObject() const;

private:
    friend struct host::PlugAccess;
    MObject m_node;
    MObject m_attribute;
    std::vector<unsigned> m_indices;
};

#endif
