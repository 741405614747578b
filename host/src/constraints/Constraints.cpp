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

#include <algorithm>
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

AttributePtr distance3(const std::string& longName, const std::string& shortName) {
    return attrs::triple(longName, shortName, "XYZ",
                         attrs::unit("", "", MFnUnitAttribute::kDistance));
}

AttributePtr angle3(const std::string& longName, const std::string& shortName) {
    return attrs::triple(longName, shortName, "XYZ", attrs::unit("", "", MFnUnitAttribute::kAngle));
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

// ---------------------------------------------------------------- computing

// Point: the weighted mean of the targets' rotate pivots, in the driven object's parent
// space, less the object's own pivot offsets, plus the kept offset.
void computePoint(Node& node) {
    const ConstraintAttributes& a = pointAttributes();
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
        return;
    const MPoint inParent = MPoint(sum / weights) * matrix(node, a.constraintParentInverseMatrix);
    store(node, a.constraintTranslate,
          MVector(inParent) - vector(node, a.constraintRotatePivot) -
              vector(node, a.constraintRotateTranslate) + vector(node, a.offset));
}

MEulerRotation::RotationOrder orderOf(double value) {
    return static_cast<MEulerRotation::RotationOrder>(static_cast<int>(value));
}

// Parent: each target's frame moved by its kept offset, blended by weight (positions by
// mean, rotations by normalised quaternion sum), then made local to the object's parent.
void computeParent(Node& node) {
    const ConstraintAttributes& a = parentAttributes();
    MVector position;
    MQuaternion rotation(0, 0, 0, 0);
    MQuaternion first;
    bool any = false;
    double weights = 0;
    for (unsigned i : targetIndices(node, a)) {
        const double w = number(node, a.targetWeight, {i});
        const MMatrix offset =
            withTranslation(MEulerRotation(vector(node, a.targetOffsetRotate, {i})).asMatrix(),
                            MPoint(vector(node, a.targetOffsetTranslate, {i})));
        const MMatrix frame = offset * targetFrame(node, a, i);
        MQuaternion q = MTransformationMatrix(frame).rotation();
        if (!any)
            first = q;
        any = true;
        // Quaternions q and -q turn alike; add them on one side.
        if (first.x * q.x + first.y * q.y + first.z * q.z + first.w * q.w < 0)
            q = MQuaternion(-q.x, -q.y, -q.z, -q.w);
        rotation = MQuaternion(rotation.x + w * q.x, rotation.y + w * q.y, rotation.z + w * q.z,
                               rotation.w + w * q.w);
        position += w * MVector(translationOf(frame));
        weights += w;
    }
    if (weights <= 0)
        return;
    rotation.normalizeIt();
    const MMatrix world = withTranslation(rotation.asMatrix(), MPoint(position / weights));
    const MMatrix local = world * matrix(node, a.constraintParentInverseMatrix);
    const MEulerRotation r =
        MEulerRotation::decompose(local, orderOf(number(node, a.constraintRotateOrder)));
    store(node, a.constraintRotate, MVector(r.x, r.y, r.z));
    store(node, a.constraintTranslate,
          MVector(translationOf(local)) - vector(node, a.constraintRotatePivot) -
              vector(node, a.constraintRotateTranslate));
}

// Outputs are stored but never reported clean: a target's world place can change
// without anything marking this node stale (a move of the target's parent), so each
// read works them out again.
bool computeConstraint(Node& node, const PlugPath& plug, const ConstraintAttributes& a,
                       void (*compute)(Node&)) {
    const Attribute* root = plug.attribute->root();
    if (root == a.constraintTranslate || (a.constraintRotate && root == a.constraintRotate))
        compute(node);
    return false;
}

void defineType(const char* name, ConstraintAttributes& a, bool parent) {
    NodeType& type = NodeTypeRegistry::instance().addBuiltin(name, "constraint", MFn::kTransform);
    std::vector<AttributePtr> children;
    auto child = [&](const AttributePtr& attribute, Attribute*& slot) {
        slot = attribute.get();
        children.push_back(attribute);
    };
    child(attrs::matrix("targetParentMatrix", "tpm"), a.targetParentMatrix);
    child(distance3("targetTranslate", "tt"), a.targetTranslate);
    if (parent) {
        child(angle3("targetRotate", "tr"), a.targetRotate);
        child(rotateOrder("targetRotateOrder", "tro"), a.targetRotateOrder);
    }
    child(distance3("targetRotatePivot", "trp"), a.targetRotatePivot);
    child(distance3("targetRotateTranslate", "trt"), a.targetRotateTranslate);
    if (parent) {
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

    std::vector<AttributePtr> inputs{target};
    auto own = [&](const AttributePtr& attribute, Attribute*& slot) {
        slot = attribute.get();
        type.addAttribute(attribute);
        inputs.push_back(attribute);
        return attribute;
    };
    own(attrs::matrix("constraintParentInverseMatrix", "cpim"), a.constraintParentInverseMatrix);
    own(distance3("constraintRotatePivot", "crp"), a.constraintRotatePivot);
    own(distance3("constraintRotateTranslate", "crt"), a.constraintRotateTranslate);
    if (parent)
        own(rotateOrder("constraintRotateOrder", "cro"), a.constraintRotateOrder);
    else
        own(distance3("offset", "o"), a.offset);
    std::vector<AttributePtr> outputs{
        own(distance3("constraintTranslate", "ct"), a.constraintTranslate)};
    if (parent)
        outputs.push_back(own(angle3("constraintRotate", "cr"), a.constraintRotate));
    // Declared so that what caches values made from the outputs (the driven object's
    // matrix) hears of a change.
    for (const AttributePtr& out : outputs) {
        out->writable = false;
        out->storable = false;
        for (const AttributePtr& in : inputs)
            if (std::find(outputs.begin(), outputs.end(), in) == outputs.end())
                attrs::affects(in, out);
    }
    if (parent)
        type.compute = [](Node& node, const PlugPath& plug) {
            return computeConstraint(node, plug, parentAttributes(), computeParent);
        };
    else
        type.compute = [](Node& node, const PlugPath& plug) {
            return computeConstraint(node, plug, pointAttributes(), computePoint);
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

const ConstraintAttributes* attributesOf(const Node& node) {
    if (node.type().isA("pointConstraint"))
        return &pointAttributes();
    if (node.type().isA("parentConstraint"))
        return &parentAttributes();
    return nullptr;
}

void registerConstraintTypes() {
    // The API's function-set types for constraints are not part of this host, so a
    // constraint answers as the transform it is.
    NodeType& base =
        NodeTypeRegistry::instance().addBuiltin("constraint", "transform", MFn::kTransform);
    base.abstract = true;
    defineType("pointConstraint", mutablePoint(), false);
    defineType("parentConstraint", mutableParent(), true);
}

}  // namespace constraints
}  // namespace host
