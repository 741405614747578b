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

// What a file held that the host keeps only as its text, written back on
// save: requires lines of plug-ins that are not loaded, and connections
// that touch nodes of unregistered types.
struct KeptText {
    std::vector<std::string> requiresLines;
    std::vector<std::string> connections;
};
KeptText& keptText();

// Without force, a modified scene is kept and the call fails.
bool newScene(bool force);
// Reads the file statement by statement; a failing statement is shown and
// reading goes on. Only a text that is no scene file, or one where every
// statement fails, is refused, and then the scene is as it was before.
bool openScene(const std::string& path, bool force);
// Writes the scene to its name; type is empty or "mayaAscii".
bool saveScene(const std::string& type);

}  // namespace files
}  // namespace host

#endif
