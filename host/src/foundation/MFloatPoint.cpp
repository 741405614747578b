#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MPoint.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

namespace {
using Point = MFloatPoint;
using Vector = MFloatVector;
using Matrix = MFloatMatrix;
using Scalar = float;
}  // namespace

const MFloatPoint MFloatPoint::origin(0.0f, 0.0f, 0.0f, 1.0f);

MFloatPoint::MFloatPoint(const MFloatPoint& src) = default;
MFloatPoint::MFloatPoint(const MFloatVector& src) : x(src.x), y(src.y), z(src.z), w(1.0f) {}
MFloatPoint::MFloatPoint(const float f[4]) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
MFloatPoint::MFloatPoint(const double d[4])
    : x(static_cast<float>(d[0])),
      y(static_cast<float>(d[1])),
      z(static_cast<float>(d[2])),
      w(static_cast<float>(d[3])) {}
MFloatPoint::~MFloatPoint() = default;

MFloatPoint& MFloatPoint::operator=(const MFloatPoint& src) = default;

MStatus MFloatPoint::setCast(const MPoint& src) {
    double d[4];
    src.get(d);
    *this = MFloatPoint(d);
    return MS::kSuccess;
}

MStatus MFloatPoint::setCast(const MVector& src) {
    *this = MFloatPoint(MFloatVector(src));
    return MS::kSuccess;
}

#include "foundation/PointMembers.inc"
