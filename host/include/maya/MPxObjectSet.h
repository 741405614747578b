#ifndef MINIMAYA_MPXOBJECTSET_H
#define MINIMAYA_MPXOBJECTSET_H

#include <maya/MPxNode.h>

class MPxObjectSet : public MPxNode {
public:
    MPxObjectSet();
    ~MPxObjectSet() override;
    Type type() const override;
    virtual bool canBeDeleted(bool isSrcNode);

    // The attributes every object set carries.
    static MObject dagSetMembers;
    static MObject dnSetMembers;
    static MObject memberWireframeColor;
    static MObject annotation;
    static MObject isLayer;
    static MObject verticesOnlySet;
    static MObject edgesOnlySet;
    static MObject facetsOnlySet;
    static MObject editPointsOnlySet;
    static MObject renderableOnlySet;
    static MObject partition;
    static MObject groupNodes;
    static MObject usedByNodes;
};

#endif
