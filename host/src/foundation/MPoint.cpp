#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

namespace {
using Point = MPoint;
using Vector = MVector;
using Matrix = MMatrix;
using Scalar = double;
}  // namespace

const MPoint MPoint::origin(0.0, 0.0, 0.0, 1.0);

MPoint::MPoint(const MPoint& src) = default;
MPoint::MPoint(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z), w(src.w) {}
MPoint::MPoint(const MVector& src) : x(src.x), y(src.y), z(src.z), w(1.0) {}
MPoint::MPoint(const MFloatVector& src) : x(src.x), y(src.y), z(src.z), w(1.0) {}
MPoint::MPoint(const double d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
MPoint::MPoint(const float f[4]) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
MPoint::~MPoint() = default;

MPoint& MPoint::operator=(const MPoint& src) = default;

#include "foundation/PointMembers.inc"
