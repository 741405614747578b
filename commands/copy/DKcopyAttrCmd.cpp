#include "commands/copy/DKcopyAttrCmd.h"

#include "commands/copy/DKtextEdits.h"
#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

#include <maya/MDagModifier.h>
#include <maya/MFn.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

const char* const kAttributeFlag = "a";
const char* const kPrefixFlag = "p";
const char* const kCapitalizeFlag = "cap";
const char* const kHiddenFlag = "h";
const char* const kWritableFlag = "w";
const char* const kReadableFlag = "r";

// The rewriting relies on the host's texts with short flag names, a blank
// between flag and value, quoted names and one closing semicolon.
const char* const kNameTokens[] = {"-sn \"", "-ln \"", "-p \""};

void upperCaseAt(std::string& text, std::string::size_type at) {
    if (at < text.length()) {
        text[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
    }
}

// Only the closing semicolon ends the command: one inside a quoted value
// (an enum field name) is left alone.
void insertBeforeClosingSemicolon(std::string& text, const std::string& insertion) {
    const std::string::size_type at = text.rfind(';');
    if (at != std::string::npos) {
        text.insert(at, insertion);
    }
}

// The prefix goes into quoted names of the texts that are run, so it may
// hold only what an attribute name may hold.
bool isValidPrefix(const std::string& prefix) {
    return std::all_of(prefix.begin(), prefix.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

std::string stringFlag(const MArgDatabase& database, const char* flag) {
    MString value;
    checkStatus(database.getFlagArgument(flag, 0, value));
    return value.asChar();
}

bool boolFlag(const MArgDatabase& database, const char* flag) {
    bool value = false;
    checkStatus(database.getFlagArgument(flag, 0, value));
    return value;
}

}  // namespace

const char* const DKcopyAttrCmd::commandName = "dkCopyAttr";

void* DKcopyAttrCmd::creator() {
    return new DKcopyAttrCmd;
}

MSyntax DKcopyAttrCmd::newSyntax() {
    MSyntax syntax;
    syntax.addFlag(kAttributeFlag, "attribute", MSyntax::kString);
    syntax.addFlag(kPrefixFlag, "prefix", MSyntax::kString);
    syntax.addFlag(kCapitalizeFlag, "capitalize", MSyntax::kBoolean);
    syntax.addFlag(kHiddenFlag, "hidden", MSyntax::kBoolean);
    syntax.addFlag(kWritableFlag, "writable", MSyntax::kBoolean);
    syntax.addFlag(kReadableFlag, "readable", MSyntax::kBoolean);
    syntax.setObjectType(MSyntax::kStringObjects, 1);
    syntax.useSelectionAsDefault(false);
    return syntax;
}

void DKcopyAttrCmd::parseArgs(const MArgList& args) {
    MStatus status;
    MArgDatabase database(syntax(), args, &status);
    if (status != MS::kSuccess) {
        throw DKsilentException();
    }
    parseTargets(database);

    if (!database.isFlagSet(kAttributeFlag)) {
        throw DKbadArgumentException(
            "Please specify an attribute to copy using the -attribute flag.");
    }
    const std::string name = stringFlag(database, kAttributeFlag);
    MSelectionList matches;
    MGlobal::getSelectionListByName(name.c_str(), matches);
    if (matches.length() == 0) {
        throw DKbadArgumentException(name + " is not a valid attribute name.");
    }
    if (matches.length() > 1) {
        throw DKbadArgumentException(
            name + " refers to multiple attributes - only one attribute can be copied at a time.");
    }
    matches.getPlug(0, source_);
    if (source_.isNull()) {
        throw DKbadArgumentException(name + " does not refer to an attribute.");
    }

    if (database.isFlagSet(kPrefixFlag)) {
        prefix_ = stringFlag(database, kPrefixFlag);
        if (!isValidPrefix(prefix_)) {
            throw DKbadArgumentException(prefix_ + " is not a valid attribute name prefix.");
        }
    }
    if (database.isFlagSet(kCapitalizeFlag)) {
        capitalize_ = boolFlag(database, kCapitalizeFlag);
    }
    const auto readSetting = [&database](const char* flag, Setting& setting) {
        if (database.isFlagSet(flag)) {
            setting = boolFlag(database, flag) ? kTrue : kFalse;
        }
    };
    readSetting(kHiddenFlag, hidden_);
    readSetting(kWritableFlag, writable_);
    readSetting(kReadableFlag, readable_);
}

void DKcopyAttrCmd::parseTargets(const MArgDatabase& database) {
    MStringArray names;
    checkStatus(database.getObjects(names));
    if (names.length() != 1) {
        throw DKbadArgumentException(
            "The dkCopyAttr command requires a single node name be specified as a command "
            "target.");
    }
    target_ = names[0].asChar();
}

// With an empty prefix nothing is renamed, whatever capitalize says, so the
// name stays the one the attribute is made with.
std::string DKcopyAttrCmd::prefixed(const std::string& name) const {
    if (prefix_.empty()) {
        return name;
    }
    std::string rest = name;
    if (capitalize_) {
        upperCaseAt(rest, 0);
    }
    return prefix_ + rest;
}

void DKcopyAttrCmd::rewriteAddAttrCmds(MStringArray& commands) const {
    for (unsigned i = 0; i < commands.length(); ++i) {
        std::string text = commands[i].asChar();
        if (!prefix_.empty()) {
            for (const std::string token : kNameTokens) {
                if (capitalize_) {
                    const std::string::size_type at = text.find(token);
                    if (at != std::string::npos) {
                        upperCaseAt(text, at + token.length());
                    }
                }
                replaceAll(text, token, token + prefix_);
            }
        }
        const auto force = [&text](const std::string& flag, Setting setting) {
            if (setting == kUnset) {
                return;
            }
            eraseSpan(text, flag + " ", " ");
            insertBeforeClosingSemicolon(text,
                                         " " + flag + (setting == kTrue ? " true" : " false"));
        };
        force("-h", hidden_);
        force("-w", writable_);
        force("-r", readable_);
        eraseSpan(text, " -bt \"", "\"");
        eraseSpan(text, "-is ", " ");
        eraseSpan(text, "-ci ", " ");
        // The copy goes to the top level of the target, even when the source
        // is the child of a compound; the children of a copied compound keep
        // their parent.
        if (i == 0) {
            eraseSpan(text, " -p \"", "\"");
        }
        insertBeforeClosingSemicolon(text, " \"" + escapedForQuotes(target_) + "\"");
        commands[i] = MString(text.c_str());
    }
}

MStatus DKcopyAttrCmd::doIt(const MArgList& args) {
    return errorFrame(commandName, [&] {
        clearResult();
        parseArgs(args);

        std::string name;
        MStringArray commands;
        // Asked of the attribute, not the plug: the plug of a multi compound
        // is an array, not a compound, yet its children must come along.
        const MObject attribute = source_.attribute();
        if (attribute.hasFn(MFn::kCompoundAttribute)) {
            MFnCompoundAttribute compound(attribute);
            checkStatus(compound.getAddAttrCmds(commands, false));
            name = compound.name().asChar();
        } else {
            MFnAttribute single(attribute);
            commands.append(single.getAddAttrCmd(false));
            name = single.name().asChar();
        }
        rewriteAddAttrCmds(commands);
        for (unsigned i = 0; i < commands.length(); ++i) {
            operations_.nativeModifier(true).commandToExecute(commands[i]);
        }
        // A compound whose later children the host refused must not stay
        // half made on the target: the command fails as one step.
        try {
            operations_.doIt();
        } catch (const DKexception&) {
            operations_.removeLast(1);
            throw;
        }
        setResult(prefixed(name).c_str());
        return MStatus(MS::kSuccess);
    });
}

MStatus DKcopyAttrCmd::undoIt() {
    return errorFrame(commandName, [&] {
        operations_.undoIt();
        return MStatus(MS::kSuccess);
    });
}

MStatus DKcopyAttrCmd::redoIt() {
    return errorFrame(commandName, [&] {
        operations_.doIt();
        return MStatus(MS::kSuccess);
    });
}
