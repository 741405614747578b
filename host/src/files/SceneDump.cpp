#include "files/SceneDump.h"

#include "files/SceneWriter.h"

namespace host {
namespace files {

std::string dumpScene() {
    return sceneBody();
}

}  // namespace files
}  // namespace host
