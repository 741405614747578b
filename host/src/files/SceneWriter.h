#ifndef HOST_FILES_SCENEWRITER_H
#define HOST_FILES_SCENEWRITER_H

// The scene as the host's ASCII scene file says it. Nodes come in an order
// that depends on the scene alone, not on its history: DAG nodes depth
// first in child order (each under its first parent), then the other nodes
// by name; dynamic attributes by name; connections sorted. So two scenes
// that are alike give the same text, which is what SceneDump relies on.

#include <ostream>
#include <string>

namespace host {
namespace files {

// Everything from the first createNode to the last connection.
void writeSceneBody(std::ostream& out);
std::string sceneBody();
// A whole scene file: header, requires lines, units, file information, the
// body and the closing line. fileName is what the header calls the file.
void writeSceneFile(std::ostream& out, const std::string& fileName);
std::string sceneFile(const std::string& fileName);

}  // namespace files
}  // namespace host

#endif
