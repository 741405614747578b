#include "plugin/CommandBridge.h"

#include "foundation/Output.h"
#include "plugin/Args.h"
#include "plugin/CommandResult.h"
#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <maya/MArgList.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

namespace host {
namespace plugin {

namespace {

struct Definition {
    std::string name;
    MCreatorFunction creator = nullptr;
    MSyntax syntax;
    std::string pluginName;
};

// Shared, so that a command that removes itself while it runs keeps its
// definition until it returns.
using DefinitionPtr = std::shared_ptr<const Definition>;

std::map<std::string, DefinitionPtr>& definitions() {
    static std::map<std::string, DefinitionPtr> table;
    return table;
}

// Definition order, for commandsOf.
std::vector<std::string>& order() {
    static std::vector<std::string> names;
    return names;
}

// Plug-ins stay listed at depth 0 once their commands have run: a plug-in's
// every call would otherwise add and remove its entry.
std::map<std::string, int>& running() {
    static std::map<std::string, int> depth;
    return depth;
}

bool isIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) {
        return false;
    }
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
            return false;
        }
    }
    return true;
}

// Whether a word can stand unquoted in a typed command.
bool isBareWord(const std::string& word) {
    if (word.empty() || word[0] == '-') {
        return false;
    }
    for (char c : word) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.' && c != ':' &&
            c != '|' && c != '*') {
            return false;
        }
    }
    return true;
}

// Appends the argument to out as it would be typed.
void render(const mel::Value& arg, std::string& out) {
    if (isFlagToken(arg)) {
        out += arg.str();
        return;
    }
    switch (arg.type()) {
        case mel::Type::String:
            if (isBareWord(arg.str())) {
                out += arg.str();
            } else {
                appendQuoted(out, arg.str());
            }
            return;
        case mel::Type::Vector: {
            const mel::Vec3 v = arg.asVector();
            out += "<<" + mel::formatFloat(v.x) + ", " + mel::formatFloat(v.y) + ", " +
                   mel::formatFloat(v.z) + ">>";
            return;
        }
        case mel::Type::StringArray:
        case mel::Type::IntArray:
        case mel::Type::FloatArray:
        case mel::Type::VectorArray:
            out += '{';
            for (std::size_t i = 0; i < arg.size(); ++i) {
                if (i) {
                    out += ", ";
                }
                render(arg.element(i), out);
            }
            out += '}';
            return;
        default:
            out += arg.text();
    }
}

// The call as it would be typed, for undo and redo messages.
std::string callText(const std::string& name, const std::vector<mel::Value>& args) {
    std::string text = name;
    for (const mel::Value& arg : args) {
        text += ' ';
        render(arg, text);
    }
    return text;
}

// A command whose doIt runs now and what its call text is made from; args is
// null once the text is made or set.
struct PendingText {
    MPxCommand* command;
    const std::string* name;
    const std::vector<mel::Value>* args;
};

// Innermost last.
std::vector<PendingText>& pendingTexts() {
    static std::vector<PendingText> texts;
    return texts;
}

PendingText* findPending(const MPxCommand& command) {
    std::vector<PendingText>& texts = pendingTexts();
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
        if (it->command == &command) {
            return &*it;
        }
    }
    return nullptr;
}

class PendingTextScope {
public:
    PendingTextScope(MPxCommand& command, const std::string& name,
                     const std::vector<mel::Value>& args) {
        pendingTexts().push_back(PendingText{&command, &name, &args});
    }
    ~PendingTextScope() { pendingTexts().pop_back(); }
    PendingTextScope(const PendingTextScope&) = delete;
    PendingTextScope& operator=(const PendingTextScope&) = delete;
};

// Runs one of a command object's entry points, turning an exception that
// escapes it into an error line.
bool invoke(const std::string& name, const std::function<MStatus()>& entryPoint) {
    try {
        return entryPoint().statusCode() == MS::kSuccess;
    } catch (const std::exception& e) {
        Output::instance().error(name + ": " + e.what());
    } catch (...) {
        Output::instance().error(name + ": unexpected exception");
    }
    return false;
}

// Marks the plug-in's code as in use while one of its commands runs.
class Running {
public:
    explicit Running(const std::string& pluginName) : m_depth(running()[pluginName]) { ++m_depth; }
    ~Running() { --m_depth; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    int& m_depth;  // map entries stay where they are
};

class CommandEntry : public undo::Entry {
public:
    CommandEntry(std::unique_ptr<MPxCommand> command, std::string pluginName)
        : m_command(std::move(command)), m_plugin(std::move(pluginName)) {}
    std::string name() const override { return m_command->commandString().asChar(); }

protected:
    bool undoIt() override {
        return run([this] { return m_command->undoIt(); });
    }
    bool redoIt() override {
        return run([this] { return m_command->redoIt(); });
    }

private:
    // Results set while undoing or redoing are not the undo command's.
    bool run(const std::function<MStatus()>& entryPoint) {
        Running running(m_plugin);
        ResultScope discarded;
        return invoke(name(), entryPoint);
    }

    std::unique_ptr<MPxCommand> m_command;
    std::string m_plugin;
};

bool carryOut(const Definition& definition, mel::CommandCall& call) {
    Running running(definition.pluginName);
    std::unique_ptr<MPxCommand> command(static_cast<MPxCommand*>(definition.creator()));
    if (!command) {
        Output::instance().error(definition.name + ": the command could not be created.");
        return false;
    }
    CommandAccess::prepare(*command, definition.syntax);
    // The arguments are lent to the command's list and given back after.
    MArgList args = ArgListAccess::fromValues(std::move(call.args));
    bool ok = false;
    bool keep = false;
    {
        PendingTextScope text(*command, definition.name, ArgListAccess::values(args));
        {
            ResultScope result;
            ok = invoke(definition.name, [&] { return command->doIt(args); });
            call.hasResult = result.hasResult();
            if (call.hasResult) {
                call.result = result.take();
                call.booleanResult = result.isBoolean();
            }
        }
        // An entry nothing would keep is not made.
        keep = ok && command->isUndoable() && undo::isRecording();
        if (keep) {
            makePendingText(*command);
        }
    }
    call.args = ArgListAccess::take(args);
    if (keep) {
        undo::record(std::make_unique<CommandEntry>(std::move(command), definition.pluginName));
    }
    return ok;
}

}  // namespace

MStatus defineCommand(const std::string& name, MCreatorFunction creator,
                      MCreateSyntaxFunction createSyntax, const std::string& pluginName) {
    if (!isIdentifier(name) || !creator) {
        return MS::kInvalidParameter;
    }
    mel::Interpreter& interpreter = mel::Interpreter::instance();
    if (interpreter.commandExists(name) || definitions().count(name)) {
        return MS::kFailure;
    }
    auto definition = std::make_shared<Definition>();
    definition->name = name;
    definition->creator = creator;
    definition->pluginName = pluginName;
    if (createSyntax) {
        definition->syntax = createSyntax();
    }
    definitions()[name] = definition;
    order().push_back(name);
    interpreter.defineCommand(name, [name](mel::CommandCall& call) {
        const auto found = definitions().find(name);
        if (found == definitions().end()) {
            return false;
        }
        const DefinitionPtr held = found->second;
        return carryOut(*held, call);
    });
    return MS::kSuccess;
}

MStatus undefineCommand(const std::string& name, const std::string& pluginName) {
    const auto found = definitions().find(name);
    if (found == definitions().end() || found->second->pluginName != pluginName) {
        return MS::kFailure;
    }
    definitions().erase(found);
    order().erase(std::find(order().begin(), order().end(), name));
    mel::Interpreter::instance().undefineCommand(name);
    return MS::kSuccess;
}

bool syntaxOf(const std::string& name, MSyntax& syntax) {
    const auto found = definitions().find(name);
    if (found == definitions().end()) {
        return false;
    }
    syntax = found->second->syntax;
    return true;
}

std::vector<std::string> commandsOf(const std::string& pluginName) {
    std::vector<std::string> result;
    for (const std::string& name : order()) {
        if (definitions().at(name)->pluginName == pluginName) {
            result.push_back(name);
        }
    }
    return result;
}

void makePendingText(const MPxCommand& command) {
    PendingText* pending = findPending(command);
    if (pending && pending->args) {
        CommandAccess::setText(*pending->command, callText(*pending->name, *pending->args));
        pending->args = nullptr;
    }
}

void dropPendingText(const MPxCommand& command) {
    if (PendingText* pending = findPending(command)) {
        pending->args = nullptr;
    }
}

bool isRunningCommandOf(const std::string& pluginName) {
    const auto found = running().find(pluginName);
    return found != running().end() && found->second > 0;
}

}  // namespace plugin
}  // namespace host
