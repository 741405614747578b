#include "geometry/Mesh.h"

#include "dag/Dag.h"
#include "graph/AttributeBuilder.h"
#include "graph/NodeType.h"
#include "graph/PlugAccess.h"
#include "selection/Component.h"

#include <cmath>

namespace host {
namespace geometry {

bool MeshData::equals(const Data& other) const {
    auto* o = dynamic_cast<const MeshData*>(&other);
    return o && sameArray(points, o->points) && faceCounts == o->faceCounts &&
           faceConnects == o->faceConnects;
}

bool MeshData::valid() const {
    size_t total = 0;
    for (int c : faceCounts) {
        if (c < 3)
            return false;
        total += static_cast<size_t>(c);
    }
    if (total != faceConnects.size())
        return false;
    for (int v : faceConnects)
        if (v < 0 || static_cast<unsigned>(v) >= points.length())
            return false;
    return true;
}

// ---------------------------------------------------------------- primitives

MeshData cube(double w, double h, double d, int sx, int sy, int sz) {
    MeshData m;
    // The sides around the x axis form one loop of rows (front bottom to
    // top, top front to back, back top to bottom, bottom back to front),
    // each row sx + 1 vertices from -x to +x; the two x sides close it.
    const int rows = 2 * (sy + sz);
    auto rowPlace = [&](int r, double& y, double& z) {
        if (r <= sy) {
            y = -h / 2 + h * r / sy;
            z = d / 2;
        } else if (r <= sy + sz) {
            y = h / 2;
            z = d / 2 - d * (r - sy) / sz;
        } else if (r <= 2 * sy + sz) {
            y = h / 2 - h * (r - sy - sz) / sy;
            z = -d / 2;
        } else {
            y = -h / 2;
            z = -d / 2 + d * (r - 2 * sy - sz) / sz;
        }
    };
    for (int r = 0; r < rows; ++r) {
        double y, z;
        rowPlace(r, y, z);
        for (int c = 0; c <= sx; ++c)
            m.points.append(MPoint(-w / 2 + w * c / sx, y, z));
    }
    auto loopVertex = [&](int r, int c) { return (r % rows) * (sx + 1) + c; };
    auto quad = [&](int a, int b, int c, int e) {
        m.faceCounts.push_back(4);
        for (int v : {a, b, c, e})
            m.faceConnects.push_back(v);
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < sx; ++c)
            quad(loopVertex(r, c), loopVertex(r, c + 1), loopVertex(r + 1, c + 1),
                 loopVertex(r + 1, c));
    // A side: grid i (z from front to back) by j (y from bottom to top),
    // its border taken from the loop.
    auto side = [&](int column, bool right) {
        std::vector<std::vector<int>> g(sz + 1, std::vector<int>(sy + 1, -1));
        for (int j = 0; j <= sy; ++j) {
            g[0][j] = loopVertex(j, column);
            g[sz][j] = loopVertex(sy + sz + (sy - j), column);
        }
        for (int i = 0; i <= sz; ++i) {
            g[i][sy] = loopVertex(sy + i, column);
            g[i][0] = loopVertex(2 * sy + sz + (sz - i), column);
        }
        double x = right ? w / 2 : -w / 2;
        for (int i = 1; i < sz; ++i)
            for (int j = 1; j < sy; ++j) {
                g[i][j] = static_cast<int>(m.points.length());
                m.points.append(MPoint(x, -h / 2 + h * j / sy, d / 2 - d * i / sz));
            }
        for (int i = 0; i < sz; ++i)
            for (int j = 0; j < sy; ++j) {
                if (right)
                    quad(g[i][j], g[i + 1][j], g[i + 1][j + 1], g[i][j + 1]);
                else
                    quad(g[i + 1][j], g[i][j], g[i][j + 1], g[i + 1][j + 1]);
            }
    };
    side(sx, true);
    side(0, false);
    return m;
}

MeshData sphere(double radius, int sx, int sy) {
    MeshData m;
    const double pi = std::acos(-1.0);
    // Rings from the south pole up, then the two poles.
    for (int k = 1; k < sy; ++k) {
        double phi = -pi / 2 + pi * k / sy;
        for (int i = 0; i < sx; ++i) {
            double theta = 2 * pi * i / sx;
            m.points.append(MPoint(radius * std::cos(phi) * std::cos(theta), radius * std::sin(phi),
                                   -radius * std::cos(phi) * std::sin(theta)));
        }
    }
    const int south = static_cast<int>(m.points.length());
    m.points.append(MPoint(0, -radius, 0));
    const int north = south + 1;
    m.points.append(MPoint(0, radius, 0));
    auto at = [&](int ring, int i) { return ring * sx + (i % sx); };
    for (int k = 0; k + 1 < sy - 1; ++k)
        for (int i = 0; i < sx; ++i) {
            m.faceCounts.push_back(4);
            for (int v : {at(k, i), at(k, i + 1), at(k + 1, i + 1), at(k + 1, i)})
                m.faceConnects.push_back(v);
        }
    for (int i = 0; i < sx; ++i) {
        m.faceCounts.push_back(3);
        for (int v : {at(0, i + 1), at(0, i), south})
            m.faceConnects.push_back(v);
    }
    for (int i = 0; i < sx; ++i) {
        m.faceCounts.push_back(3);
        for (int v : {at(sy - 2, i), at(sy - 2, i + 1), north})
            m.faceConnects.push_back(v);
    }
    return m;
}

// A w x h grid on the xz plane, centred on the origin, cut into sw x sh
// faces; rows of vertices from -z to +z.
MeshData plane(double w, double h, int sw, int sh) {
    MeshData m;
    for (int j = 0; j <= sh; ++j)
        for (int i = 0; i <= sw; ++i)
            m.points.append(MPoint(-w / 2 + w * i / sw, 0, -h / 2 + h * j / sh));
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i) {
            const int a = j * (sw + 1) + i;
            m.faceCounts.push_back(4);
            for (int v : {a + sw + 1, a + sw + 2, a + 1, a})
                m.faceConnects.push_back(v);
        }
    return m;
}

MeshData united(const std::vector<std::pair<MeshData, MMatrix>>& parts) {
    MeshData m;
    for (const auto& [part, matrix] : parts) {
        const int base = static_cast<int>(m.points.length());
        for (unsigned i = 0; i < part.points.length(); ++i)
            m.points.append(part.points[i] * matrix);
        m.faceCounts.insert(m.faceCounts.end(), part.faceCounts.begin(), part.faceCounts.end());
        for (int v : part.faceConnects)
            m.faceConnects.push_back(base + v);
    }
    return m;
}

// ---------------------------------------------------------------- node type

namespace {

MeshAttributes& mutableAttributes() {
    static MeshAttributes attributes;
    return attributes;
}

// Holds the data it finds, so it outlives the value it came in.
template <class T>
std::shared_ptr<const T> dataIn(const Value& v) {
    auto* d = std::get_if<std::shared_ptr<Data>>(&v);
    return d ? std::dynamic_pointer_cast<const T>(*d) : nullptr;
}

// The points and faces of the data as the mesh's own attributes hold them.
std::vector<std::pair<Attribute*, std::shared_ptr<Data>>> ownGeometry(const MeshData& data) {
    const MeshAttributes& a = meshAttributes();
    auto counts = std::make_shared<IntArrayData>();
    for (int c : data.faceCounts)
        counts->value.append(c);
    auto connects = std::make_shared<IntArrayData>();
    for (int v : data.faceConnects)
        connects->value.append(v);
    return {{a.vertices, std::make_shared<PointArrayData>(data.points)},
            {a.faceCounts, counts},
            {a.faceConnects, connects}};
}

// A mesh fed by a primitive's history keeps a copy of what it last took, as
// the application's does: a copy of the shape (duplicate without its
// history) starts from it, and so does the mesh when the history is
// disconnected. Nothing else reads it while the input stays connected. A
// deformer's output is not kept: the mesh under it holds its own geometry
// for undo to go back to.
void keepInput(Node& node, const MeshData& input) {
    const MeshAttributes& a = meshAttributes();
    auto kept = [&](Attribute* attribute) {
        const PlugValue* pv = node.stored(PlugPath{attribute, {}});
        return pv ? pv->value : Value{};
    };
    auto sameInts = [](const std::shared_ptr<const IntArrayData>& d, const std::vector<int>& v) {
        if (!d || d->value.length() != v.size())
            return false;
        for (unsigned i = 0; i < d->value.length(); ++i)
            if (d->value[i] != v[i])
                return false;
        return true;
    };
    auto points = dataIn<PointArrayData>(kept(a.vertices));
    if (points && sameArray(points->value, input.points) &&
        sameInts(dataIn<IntArrayData>(kept(a.faceCounts)), input.faceCounts) &&
        sameInts(dataIn<IntArrayData>(kept(a.faceConnects)), input.faceConnects))
        return;
    for (auto& [attribute, data] : ownGeometry(input))
        node.storage(PlugPath{attribute, {}}).value = data;
}

bool computeMesh(Node& node, const PlugPath& plug) {
    const MeshAttributes& a = meshAttributes();
    if (plug.attribute != a.outMesh)
        return dag::computeMatrices(node, plug);
    node.storage(plug).value = std::shared_ptr<Data>(meshOf(node));
    return true;
}

}  // namespace

const MeshAttributes& meshAttributes() {
    return mutableAttributes();
}

std::shared_ptr<MeshData> meshOf(Node& node) {
    const MeshAttributes& a = meshAttributes();
    auto mesh = std::make_shared<MeshData>();
    PlugRef in{&node, PlugPath{a.inMesh, {}}};
    if (node.inputs.count(in.path)) {
        if (auto upstream = dataIn<MeshData>(evaluate(in))) {
            mesh = std::make_shared<MeshData>(*upstream);
            if (isConstructionHistory(node.inputs.find(in.path)->second.node->type()))
                keepInput(node, *mesh);
        }
    } else {
        if (auto p = dataIn<PointArrayData>(evaluate(PlugRef{&node, PlugPath{a.vertices, {}}})))
            mesh->points = p->value;
        if (auto c = dataIn<IntArrayData>(evaluate(PlugRef{&node, PlugPath{a.faceCounts, {}}})))
            for (unsigned i = 0; i < c->value.length(); ++i)
                mesh->faceCounts.push_back(c->value[i]);
        if (auto f = dataIn<IntArrayData>(evaluate(PlugRef{&node, PlugPath{a.faceConnects, {}}})))
            for (unsigned i = 0; i < f->value.length(); ++i)
                mesh->faceConnects.push_back(f->value[i]);
    }
    for (unsigned index : node.elementIndices(PlugPath{a.tweaks, {}})) {
        if (index >= mesh->points.length())
            continue;
        for (unsigned k = 0; k < 3; ++k) {
            Attribute* component = a.tweaks->children[k].get();
            mesh->points[index][k] +=
                valueAsDouble(evaluate(PlugRef{&node, PlugPath{component, {index}}}));
        }
    }
    return mesh;
}

void keepHistoryOutput(Node& node) {
    // Working out the output keeps the input with it, and the output is
    // worked out again only when the history changed since.
    auto in = node.inputs.find(PlugPath{meshAttributes().inMesh, {}});
    if (in != node.inputs.end() && isConstructionHistory(in->second.node->type()))
        evaluateInPlace(PlugRef{&node, PlugPath{meshAttributes().outMesh, {}}});
}

MPointArray meshPoints(Node& node) {
    return meshOf(node)->points;
}

void setGeometry(Node& node, const MeshData& data) {
    for (auto& [attribute, value] : ownGeometry(data))
        assign(PlugRef{&node, PlugPath{attribute, {}}}, value);
}

void registerMeshType() {
    NodeTypeRegistry& registry = NodeTypeRegistry::instance();
    if (registry.find("mesh"))
        return;
    NodeType& mesh = registry.addBuiltin("mesh", "shape", MFn::kMesh, 0x444D5348);
    mesh.compute = computeMesh;
    MeshAttributes& a = mutableAttributes();
    auto in = attrs::typed("inMesh", "i", MFnData::kMesh);
    in->storable = false;
    auto out = attrs::typed("outMesh", "o", MFnData::kMesh);
    out->writable = false;
    out->storable = false;
    auto vertices = attrs::typed("vrts", "vt", MFnData::kPointArray);
    auto counts = attrs::typed("faceVertexCounts", "fvc", MFnData::kIntArray);
    auto connects = attrs::typed("faceVertexIndices", "fvi", MFnData::kIntArray);
    auto tweaks = attrs::numeric("pnts", "pt", MFnNumericData::k3Float);
    tweaks->defaultValue = Value{};
    for (const char* axis : {"x", "y", "z"})
        tweaks->addChild(attrs::numeric(std::string("pnt") + axis, std::string("p") + axis,
                                        MFnNumericData::kFloat));
    tweaks->array = true;
    for (const auto& input : {in, vertices, counts, connects, tweaks})
        attrs::affects(input, out);
    for (const auto& attribute : {in, out, vertices, counts, connects, tweaks})
        mesh.addAttribute(attribute);
    a.inMesh = in.get();
    a.outMesh = out.get();
    a.vertices = vertices.get();
    a.faceCounts = counts.get();
    a.faceConnects = connects.get();
    a.tweaks = tweaks.get();
    selection::registerComponentKind({MFn::kMesh, "vtx", MFn::kMeshVertComponent, [](Node& n) {
                                          return static_cast<long>(meshPoints(n).length());
                                      }});
}

}  // namespace geometry
}  // namespace host
