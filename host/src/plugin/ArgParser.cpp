#include "plugin/Args.h"
#include "plugin/Syntax.h"
#include "script/Interpreter.h"
#include "selection/Selection.h"

#include <maya/MAngle.h>
#include <maya/MArgDatabase.h>
#include <maya/MDistance.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include <algorithm>
#include <set>
#include <utility>

namespace host {
namespace plugin {

std::vector<const FlagUse*> ParsedArgs::usesOf(std::string_view flag) const {
    std::vector<const FlagUse*> result;
    const FlagSpec* wanted = syntax.findFlag(flag);
    for (const FlagUse& use : uses) {
        if (wanted && use.flag == wanted) {
            result.push_back(&use);
        }
    }
    return result;
}

const FlagUse* ParsedArgs::firstUse(const FlagSpec* flag) const {
    for (const FlagUse& use : uses) {
        if (flag && use.flag == flag) {
            return &use;
        }
    }
    return nullptr;
}

std::size_t ParsedArgs::useCount(const FlagSpec* flag) const {
    std::size_t count = 0;
    for (const FlagUse& use : uses) {
        count += flag && use.flag == flag;
    }
    return count;
}

namespace {

bool isQueryFlag(const SyntaxData& syntax, std::string_view name) {
    return syntax.queryEnabled && (name == "q" || name == "query");
}

bool isEditFlag(const SyntaxData& syntax, std::string_view name) {
    return syntax.editEnabled && (name == "e" || name == "edit");
}

// Walks the call once; each check that fails stops it with its message.
class Checker {
public:
    Checker(const std::vector<mel::Value>& args, ParsedArgs& parsed)
        : m_syntax(parsed.syntax), m_args(args), m_parsed(parsed) {}

    bool run() {
        // Whether flags take their arguments depends on query mode, wherever
        // in the call the query flag stands.
        for (const mel::Value& arg : m_args) {
            if (isFlagToken(arg) && isQueryFlag(m_syntax, stripDash(arg.str()))) {
                m_parsed.query = true;
            }
        }
        std::vector<const mel::Value*> positional;
        positional.reserve(m_args.size());
        for (std::size_t i = 0; i < m_args.size(); ++i) {
            if (!isFlagToken(m_args[i])) {
                positional.push_back(&m_args[i]);
            } else if (!readFlag(i)) {
                return false;
            }
        }
        if (m_parsed.query && m_parsed.edit) {
            return fail("Edit and query flags cannot be used together.");
        }
        return readCommandArgs(positional) && readObjects(positional);
    }

private:
    bool fail(const std::string& message) {
        mel::Interpreter::instance().reportError(message);
        return false;
    }

    // Reads the flag at i and its arguments; leaves i on its last argument.
    bool readFlag(std::size_t& i) {
        const std::string& typed = m_args[i].str();
        const std::string_view name = stripDash(typed);
        if (isQueryFlag(m_syntax, name)) {
            return true;
        }
        if (isEditFlag(m_syntax, name)) {
            m_parsed.edit = true;
            return true;
        }
        const FlagSpec* flag = m_syntax.findFlag(name);
        if (!flag) {
            return fail("Invalid flag: " + typed);
        }
        if (!flag->multiUse && m_parsed.useCount(flag) > 0) {
            return fail("Flag '" + typed + "' can only be used once.");
        }
        FlagUse use{flag, {}};
        const bool takesArgs = !m_parsed.query || flag->queryWithFullArgs;
        for (std::size_t k = 0; takesArgs && k < flag->argTypes.size(); ++k) {
            const MSyntax::MArgType type = flag->argTypes[k];
            mel::Value converted;
            const bool present = i + 1 < m_args.size() && !namesFlag(m_args[i + 1]);
            if (!present || !convertArgument(m_args[i + 1], type, converted)) {
                return fail("Flag '" + typed + "' must be passed " + describeArgType(type) +
                            " argument.");
            }
            use.args.push_back(converted);
            ++i;
        }
        m_parsed.uses.push_back(std::move(use));
        return true;
    }

    // A text that is one of this syntax's flags cannot be a flag argument;
    // other texts that begin with a dash can.
    bool namesFlag(const mel::Value& arg) const {
        if (!isFlagToken(arg)) {
            return false;
        }
        const std::string_view name = stripDash(arg.str());
        return m_syntax.findFlag(name) || isQueryFlag(m_syntax, name) || isEditFlag(m_syntax, name);
    }

    bool readCommandArgs(std::vector<const mel::Value*>& positional) {
        const std::size_t wanted = m_syntax.commandArgs.size();
        if (positional.size() < wanted) {
            return fail("Not enough objects or values.");
        }
        for (std::size_t k = 0; k < wanted; ++k) {
            mel::Value converted;
            if (!convertArgument(*positional[k], m_syntax.commandArgs[k], converted)) {
                return fail("Invalid argument " + std::to_string(k + 1) + ", '" +
                            positional[k]->text() + "'. Expected " +
                            describeArgType(m_syntax.commandArgs[k]) + ".");
            }
            m_parsed.commandArgs.push_back(converted);
        }
        positional.erase(positional.begin(), positional.begin() + static_cast<long>(wanted));
        return true;
    }

    bool readObjects(const std::vector<const mel::Value*>& positional) {
        m_parsed.objects.reserve(positional.size());
        for (const mel::Value* arg : positional) {
            if (arg->type() == mel::Type::String) {
                m_parsed.objects.push_back(arg->str());
                continue;
            }
            for (const std::string& name : arg->toStringList()) {
                m_parsed.objects.push_back(name);
            }
        }
        const MSyntax::MObjectFormat format = m_syntax.objectFormat;
        if (format != MSyntax::kStringObjects && format != MSyntax::kSelectionList) {
            return m_parsed.objects.empty() || fail("Too many objects or values.");
        }
        std::size_t count = m_parsed.objects.size();
        if (count == 0 && m_syntax.useSelectionAsDefault) {
            MGlobal::getActiveSelectionList(m_parsed.objectList);
            MStringArray names;
            m_parsed.objectList.getSelectionStrings(names);
            for (unsigned int k = 0; k < names.length(); ++k) {
                m_parsed.objects.emplace_back(names[k].asChar());
            }
            count = format == MSyntax::kSelectionList ? m_parsed.objectList.length()
                                                      : m_parsed.objects.size();
        } else if (format == MSyntax::kSelectionList) {
            size_t failed = 0;
            if (!host::selection::addNames(m_parsed.objectList, m_parsed.objects, &failed)) {
                return fail("No object matches name: " + m_parsed.objects[failed]);
            }
            count = m_parsed.objectList.length();
        }
        if (count < m_syntax.minObjects) {
            return fail("Not enough objects or values.");
        }
        if (count > m_syntax.maxObjects) {
            return fail("Too many objects or values.");
        }
        return true;
    }

    const SyntaxData& m_syntax;
    const std::vector<mel::Value>& m_args;
    ParsedArgs& m_parsed;
};

}  // namespace

namespace {
// The host's own commands read what a parser holds without copies into the
// API's kinds.
struct ParserAccess : MArgParser {
    static const ParsedArgs& parsed(const MArgParser& args) {
        return *(args.*(&ParserAccess::fParsed));
    }
};
}  // namespace

const std::vector<std::string>& objectNames(const MArgParser& args) {
    static const std::vector<std::string> none;
    const ParsedArgs& parsed = ParserAccess::parsed(args);
    return parsed.ok ? parsed.objects : none;
}

void parseArguments(const std::vector<mel::Value>& args, ParsedArgs& parsed) {
    parsed.ok = Checker(args, parsed).run();
}

}  // namespace plugin
}  // namespace host

using host::mel::Value;
using host::plugin::ParsedArgs;

namespace {

MStatus statusOf(bool ok) {
    return ok ? MStatus(MS::kSuccess) : MStatus(MS::kFailure);
}

// Argument index of the first use of flag, or null.
const Value* flagArg(const ParsedArgs* parsed, const char* flag, unsigned int index) {
    if (!parsed->ok || !flag) {
        return nullptr;
    }
    const host::plugin::FlagUse* use = parsed->firstUse(parsed->syntax.findFlag(flag));
    if (!use || index >= use->args.size()) {
        return nullptr;
    }
    return &use->args[index];
}

const Value* commandArg(const ParsedArgs* parsed, unsigned int index) {
    return parsed->ok && index < parsed->commandArgs.size() ? &parsed->commandArgs[index] : nullptr;
}

// Reads an argument found by the locator into one of the API's kinds.
template <class T>
MStatus readInto(const Value* v, T& result);

template <>
MStatus readInto(const Value* v, bool& result) {
    return statusOf(v && host::plugin::readBool(*v, result));
}
template <>
MStatus readInto(const Value* v, int& result) {
    return statusOf(v && host::plugin::readInt(*v, result));
}
template <>
MStatus readInto(const Value* v, unsigned int& result) {
    int i = 0;
    const bool ok = v && host::plugin::readInt(*v, i) && i >= 0;
    if (ok) {
        result = static_cast<unsigned int>(i);
    }
    return statusOf(ok);
}
template <>
MStatus readInto(const Value* v, double& result) {
    return statusOf(v && host::plugin::readDouble(*v, result));
}
template <>
MStatus readInto(const Value* v, MString& result) {
    std::string s;
    const bool ok = v && host::plugin::readString(*v, s);
    if (ok) {
        result = s.c_str();
    }
    return statusOf(ok);
}
template <>
MStatus readInto(const Value* v, MDistance& result) {
    double d = 0.0;
    const MStatus status = readInto(v, d);
    if (status) {
        result = MDistance(d, MDistance::uiUnit());
    }
    return status;
}
template <>
MStatus readInto(const Value* v, MAngle& result) {
    double d = 0.0;
    const MStatus status = readInto(v, d);
    if (status) {
        result = MAngle(d, MAngle::uiUnit());
    }
    return status;
}
template <>
MStatus readInto(const Value* v, MTime& result) {
    double d = 0.0;
    const MStatus status = readInto(v, d);
    if (status) {
        result = MTime(d, MTime::uiUnit());
    }
    return status;
}
template <>
MStatus readInto(const Value* v, MSelectionList& result) {
    std::string name;
    if (!v || !host::plugin::readString(*v, name)) {
        return MS::kFailure;
    }
    MSelectionList list;
    const MStatus status = list.add(MString(name.c_str()));
    if (status) {
        result = list;
    }
    return status;
}

template <class T>
T readOr(const Value* v, MStatus* status) {
    T result{};
    const MStatus s = readInto(v, result);
    if (status) {
        *status = s;
    }
    return result;
}

}  // namespace

MArgParser::MArgParser() : fParsed(new ParsedArgs) {}

MArgParser::MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus)
    : fParsed(new ParsedArgs(syntax)) {
    host::plugin::parseArguments(host::plugin::ArgListAccess::values(argList), *fParsed);
    if (ReturnStatus) {
        *ReturnStatus = statusOf(fParsed->ok);
    }
}

MArgParser::~MArgParser() {
    delete fParsed;
}

bool MArgParser::isFlagSet(const char* flag, MStatus* ReturnStatus) const {
    if (ReturnStatus) {
        const bool known = flag && fParsed->syntax.findFlag(flag);
        *ReturnStatus = known ? MS::kSuccess : MS::kInvalidParameter;
    }
    if (!flag || !fParsed->ok) {
        return false;
    }
    // No two flags of a syntax share a name, so the uses alone tell.
    const std::string_view name = host::plugin::stripDash(flag);
    for (const host::plugin::FlagUse& use : fParsed->uses) {
        if (use.flag->shortName == name || use.flag->longName == name) {
            return true;
        }
    }
    return false;
}

bool MArgParser::isEdit(MStatus* ReturnStatus) const {
    if (ReturnStatus) {
        *ReturnStatus = MS::kSuccess;
    }
    return fParsed->ok && fParsed->edit;
}

bool MArgParser::isQuery(MStatus* ReturnStatus) const {
    if (ReturnStatus) {
        *ReturnStatus = MS::kSuccess;
    }
    return fParsed->ok && fParsed->query;
}

unsigned int MArgParser::numberOfFlagsUsed() const {
    std::set<const host::plugin::FlagSpec*> used;
    for (const auto& use : fParsed->uses) {
        used.insert(use.flag);
    }
    return fParsed->ok ? static_cast<unsigned int>(used.size()) : 0;
}

unsigned int MArgParser::numberOfFlagUses(const char* flag) const {
    return flag && fParsed->ok
               ? static_cast<unsigned int>(fParsed->useCount(fParsed->syntax.findFlag(flag)))
               : 0;
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, bool& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, int& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index,
                                    unsigned int& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, double& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MString& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MDistance& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MAngle& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}
MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MTime& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}

bool MArgParser::flagArgumentBool(const char* flag, unsigned int index,
                                  MStatus* ReturnStatus) const {
    return readOr<bool>(flagArg(fParsed, flag, index), ReturnStatus);
}
int MArgParser::flagArgumentInt(const char* flag, unsigned int index, MStatus* ReturnStatus) const {
    return readOr<int>(flagArg(fParsed, flag, index), ReturnStatus);
}
double MArgParser::flagArgumentDouble(const char* flag, unsigned int index,
                                      MStatus* ReturnStatus) const {
    return readOr<double>(flagArg(fParsed, flag, index), ReturnStatus);
}
MString MArgParser::flagArgumentString(const char* flag, unsigned int index,
                                       MStatus* ReturnStatus) const {
    return readOr<MString>(flagArg(fParsed, flag, index), ReturnStatus);
}

MStatus MArgParser::getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const {
    if (!flag || !fParsed->ok) {
        return MS::kFailure;
    }
    const auto uses = fParsed->usesOf(flag);
    if (i >= uses.size()) {
        return MS::kFailure;
    }
    args = host::plugin::ArgListAccess::fromValues(uses[i]->args);
    return MS::kSuccess;
}

MStatus MArgParser::getCommandArgument(unsigned int index, bool& result) const {
    return readInto(commandArg(fParsed, index), result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, int& result) const {
    return readInto(commandArg(fParsed, index), result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, double& result) const {
    return readInto(commandArg(fParsed, index), result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, MString& result) const {
    return readInto(commandArg(fParsed, index), result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, MDistance& result) const {
    return readInto(commandArg(fParsed, index), result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, MAngle& result) const {
    return readInto(commandArg(fParsed, index), result);
}
MStatus MArgParser::getCommandArgument(unsigned int index, MTime& result) const {
    return readInto(commandArg(fParsed, index), result);
}

bool MArgParser::commandArgumentBool(unsigned int index, MStatus* ReturnStatus) const {
    return readOr<bool>(commandArg(fParsed, index), ReturnStatus);
}
int MArgParser::commandArgumentInt(unsigned int index, MStatus* ReturnStatus) const {
    return readOr<int>(commandArg(fParsed, index), ReturnStatus);
}
double MArgParser::commandArgumentDouble(unsigned int index, MStatus* ReturnStatus) const {
    return readOr<double>(commandArg(fParsed, index), ReturnStatus);
}
MString MArgParser::commandArgumentString(unsigned int index, MStatus* ReturnStatus) const {
    return readOr<MString>(commandArg(fParsed, index), ReturnStatus);
}

MStatus MArgParser::getObjects(MStringArray& result) const {
    if (!fParsed->ok) {
        return MS::kFailure;
    }
    result.setLength(static_cast<unsigned int>(fParsed->objects.size()));
    for (unsigned int i = 0; i < result.length(); ++i) {
        result[i] = fParsed->objects[i].c_str();
    }
    return MS::kSuccess;
}

MArgDatabase::MArgDatabase() = default;

MArgDatabase::MArgDatabase(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus)
    : MArgParser(syntax, argList, ReturnStatus) {}

MArgDatabase::~MArgDatabase() = default;

MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index,
                                      MSelectionList& result) const {
    return readInto(flagArg(fParsed, flag, index), result);
}

MStatus MArgDatabase::getCommandArgument(unsigned int index, MSelectionList& result) const {
    return readInto(commandArg(fParsed, index), result);
}

MStatus MArgDatabase::getObjects(MSelectionList& result) const {
    if (!fParsed->ok) {
        return MS::kFailure;
    }
    if (fParsed->syntax.objectFormat == MSyntax::kSelectionList) {
        result = fParsed->objectList;
        return MS::kSuccess;
    }
    MSelectionList list;
    const MStatus status = host::selection::addNames(list, fParsed->objects);
    if (!status) {
        return status;
    }
    result = list;
    return MS::kSuccess;
}
