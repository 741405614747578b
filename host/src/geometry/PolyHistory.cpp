// The construction-history nodes of the polygon primitives: what scene
// files hold in place of a primitive's geometry. Each builds its mesh from
// its parameters on its output, which feeds a mesh's inMesh.

#include "geometry/Mesh.h"
#include "graph/AttributeBuilder.h"
#include "graph/PlugAccess.h"

#include <maya/MFnNumericData.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace host {
namespace geometry {

namespace {

struct Parameter {
    const char* longName;
    const char* shortName;
    double defaultValue;
    bool count;  // a number of subdivisions rather than a length
};

// The most faces a history node builds, as the primitive commands allow.
const long long kMostFaces = 4000000;

using Build = std::function<MeshData(const std::vector<double>&)>;

std::set<const NodeType*>& historyTypes() {
    static std::set<const NodeType*> types;
    return types;
}

void addPrimitive(const char* name, std::vector<Parameter> parameters, Build build) {
    NodeType& type =
        NodeTypeRegistry::instance().addBuiltin(name, "dependNode", MFn::kDependencyNode);
    historyTypes().insert(&type);
    auto output = attrs::typed("output", "out", MFnData::kMesh);
    output->writable = false;
    output->storable = false;
    std::vector<Attribute*> inputs;
    for (const Parameter& p : parameters) {
        auto a =
            p.count
                ? attrs::numeric(p.longName, p.shortName, MFnNumericData::kLong, p.defaultValue)
                : attrs::unit(p.longName, p.shortName, MFnUnitAttribute::kDistance, p.defaultValue);
        type.addAttribute(a);
        attrs::affects(a, output);
        inputs.push_back(a.get());
    }
    // Kept as the file gives them; the mesh is always built along +y.
    auto axis = attrs::triple("axis", "ax", "XYZ", attrs::numeric("", "", MFnNumericData::kDouble),
                              MFnNumericData::k3Double);
    axis->children[1]->defaultValue = 1.0;
    for (const auto& a : {axis, attrs::numeric("createUVs", "cuv", MFnNumericData::kLong, 1),
                          attrs::numeric("texture", "tx", MFnNumericData::kLong, 1)})
        type.addAttribute(a);
    type.addAttribute(output);
    Attribute* out = output.get();
    type.compute = [inputs, out, build](Node& node, const PlugPath& plug) {
        if (plug.attribute != out)
            return false;
        std::vector<double> values;
        for (Attribute* a : inputs)
            values.push_back(valueAsDouble(evaluate(PlugRef{&node, PlugPath{a, {}}})));
        node.storage(plug).value = std::shared_ptr<Data>(std::make_shared<MeshData>(build(values)));
        return true;
    };
}

int parts(double value) {
    return static_cast<int>(std::clamp(value, 1.0, 2000.0));
}

// Too many faces asked for builds an empty mesh rather than exhaust memory.
bool tooMany(long long faces) {
    return faces > kMostFaces;
}

// polyUnite: the meshes on inputPoly[], each moved by the matrix of the
// same index on inputMat[], as one.
void addUnite() {
    NodeType& type =
        NodeTypeRegistry::instance().addBuiltin("polyUnite", "dependNode", MFn::kDependencyNode);
    historyTypes().insert(&type);
    auto meshes = attrs::typed("inputPoly", "ip", MFnData::kMesh);
    meshes->array = true;
    meshes->storable = false;
    auto matrices = attrs::matrix("inputMat", "im");
    matrices->array = true;
    auto output = attrs::typed("output", "out", MFnData::kMesh);
    output->writable = false;
    output->storable = false;
    for (const auto& input : {meshes, matrices}) {
        attrs::affects(input, output);
        type.addAttribute(input);
    }
    type.addAttribute(output);
    Attribute *in = meshes.get(), *at = matrices.get(), *out = output.get();
    type.compute = [in, at, out](Node& node, const PlugPath& plug) {
        if (plug.attribute != out)
            return false;
        std::vector<std::pair<MeshData, MMatrix>> parts;
        for (unsigned i : node.elementIndices(PlugPath{in, {}})) {
            const Value mesh = evaluate(PlugRef{&node, PlugPath{in, {i}}});
            const Value matrix = evaluate(PlugRef{&node, PlugPath{at, {i}}});
            auto* m = std::get_if<std::shared_ptr<Data>>(&mesh);
            auto* x = std::get_if<std::shared_ptr<Data>>(&matrix);
            auto meshData = m ? std::dynamic_pointer_cast<MeshData>(*m) : nullptr;
            auto matrixData = x ? std::dynamic_pointer_cast<MatrixData>(*x) : nullptr;
            if (meshData)
                parts.emplace_back(*meshData, matrixData ? matrixData->value : MMatrix());
        }
        node.storage(plug).value = std::shared_ptr<Data>(std::make_shared<MeshData>(united(parts)));
        return true;
    };
}

}  // namespace

bool isConstructionHistory(const NodeType& type) {
    return historyTypes().count(&type) > 0;
}

void registerPolyHistoryTypes() {
    addUnite();
    addPrimitive("polyCube",
                 {{"width", "w", 1, false},
                  {"height", "h", 1, false},
                  {"depth", "d", 1, false},
                  {"subdivisionsWidth", "sw", 1, true},
                  {"subdivisionsHeight", "sh", 1, true},
                  {"subdivisionsDepth", "sd", 1, true}},
                 [](const std::vector<double>& v) {
                     const int sx = parts(v[3]), sy = parts(v[4]), sz = parts(v[5]);
                     if (tooMany(2LL * (sx * sy + sy * sz + sx * sz)))
                         return MeshData();
                     return cube(v[0], v[1], v[2], sx, sy, sz);
                 });
    addPrimitive("polySphere",
                 {{"radius", "r", 1, false},
                  {"subdivisionsAxis", "sa", 20, true},
                  {"subdivisionsHeight", "sh", 20, true}},
                 [](const std::vector<double>& v) {
                     const int sa = std::max(3, parts(v[1])), sh = std::max(2, parts(v[2]));
                     if (tooMany(1LL * sa * sh))
                         return MeshData();
                     return sphere(v[0], sa, sh);
                 });
    addPrimitive("polyPlane",
                 {{"width", "w", 1, false},
                  {"height", "h", 1, false},
                  {"subdivisionsWidth", "sw", 10, true},
                  {"subdivisionsHeight", "sh", 10, true}},
                 [](const std::vector<double>& v) {
                     const int sw = parts(v[2]), sh = parts(v[3]);
                     if (tooMany(1LL * sw * sh))
                         return MeshData();
                     return plane(v[0], v[1], sw, sh);
                 });
}

}  // namespace geometry
}  // namespace host
