#pragma once

namespace host {
namespace undo {

// The host's commands undo, redo, undoInfo and flushUndo.
void registerCommands();

}  // namespace undo
}  // namespace host
