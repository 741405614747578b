#ifndef MINIMAYA_MFNMESH_H
#define MINIMAYA_MFNMESH_H

#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MTypes.h>

// Function set over a polygon mesh shape: its vertices and faces as the
// mesh shows them (after its history and deformers).
class OPENMAYA_EXPORT MFnMesh : public MFnDagNode {
public:
    MFnMesh();
    MFnMesh(MObject& object, MStatus* ReturnStatus = NULL);
    MFnMesh(const MObject& object, MStatus* ReturnStatus = NULL);
    MFnMesh(const MDagPath& object, MStatus* ReturnStatus = NULL);
    ~MFnMesh() override;

    MFn::Type type() const override;
    const char* className() const override;

    // Makes a mesh shape under parentOrOwner, or under a new transform when
    // that is null (then the transform is returned, else the shape).
    MObject create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                   const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                   MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = NULL);

    int numVertices(MStatus* ReturnStatus = NULL) const;
    int numPolygons(MStatus* ReturnStatus = NULL) const;
    MStatus getPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
    MStatus getPoints(MFloatPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
    MStatus setPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject);
    MStatus getPoint(int vertexId, MPoint& pos, MSpace::Space space = MSpace::kObject) const;
    MStatus setPoint(int vertexId, const MPoint& pos, MSpace::Space space = MSpace::kObject);
    MStatus getVertices(MIntArray& vertexCount, MIntArray& vertexList) const;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
