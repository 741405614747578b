#pragma once
// What an MSyntax holds, and the checking of one call against it.

#include "script/Value.h"

#include <maya/MArgParser.h>
#include <maya/MSelectionList.h>
#include <maya/MSyntax.h>

#include <string>
#include <string_view>
#include <vector>

namespace host {
namespace plugin {

struct FlagSpec {
    std::string shortName;  // without the dash
    std::string longName;
    std::vector<MSyntax::MArgType> argTypes;
    bool multiUse = false;
    bool queryWithFullArgs = false;
};

struct SyntaxData {
    std::vector<FlagSpec> flags;
    std::vector<MSyntax::MArgType> commandArgs;
    MSyntax::MObjectFormat objectFormat = MSyntax::kNone;
    unsigned int minObjects = 0;
    unsigned int maxObjects = 0xFFFFFFFFu;
    bool useSelectionAsDefault = false;
    bool queryEnabled = false;
    bool editEnabled = false;
    // How many MSyntax objects share this data. Commands copy their syntax
    // at every call, so copies share it and one that changes it first takes
    // a copy of its own.
    unsigned int owners = 1;

    // The flag called name (short or long, with or without the dash).
    const FlagSpec* findFlag(std::string_view name) const;
};

struct SyntaxAccess {
    static const SyntaxData& data(const MSyntax& syntax) { return *syntax.fData; }
};

struct FlagUse {
    const FlagSpec* flag;
    std::vector<mel::Value> args;  // converted to the flag's argument kinds
};

// A call checked against a syntax. The flag uses point into the syntax it
// holds (which nothing changes while it is shared), so it is never copied.
struct ParsedArgs {
    ParsedArgs() : syntax(SyntaxAccess::data(m_grammar)) {}
    explicit ParsedArgs(const MSyntax& grammar)
        : m_grammar(grammar), syntax(SyntaxAccess::data(m_grammar)) {}
    ParsedArgs(const ParsedArgs&) = delete;
    ParsedArgs& operator=(const ParsedArgs&) = delete;

private:
    const MSyntax m_grammar;

public:
    const SyntaxData& syntax;
    bool ok = false;
    bool query = false;
    bool edit = false;
    std::vector<FlagUse> uses;
    std::vector<mel::Value> commandArgs;
    std::vector<std::string> objects;
    // The objects resolved, when the syntax asks for a selection list.
    MSelectionList objectList;

    // The uses of a flag in call order; empty for a flag not in the syntax.
    std::vector<const FlagUse*> usesOf(std::string_view flag) const;
    // The first use of the flag, or null.
    const FlagUse* firstUse(const FlagSpec* flag) const;
    std::size_t useCount(const FlagSpec* flag) const;
};

// The object names of a call as it was read; none for a call that failed
// its check.
const std::vector<std::string>& objectNames(const MArgParser& args);

// Checks args against parsed.syntax and fills parsed, which is fresh. The
// first problem found is shown as an error line and leaves ok false.
void parseArguments(const std::vector<mel::Value>& args, ParsedArgs& parsed);

}  // namespace plugin
}  // namespace host
