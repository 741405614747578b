#ifndef HOST_FILES_SCENEDUMP_H
#define HOST_FILES_SCENEDUMP_H

#include <string>

namespace host {
namespace files {

// The current scene as text that depends on the scene alone: what a scene
// file would hold after its header (nodes, dynamic attributes, values that
// differ from the defaults, instances, connections). Two scenes are alike
// exactly when their dumps are equal, so tests compare a scene before and
// after undo, or before a save and after the open.
std::string dumpScene();

}  // namespace files
}  // namespace host

#endif
