#ifndef MINIMAYA_MDAGPATH_H
#define MINIMAYA_MDAGPATH_H

#include <maya/MFn.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

#include <memory>
#include <vector>

class MDagPathArray;

namespace host {
namespace dag {
struct PathAccess;
}
}  // namespace host

// One route from the world down to a DAG node. A node with several parents
// (an instanced node) is reached by several paths, and each path names one
// instance of it.
class OPENMAYA_EXPORT MDagPath {
public:
    MDagPath();
    MDagPath(const MDagPath& src);
    virtual ~MDagPath();

    static MStatus getAllPathsTo(const MObject& node, MDagPathArray& allPaths);
    static MStatus getAPathTo(const MObject& node, MDagPath& path);

    bool hasFn(MFn::Type type, MStatus* ReturnStatus = NULL) const;
    MFn::Type apiType(MStatus* ReturnStatus = NULL) const;
    bool isValid(MStatus* ReturnStatus = NULL) const;
    MObject node(MStatus* ReturnStatus = NULL) const;
    MObject transform(MStatus* ReturnStatus = NULL) const;
    unsigned int length(MStatus* ReturnStatus = NULL) const;
    MStatus extendToShape();
    MStatus extendToShapeDirectlyBelow(unsigned int index);
    MStatus numberOfShapesDirectlyBelow(unsigned int& num) const;
    MStatus push(const MObject& child);
    MStatus pop(unsigned int num = 1);
    unsigned int childCount(MStatus* ReturnStatus = NULL) const;
    MObject child(unsigned int i, MStatus* ReturnStatus = NULL) const;
    MMatrix inclusiveMatrix(MStatus* ReturnStatus = NULL) const;
    MMatrix exclusiveMatrix(MStatus* ReturnStatus = NULL) const;
    MMatrix inclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;
    MMatrix exclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;
    MDagPath& operator=(const MDagPath& src);
    bool operator==(const MDagPath& src) const;
    MStatus set(const MDagPath& src);
    unsigned int pathCount(MStatus* ReturnStatus = NULL) const;
    MStatus getPath(MDagPath& path, unsigned int i = 0) const;
    MString fullPathName(MStatus* ReturnStatus = NULL) const;
    MString partialPathName(MStatus* ReturnStatus = NULL) const;
    bool isInstanced(MStatus* ReturnStatus = NULL) const;
    unsigned int instanceNumber(MStatus* ReturnStatus = NULL) const;

private:
    friend struct host::dag::PathAccess;
    // The nodes from the world (first) down to the path's node; none for a
    // path that leads nowhere. Copies of a path share them until one of the
    // copies is changed, since paths are copied far more than changed.
    const std::vector<MObject>& nodes() const;
    std::vector<MObject>& changeNodes();
    std::shared_ptr<std::vector<MObject>> m_nodes;
};

#endif
