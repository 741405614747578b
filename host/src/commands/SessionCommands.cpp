// Commands about the session rather than the scene: workspace (the project directory and its
// file rules), scriptJob, and the UI feedback commands waitCursor, progressWindow and
// refresh, which in a session without a UI keep their state and show nothing; and
// autoKeyframe, whose state setAttr follows.
#include "commands/BuiltinFlags.h"
#include "commands/Support.h"
#include "script/Builtins.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace host {
namespace commands {

namespace {

using mel::BuiltinError;
using mel::CommandCall;
using mel::Value;

// ---------------------------------------------------------------- workspace

namespace fs = std::filesystem;

struct Workspace {
    fs::path root = fs::current_path();
    fs::path directory = root;
    // The usual rules of a new project: where each kind of file goes.
    std::vector<std::pair<std::string, std::string>> rules = {
        {"scene", "scenes"},
        {"mayaAscii", "scenes"},
        {"mayaBinary", "scenes"},
        {"images", "images"},
        {"sourceImages", "sourceimages"},
        {"particles", "particles"},
        {"mel", "scripts"},
        {"diskCache", "data"},
        {"movie", "movies"},
        {"textures", "textures"},
    };
};

Workspace& workspace() {
    static Workspace w;
    return w;
}

std::string withSlash(const fs::path& p) {
    std::string s = p.generic_string();
    return !s.empty() && s.back() == '/' ? s : s + "/";
}

std::string withoutSlash(const fs::path& p) {
    std::string s = p.generic_string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

// A name relative to the project root made whole; a whole path stays as it is.
fs::path expanded(const std::string& name) {
    if (name.empty())
        return workspace().root;
    const fs::path p(name);
    return p.is_absolute() ? p : workspace().root / p;
}

const FlagSpec kWorkspaceFlags[] = {
    {"rd", "rootDirectory", 0, 0},  {"fn", "fullName", 0, 0},
    {"sn", "shortName", 0, 0},      {"dir", "directory", 1, 0},
    {"o", "openWorkspace", 0, 0},   {"act", "active", 0, 0},
    {"cr", "create", 1, 1},         {"en", "expandName", 1, 1},
    {"pp", "projectPath", 1, 1},    {"fr", "fileRule", 2, 0},
    {"fre", "fileRuleEntry", 1, 1}, {"l", "list", 0, 0},
    {"lw", "listWorkspaces", 0, 0}, {"lfw", "listFullWorkspaces", 0, 0},
    {"n", "newWorkspace", 0, 0},    {"s", "saveWorkspace", 0, 0},
    {"u", "update", 0, 0},          {"ua", "updateAll", 0, 0},
};

std::string projectPath(const std::string& name) {
    const std::string root = withSlash(workspace().root);
    const std::string full = expanded(name).generic_string();
    return full.compare(0, root.size(), root) == 0 ? full.substr(root.size()) : full;
}

bool createDirectory(const std::string& name) {
    std::error_code ec;
    fs::create_directories(expanded(name), ec);
    return !ec;
}

std::string ruleLocation(const std::string& rule) {
    for (const auto& r : workspace().rules)
        if (r.first == rule)
            return r.second;
    return std::string();
}

std::vector<std::string> ruleList() {
    std::vector<std::string> out;
    for (const auto& r : workspace().rules) {
        out.push_back(r.first);
        out.push_back(r.second);
    }
    return out;
}

void setRule(const std::string& rule, const std::string& location) {
    for (auto& r : workspace().rules)
        if (r.first == rule) {
            r.second = location;
            return;
        }
    workspace().rules.emplace_back(rule, location);
}

// -list: the entries of the current workspace directory; -listWorkspaces: the project.
std::vector<std::string> listing(const Flags& f) {
    std::vector<std::string> out;
    if (f.has("listWorkspaces") || f.has("listFullWorkspaces")) {
        out.push_back(f.has("listFullWorkspaces") ? withoutSlash(workspace().root)
                                                  : workspace().root.filename().string());
        return out;
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(workspace().directory, ec))
        out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

void open(const std::string& dir) {
    std::error_code ec;
    const fs::path p = fs::absolute(expanded(dir), ec);
    if (ec || !fs::is_directory(p, ec))
        throw BuiltinError{"workspace: Cannot open the workspace \"" + dir + "\"."};
    workspace().root = p;
    workspace().directory = p;
}

bool workspaceCommand(CommandCall& call, const std::vector<Value*>&) {
    return withFlags(call, kWorkspaceFlags, [](const Flags& f, CommandCall& c) {
        Workspace& w = workspace();
        if (f.has("rootDirectory"))
            answer(c, Value(withSlash(w.root)));
        else if (f.has("fullName"))
            answer(c, Value(withoutSlash(w.root)));
        else if (f.has("shortName"))
            answer(c, Value(fs::path(withoutSlash(w.root)).filename().string()));
        else if (f.has("directory") && f.query)
            answer(c, Value(withSlash(w.directory)));
        else if (f.has("directory"))
            w.directory = expanded(f.text("directory"));
        else if (f.has("expandName"))
            answer(c, Value(withoutSlash(expanded(f.text("expandName")))));
        else if (f.has("projectPath"))
            answer(c, Value(projectPath(f.text("projectPath"))));
        else if (f.has("create"))
            answer(c, Value(createDirectory(f.text("create"))));
        else if (f.has("fileRuleEntry"))
            answer(c, Value(ruleLocation(f.text("fileRuleEntry"))));
        else if (f.has("fileRule") && f.query)
            answer(c, Value(ruleList()));
        else if (f.has("fileRule"))
            setRule(f.set.at("fileRule")[0].text(), f.set.at("fileRule")[1].text());
        else if (f.has("list") || f.has("listWorkspaces") || f.has("listFullWorkspaces"))
            answer(c, Value(listing(f)));
        else if ((f.has("openWorkspace") || f.has("active")) && !f.words.empty())
            open(f.words.back().text());
        else if (f.query)
            answer(c, Value(withoutSlash(w.root)));
        return true;
    });
}

// ---------------------------------------------------------------- scriptJob

// Jobs are kept and can be listed and killed, but a session without a UI raises none of
// the events, idle times or condition changes they wait for, so they never run.
struct Jobs {
    std::map<int, std::string> running;  // id -> the description -listJobs shows
    int next = 1;
};

Jobs& jobs() {
    static Jobs j;
    return j;
}

const FlagSpec kScriptJobFlags[] = {
    {"e", "event", 2, 2},
    {"ac", "attributeChange", 2, 2},
    {"ad", "attributeDeleted", 2, 2},
    {"aa", "attributeAdded", 2, 2},
    {"ct", "conditionTrue", 2, 2},
    {"cf", "conditionFalse", 2, 2},
    {"cc", "conditionChange", 2, 2},
    {"ie", "idleEvent", 1, 1},
    {"tc", "timeChange", 1, 1},
    {"nd", "nodeDeleted", 2, 2},
    {"nnc", "nodeNameChanged", 2, 2},
    {"con", "connectionChange", 2, 2},
    {"uid", "uiDeleted", 2, 2},
    {"p", "parent", 1, 1},
    {"ro", "runOnce", 1, 1},
    {"per", "permanent", 0, 0},
    {"pro", "protected", 0, 0},
    {"kws", "killWithScene", 0, 0},
    {"cu", "compressUndo", 1, 1},
    {"dri", "disregardIndex", 0, 0},
    {"alc", "allChildren", 0, 0},
    {"rp", "replacePrevious", 0, 0},
    {"k", "kill", 1, 1},
    {"ka", "killAll", 0, 0},
    {"f", "force", 0, 0},
    {"ex", "exists", 1, 1},
    {"lj", "listJobs", 0, 0},
    {"le", "listEvents", 0, 0},
    {"lc", "listConditions", 0, 0},
};

const char* const kTriggers[] = {
    "event",           "attributeChange",  "attributeDeleted", "attributeAdded", "conditionTrue",
    "conditionFalse",  "conditionChange",  "idleEvent",        "timeChange",     "nodeDeleted",
    "nodeNameChanged", "connectionChange", "uiDeleted"};

bool scriptJobCommand(CommandCall& call, const std::vector<Value*>&) {
    return withFlags(call, kScriptJobFlags, [](const Flags& f, CommandCall& c) {
        Jobs& j = jobs();
        if (f.has("kill")) {
            const int id = f.set.at("kill")[0].asInt();
            if (!j.running.erase(id))
                throw BuiltinError{"scriptJob: Job " + std::to_string(id) + " does not exist."};
            return true;
        }
        if (f.has("killAll")) {
            j.running.clear();
            return true;
        }
        if (f.has("exists")) {
            answer(c, Value(j.running.count(f.set.at("exists")[0].asInt()) != 0));
            return true;
        }
        if (f.has("listJobs")) {
            std::vector<std::string> out;
            for (const auto& [id, text] : j.running)
                out.push_back(std::to_string(id) + ": " + text);
            answer(c, Value(out));
            return true;
        }
        if (f.has("listEvents") || f.has("listConditions")) {
            answer(c, Value(std::vector<std::string>{}));
            return true;
        }
        std::string description;
        for (const char* trigger : kTriggers)
            if (f.has(trigger)) {
                if (!description.empty())
                    throw BuiltinError{"scriptJob: Only one kind of job may be created at once."};
                description = std::string("-") + trigger;
                for (const Value& v : f.set.at(trigger))
                    description += " \"" + v.text() + "\"";
            }
        if (description.empty())
            throw BuiltinError{"scriptJob: No job was given."};
        j.running[j.next] = description;
        answer(c, Value(j.next++));
        return true;
    });
}

// ---------------------------------------------------------------- waitCursor, progressWindow

const FlagSpec kWaitCursorFlags[] = {{"st", "state", 1, 0}};

bool waitCursorCommand(CommandCall& call, const std::vector<Value*>&) {
    static bool on = false;
    return withFlags(call, kWaitCursorFlags, [](const Flags& f, CommandCall& c) {
        if (f.query)
            answer(c, Value(on));
        else if (f.has("state"))
            on = switchValue(f.set.at("state")[0]);
        return true;
    });
}

const FlagSpec kProgressFlags[] = {
    {"t", "title", 1, 0},        {"st", "status", 1, 0},      {"pr", "progress", 1, 0},
    {"min", "minValue", 1, 0},   {"max", "maxValue", 1, 0},   {"ii", "isInterruptable", 1, 0},
    {"ic", "isCancelled", 0, 0}, {"ep", "endProgress", 0, 0}, {"s", "step", 1, 0},
};

// What progressWindow was last told; a query gives it back. Nobody can press cancel.
std::map<std::string, Value>& progressState() {
    static std::map<std::string, Value> state;
    return state;
}

bool progressWindowCommand(CommandCall& call, const std::vector<Value*>&) {
    return withFlags(call, kProgressFlags, [](const Flags& f, CommandCall& c) {
        auto& state = progressState();
        if (f.has("endProgress")) {
            state.clear();
            return true;
        }
        if (f.query) {
            for (const auto& [name, values] : f.set) {
                if (name == "isCancelled") {
                    answer(c, Value(0));
                } else {
                    auto it = state.find(name);
                    const bool text = name == "title" || name == "status";
                    answer(c, it != state.end() ? it->second
                              : text            ? Value(std::string())
                                                : Value(name == "maxValue" ? 100 : 0));
                }
                return true;
            }
            return true;
        }
        for (const auto& [name, values] : f.set)
            if (!values.empty()) {
                const bool text = name == "title" || name == "status";
                state[name] = text ? Value(values[0].text()) : Value(values[0].asInt());
            }
        if (f.has("step"))
            state["progress"] = Value(state["progress"].asInt() + f.set.at("step")[0].asInt());
        if (!f.edit)
            answer(c, Value(1));
        return true;
    });
}

// Scripts refresh the views inside their frame loops; there are no views, and
// what the loop reads is evaluated when read, so there is nothing to redraw.
const FlagSpec kRefreshFlags[] = {
    {"f", "force", 0, 0}, {"cv", "currentView", 0, 0}, {"su", "suspend", 1, 0}};

bool refreshCommand(CommandCall& call, const std::vector<Value*>&) {
    static bool suspended = false;
    return withFlags(call, kRefreshFlags, [](const Flags& f, CommandCall& c) {
        if (f.query)
            answer(c, Value(suspended));
        else if (f.has("suspend"))
            suspended = switchValue(f.set.at("suspend")[0]);
        return true;
    });
}

// ---------------------------------------------------------------- autoKeyframe

const FlagSpec kAutoKeyframeFlags[] = {{"st", "state", 1, 0}, {"k", "characterOption", 1, 0}};

bool& autoKeyState() {
    static bool on = false;
    return on;
}

bool autoKeyframeCommand(CommandCall& call, const std::vector<Value*>&) {
    return withFlags(call, kAutoKeyframeFlags, [](const Flags& f, CommandCall& c) {
        if (f.query)
            answer(c, Value(autoKeyState()));
        else if (f.has("state"))
            autoKeyState() = switchValue(f.set.at("state")[0]);
        return true;
    });
}

}  // namespace

bool autoKeying() {
    return autoKeyState();
}

void registerSessionCommands() {
    mel::Interpreter& in = mel::Interpreter::instance();
    in.defineBuiltin("workspace", workspaceCommand);
    in.defineBuiltin("scriptJob", scriptJobCommand);
    in.defineBuiltin("waitCursor", waitCursorCommand);
    in.defineBuiltin("progressWindow", progressWindowCommand);
    in.defineBuiltin("refresh", refreshCommand);
    in.defineBuiltin("autoKeyframe", autoKeyframeCommand);
}

}  // namespace commands
}  // namespace host
