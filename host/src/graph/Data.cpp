#include "graph/Data.h"

#include <maya/MEulerRotation.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

namespace host {

MFn::Type Data::apiType() const {
    switch (m_type) {
        case MFnData::kNumeric:
            return MFn::kNumericData;
        case MFnData::kString:
            return MFn::kStringData;
        case MFnData::kMatrix:
            return MFn::kMatrixData;
        case MFnData::kStringArray:
            return MFn::kStringArrayData;
        case MFnData::kDoubleArray:
            return MFn::kDoubleArrayData;
        case MFnData::kIntArray:
            return MFn::kIntArrayData;
        case MFnData::kPointArray:
            return MFn::kPointArrayData;
        case MFnData::kVectorArray:
            return MFn::kVectorArrayData;
        case MFnData::kComponentList:
            return MFn::kComponentListData;
        case MFnData::kMesh:
            return MFn::kMeshData;
        case MFnData::kDynArrayAttrs:
            return MFn::kDynArrayAttrsData;
        default:
            return MFn::kData;
    }
}

namespace {

// The transformation the parts stand for, composed as a joint's matrix is:
// the transform's own order with the joint orient after the rotation and the
// inverse parent scale before the translation.
MMatrix composed(const XformMatrixData::Fields& f) {
    auto vector = [&f](unsigned at) { return MVector(f[at], f[at + 1], f[at + 2]); };
    auto quaternion = [&f](unsigned at) {
        return MQuaternion(f[at], f[at + 1], f[at + 2], f[at + 3]);
    };
    const int order = static_cast<int>(f[6]);
    const auto euler =
        MEulerRotation(vector(3), order >= MEulerRotation::kXYZ && order <= MEulerRotation::kZYX
                                      ? static_cast<MEulerRotation::RotationOrder>(order)
                                      : MEulerRotation::kXYZ);
    MTransformationMatrix parts;
    const double scale[3] = {f[0], f[1], f[2]}, shear[3] = {f[10], f[11], f[12]};
    parts.setScale(scale, MSpace::kTransform);
    parts.setShear(shear, MSpace::kTransform);
    parts.setScalePivot(MPoint(vector(13)), MSpace::kTransform, false);
    parts.setScalePivotTranslation(vector(16), MSpace::kTransform);
    parts.setRotatePivot(MPoint(vector(19)), MSpace::kTransform, false);
    parts.setRotatePivotTranslation(vector(22), MSpace::kTransform);
    parts.setRotationOrientation(quaternion(25));
    parts.rotateTo(euler.asQuaternion() * quaternion(29));

    double tail[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {f[7], f[8], f[9], 1}};
    if (f[36] != 0.0)
        for (int i = 0; i < 3; ++i)
            tail[i][i] = f[33 + i];
    return parts.asMatrix() * MMatrix(tail);
}

}  // namespace

XformMatrixData::XformMatrixData(const Fields& parts)
    : MatrixData(composed(parts)), fields(parts) {}

std::shared_ptr<Data> XformMatrixData::clone() const {
    auto copy = std::make_shared<XformMatrixData>(fields);
    copy->value = value;
    return copy;
}

bool XformMatrixData::equals(const Data& other) const {
    auto* o = dynamic_cast<const XformMatrixData*>(&other);
    return o && o->fields == fields && o->value == value;
}

bool XformMatrixData::holdsParts() const {
    return composed(fields) == value;
}

bool Data::hasFn(MFn::Type type) const {
    return type == MFn::kData || Object::hasFn(type);
}

unsigned numericComponentCount(MFnNumericData::Type type) {
    switch (type) {
        case MFnNumericData::k2Short:
        case MFnNumericData::k2Long:
        case MFnNumericData::k2Float:
        case MFnNumericData::k2Double:
            return 2;
        case MFnNumericData::k3Short:
        case MFnNumericData::k3Long:
        case MFnNumericData::k3Float:
        case MFnNumericData::k3Double:
            return 3;
        case MFnNumericData::k4Double:
            return 4;
        default:
            return 1;
    }
}

MFnNumericData::Type numericComponentType(MFnNumericData::Type type) {
    switch (type) {
        case MFnNumericData::k2Short:
        case MFnNumericData::k3Short:
            return MFnNumericData::kShort;
        case MFnNumericData::k2Long:
        case MFnNumericData::k3Long:
            return MFnNumericData::kLong;
        case MFnNumericData::k2Float:
        case MFnNumericData::k3Float:
            return MFnNumericData::kFloat;
        case MFnNumericData::k2Double:
        case MFnNumericData::k3Double:
        case MFnNumericData::k4Double:
            return MFnNumericData::kDouble;
        default:
            return type;
    }
}

unsigned NumericData::count() const {
    return numericComponentCount(numericType);
}

std::shared_ptr<Data> makeData(MFnData::Type type) {
    switch (type) {
        case MFnData::kString:
            return std::make_shared<StringData>();
        case MFnData::kMatrix:
            return std::make_shared<MatrixData>();
        case MFnData::kStringArray:
            return std::make_shared<StringArrayData>();
        case MFnData::kDoubleArray:
            return std::make_shared<DoubleArrayData>();
        case MFnData::kIntArray:
            return std::make_shared<IntArrayData>();
        case MFnData::kPointArray:
            return std::make_shared<PointArrayData>();
        case MFnData::kVectorArray:
            return std::make_shared<VectorArrayData>();
        case MFnData::kNumeric:
            return std::make_shared<NumericData>();
        default:
            return nullptr;
    }
}

}  // namespace host
