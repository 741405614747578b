#ifndef HOST_COMMANDS_BUILTINFLAGS_H
#define HOST_COMMANDS_BUILTINFLAGS_H
// The flags of commands that the interpreter runs as built-ins rather than
// as MPxCommands (the session and user interface commands): read from the
// call's words against a table, with the arguments each flag takes.

#include "commands/Support.h"
#include "script/Builtins.h"
#include "script/Interpreter.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace host {
namespace commands {

// The flags of a call, by long name, and the words that are not flags. A
// flag used several times has the arguments of every use, in order.
struct Flags {
    bool query = false, edit = false;
    std::map<std::string, std::vector<mel::Value>> set;
    std::vector<mel::Value> words;
    bool has(const std::string& name) const { return set.count(name) != 0; }
    std::string text(const std::string& name) const {
        auto it = set.find(name);
        return it == set.end() || it->second.empty() ? std::string() : it->second[0].text();
    }
};

struct FlagSpec {
    const char* shortName;
    const char* longName;
    unsigned args;       // arguments in create and edit mode
    unsigned queryArgs;  // arguments in query mode
};

// Reads the words; a word that starts with a dash and is no flag of the
// table (nor -q, -e) is refused with mel::BuiltinError.
Flags parseFlags(const std::vector<mel::Value>& args, const FlagSpec* known, std::size_t count);

// Runs body with the parsed flags; a mel::BuiltinError (from the reading or
// the body) becomes the command's error line.
template <std::size_t N, class Body>
bool withFlags(mel::CommandCall& call, const FlagSpec (&known)[N], Body body) {
    try {
        Flags f = parseFlags(call.args, known, N);
        return body(f, call);
    } catch (const mel::BuiltinError& e) {
        error(e.message);
        return false;
    }
}

void answer(mel::CommandCall& call, mel::Value v);

// A flag's argument read as a switch: on, true, yes or a non-zero number.
bool switchValue(const mel::Value& v);

}  // namespace commands
}  // namespace host

#endif
