#ifndef HOST_FILES_MESHLAYOUT_H
#define HOST_FILES_MESHLAYOUT_H

// A mesh's geometry as the application's files hold it: vertices (.vt),
// edges (.ed, two vertices and a smooth flag each) and faces (.fc, polyFaces
// records that walk edges), gathered while a file is read and given to the
// mesh once it is read.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {
class Node;
class Attribute;
class Data;

namespace files {

class MeshLayout {
public:
    // Takes a setAttr statement's words when they set .vt, .ed or .fc of a
    // mesh in that layout; false when they are not such a statement. A
    // malformed one is taken and leaves `problem` set.
    bool take(Node& mesh, const std::vector<std::string>& words, std::string& problem);
    // Gives each mesh its geometry; a mesh whose faces name missing edges
    // or vertices keeps none, and is named in the returned problems.
    std::vector<std::string> apply();

    // The geometry lines written so far in one save, by the data they came
    // from (held, so that no other data takes its place while the save
    // runs): the copies a bake made of one object share its data, and so
    // their lines.
    using Written = std::map<std::array<std::shared_ptr<const Data>, 3>, std::string>;
    // The lines that give a mesh its own geometry in that layout, each behind
    // a tab; empty for a mesh without geometry of its own.
    static std::string linesOf(Node& mesh, Written& written);
    // Whether the writer leaves the attribute to linesOf.
    static bool isGeometry(const Attribute* attribute);

private:
    struct Geometry {
        std::map<long, std::vector<double>> vertices;
        std::map<long, std::pair<long, long>> edges;
        std::vector<std::vector<long>> faces;  // edge walks
    };
    std::map<Node*, Geometry> m_meshes;
};

}  // namespace files
}  // namespace host

#endif
