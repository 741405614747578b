#ifndef MINIMAYA_MDATABLOCK_H
#define MINIMAYA_MDATABLOCK_H

#include <maya/MDGContext.h>
#include <maya/MDataHandle.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>

namespace host {
class Node;
struct DataBlockAccess;
}  // namespace host

// A node's data as its compute method sees it.
class MDataBlock {
public:
    MDataBlock(const MDataBlock& other);
    MDataBlock& operator=(const MDataBlock& other);
    ~MDataBlock();

    MDataHandle inputValue(const MPlug& plug, MStatus* ReturnStatus = nullptr);
    MDataHandle inputValue(const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MDataHandle outputValue(const MPlug& plug, MStatus* ReturnStatus = nullptr);
    MDataHandle outputValue(const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MStatus setClean(const MPlug& plug);
    MStatus setClean(const MObject& attribute);
    bool isClean(const MPlug& plug);
    bool isClean(const MObject& attribute);
    MDGContext context();

private:
    friend struct host::DataBlockAccess;
    MDataBlock() = default;
    host::Node* m_node = nullptr;
};

#endif
