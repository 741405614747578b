#include "dag/Dag.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MFnTransform.h>

using host::Node;
using host::dag::attributes;

namespace {

void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

Node* transformOf(const MObject& object, MStatus* status) {
    Node* n = host::nodeOf(object);
    bool ok = n && n->inScene && n->type().hasFn(MFn::kTransform);
    setStatus(status, ok ? MS::kSuccess : MS::kFailure);
    return ok ? n : nullptr;
}

// Spaces the node's own attributes are expressed in.
bool isLocalSpace(MSpace::Space space) {
    return space == MSpace::kTransform || space == MSpace::kPreTransform ||
           space == MSpace::kPostTransform;
}

MVector readVector(Node& node, host::Attribute* compound) {
    double v[3];
    host::dag::readDouble3(node, compound, v);
    return MVector(v);
}

MStatus writeVector(Node& node, host::Attribute* compound, const MVector& v) {
    double values[3] = {v.x, v.y, v.z};
    return host::dag::writeDouble3(node, compound, values);
}

MEulerRotation::RotationOrder eulerOrder(Node& node) {
    long order = host::valueAsLong(
        host::evaluate(host::PlugRef{&node, host::PlugPath{attributes().rotateOrder, {}}}));
    if (order < 0 || order > 5)
        order = 0;
    return static_cast<MEulerRotation::RotationOrder>(order);
}

MEulerRotation readEuler(Node& node) {
    double r[3];
    host::dag::readDouble3(node, attributes().rotate, r);
    return MEulerRotation(r, eulerOrder(node));
}

// Writes the angles and the order they are meant in.
MStatus writeEuler(Node& node, const MEulerRotation& rotation) {
    double r[3] = {rotation.x, rotation.y, rotation.z};
    MStatus status = host::dag::writeDouble3(node, attributes().rotate, r);
    if (!status)
        return status;
    return host::assignChanged(host::PlugRef{&node, host::PlugPath{attributes().rotateOrder, {}}},
                               static_cast<long>(rotation.order));
}

MQuaternion readOrientation(Node& node) {
    double ra[3];
    host::dag::readDouble3(node, attributes().rotateAxis, ra);
    return MEulerRotation(ra, MEulerRotation::kXYZ).asQuaternion();
}

MStatus writeOrientation(Node& node, const MQuaternion& q) {
    return writeVector(node, attributes().rotateAxis, q.asEulerRotation().asVector());
}

host::dag::NodePath pathOf(const MFnDagNode& fn) {
    return host::dag::PathAccess::nodes(fn.dagPath());
}

// The rotation of everything above the node along the set's path.
MQuaternion parentRotation(const MFnDagNode& fn) {
    return MTransformationMatrix(host::dag::exclusiveMatrix(pathOf(fn))).rotation();
}

}  // namespace

MFnTransform::MFnTransform() = default;

MFnTransform::MFnTransform(MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnTransform::MFnTransform(const MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnTransform::MFnTransform(const MDagPath& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, setObject(object));
}

MFnTransform::~MFnTransform() = default;

MFn::Type MFnTransform::type() const {
    return MFn::kTransform;
}
const char* MFnTransform::className() const {
    return "MFnTransform";
}

bool MFnTransform::acceptsObject(const MObject& object) const {
    Node* n = host::nodeOf(object);
    return n && n->type().hasFn(MFn::kTransform);
}

MObject MFnTransform::create(MObject parent, MStatus* ReturnStatus) {
    return MFnDagNode::create(MString("transform"), parent, ReturnStatus);
}

// ---------------------------------------------------------------- whole

MTransformationMatrix MFnTransform::transformation(MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    return n ? host::dag::transformationOf(*n) : MTransformationMatrix();
}

MStatus MFnTransform::set(const MTransformationMatrix& transform) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    const host::dag::DagAttributes& a = attributes();
    double v[3];
    MTransformationMatrix::RotationOrder order;
    transform.getRotation(v, order);
    MEulerRotation euler(
        v, static_cast<MEulerRotation::RotationOrder>(order - MTransformationMatrix::kXYZ));
    if ((status = writeEuler(*n, euler)) &&
        (status = writeOrientation(*n, transform.rotationOrientation())) &&
        (status = transform.getScale(v, MSpace::kTransform)) &&
        (status = host::dag::writeDouble3(*n, a.scale, v)) &&
        (status = transform.getShear(v, MSpace::kTransform)) &&
        (status = host::dag::writeDouble3(*n, a.shear, v)) &&
        (status = writeVector(*n, a.scalePivot, transform.scalePivot(MSpace::kTransform))) &&
        (status = writeVector(*n, a.scalePivotTranslate,
                              transform.scalePivotTranslation(MSpace::kTransform))) &&
        (status = writeVector(*n, a.rotatePivot, transform.rotatePivot(MSpace::kTransform))) &&
        (status = writeVector(*n, a.rotatePivotTranslate,
                              transform.rotatePivotTranslation(MSpace::kTransform))))
        status = writeVector(*n, a.translate, transform.getTranslation(MSpace::kTransform));
    return status;
}

// ---------------------------------------------------------------- translate

MVector MFnTransform::translation(MSpace::Space space, MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    if (!n)
        return MVector();
    MVector local = readVector(*n, attributes().translate);
    if (isLocalSpace(space))
        return local;
    if (space == MSpace::kWorld)
        return MVector(MPoint(local) * host::dag::exclusiveMatrix(pathOf(*this)));
    setStatus(ReturnStatus, MS::kInvalidParameter);
    return MVector();
}

MStatus MFnTransform::setTranslation(const MVector& vec, MSpace::Space space) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    if (space == MSpace::kWorld) {
        MMatrix toParent = host::dag::exclusiveMatrix(pathOf(*this)).inverse();
        return writeVector(*n, attributes().translate, MVector(MPoint(vec) * toParent));
    }
    if (!isLocalSpace(space))
        return MS::kInvalidParameter;
    return writeVector(*n, attributes().translate, vec);
}

MStatus MFnTransform::translateBy(const MVector& vec, MSpace::Space space) {
    MStatus status;
    MVector now = translation(space, &status);
    if (!status)
        return status;
    return setTranslation(now + vec, space);
}

// ---------------------------------------------------------------- scale, shear

MStatus MFnTransform::getScale(double scale[3]) const {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (n)
        host::dag::readDouble3(*n, attributes().scale, scale);
    return status;
}

MStatus MFnTransform::setScale(const double scale[3]) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    return n ? host::dag::writeDouble3(*n, attributes().scale, scale) : status;
}

MStatus MFnTransform::scaleBy(const double scale[3]) {
    double now[3];
    MStatus status = getScale(now);
    if (!status)
        return status;
    for (int i = 0; i < 3; ++i)
        now[i] *= scale[i];
    return setScale(now);
}

MStatus MFnTransform::getShear(double shear[3]) const {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (n)
        host::dag::readDouble3(*n, attributes().shear, shear);
    return status;
}

MStatus MFnTransform::setShear(const double shear[3]) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    return n ? host::dag::writeDouble3(*n, attributes().shear, shear) : status;
}

// ---------------------------------------------------------------- rotation

MStatus MFnTransform::getRotation(MQuaternion& quaternion, MSpace::Space space) const {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    // The orientation applies before the rotation.
    MQuaternion local = readOrientation(*n) * readEuler(*n).asQuaternion();
    if (space == MSpace::kWorld) {
        quaternion = local * parentRotation(*this);
        return MS::kSuccess;
    }
    if (!isLocalSpace(space))
        return MS::kInvalidParameter;
    quaternion = local;
    return MS::kSuccess;
}

MStatus MFnTransform::setRotation(const MQuaternion& quaternion, MSpace::Space space) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    MQuaternion local = quaternion;
    if (space == MSpace::kWorld)
        local = quaternion * parentRotation(*this).conjugate();
    else if (!isLocalSpace(space))
        return MS::kInvalidParameter;
    MQuaternion rotation = readOrientation(*n).conjugate() * local;
    return writeEuler(*n, rotation.asEulerRotation().reorder(eulerOrder(*n)));
}

MStatus MFnTransform::getRotation(MEulerRotation& rotation) const {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (n)
        rotation = readEuler(*n);
    return status;
}

MStatus MFnTransform::setRotation(const MEulerRotation& rotation) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    return n ? writeEuler(*n, rotation) : status;
}

MStatus MFnTransform::getRotation(double rotation[3],
                                  MTransformationMatrix::RotationOrder& order) const {
    MEulerRotation euler;
    MStatus status = getRotation(euler);
    if (!status)
        return status;
    rotation[0] = euler.x;
    rotation[1] = euler.y;
    rotation[2] = euler.z;
    order = static_cast<MTransformationMatrix::RotationOrder>(MTransformationMatrix::kXYZ +
                                                              euler.order);
    return MS::kSuccess;
}

MStatus MFnTransform::setRotation(const double rotation[3],
                                  MTransformationMatrix::RotationOrder order) {
    if (order <= MTransformationMatrix::kInvalid || order >= MTransformationMatrix::kLast)
        return MS::kInvalidParameter;
    return setRotation(MEulerRotation(
        rotation, static_cast<MEulerRotation::RotationOrder>(order - MTransformationMatrix::kXYZ)));
}

MTransformationMatrix::RotationOrder MFnTransform::rotationOrder(MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    if (!n)
        return MTransformationMatrix::kInvalid;
    return static_cast<MTransformationMatrix::RotationOrder>(MTransformationMatrix::kXYZ +
                                                             eulerOrder(*n));
}

MStatus MFnTransform::setRotationOrder(MTransformationMatrix::RotationOrder order, bool reorder) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    if (order <= MTransformationMatrix::kInvalid || order >= MTransformationMatrix::kLast)
        return MS::kInvalidParameter;
    auto eulerTarget =
        static_cast<MEulerRotation::RotationOrder>(order - MTransformationMatrix::kXYZ);
    MEulerRotation now = readEuler(*n);
    // Reordering keeps the orientation; otherwise the same angles are read
    // in the new order.
    MEulerRotation next =
        reorder ? now.reorder(eulerTarget) : MEulerRotation(now.x, now.y, now.z, eulerTarget);
    return writeEuler(*n, next);
}

MQuaternion MFnTransform::rotateOrientation(MSpace::Space space, MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    if (!n)
        return MQuaternion();
    if (!isLocalSpace(space)) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MQuaternion();
    }
    return readOrientation(*n);
}

MStatus MFnTransform::setRotateOrientation(const MQuaternion& quat, MSpace::Space space,
                                           bool balance) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    if (!isLocalSpace(space))
        return MS::kInvalidParameter;
    if (balance) {
        // Keep orientation then rotation as a whole where it is.
        MQuaternion whole = readOrientation(*n) * readEuler(*n).asQuaternion();
        MQuaternion rotation = quat.conjugate() * whole;
        status = writeEuler(*n, rotation.asEulerRotation().reorder(eulerOrder(*n)));
        if (!status)
            return status;
    }
    return writeOrientation(*n, quat);
}

// ---------------------------------------------------------------- pivots

namespace {
enum class Pivot { Rotate, Scale };

MPoint readPivot(Node& node, Pivot which, MSpace::Space space, const MFnDagNode& fn,
                 MStatus* status) {
    const auto& a = attributes();
    MPoint local(readVector(node, which == Pivot::Rotate ? a.rotatePivot : a.scalePivot));
    if (isLocalSpace(space))
        return local;
    if (space == MSpace::kWorld)
        return local * host::dag::inclusiveMatrix(pathOf(fn));
    setStatus(status, MS::kInvalidParameter);
    return MPoint();
}

// Sets a pivot through the transformation matrix, which moves the pivot's
// translation along when balancing so the node stays where it is.
MStatus writePivot(Node& node, Pivot which, const MPoint& point, MSpace::Space space, bool balance,
                   const MFnDagNode& fn) {
    MPoint local = point;
    if (space == MSpace::kWorld)
        local = point * host::dag::inclusiveMatrix(pathOf(fn)).inverse();
    else if (!isLocalSpace(space))
        return MS::kInvalidParameter;
    const auto& a = attributes();
    MTransformationMatrix tm = host::dag::transformationOf(node);
    if (which == Pivot::Rotate) {
        tm.setRotatePivot(local, MSpace::kTransform, balance);
        MStatus status = writeVector(node, a.rotatePivot, tm.rotatePivot(MSpace::kTransform));
        if (!status)
            return status;
        return writeVector(node, a.rotatePivotTranslate,
                           tm.rotatePivotTranslation(MSpace::kTransform));
    }
    tm.setScalePivot(local, MSpace::kTransform, balance);
    MStatus status = writeVector(node, a.scalePivot, tm.scalePivot(MSpace::kTransform));
    if (!status)
        return status;
    return writeVector(node, a.scalePivotTranslate, tm.scalePivotTranslation(MSpace::kTransform));
}

MVector readPivotTranslation(Node& node, host::Attribute* attribute, MSpace::Space space,
                             MStatus* status) {
    if (!isLocalSpace(space)) {
        setStatus(status, MS::kInvalidParameter);
        return MVector();
    }
    return readVector(node, attribute);
}
}  // namespace

MPoint MFnTransform::scalePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    return n ? readPivot(*n, Pivot::Scale, space, *this, ReturnStatus) : MPoint();
}

MStatus MFnTransform::setScalePivot(const MPoint& point, MSpace::Space space, bool balance) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    return n ? writePivot(*n, Pivot::Scale, point, space, balance, *this) : status;
}

MVector MFnTransform::scalePivotTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    return n ? readPivotTranslation(*n, attributes().scalePivotTranslate, space, ReturnStatus)
             : MVector();
}

MStatus MFnTransform::setScalePivotTranslation(const MVector& vec, MSpace::Space space) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    if (!isLocalSpace(space))
        return MS::kInvalidParameter;
    return writeVector(*n, attributes().scalePivotTranslate, vec);
}

MPoint MFnTransform::rotatePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    return n ? readPivot(*n, Pivot::Rotate, space, *this, ReturnStatus) : MPoint();
}

MStatus MFnTransform::setRotatePivot(const MPoint& point, MSpace::Space space, bool balance) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    return n ? writePivot(*n, Pivot::Rotate, point, space, balance, *this) : status;
}

MVector MFnTransform::rotatePivotTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
    Node* n = transformOf(m_object, ReturnStatus);
    return n ? readPivotTranslation(*n, attributes().rotatePivotTranslate, space, ReturnStatus)
             : MVector();
}

MStatus MFnTransform::setRotatePivotTranslation(const MVector& vec, MSpace::Space space) {
    MStatus status;
    Node* n = transformOf(m_object, &status);
    if (!n)
        return status;
    if (!isLocalSpace(space))
        return MS::kInvalidParameter;
    return writeVector(*n, attributes().rotatePivotTranslate, vec);
}
