#include "files/MeshLayout.h"

#include "commands/Support.h"
#include "files/AttributeTexts.h"
#include "geometry/Mesh.h"
#include "graph/Data.h"

#include <algorithm>

#include <cstdlib>

namespace host {
namespace files {

namespace {

bool toNumber(const std::string& word, double& value) {
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return !word.empty() && end && *end == '\0';
}

bool toLong(const std::string& word, long& value) {
    char* end = nullptr;
    value = std::strtol(word.c_str(), &end, 10);
    return !word.empty() && end && *end == '\0';
}

// ".vt[3:7]" gives "vt", 3 and 7; ".vt" gives "vt" and no range.
bool plugParts(const std::string& plug, std::string& name, long& first, long& last) {
    if (plug.size() < 2 || plug[0] != '.')
        return false;
    const size_t open = plug.find('[');
    name = plug.substr(1, open == std::string::npos ? std::string::npos : open - 1);
    first = last = -1;
    if (open == std::string::npos)
        return true;
    const std::string inside = plug.substr(open + 1, plug.size() - open - 2);
    const size_t colon = inside.find(':');
    if (!toLong(inside.substr(0, colon), first))
        return false;
    last = first;
    return colon == std::string::npos || toLong(inside.substr(colon + 1), last);
}

}  // namespace

bool MeshLayout::take(Node& mesh, const std::vector<std::string>& words, std::string& problem) {
    if (!mesh.type().isA("mesh") || words.empty() || words[0] != "setAttr")
        return false;
    std::string plug, type;
    std::vector<std::string> values;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "-s" || w == "-size" || w == "-ch" || w == "-capacityHint" || w == "-k" ||
            w == "-l" || w == "-cb")
            ++i;
        else if (w == "-type")
            type = i + 1 < words.size() ? words[++i] : "";
        else if (w == "-av" || w == "-alteredValue")
            continue;
        else if (plug.empty())
            plug = w;
        else
            values.push_back(w);
    }
    std::string name;
    long first = 0, last = 0;
    if (!plugParts(plug, name, first, last))
        return false;
    const bool vertices = name == "vt" || name == "vrts";
    if (!vertices && name != "ed" && name != "edge" && name != "fc" && name != "face")
        return false;
    // The host's own layout keeps every vertex in one point array.
    if (vertices && (type == "pointArray" || (first < 0 && !values.empty())))
        return false;
    Geometry& geometry = m_meshes[&mesh];
    if (values.empty())
        return true;  // a size only
    if (name == "fc" || name == "face") {
        long count = 0;
        for (size_t i = 0; i < values.size();) {
            const std::string& tag = values[i++];
            const bool face = tag == "f";
            if (face || tag == "h" || tag == "mf" || tag == "mh" || tag == "fc") {
                if (i >= values.size() || !toLong(values[i++], count) || count < 0 ||
                    static_cast<size_t>(count) > values.size() - i) {
                    problem = "A polyFaces record of " + plug + " is cut short.";
                    return true;
                }
            } else if (tag == "mu" || tag == "mc") {
                i += 1;  // the UV or colour set
                if (i >= values.size() || !toLong(values[i++], count) || count < 0 ||
                    static_cast<size_t>(count) > values.size() - i) {
                    problem = "A polyFaces record of " + plug + " is cut short.";
                    return true;
                }
            } else {
                problem = "Unknown polyFaces record \"" + tag + "\" in " + plug + ".";
                return true;
            }
            std::vector<long> loop;
            for (long k = 0; k < count; ++k) {
                long v = 0;
                toLong(values[i++], v);
                loop.push_back(v);
            }
            // Holes, UVs and colours are not part of the host's meshes.
            if (face)
                geometry.faces.push_back(loop);
        }
        return true;
    }
    const size_t width = 3;  // x y z, or v1 v2 smooth
    if (first < 0 || values.size() != static_cast<size_t>(last - first + 1) * width) {
        problem = "setAttr: " + plug + " needs " + std::to_string(width) + " values per element.";
        return true;
    }
    for (long index = first; index <= last; ++index) {
        double v[3];
        for (size_t k = 0; k < 3; ++k)
            if (!toNumber(values[(index - first) * width + k], v[k])) {
                problem = "setAttr: " + plug + " holds a value that is not a number.";
                return true;
            }
        if (vertices)
            geometry.vertices[index] = {v[0], v[1], v[2]};
        else
            geometry.edges[index] = {static_cast<long>(v[0]), static_cast<long>(v[1])};
    }
    return true;
}

bool MeshLayout::isGeometry(const Attribute* attribute) {
    const geometry::MeshAttributes& a = geometry::meshAttributes();
    return attribute == a.vertices || attribute == a.faceCounts || attribute == a.faceConnects;
}

namespace {

std::string geometryLines(const PointArrayData& points, const IntArrayData* counts,
                          const IntArrayData* connects) {
    const unsigned n = points.value.length();
    std::string text =
        "\tsetAttr -s " + std::to_string(n) + " \".vt[0:" + std::to_string(n - 1) + "]\"";
    for (unsigned i = 0; i < n; ++i)
        for (double v : {points.value[i].x, points.value[i].y, points.value[i].z})
            text += " " + numberText(v, NumberKind::kDouble);
    text += ";\n";
    if (!counts || !connects || counts->value.length() == 0)
        return text;
    // Each side of a face is an edge; a side walked against the edge's
    // direction is written as -index-1.
    std::map<std::pair<int, int>, long> edgeIndex;
    std::vector<std::pair<int, int>> edges;
    std::string faces;
    unsigned at = 0;
    for (unsigned f = 0; f < counts->value.length(); ++f) {
        const int count = counts->value[f];
        faces += "\n\t\tf " + std::to_string(count);
        for (int k = 0; k < count; ++k) {
            const int from = connects->value[at + k];
            const int to = connects->value[at + (k + 1) % count];
            auto key = std::minmax(from, to);
            auto found = edgeIndex.find(key);
            if (found == edgeIndex.end()) {
                found = edgeIndex.emplace(key, static_cast<long>(edges.size())).first;
                edges.emplace_back(from, to);
            }
            const bool forward = edges[found->second].first == from;
            faces += " " + std::to_string(forward ? found->second : -found->second - 1);
        }
        at += count;
    }
    text += "\tsetAttr -s " + std::to_string(edges.size()) +
            " \".ed[0:" + std::to_string(edges.size() - 1) + "]\"";
    for (const auto& [from, to] : edges)
        text += " " + std::to_string(from) + " " + std::to_string(to) + " 0";
    text += ";\n\tsetAttr -s " + std::to_string(counts->value.length()) +
            " \".fc[0:" + std::to_string(counts->value.length() - 1) + "]\" -type \"polyFaces\"" +
            faces + ";\n";
    return text;
}

}  // namespace

std::string MeshLayout::linesOf(Node& mesh, Written& written) {
    const geometry::MeshAttributes& a = geometry::meshAttributes();
    if (!mesh.type().isA("mesh") || mesh.inputs.count(PlugPath{a.inMesh, {}}))
        return "";
    // The mesh's own points and faces, without its tweaks (written apart).
    auto own = [&](Attribute* attribute) -> std::shared_ptr<Data> {
        const PlugValue* stored = mesh.stored(PlugPath{attribute, {}});
        auto* data = stored ? std::get_if<std::shared_ptr<Data>>(&stored->value) : nullptr;
        return data ? *data : nullptr;
    };
    auto points = std::dynamic_pointer_cast<PointArrayData>(own(a.vertices));
    auto counts = std::dynamic_pointer_cast<IntArrayData>(own(a.faceCounts));
    auto connects = std::dynamic_pointer_cast<IntArrayData>(own(a.faceConnects));
    if (!points || points->value.length() == 0)
        return "";
    auto [at, added] = written.try_emplace({points, counts, connects});
    if (added)
        at->second = geometryLines(*points, counts.get(), connects.get());
    return at->second;
}

std::vector<std::string> MeshLayout::apply() {
    std::vector<std::string> problems;
    for (auto& [mesh, geometry] : m_meshes) {
        if (!mesh->inScene || geometry.vertices.empty())
            continue;
        geometry::MeshData data;
        std::map<long, int> position;
        for (const auto& [index, v] : geometry.vertices) {
            position[index] = static_cast<int>(data.points.length());
            data.points.append(MPoint(v[0], v[1], v[2]));
        }
        bool sound = true;
        for (const std::vector<long>& walk : geometry.faces) {
            data.faceCounts.push_back(static_cast<int>(walk.size()));
            for (long token : walk) {
                const long edge = token >= 0 ? token : -token - 1;
                auto e = geometry.edges.find(edge);
                auto v = e == geometry.edges.end()
                             ? position.end()
                             : position.find(token >= 0 ? e->second.first : e->second.second);
                if (v == position.end()) {
                    sound = false;
                    break;
                }
                data.faceConnects.push_back(v->second);
            }
            if (!sound)
                break;
        }
        if (!sound || !data.valid()) {
            problems.push_back("The faces of " + commands::nameOf(*mesh) +
                               " name edges or vertices it does not have; it keeps no geometry.");
            continue;
        }
        geometry::setGeometry(*mesh, data);
    }
    m_meshes.clear();
    return problems;
}

}  // namespace files
}  // namespace host
