#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool validSpace(MSpace::Space space) {
    return space > MSpace::kInvalid && space < MSpace::kLast;
}

// Spaces after the transformation (its parent's) as opposed to the object's own.
bool outerSpace(MSpace::Space space) {
    return space == MSpace::kPostTransform || space == MSpace::kWorld;
}

bool validOrder(MTransformationMatrix::RotationOrder order) {
    return order > MTransformationMatrix::kInvalid && order < MTransformationMatrix::kLast;
}

// The transformation matrix's orders are the euler orders shifted by its leading kInvalid.
MEulerRotation::RotationOrder eulerOrder(MTransformationMatrix::RotationOrder order) {
    return static_cast<MEulerRotation::RotationOrder>(order - MTransformationMatrix::kXYZ);
}

MTransformationMatrix::RotationOrder matrixOrder(MEulerRotation::RotationOrder order) {
    return static_cast<MTransformationMatrix::RotationOrder>(order + MTransformationMatrix::kXYZ);
}

MStatus report(MStatus status, MStatus* returnStatus) {
    if (returnStatus) {
        *returnStatus = status;
    }
    return status;
}

MVector vectorOf(const double v[3]) {
    return MVector(v);
}

void store(const MVector& v, double out[3]) {
    v.get(out);
}

void store(const double in[3], double out[3]) {
    std::copy(in, in + 3, out);
}

MMatrix translation(const MVector& t) {
    MMatrix m;
    m.matrix[3][0] = t.x;
    m.matrix[3][1] = t.y;
    m.matrix[3][2] = t.z;
    return m;
}

MMatrix scaling(const double s[3]) {
    MMatrix m;
    for (int i = 0; i < 3; ++i) {
        m.matrix[i][i] = s[i];
    }
    return m;
}

// Row-vector shear: x gains xy * y and xz * z, y gains yz * z.
MMatrix shearing(const double sh[3]) {
    MMatrix m;
    m.matrix[1][0] = sh[0];
    m.matrix[2][0] = sh[1];
    m.matrix[2][1] = sh[2];
    return m;
}

// Upper 3x3 only: how directions transform.
MMatrix linearPart(const MMatrix& m) {
    MMatrix result(m);
    for (int i = 0; i < 3; ++i) {
        result.matrix[3][i] = 0.0;
        result.matrix[i][3] = 0.0;
    }
    result.matrix[3][3] = 1.0;
    return result;
}

MVector row(const MMatrix& m, int r) {
    return MVector(m.matrix[r][0], m.matrix[r][1], m.matrix[r][2]);
}

// Any unit vector perpendicular to v (v a unit vector).
MVector perpendicular(const MVector& v) {
    MVector axis = std::fabs(v.x) < 0.5 ? MVector::xAxis : MVector::yAxis;
    return (v ^ axis).normal();
}

struct Decomposition {
    double scale[3];
    double shear[3];
    MEulerRotation rotation;
};

// Splits the 3x3 part A of an affine matrix into A = S * Sh * R (scale, shear, rotation) by
// Gram-Schmidt over the rows: row 0 gives the x axis and x scale; row 1, stripped of its x part,
// the y axis, y scale and the xy shear; row 2 likewise the z axis, z scale and the xz, yz shears.
// A mirroring matrix turns into negative scales on all three axes with a proper rotation, which
// reproduces A exactly. Axes that collapse to nothing get scale 0 and a completing direction.
Decomposition splitLinearPart(const MMatrix& m) {
    MVector rows[3] = {row(m, 0), row(m, 1), row(m, 2)};
    const double largest = std::max({rows[0].length(), rows[1].length(), rows[2].length()});
    const double tiny = largest * 1.0e-14;

    MVector axes[3];
    bool present[3] = {false, false, false};
    double scale[3] = {0.0, 0.0, 0.0};
    double along[3][3] = {};  // along[i][p]: component of row i along axis p (p < i)
    for (int i = 0; i < 3; ++i) {
        // Two projection passes: the second removes what rounding left of the earlier axes, so
        // the axes stay orthogonal to rounding even for badly conditioned matrices.
        MVector rest = rows[i];
        for (int pass = 0; pass < 2; ++pass) {
            for (int p = 0; p < i; ++p) {
                if (present[p]) {
                    const double part = axes[p] * rest;
                    along[i][p] += part;
                    rest -= axes[p] * part;
                }
            }
        }
        scale[i] = rest.length();
        if (scale[i] > tiny && scale[i] > 0.0) {
            axes[i] = rest / scale[i];
            present[i] = true;
        } else {
            scale[i] = 0.0;
        }
    }

    int count = present[0] + present[1] + present[2];
    for (int i = 0; i < 3 && count < 3; ++i) {
        if (present[i]) {
            continue;
        }
        const MVector& next = axes[(i + 1) % 3];
        const MVector& after = axes[(i + 2) % 3];
        if (count == 0) {
            axes[i] = i == 0 ? MVector::xAxis : i == 1 ? MVector::yAxis : MVector::zAxis;
        } else if (count == 2) {
            axes[i] = next ^ after;
        } else {
            axes[i] = perpendicular(present[(i + 1) % 3] ? next : after);
        }
        present[i] = true;
        ++count;
    }

    Decomposition result;
    result.shear[0] = scale[1] != 0.0 ? along[1][0] / scale[1] : 0.0;
    result.shear[1] = scale[2] != 0.0 ? along[2][0] / scale[2] : 0.0;
    result.shear[2] = scale[2] != 0.0 ? along[2][1] / scale[2] : 0.0;
    const bool mirrored = ((axes[0] ^ axes[1]) * axes[2]) < 0.0;
    MMatrix rotation;
    for (int i = 0; i < 3; ++i) {
        if (mirrored) {
            scale[i] = -scale[i];
            axes[i] = -axes[i];
        }
        result.scale[i] = scale[i];
        rotation.matrix[i][0] = axes[i].x;
        rotation.matrix[i][1] = axes[i].y;
        rotation.matrix[i][2] = axes[i].z;
    }
    result.rotation = MEulerRotation::decompose(rotation, MEulerRotation::kXYZ);
    return result;
}

bool allPositiveZero(const double v[3]) {
    return !std::signbit(v[0]) && !std::signbit(v[1]) && !std::signbit(v[2]) && v[0] == 0.0 &&
           v[1] == 0.0 && v[2] == 0.0;
}

// The scale matrix of a transformation whose scale pivot and its
// translation are +0, as every new one's are (a particle instancer makes
// one per particle and frame), written out instead of multiplied through
// the five factors. Each element is what the products give, to the bit:
// a product's zero terms leave a nonzero sum as it is and turn a zero one
// into +0 (hence the "+ 0.0", which does the same). That holds only while
// nothing is infinite or NaN, since zero times those is NaN, so such a
// scale or shear goes the long way.
bool unpivotedScaleMatrix(const double scale[3], const double shear[3], double out[4][4]) {
    const double x = scale[0] + 0.0, y = scale[1] + 0.0, z = scale[2] + 0.0;
    const double xy = y * shear[0] + 0.0, xz = z * shear[1] + 0.0, yz = z * shear[2] + 0.0;
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(z) && std::isfinite(shear[0]) &&
          std::isfinite(shear[1]) && std::isfinite(shear[2]) && std::isfinite(xy) &&
          std::isfinite(xz) && std::isfinite(yz))) {
        return false;
    }
    const double m[4][4] = {
        {x, 0.0, 0.0, 0.0}, {xy, y, 0.0, 0.0}, {xz, yz, z, 0.0}, {0.0, 0.0, 0.0, 1.0}};
    std::memcpy(out, m, sizeof m);
    return true;
}

}  // namespace

const MTransformationMatrix MTransformationMatrix::identity;

MTransformationMatrix::MTransformationMatrix(const MTransformationMatrix& src) = default;

MTransformationMatrix::MTransformationMatrix(const MMatrix& src) : MTransformationMatrix() {
    *this = src;
}

MTransformationMatrix::~MTransformationMatrix() = default;

MTransformationMatrix& MTransformationMatrix::operator=(const MTransformationMatrix& src) = default;

MTransformationMatrix& MTransformationMatrix::operator=(const MMatrix& src) {
    *this = identity;
    Decomposition parts = splitLinearPart(src);
    store(parts.scale, fScale);
    store(parts.shear, fShear);
    rotateTo(parts.rotation);
    store(row(src, 3), fTranslate);
    return *this;
}

MMatrix MTransformationMatrix::asMatrix() const {
    return asScaleMatrix() * asRotateMatrix() * translation(vectorOf(fTranslate));
}

MMatrix MTransformationMatrix::asMatrix(double percent) const {
    // Every component goes the given part of its way from rest; pivots stay where they are.
    MTransformationMatrix partial(*this);
    for (int i = 0; i < 3; ++i) {
        partial.fTranslate[i] *= percent;
        partial.fRotate[i] *= percent;
        partial.fScale[i] = 1.0 + (fScale[i] - 1.0) * percent;
        partial.fShear[i] *= percent;
        partial.fScalePivotTranslate[i] *= percent;
        partial.fRotatePivotTranslate[i] *= percent;
    }
    partial.setRotationOrientation(slerp(MQuaternion::identity, rotationOrientation(), percent));
    return partial.asMatrix();
}

MMatrix MTransformationMatrix::asMatrixInverse() const {
    return asMatrix().inverse();
}

MMatrix MTransformationMatrix::asScaleMatrix() const {
    double unpivoted[4][4];
    if (allPositiveZero(fScalePivot) && allPositiveZero(fScalePivotTranslate) &&
        unpivotedScaleMatrix(fScale, fShear, unpivoted)) {
        return MMatrix(unpivoted);
    }
    const MVector pivot = vectorOf(fScalePivot);
    return translation(-pivot) * scaling(fScale) * shearing(fShear) * translation(pivot) *
           translation(vectorOf(fScalePivotTranslate));
}

MMatrix MTransformationMatrix::asRotateMatrix() const {
    const MVector pivot = vectorOf(fRotatePivot);
    return translation(-pivot) * rotationOrientation().asMatrix() * eulerRotation().asMatrix() *
           translation(pivot) * translation(vectorOf(fRotatePivotTranslate));
}

MStatus MTransformationMatrix::getScale(double scale[3], MSpace::Space space) const {
    if (!scale || !validSpace(space)) {
        return MS::kInvalidParameter;
    }
    store(fScale, scale);
    return MS::kSuccess;
}

MStatus MTransformationMatrix::setScale(const double scale[3], MSpace::Space space) {
    if (!scale || !validSpace(space)) {
        return MS::kInvalidParameter;
    }
    store(scale, fScale);
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addScale(const double scale[3], MSpace::Space space) {
    // Relative scaling: the factors multiply the current scale.
    if (!scale || !validSpace(space)) {
        return MS::kInvalidParameter;
    }
    for (int i = 0; i < 3; ++i) {
        fScale[i] *= scale[i];
    }
    return MS::kSuccess;
}

MQuaternion MTransformationMatrix::rotation() const {
    return eulerRotation().asQuaternion();
}

MTransformationMatrix& MTransformationMatrix::rotateTo(const MQuaternion& q) {
    return rotateTo(MEulerRotation::decompose(q.asMatrix(), eulerOrder(fRotationOrder)));
}

MTransformationMatrix& MTransformationMatrix::rotateBy(const MQuaternion& q, MSpace::Space space,
                                                       MStatus* ReturnStatus) {
    if (!validSpace(space)) {
        report(MS::kInvalidParameter, ReturnStatus);
        return *this;
    }
    // In the object's own space the turn comes before the current rotation, otherwise after it.
    const MMatrix current = eulerRotation().asMatrix();
    const MMatrix turned =
        space == MSpace::kPreTransform ? q.asMatrix() * current : current * q.asMatrix();
    rotateTo(MEulerRotation::decompose(turned, eulerOrder(fRotationOrder)));
    report(MS::kSuccess, ReturnStatus);
    return *this;
}

MEulerRotation MTransformationMatrix::eulerRotation() const {
    return MEulerRotation(fRotate, eulerOrder(fRotationOrder));
}

MTransformationMatrix& MTransformationMatrix::rotateTo(const MEulerRotation& e) {
    fRotate[0] = e.x;
    fRotate[1] = e.y;
    fRotate[2] = e.z;
    fRotationOrder = matrixOrder(e.order);
    return *this;
}

MTransformationMatrix& MTransformationMatrix::rotateBy(const MEulerRotation& e, MSpace::Space space,
                                                       MStatus* ReturnStatus) {
    return rotateBy(e.asQuaternion(), space, ReturnStatus);
}

MStatus MTransformationMatrix::getRotationQuaternion(double& x, double& y, double& z,
                                                     double& w) const {
    const MQuaternion q = rotation();
    x = q.x;
    y = q.y;
    z = q.z;
    w = q.w;
    return MS::kSuccess;
}

MStatus MTransformationMatrix::setRotationQuaternion(double x, double y, double z, double w) {
    rotateTo(MQuaternion(x, y, z, w));
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addRotationQuaternion(double x, double y, double z, double w,
                                                     MSpace::Space space) {
    MStatus status;
    rotateBy(MQuaternion(x, y, z, w), space, &status);
    return status;
}

MStatus MTransformationMatrix::getRotation(double rotation[3], RotationOrder& order) const {
    if (!rotation) {
        return MS::kInvalidParameter;
    }
    store(fRotate, rotation);
    order = fRotationOrder;
    return MS::kSuccess;
}

MStatus MTransformationMatrix::setRotation(const double rotation[3], RotationOrder order) {
    // The angles are taken as given and the matrix adopts their order.
    if (!rotation || !validOrder(order)) {
        return MS::kInvalidParameter;
    }
    rotateTo(MEulerRotation(rotation, eulerOrder(order)));
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addRotation(const double rotation[3], RotationOrder order,
                                           MSpace::Space space) {
    if (!rotation || !validOrder(order)) {
        return MS::kInvalidParameter;
    }
    MStatus status;
    rotateBy(MEulerRotation(rotation, eulerOrder(order)), space, &status);
    return status;
}

MTransformationMatrix::RotationOrder MTransformationMatrix::rotationOrder(
    MStatus* ReturnStatus) const {
    report(MS::kSuccess, ReturnStatus);
    return fRotationOrder;
}

MStatus MTransformationMatrix::reorderRotation(const RotationOrder& order) {
    if (!validOrder(order)) {
        return MS::kInvalidParameter;
    }
    rotateTo(eulerRotation().reorder(eulerOrder(order)));
    return MS::kSuccess;
}

MStatus MTransformationMatrix::setToRotationAxis(const MVector& axis, double rotation) {
    if (axis.length() == 0.0) {
        return MS::kInvalidParameter;
    }
    rotateTo(MQuaternion(rotation, axis));
    return MS::kSuccess;
}

MQuaternion MTransformationMatrix::rotationOrientation() const {
    return MQuaternion(fRotateOrientation);
}

MTransformationMatrix& MTransformationMatrix::setRotationOrientation(const MQuaternion& q) {
    q.get(fRotateOrientation);
    return *this;
}

MVector MTransformationMatrix::getTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!validSpace(space)) {
        report(MS::kInvalidParameter, ReturnStatus);
        return MVector::zero;
    }
    report(MS::kSuccess, ReturnStatus);
    // In the object's own space the translation is expressed along the object's transformed axes.
    const MVector t = vectorOf(fTranslate);
    return space == MSpace::kPreTransform ? t * linearPart(asMatrix()).inverse() : t;
}

MStatus MTransformationMatrix::setTranslation(const MVector& vector, MSpace::Space space) {
    if (!validSpace(space)) {
        return MS::kInvalidParameter;
    }
    store(space == MSpace::kPreTransform ? vector * linearPart(asMatrix()) : vector, fTranslate);
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addTranslation(const MVector& vector, MSpace::Space space) {
    if (!validSpace(space)) {
        return MS::kInvalidParameter;
    }
    return setTranslation(getTranslation(space) + vector, space);
}

MStatus MTransformationMatrix::setShear(const double shear[3], MSpace::Space space) {
    if (!shear || !validSpace(space)) {
        return MS::kInvalidParameter;
    }
    store(shear, fShear);
    return MS::kSuccess;
}

MStatus MTransformationMatrix::getShear(double shear[3], MSpace::Space space) const {
    if (!shear || !validSpace(space)) {
        return MS::kInvalidParameter;
    }
    store(fShear, shear);
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addShear(const double shear[3], MSpace::Space space) {
    if (!shear || !validSpace(space)) {
        return MS::kInvalidParameter;
    }
    for (int i = 0; i < 3; ++i) {
        fShear[i] += shear[i];
    }
    return MS::kSuccess;
}

// Pivots are stored in the object's space; in the outer spaces they are read where the
// transformation puts them (the pivot point itself does not move through its own stage).
MPoint MTransformationMatrix::scalePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!validSpace(space)) {
        report(MS::kInvalidParameter, ReturnStatus);
        return MPoint::origin;
    }
    report(MS::kSuccess, ReturnStatus);
    const MPoint pivot(vectorOf(fScalePivot));
    if (!outerSpace(space)) {
        return pivot;
    }
    return MPoint(pivot + vectorOf(fScalePivotTranslate)) * asRotateMatrix() *
           translation(vectorOf(fTranslate));
}

MStatus MTransformationMatrix::setScalePivot(const MPoint& point, MSpace::Space space,
                                             bool balance) {
    if (!validSpace(space)) {
        return MS::kInvalidParameter;
    }
    MPoint local(point);
    local.cartesianize();
    if (outerSpace(space)) {
        local = local * (asRotateMatrix() * translation(vectorOf(fTranslate))).inverse() -
                vectorOf(fScalePivotTranslate);
    }
    const MVector moved = MVector(local) - vectorOf(fScalePivot);
    if (balance) {
        // Keep the matrix: the pivot translation takes up what moving the pivot changes.
        const MMatrix scaleShear = scaling(fScale) * shearing(fShear);
        store(vectorOf(fScalePivotTranslate) + moved * scaleShear - moved, fScalePivotTranslate);
    }
    store(MVector(local), fScalePivot);
    return MS::kSuccess;
}

MVector MTransformationMatrix::scalePivotTranslation(MSpace::Space space,
                                                     MStatus* ReturnStatus) const {
    if (!validSpace(space)) {
        report(MS::kInvalidParameter, ReturnStatus);
        return MVector::zero;
    }
    report(MS::kSuccess, ReturnStatus);
    return vectorOf(fScalePivotTranslate);
}

MStatus MTransformationMatrix::setScalePivotTranslation(const MVector& vector,
                                                        MSpace::Space space) {
    if (!validSpace(space)) {
        return MS::kInvalidParameter;
    }
    store(vector, fScalePivotTranslate);
    return MS::kSuccess;
}

MPoint MTransformationMatrix::rotatePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!validSpace(space)) {
        report(MS::kInvalidParameter, ReturnStatus);
        return MPoint::origin;
    }
    report(MS::kSuccess, ReturnStatus);
    const MPoint pivot(vectorOf(fRotatePivot));
    if (!outerSpace(space)) {
        return pivot;
    }
    return pivot + vectorOf(fRotatePivotTranslate) + vectorOf(fTranslate);
}

MStatus MTransformationMatrix::setRotatePivot(const MPoint& point, MSpace::Space space,
                                              bool balance) {
    if (!validSpace(space)) {
        return MS::kInvalidParameter;
    }
    MPoint local(point);
    local.cartesianize();
    if (outerSpace(space)) {
        local = local - vectorOf(fRotatePivotTranslate) - vectorOf(fTranslate);
    }
    const MVector moved = MVector(local) - vectorOf(fRotatePivot);
    if (balance) {
        const MMatrix turn = rotationOrientation().asMatrix() * eulerRotation().asMatrix();
        store(vectorOf(fRotatePivotTranslate) + moved * turn - moved, fRotatePivotTranslate);
    }
    store(MVector(local), fRotatePivot);
    return MS::kSuccess;
}

MVector MTransformationMatrix::rotatePivotTranslation(MSpace::Space space,
                                                      MStatus* ReturnStatus) const {
    if (!validSpace(space)) {
        report(MS::kInvalidParameter, ReturnStatus);
        return MVector::zero;
    }
    report(MS::kSuccess, ReturnStatus);
    return vectorOf(fRotatePivotTranslate);
}

MStatus MTransformationMatrix::setRotatePivotTranslation(const MVector& vector,
                                                         MSpace::Space space) {
    if (!validSpace(space)) {
        return MS::kInvalidParameter;
    }
    store(vector, fRotatePivotTranslate);
    return MS::kSuccess;
}

bool MTransformationMatrix::isEquivalent(const MTransformationMatrix& other,
                                         double tolerance) const {
    return asMatrix().isEquivalent(other.asMatrix(), tolerance);
}

bool MTransformationMatrix::operator==(const MTransformationMatrix& other) const {
    return asMatrix() == other.asMatrix();
}

bool MTransformationMatrix::operator!=(const MTransformationMatrix& other) const {
    return !(*this == other);
}
