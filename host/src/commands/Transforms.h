#ifndef HOST_COMMANDS_TRANSFORMS_H
#define HOST_COMMANDS_TRANSFORMS_H
// What the commands that change transforms share.

#include "graph/Node.h"

#include <vector>

namespace host {
namespace commands {

// The plugs that shape a transform's local matrix, the ones a command that
// moves an object keeps for undo.
std::vector<PlugPath> transformPlugs();

}  // namespace commands
}  // namespace host

#endif
