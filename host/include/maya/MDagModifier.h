#ifndef MINIMAYA_MDAGMODIFIER_H
#define MINIMAYA_MDAGMODIFIER_H

#include <maya/MDGModifier.h>

class MDagModifier : public MDGModifier {
public:
    MDagModifier();
    ~MDagModifier() override;

    MObject createNode(const MTypeId& typeId, const MObject& parent = MObject::kNullObj,
                       MStatus* ReturnStatus = nullptr);
    MObject createNode(const MString& type, const MObject& parent = MObject::kNullObj,
                       MStatus* ReturnStatus = nullptr);
    MStatus reparentNode(const MObject& node, const MObject& newParent = MObject::kNullObj);
};

#endif
