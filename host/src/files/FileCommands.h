#ifndef HOST_FILES_FILECOMMANDS_H
#define HOST_FILES_FILECOMMANDS_H

namespace host {
namespace files {

// The host's commands file, requires and fileInfo. None of them is undoable:
// new and open empty the undo queue.
void registerCommands();

}  // namespace files
}  // namespace host

#endif
