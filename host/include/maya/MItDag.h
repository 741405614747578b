#ifndef MINIMAYA_MITDAG_H
#define MINIMAYA_MITDAG_H

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vector>

class MDagPathArray;

// Walks the DAG below a root (the world by default), visiting a node once
// for each path that reaches it; the filter decides which nodes are
// reported, while the walk still passes through the others.
class OPENMAYA_EXPORT MItDag {
public:
    enum TraversalType { kInvalidType = 0, kDepthFirst, kBreadthFirst };

    MItDag(TraversalType type = kDepthFirst, MFn::Type filter = MFn::kInvalid,
           MStatus* ReturnStatus = NULL);
    virtual ~MItDag();

    MStatus reset();
    MStatus reset(const MObject& object, TraversalType type = kDepthFirst,
                  MFn::Type filter = MFn::kInvalid);
    MStatus reset(const MDagPath& path, TraversalType type = kDepthFirst,
                  MFn::Type filter = MFn::kInvalid);

    MObject item(MStatus* ReturnStatus = NULL);
    MObject currentItem(MStatus* ReturnStatus = NULL);
    MStatus next();
    MStatus prune();
    bool isDone(MStatus* ReturnStatus = NULL) const;
    MObject root(MStatus* ReturnStatus = NULL);
    unsigned int depth(MStatus* ReturnStatus = NULL) const;
    TraversalType getType(MStatus* ReturnStatus = NULL) const;
    MStatus getPath(MDagPath& path) const;
    MStatus getAllPaths(MDagPathArray& paths) const;
    MString fullPathName(MStatus* ReturnStatus = NULL) const;
    MString partialPathName(MStatus* ReturnStatus = NULL) const;
    bool isInstanced(bool indirect = true, MStatus* ReturnStatus = NULL) const;
    unsigned int instanceCount(bool total, MStatus* ReturnStatus = NULL) const;

private:
    struct Step {
        MDagPath path;
        unsigned int depth;
    };
    // A node whose children are still to come, taken one at a time so that
    // a walk never lists a wide level (the world of a big scene) up front.
    struct Parent {
        MDagPath path;
        unsigned int depth;
        size_t next;
    };
    MStatus start(const MDagPath& root, TraversalType type, MFn::Type filter);
    void advance(bool intoChildren);
    bool nextChild();
    bool accepted() const;

    TraversalType m_type = kDepthFirst;
    MFn::Type m_filter = MFn::kInvalid;
    MDagPath m_root;
    bool m_done = true;
    bool m_pruned = false;
    Step m_current;
    // Depth-first takes from the back, breadth-first from m_first on.
    std::vector<Parent> m_pending;
    size_t m_first = 0;
};

#endif
