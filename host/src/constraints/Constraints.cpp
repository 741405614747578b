#include "constraints/Constraints.h"

#include "graph/AttributeBuilder.h"
#include "graph/Data.h"
#include "graph/NodeType.h"
#include "graph/PlugAccess.h"

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>

#include <cmath>
#include <set>

namespace host {
namespace constraints {

namespace {

ConstraintAttributes& mutablePoint() {
    static ConstraintAttributes a;
    return a;
}
ConstraintAttributes& mutableParent() {
    static ConstraintAttributes a;
    return a;
}
ConstraintAttributes& mutableOrient() {
    static ConstraintAttributes a;
    return a;
}
ConstraintAttributes& mutableAim() {
    static ConstraintAttributes a;
    return a;
}
ConstraintAttributes& mutableScale() {
    static ConstraintAttributes a;
    return a;
}

// An X, Y, Z compound whose children's short names end in lower case, as the
// application's files write them ("ctx", "tg[0].ttx").
AttributePtr xyz(const std::string& longName, const std::string& shortName,
                 const AttributePtr& childPrototype) {
    AttributePtr compound = attrs::triple(longName, shortName, "XYZ", childPrototype);
    for (size_t k = 0; k < 3; ++k)
        compound->children[k]->shortName = shortName + "xyz"[k];
    return compound;
}

AttributePtr distance3(const std::string& longName, const std::string& shortName) {
    return xyz(longName, shortName, attrs::unit("", "", MFnUnitAttribute::kDistance));
}

AttributePtr angle3(const std::string& longName, const std::string& shortName) {
    return xyz(longName, shortName, attrs::unit("", "", MFnUnitAttribute::kAngle));
}

AttributePtr double3(const std::string& longName, const std::string& shortName,
                     const MVector& defaults) {
    AttributePtr compound =
        xyz(longName, shortName, attrs::numeric("", "", MFnNumericData::kDouble));
    for (int k = 0; k < 3; ++k)
        compound->children[static_cast<size_t>(k)]->defaultValue = defaults[k];
    return compound;
}

AttributePtr rotateOrder(const std::string& longName, const std::string& shortName) {
    return attrs::enumeration(
        longName, shortName,
        {{"xyz", 0}, {"yzx", 1}, {"zxy", 2}, {"xzy", 3}, {"yxz", 4}, {"zyx", 5}});
}

// ---------------------------------------------------------------- reading

double number(Node& node, Attribute* attribute, std::vector<unsigned> indices = {}) {
    return valueAsDouble(evaluate(PlugRef{&node, PlugPath{attribute, std::move(indices)}}));
}

MVector vector(Node& node, Attribute* compound, std::vector<unsigned> indices = {}) {
    MVector v;
    for (int k = 0; k < 3; ++k)
        v[k] = number(node, compound->children[static_cast<size_t>(k)].get(), indices);
    return v;
}

MMatrix matrix(Node& node, Attribute* attribute, std::vector<unsigned> indices = {}) {
    const Value v = evaluate(PlugRef{&node, PlugPath{attribute, std::move(indices)}});
    if (const auto* data = std::get_if<std::shared_ptr<Data>>(&v))
        if (const auto* m = dynamic_cast<const MatrixData*>(data->get()))
            return m->value;
    return MMatrix();
}

// The indices of target[] that something feeds.
std::set<unsigned> targetIndices(const Node& node, const ConstraintAttributes& a) {
    std::set<unsigned> indices;
    for (const auto& [path, source] : node.inputs)
        if (path.attribute->parent == a.target && !path.indices.empty())
            indices.insert(path.indices[0]);
    return indices;
}

void store(Node& node, Attribute* compound, const MVector& v) {
    for (int k = 0; k < 3; ++k)
        node.storage(PlugPath{compound->children[static_cast<size_t>(k)].get(), {}}).value = v[k];
}

MMatrix withTranslation(MMatrix m, const MPoint& p) {
    for (int c = 0; c < 3; ++c)
        m[3][c] = p[c];
    return m;
}

MPoint translationOf(const MMatrix& m) {
    return MPoint(m[3][0], m[3][1], m[3][2]);
}

MEulerRotation::RotationOrder orderOf(double value) {
    return static_cast<MEulerRotation::RotationOrder>(static_cast<int>(value));
}

// ---------------------------------------------------------------- blending

// Rotations blended by weight: a normalised weighted sum of quaternions, each
// taken on the side of the first (q and -q turn alike).
class RotationBlend {
public:
    void add(MQuaternion q, double w) {
        if (!m_any)
            m_first = q;
        m_any = true;
        if (m_first.x * q.x + m_first.y * q.y + m_first.z * q.z + m_first.w * q.w < 0)
            q = MQuaternion(-q.x, -q.y, -q.z, -q.w);
        m_sum =
            MQuaternion(m_sum.x + w * q.x, m_sum.y + w * q.y, m_sum.z + w * q.z, m_sum.w + w * q.w);
    }
    MMatrix matrix() const {
        MQuaternion q = m_sum;
        return q.normalizeIt().asMatrix();
    }

private:
    MQuaternion m_sum{0, 0, 0, 0};
    MQuaternion m_first;
    bool m_any = false;
};

// The weighted mean of the targets' rotate pivots in world space; false when the
// weights add up to nothing.
bool targetsPivot(Node& node, const ConstraintAttributes& a, MVector& out) {
    MVector sum;
    double weights = 0;
    for (unsigned i : targetIndices(node, a)) {
        const double w = number(node, a.targetWeight, {i});
        const MVector local = vector(node, a.targetTranslate, {i}) +
                              vector(node, a.targetRotatePivot, {i}) +
                              vector(node, a.targetRotateTranslate, {i});
        sum += w * MVector(MPoint(local) * matrix(node, a.targetParentMatrix, {i}));
        weights += w;
    }
    if (weights <= 0)
        return false;
    out = sum / weights;
    return true;
}

// The offset turn of an orient or aim constraint, applied in the object's own frame.
MMatrix offsetTurn(Node& node, const ConstraintAttributes& a) {
    return MEulerRotation(vector(node, a.offset)).asMatrix();
}

// Stores a rotation in the object's parent space as its rotate, in its rotate order.
void storeLocalRotation(Node& node, const ConstraintAttributes& a, const MMatrix& local) {
    const MEulerRotation r =
        MEulerRotation::decompose(local, orderOf(number(node, a.constraintRotateOrder)));
    store(node, a.constraintRotate, MVector(r.x, r.y, r.z));
}

// Stores a world-space rotation as the object's rotate.
void storeRotation(Node& node, const ConstraintAttributes& a, const MMatrix& world) {
    storeLocalRotation(node, a, world * matrix(node, a.constraintParentInverseMatrix));
}

// Where a world-space position puts the object's translate.
MVector translateFor(Node& node, const ConstraintAttributes& a, const MPoint& world) {
    const MPoint inParent = world * matrix(node, a.constraintParentInverseMatrix);
    return MVector(inParent) - vector(node, a.constraintRotatePivot) -
           vector(node, a.constraintRotateTranslate);
}

// ---------------------------------------------------------------- computing

// Point: the weighted mean of the targets' rotate pivots, in the driven object's parent
// space, less the object's own pivot offsets, plus the kept offset.
void computePoint(Node& node) {
    const ConstraintAttributes& a = pointAttributes();
    MVector pivot;
    if (targetsPivot(node, a, pivot))
        store(node, a.constraintTranslate,
              translateFor(node, a, MPoint(pivot)) + vector(node, a.offset));
}

// Parent: each target's frame moved by its kept offset, blended by weight (positions by
// mean, rotations by normalised quaternion sum), then made local to the object's parent.
void computeParent(Node& node) {
    const ConstraintAttributes& a = parentAttributes();
    MVector position;
    RotationBlend rotation;
    double weights = 0;
    for (unsigned i : targetIndices(node, a)) {
        const double w = number(node, a.targetWeight, {i});
        const MMatrix offset =
            withTranslation(MEulerRotation(vector(node, a.targetOffsetRotate, {i})).asMatrix(),
                            MPoint(vector(node, a.targetOffsetTranslate, {i})));
        const MMatrix frame = offset * targetFrame(node, a, i);
        rotation.add(MTransformationMatrix(frame).rotation(), w);
        position += w * MVector(translationOf(frame));
        weights += w;
    }
    if (weights <= 0)
        return;
    storeRotation(node, a, rotation.matrix());
    store(node, a.constraintTranslate, translateFor(node, a, MPoint(position / weights)));
}

// Orient: the targets' world rotations blended by weight, turned by the offset.
void computeOrient(Node& node) {
    const ConstraintAttributes& a = orientAttributes();
    RotationBlend rotation;
    double weights = 0;
    for (unsigned i : targetIndices(node, a)) {
        const double w = number(node, a.targetWeight, {i});
        const MEulerRotation turn(vector(node, a.targetRotate, {i}),
                                  orderOf(number(node, a.targetRotateOrder, {i})));
        const MMatrix world = turn.asMatrix() * matrix(node, a.targetParentMatrix, {i});
        rotation.add(MTransformationMatrix(world).rotation(), w);
        weights += w;
    }
    if (weights > 0)
        storeRotation(node, a, offsetTurn(node, a) * rotation.matrix());
}

// An orthonormal frame (rows: aim, up, their cross product) whose first axis is along
// `aim` and whose second is `up` made square to it; false when either has no length
// left.
bool aimFrame(MVector aim, MVector up, MMatrix& out) {
    if (aim.length() < 1e-12)
        return false;
    aim.normalize();
    up -= (up * aim) * aim;
    if (up.length() < 1e-9)
        return false;
    up.normalize();
    const MVector third = aim ^ up;
    const MVector rows[3] = {aim, up, third};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out[r][c] = rows[r][c];
    return true;
}

// The world up the aim constraint's up type chooses, seen from the object's pivot.
MVector worldUpOf(Node& node, const ConstraintAttributes& a, const MPoint& origin) {
    const MVector given = vector(node, a.worldUpVector);
    switch (static_cast<int>(number(node, a.worldUpType))) {
        case kSceneUp:
            return MVector(0, 1, 0);
        case kObjectUp:
            return translationOf(matrix(node, a.worldUpMatrix)) - origin;
        case kObjectRotationUp:
            return given * matrix(node, a.worldUpMatrix);
        case kNoUp:
            return MVector();
        default:
            return given;
    }
}

// Aim: the object turned so its aim vector points at the targets' weighted pivot and its
// up vector leans toward the world up. With no up to lean on (type none, or an up along
// the aim) it takes the shortest turn from the aim vector. The turn is found in the
// parent's space, so that the aim holds under a parent scaled unevenly too.
void computeAim(Node& node) {
    const ConstraintAttributes& a = aimAttributes();
    MVector target;
    if (!targetsPivot(node, a, target))
        return;
    const MMatrix toParent = matrix(node, a.constraintParentInverseMatrix);
    const MPoint origin =
        MPoint(vector(node, a.objectTranslate) + vector(node, a.constraintRotatePivot) +
               vector(node, a.constraintRotateTranslate)) *
        toParent.inverse();
    const MVector aim = (MPoint(target) - origin) * toParent;
    const MVector aimVector = vector(node, a.aimVector);
    if (aim.length() < 1e-12 || aimVector.length() < 1e-12)
        return;
    MMatrix from, to, turn;
    if (aimFrame(aimVector, vector(node, a.upVector), from) &&
        aimFrame(aim, worldUpOf(node, a, origin) * toParent, to))
        turn = from.transpose() * to;
    else
        turn = MQuaternion(aimVector, aim).asMatrix();
    storeLocalRotation(node, a, offsetTurn(node, a) * turn);
}

// Scale: the weighted mean of the targets' scale values, times the offset.
void computeScale(Node& node) {
    const ConstraintAttributes& a = scaleAttributes();
    MVector sum;
    double weights = 0;
    for (unsigned i : targetIndices(node, a)) {
        const double w = number(node, a.targetWeight, {i});
        sum += w * vector(node, a.targetScale, {i});
        weights += w;
    }
    if (weights <= 0)
        return;
    const MVector mean = sum / weights, offset = vector(node, a.offset);
    store(node, a.constraintScale,
          MVector(mean.x * offset.x, mean.y * offset.y, mean.z * offset.z));
}

// ---------------------------------------------------------------- defining

// Which attributes a constraint type has beyond those all share (the target list,
// target parent matrices, weights and the object's parent inverse matrix).
struct Layout {
    bool targetPlace = false;    // targets' translate and pivots
    bool targetTurn = false;     // targets' rotate and rotate order
    bool targetOffsets = false;  // an offset frame per target
    bool targetScale = false;
    bool objectPivot = false;  // the object's pivots
    bool objectOrder = false;  // the object's rotate order
    bool aim = false;          // the object's translate and the aim and up vectors
    OffsetKind offset = OffsetKind::None;
    bool translates = false, rotates = false, scales = false;
    void (*compute)(Node&) = nullptr;
};

// Outputs are stored but never reported clean: a target's world place can change
// without anything marking this node stale (a move of the target's parent), so each
// read works them out again.
bool computeConstraint(Node& node, const PlugPath& plug, const ConstraintAttributes& a,
                       void (*compute)(Node&)) {
    const Attribute* root = plug.attribute->root();
    if (root == a.constraintTranslate || root == a.constraintRotate || root == a.constraintScale)
        compute(node);
    return false;
}

void defineType(const char* name, ConstraintAttributes& a, const Layout& layout) {
    a.type = name;
    NodeType& type = NodeTypeRegistry::instance().addBuiltin(name, "constraint", MFn::kTransform);
    std::vector<AttributePtr> children;
    auto child = [&](const AttributePtr& attribute, Attribute*& slot) {
        slot = attribute.get();
        children.push_back(attribute);
    };
    child(attrs::matrix("targetParentMatrix", "tpm"), a.targetParentMatrix);
    if (layout.targetPlace)
        child(distance3("targetTranslate", "tt"), a.targetTranslate);
    if (layout.targetTurn) {
        child(angle3("targetRotate", "tr"), a.targetRotate);
        child(rotateOrder("targetRotateOrder", "tro"), a.targetRotateOrder);
    }
    if (layout.targetPlace) {
        child(distance3("targetRotatePivot", "trp"), a.targetRotatePivot);
        child(distance3("targetRotateTranslate", "trt"), a.targetRotateTranslate);
    }
    if (layout.targetScale)
        child(double3("targetScale", "ts", MVector(1, 1, 1)), a.targetScale);
    if (layout.targetOffsets) {
        child(distance3("targetOffsetTranslate", "tot"), a.targetOffsetTranslate);
        child(angle3("targetOffsetRotate", "tor"), a.targetOffsetRotate);
    }
    AttributePtr weight = attrs::numeric("targetWeight", "tw", MFnNumericData::kDouble, 1.0);
    weight->keyable = true;
    child(weight, a.targetWeight);
    auto target = std::make_shared<Attribute>(Attribute::Kind::Compound, "target", "tg");
    for (const AttributePtr& c : children)
        target->addChild(c);
    target->array = true;
    a.target = target.get();
    type.addAttribute(target);

    std::vector<AttributePtr> inputs{target}, outputs;
    auto own = [&](const AttributePtr& attribute, Attribute*& slot) {
        slot = attribute.get();
        type.addAttribute(attribute);
        inputs.push_back(attribute);
    };
    auto output = [&](const AttributePtr& attribute, Attribute*& slot) {
        slot = attribute.get();
        type.addAttribute(attribute);
        outputs.push_back(attribute);
    };
    own(attrs::matrix("constraintParentInverseMatrix", "cpim"), a.constraintParentInverseMatrix);
    if (layout.aim)
        own(distance3("constraintTranslate", "ct"), a.objectTranslate);
    if (layout.objectPivot) {
        own(distance3("constraintRotatePivot", "crp"), a.constraintRotatePivot);
        own(distance3("constraintRotateTranslate", "crt"), a.constraintRotateTranslate);
    }
    if (layout.objectOrder)
        own(rotateOrder("constraintRotateOrder", "cro"), a.constraintRotateOrder);
    if (layout.aim) {
        own(double3("aimVector", "a", MVector(1, 0, 0)), a.aimVector);
        own(double3("upVector", "u", MVector(0, 1, 0)), a.upVector);
        own(double3("worldUpVector", "wu", MVector(0, 1, 0)), a.worldUpVector);
        own(attrs::matrix("worldUpMatrix", "wum"), a.worldUpMatrix);
        own(attrs::enumeration("worldUpType", "wut",
                               {{"scene", kSceneUp},
                                {"object", kObjectUp},
                                {"objectrotation", kObjectRotationUp},
                                {"vector", kVectorUp},
                                {"none", kNoUp}},
                               kVectorUp),
            a.worldUpType);
    }
    a.offsetKind = layout.offset;
    switch (layout.offset) {
        case OffsetKind::Distance:
            own(distance3("offset", "o"), a.offset);
            break;
        case OffsetKind::Angle:
            own(angle3("offset", "o"), a.offset);
            break;
        case OffsetKind::Factor:
            own(double3("offset", "o", MVector(1, 1, 1)), a.offset);
            break;
        case OffsetKind::None:
            break;
    }
    if (layout.translates)
        output(distance3("constraintTranslate", "ct"), a.constraintTranslate);
    if (layout.rotates)
        output(angle3("constraintRotate", "cr"), a.constraintRotate);
    if (layout.scales)
        output(double3("constraintScale", "cs", MVector(1, 1, 1)), a.constraintScale);
    // Declared so that what caches values made from the outputs (the driven object's
    // matrix) hears of a change.
    for (const AttributePtr& out : outputs) {
        out->writable = false;
        out->storable = false;
        for (const AttributePtr& in : inputs)
            attrs::affects(in, out);
    }
    void (*compute)(Node&) = layout.compute;
    type.compute = [&a, compute](Node& node, const PlugPath& plug) {
        return computeConstraint(node, plug, a, compute);
    };
}

}  // namespace

MMatrix targetFrame(Node& node, const ConstraintAttributes& a, unsigned i) {
    return pivotFrame(vector(node, a.targetTranslate, {i}),
                      MEulerRotation(vector(node, a.targetRotate, {i}),
                                     orderOf(number(node, a.targetRotateOrder, {i}))),
                      vector(node, a.targetRotatePivot, {i}),
                      vector(node, a.targetRotateTranslate, {i}),
                      matrix(node, a.targetParentMatrix, {i}));
}

MMatrix pivotFrame(const MVector& translate, const MEulerRotation& rotate,
                   const MVector& rotatePivot, const MVector& rotateTranslate,
                   const MMatrix& parentMatrix) {
    const MPoint pivot = MPoint(translate + rotatePivot + rotateTranslate) * parentMatrix;
    return withTranslation(rotate.asMatrix() * parentMatrix, pivot);
}

const ConstraintAttributes& pointAttributes() {
    return mutablePoint();
}
const ConstraintAttributes& parentAttributes() {
    return mutableParent();
}
const ConstraintAttributes& orientAttributes() {
    return mutableOrient();
}
const ConstraintAttributes& aimAttributes() {
    return mutableAim();
}
const ConstraintAttributes& scaleAttributes() {
    return mutableScale();
}

const ConstraintAttributes* attributesOf(const Node& node) {
    for (const ConstraintAttributes* a :
         {&pointAttributes(), &parentAttributes(), &orientAttributes(), &aimAttributes(),
          &scaleAttributes()})
        if (a->type && node.type().isA(a->type))
            return a;
    return nullptr;
}

void registerConstraintTypes() {
    // The API's function-set types for constraints are not part of this host, so a
    // constraint answers as the transform it is.
    NodeType& base =
        NodeTypeRegistry::instance().addBuiltin("constraint", "transform", MFn::kTransform);
    base.abstract = true;
    Layout point;
    point.targetPlace = point.objectPivot = point.translates = true;
    point.offset = OffsetKind::Distance;
    point.compute = computePoint;
    defineType("pointConstraint", mutablePoint(), point);
    Layout parent;
    parent.targetPlace = parent.targetTurn = parent.targetOffsets = true;
    parent.objectPivot = parent.objectOrder = parent.translates = parent.rotates = true;
    parent.compute = computeParent;
    defineType("parentConstraint", mutableParent(), parent);
    Layout orient;
    orient.targetTurn = orient.objectOrder = orient.rotates = true;
    orient.offset = OffsetKind::Angle;
    orient.compute = computeOrient;
    defineType("orientConstraint", mutableOrient(), orient);
    Layout aim;
    aim.targetPlace = aim.objectPivot = aim.objectOrder = aim.aim = aim.rotates = true;
    aim.offset = OffsetKind::Angle;
    aim.compute = computeAim;
    defineType("aimConstraint", mutableAim(), aim);
    Layout scale;
    scale.targetScale = scale.scales = true;
    scale.offset = OffsetKind::Factor;
    scale.compute = computeScale;
    defineType("scaleConstraint", mutableScale(), scale);
}

}  // namespace constraints
}  // namespace host
