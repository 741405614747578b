#ifndef HOST_FILES_SCENEFILE_H
#define HOST_FILES_SCENEFILE_H

// The current scene as a file: its name, its file information, whether it
// changed since it was last new, opened or saved; and the three ways of
// replacing or keeping it (new, open, save). Each shows its own error line
// and returns false when it fails.

#include <string>
#include <utility>
#include <vector>

namespace host {
namespace files {

using FileInfo = std::vector<std::pair<std::string, std::string>>;

// The path the scene is saved to; empty for a scene that never had one.
const std::string& sceneName();
void setSceneName(const std::string& path);
bool isModified();

// fileInfo entries, in the order they were first set.
const FileInfo& fileInfo();
void setFileInfo(const std::string& key, const std::string& value);
bool removeFileInfo(const std::string& key);

// Without force, a modified scene is kept and the call fails.
bool newScene(bool force);
// Reads the whole file and checks its syntax before anything changes. A
// file that cannot be run to its end (an unknown node type, a plug-in that
// cannot be loaded, a failing line) leaves the scene as it was before.
bool openScene(const std::string& path, bool force);
// Writes the scene to its name; type is empty or "mayaAscii".
bool saveScene(const std::string& type);

}  // namespace files
}  // namespace host

#endif
