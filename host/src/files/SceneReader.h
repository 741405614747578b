#ifndef HOST_FILES_SCENEREADER_H
#define HOST_FILES_SCENEREADER_H

// Reading a scene file the way the application does: one statement at a
// time, going on after a statement that fails, each failure shown with the
// file and line. What belongs to node types nobody registered is kept as
// the file had it.

#include <cstddef>
#include <string>
#include <vector>

namespace host {
namespace files {

struct Statement {
    std::string text;  // from its first word to its closing ';'
    int line = 1;      // where it starts in the file
};

// The top-level statements of a file, in order. A text left after the last
// ';' is given in `unfinished` (empty when the file ends cleanly).
std::vector<Statement> splitStatements(const std::string& text, Statement& unfinished);

// The words of one statement: bare words and the contents of quoted strings,
// without the closing ';'. Enough to see what a file statement names.
std::vector<std::string> statementWords(const std::string& statement);

// Why a text cannot be a scene file at all, or empty when it can be one.
std::string notASceneFile(const std::string& text);

struct ReadCount {
    std::size_t statements = 0;
    std::size_t failed = 0;
};

// Runs the file's statements into the current scene.
ReadCount readScene(const std::string& path, const std::string& text);

}  // namespace files
}  // namespace host

#endif
