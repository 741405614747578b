#ifndef MINIMAYA_MFNDATA_H
#define MINIMAYA_MFNDATA_H

#include <maya/MFnBase.h>

class MFnData : public MFnBase {
public:
    enum Type {
        kInvalid,
        kNumeric,
        kPlugin,
        kPluginGeometry,
        kString,
        kMatrix,
        kStringArray,
        kDoubleArray,
        kIntArray,
        kPointArray,
        kVectorArray,
        kComponentList,
        kMesh,
        kLattice,
        kNurbsCurve,
        kNurbsSurface,
        kSphere,
        kDynArrayAttrs,
        kDynSweptGeometry,
        kSubdSurface,
        kLast
    };
    MFnData();
    explicit MFnData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
