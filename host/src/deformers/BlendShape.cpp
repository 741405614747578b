#include "deformers/BlendShape.h"

#include "dag/Dag.h"
#include "geometry/Mesh.h"
#include "graph/AttributeBuilder.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MDagModifier.h>
#include <maya/MMatrix.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace host {
namespace deformers {

namespace {

using geometry::MeshData;

BlendShapeAttributes& mutableAttributes() {
    static BlendShapeAttributes attributes;
    return attributes;
}

// Shares the data it finds, so that it outlives the value it came in.
template <class T>
std::shared_ptr<const T> dataIn(const Value& v) {
    auto* d = std::get_if<std::shared_ptr<Data>>(&v);
    return d ? std::dynamic_pointer_cast<const T>(*d) : nullptr;
}

MMatrix worldMatrixOf(Node* node) {
    return node ? dag::inclusiveMatrix(dag::firstPath(*node)) : MMatrix();
}

// The mesh the deformer's output at a geometry index feeds, or null.
Node* fedBase(Node& deformer, unsigned geometry) {
    auto it = deformer.outputs.find(PlugPath{blendShapeAttributes().outputGeometry, {geometry}});
    if (it == deformer.outputs.end() || it->second.empty())
        return nullptr;
    return it->second.front().node;
}

// How far each point of a target lies from the base point, in the base's
// local space; with world origin the two are compared where they stand in
// the world. Empty when the point counts differ.
std::vector<MVector> deltasBetween(const MPointArray& base, Node* baseNode,
                                   const MPointArray& target, Node* targetNode, bool world) {
    std::vector<MVector> deltas;
    if (base.length() != target.length())
        return deltas;
    deltas.reserve(base.length());
    const MMatrix baseWorld = world ? worldMatrixOf(baseNode) : MMatrix();
    const MMatrix targetWorld = world ? worldMatrixOf(targetNode) : MMatrix();
    const MMatrix toBase = baseWorld.inverse();
    for (unsigned i = 0; i < base.length(); ++i) {
        if (!world) {
            deltas.push_back(target[i] - base[i]);
            continue;
        }
        MVector d = (target[i] * targetWorld) - (base[i] * baseWorld);
        deltas.push_back(d * toBase);
    }
    return deltas;
}

// The deltas of one target item: the live target's when one is connected,
// else the ones kept. Empty when neither fits the base.
std::vector<MVector> itemDeltas(Node& deformer, const PlugPath& item, const MPointArray& base,
                                Node* baseNode, bool world) {
    const BlendShapeAttributes& a = blendShapeAttributes();
    PlugRef live{&deformer, PlugPath{a.inputGeomTarget, item.indices}};
    if (const PlugRef* source = Scene::current().sourceOf(live)) {
        if (auto target = dataIn<MeshData>(evaluate(live)))
            return deltasBetween(base, baseNode, target->points, source->node, world);
        return {};
    }
    const auto kept = dataIn<PointArrayData>(
        evaluate(PlugRef{&deformer, PlugPath{a.inputPointsTarget, item.indices}}));
    if (!kept || kept->value.length() != base.length())
        return {};
    std::vector<MVector> deltas;
    for (unsigned i = 0; i < kept->value.length(); ++i)
        deltas.emplace_back(kept->value[i]);
    return deltas;
}

// Weights within single precision of an item's full weight pick that item
// exactly: the weight plug keeps floats.
constexpr double kWeightTolerance = 1e-6;

// Moves the points by one target group at weight w: the deltas of the items
// on either side of w (the base counting as an item of weight 0) blended
// linearly, and extended past the outermost items along their segment.
void applyGroup(std::vector<std::pair<double, std::vector<MVector>>> items, double w,
                double envelope, MPointArray& points) {
    const size_t n = points.length();
    const bool hasZero = std::any_of(items.begin(), items.end(), [](const auto& item) {
        return std::fabs(item.first) < kWeightTolerance;
    });
    if (!hasZero)
        items.emplace_back(0.0, std::vector<MVector>(n, MVector(0, 0, 0)));
    std::sort(items.begin(), items.end(),
              [](const auto& x, const auto& y) { return x.first < y.first; });
    for (const auto& item : items)
        if (std::fabs(item.first - w) < kWeightTolerance) {
            for (size_t i = 0; i < n; ++i)
                points[i] += item.second[i] * envelope;
            return;
        }
    size_t k = 0;  // the segment [k, k + 1] that holds w, or the end one nearest
    while (k + 2 < items.size() && w > items[k + 1].first)
        ++k;
    const auto& lo = items[k];
    const auto& hi = items[k + 1];
    const double f = (w - lo.first) / (hi.first - lo.first);
    for (size_t i = 0; i < n; ++i)
        points[i] += (lo.second[i] + (hi.second[i] - lo.second[i]) * f) * envelope;
}

bool computeOutput(Node& node, const PlugPath& plug) {
    const BlendShapeAttributes& a = blendShapeAttributes();
    if (plug.attribute != a.outputGeometry || plug.indices.size() != 1)
        return false;
    const unsigned g = plug.indices[0];
    auto out = std::make_shared<MeshData>();
    if (const auto base =
            dataIn<MeshData>(evaluate(PlugRef{&node, PlugPath{a.inputGeometry, {g}}}))) {
        *out = *base;
        const double envelope = valueAsDouble(evaluate(PlugRef{&node, PlugPath{a.envelope, {}}}));
        const bool world = valueAsLong(evaluate(PlugRef{&node, PlugPath{a.origin, {}}})) == 1;
        Node* baseNode = fedBase(node, g);
        for (unsigned t : node.elementIndices(PlugPath{a.inputTargetGroup, {g}})) {
            std::vector<std::pair<double, std::vector<MVector>>> items;
            for (unsigned i : node.elementIndices(PlugPath{a.inputTargetItem, {g, t}})) {
                auto deltas = itemDeltas(node, PlugPath{a.inputTargetItem, {g, t, i}}, base->points,
                                         baseNode, world);
                if (!deltas.empty())
                    items.emplace_back(itemWeight(i), std::move(deltas));
            }
            if (items.empty())
                continue;
            const double w = valueAsDouble(evaluate(PlugRef{&node, PlugPath{a.weight, {t}}}));
            applyGroup(std::move(items), w, envelope, out->points);
        }
    }
    node.storage(plug).value = std::shared_ptr<Data>(out);
    return true;
}

MPlug plugOf(Node* node, Attribute* attribute, std::vector<unsigned> indices = {}) {
    return PlugAccess::make(node, PlugPath{attribute, std::move(indices)});
}

bool assignRecorded(commands::Edits& edits, Node& node, const PlugPath& path, Value value) {
    return edits.change(node, {path}, [&] {
        return static_cast<bool>(assign(PlugRef{&node, path}, value));
    });
}

bool renameRecorded(commands::Edits& edits, Node& node, const std::string& name) {
    auto modifier = std::make_shared<MDagModifier>();
    modifier->renameNode(Scene::current().object(&node), MString(name.c_str()));
    return edits.run(modifier);
}

}  // namespace

const BlendShapeAttributes& blendShapeAttributes() {
    return mutableAttributes();
}

unsigned itemIndex(double fullWeight) {
    return static_cast<unsigned>(std::lround(5000.0 + 1000.0 * fullWeight));
}

double itemWeight(unsigned index) {
    return (static_cast<double>(index) - 5000.0) / 1000.0;
}

void registerBlendShapeType() {
    NodeTypeRegistry& registry = NodeTypeRegistry::instance();
    BlendShapeAttributes& a = mutableAttributes();

    NodeType& filter = registry.addBuiltin("geometryFilter", "dependNode", MFn::kGeometryFilt);
    filter.abstract = true;
    auto inputGeometry = attrs::typed("inputGeometry", "ig", MFnData::kMesh);
    inputGeometry->storable = false;
    auto groupId = attrs::numeric("groupId", "gi", MFnNumericData::kInt);
    auto input = attrs::compound("input", "ip", {inputGeometry, groupId});
    input->array = true;
    auto output = attrs::typed("outputGeometry", "og", MFnData::kMesh);
    output->array = true;
    output->writable = false;
    output->storable = false;
    auto envelope = attrs::numeric("envelope", "en", MFnNumericData::kFloat, 1.0);
    envelope->keyable = true;
    for (const auto& attribute : {input, output, envelope})
        filter.addAttribute(attribute);

    NodeType& blend = registry.addBuiltin("blendShape", "geometryFilter", MFn::kBlendShape,
                                          0x46424C53);  // 'FBLS'
    auto weight = attrs::numeric("weight", "w", MFnNumericData::kFloat);
    weight->array = true;
    weight->keyable = true;
    auto geomTarget = attrs::typed("inputGeomTarget", "igt", MFnData::kMesh);
    geomTarget->storable = false;
    auto pointsTarget = attrs::typed("inputPointsTarget", "ipt", MFnData::kPointArray);
    auto item = attrs::compound("inputTargetItem", "iti", {geomTarget, pointsTarget});
    item->array = true;
    auto group = attrs::compound("inputTargetGroup", "itg", {item});
    group->array = true;
    auto target = attrs::compound("inputTarget", "it", {group});
    target->array = true;
    auto origin = attrs::enumeration("origin", "or", {{"local", 0}, {"world", 1}}, 0);
    for (const auto& attribute : {weight, target, origin})
        blend.addAttribute(attribute);
    for (const auto& from : {input, envelope, weight, target, origin})
        attrs::affects(from, output);
    blend.compute = computeOutput;

    a.input = input.get();
    a.inputGeometry = inputGeometry.get();
    a.groupId = groupId.get();
    a.outputGeometry = output.get();
    a.envelope = envelope.get();
    a.weight = weight.get();
    a.inputTarget = target.get();
    a.inputTargetGroup = group.get();
    a.inputTargetItem = item.get();
    a.inputGeomTarget = geomTarget.get();
    a.inputPointsTarget = pointsTarget.get();
    a.origin = origin.get();
}

Node* meshShapeOf(Node& node) {
    if (node.type().isA("mesh"))
        return &node;
    if (!node.type().hasFn(MFn::kTransform))
        return nullptr;
    for (Node* child : node.children) {
        if (!child->type().isA("mesh"))
            continue;
        PlugRef io{child, PlugPath{dag::attributes().intermediateObject, {}}};
        if (!valueAsLong(evaluate(io)))
            return child;
    }
    return nullptr;
}

int geometryIndex(Node& deformer, Node& base) {
    const BlendShapeAttributes& a = blendShapeAttributes();
    for (const auto& [source, destinations] : deformer.outputs) {
        if (source.attribute != a.outputGeometry || source.indices.size() != 1)
            continue;
        for (const PlugRef& d : destinations)
            if (d.node == &base)
                return static_cast<int>(source.indices[0]);
    }
    return -1;
}

std::vector<Node*> baseShapes(Node& deformer) {
    std::vector<Node*> bases;
    for (unsigned g : deformer.elementIndices(PlugPath{blendShapeAttributes().outputGeometry, {}}))
        if (Node* base = fedBase(deformer, g))
            bases.push_back(base);
    return bases;
}

MStatus addBase(Node& deformer, Node& base, commands::Edits& edits) {
    const BlendShapeAttributes& a = blendShapeAttributes();
    const geometry::MeshAttributes& m = geometry::meshAttributes();
    if (!base.type().isA("mesh") || !deformer.type().isA("blendShape"))
        return MS::kInvalidParameter;
    if (geometryIndex(deformer, base) >= 0)
        return MS::kFailure;
    std::vector<unsigned> used = deformer.elementIndices(PlugPath{a.input, {}});
    for (unsigned g : deformer.elementIndices(PlugPath{a.outputGeometry, {}}))
        used.push_back(g);
    const unsigned g = used.empty() ? 0 : *std::max_element(used.begin(), used.end()) + 1;

    Scene& scene = Scene::current();
    const PlugRef inMesh{&base, PlugPath{m.inMesh, {}}};
    const PlugRef* fed = scene.sourceOf(inMesh);
    const bool hasHistory = fed != nullptr;
    PlugRef upstream;
    if (hasHistory) {
        upstream = *fed;
    } else {
        // The mesh's own geometry moves to an intermediate copy that feeds
        // the deformer; its tweaks go into that copy.
        Node* parent = base.parents.empty() ? nullptr : base.parents.front();
        auto create = std::make_shared<MDagModifier>();
        MStatus status;
        MObject made = create->createNode("mesh", scene.object(parent), &status);
        if (!status || !edits.run(create))
            return MS::kFailure;
        Node& orig = *nodeOf(made);
        renameRecorded(edits, orig, base.name() + "Orig");
        const auto geometry = geometry::meshOf(base);
        edits.change(
            orig,
            {PlugPath{m.vertices, {}}, PlugPath{m.faceCounts, {}}, PlugPath{m.faceConnects, {}}},
            [&] {
                geometry::setGeometry(orig, *geometry);
                return true;
            });
        assignRecorded(edits, orig, PlugPath{dag::attributes().intermediateObject, {}}, true);
        edits.change(base, {PlugPath{m.tweaks, {}}}, [&] {
            base.eraseStorage(PlugPath{m.tweaks, {}});
            scene.propagateDirty(base, m.tweaks);
            return true;
        });
        upstream = PlugRef{&orig, PlugPath{m.outMesh, {}}};
    }
    auto connect = std::make_shared<MDagModifier>();
    if (hasHistory)
        connect->disconnect(PlugAccess::make(upstream), PlugAccess::make(inMesh));
    connect->connect(PlugAccess::make(upstream), plugOf(&deformer, a.inputGeometry, {g}));
    connect->connect(plugOf(&deformer, a.outputGeometry, {g}), PlugAccess::make(inMesh));
    return edits.run(connect) ? MS::kSuccess : MS::kFailure;
}

NodePtr attachBlendShape(const std::vector<Node*>& bases, int origin, const std::string& name,
                         commands::Edits& edits, MStatus* status) {
    auto fail = [status](MStatus s) {
        if (status)
            *status = s;
        return NodePtr();
    };
    if (bases.empty())
        return fail(MS::kInvalidParameter);
    std::set<Node*> distinct;
    for (Node* base : bases)
        if (!base || !base->type().isA("mesh") || !distinct.insert(base).second)
            return fail(MS::kInvalidParameter);
    auto create = std::make_shared<MDagModifier>();
    MStatus s;
    MObject made = static_cast<MDGModifier&>(*create).createNode("blendShape", &s);
    if (!s || !edits.run(create))
        return fail(MS::kFailure);
    NodePtr deformer = ObjectAccess::sharedAs<Node>(made);
    if (!name.empty())
        renameRecorded(edits, *deformer, name);
    assignRecorded(edits, *deformer, PlugPath{blendShapeAttributes().origin, {}},
                   static_cast<long>(origin));
    for (Node* base : bases) {
        s = addBase(*deformer, *base, edits);
        if (!s)
            return fail(s);
    }
    if (status)
        *status = MS::kSuccess;
    return deformer;
}

MStatus addTarget(Node& deformer, Node& base, unsigned targetIndex, Node& target, double fullWeight,
                  commands::Edits& edits) {
    const BlendShapeAttributes& a = blendShapeAttributes();
    const int found = geometryIndex(deformer, base);
    if (found < 0 || !target.type().isA("mesh") || &target == &base)
        return MS::kInvalidParameter;
    const unsigned g = static_cast<unsigned>(found);
    // Weight 0 is the base itself, and indices below 0 do not exist.
    if (std::fabs(fullWeight) < 0.0005 || fullWeight < -5.0)
        return MS::kInvalidParameter;
    const unsigned item = itemIndex(fullWeight);
    const PlugPath live{a.inputGeomTarget, {g, targetIndex, item}};
    const PlugPath kept{a.inputPointsTarget, {g, targetIndex, item}};
    if (deformer.inputs.count(live) || deformer.stored(kept))
        return MS::kFailure;

    const auto baseMesh =
        dataIn<MeshData>(evaluate(PlugRef{&deformer, PlugPath{a.inputGeometry, {g}}}));
    if (!baseMesh)
        return MS::kFailure;
    const bool world = valueAsLong(evaluate(PlugRef{&deformer, PlugPath{a.origin, {}}})) == 1;
    const auto deltas =
        deltasBetween(baseMesh->points, &base, geometry::meshPoints(target), &target, world);
    if (deltas.empty() && baseMesh->points.length() > 0)
        return MS::kInvalidParameter;

    auto points = std::make_shared<PointArrayData>();
    for (const MVector& d : deltas)
        points->value.append(MPoint(d));
    assignRecorded(edits, deformer, kept, std::shared_ptr<Data>(points));
    const PlugValue* w = deformer.stored(PlugPath{a.weight, {targetIndex}});
    if (!w || std::holds_alternative<std::monostate>(w->value))
        assignRecorded(edits, deformer, PlugPath{a.weight, {targetIndex}}, 0.0);
    auto connect = std::make_shared<MDagModifier>();
    connect->connect(plugOf(&target, geometry::meshAttributes().outMesh),
                     PlugAccess::make(&deformer, live));
    return edits.run(connect) ? MS::kSuccess : MS::kFailure;
}

std::vector<unsigned> itemIndices(Node& deformer, unsigned geometry, unsigned targetIndex) {
    return deformer.elementIndices(
        PlugPath{blendShapeAttributes().inputTargetItem, {geometry, targetIndex}});
}

std::vector<Node*> targetShapes(Node& deformer, unsigned geometry, unsigned targetIndex) {
    std::vector<Node*> targets;
    for (unsigned i : itemIndices(deformer, geometry, targetIndex)) {
        PlugRef live{&deformer,
                     PlugPath{blendShapeAttributes().inputGeomTarget, {geometry, targetIndex, i}}};
        if (const PlugRef* source = Scene::current().sourceOf(live))
            targets.push_back(source->node);
    }
    return targets;
}

std::vector<unsigned> weightIndices(Node& deformer) {
    const BlendShapeAttributes& a = blendShapeAttributes();
    std::set<unsigned> all;
    for (unsigned w : deformer.elementIndices(PlugPath{a.weight, {}}))
        all.insert(w);
    for (unsigned g : deformer.elementIndices(PlugPath{a.inputTarget, {}}))
        for (unsigned t : deformer.elementIndices(PlugPath{a.inputTargetGroup, {g}}))
            all.insert(t);
    return {all.begin(), all.end()};
}

bool setWeight(Node& deformer, unsigned index, double weight, commands::Edits& edits) {
    return assignRecorded(edits, deformer, PlugPath{blendShapeAttributes().weight, {index}},
                          weight);
}

}  // namespace deformers
}  // namespace host
