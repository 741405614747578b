// Builtins that reach the interpreter or the process: print, trace, error, warning, eval,
// evalDeferred, exists, whatIs, getenv, putenv, about and internalVar.
#include <cstdint>
#include <cstdlib>
#include <deque>

#include "../foundation/Output.h"
#include "Builtins.h"
#include "Runtime.h"

namespace host::mel {

namespace {

Runtime& runtime() {
    return Interpreter::instance().runtime();
}

// print shows an array one element per line and a matrix one row per line.
std::string printed(const Value& v) {
    if (v.isArray()) {
        std::string out;
        for (std::size_t i = 0; i < v.size(); ++i)
            out += v.element(i).text() + "\n";
        return out;
    }
    if (v.type() == Type::Matrix) {
        const Matrix& m = v.matrix();
        std::string out;
        for (int r = 0; r < m.rows; ++r) {
            for (int c = 0; c < m.cols; ++c)
                out += (c ? " " : "") + formatFloat(m.at(r, c));
            out += "\n";
        }
        return out;
    }
    return v.text();
}

// error and warning take their message last, behind optional flags such as -noContext.
bool message(CommandCall& call, const char* name, bool warning) {
    if (!checkArgCount(call, name, 1, 3))
        return false;
    runtime().report(call.args.back().text(), warning, true);
    return warning;
}

std::string whatIs(const std::string& name) {
    Runtime& rt = runtime();
    if (!name.empty() && name[0] == '$') {
        Value* v = rt.findVariable(name);
        return v ? Value::typeName(v->type()) + " variable" : "Unknown";
    }
    if (auto proc = rt.findProc(name)) {
        if (proc->file.empty())
            return "Mel procedure entered interactively.";
        return "Mel procedure found in: " + proc->file;
    }
    if (rt.findCommand(name))
        return "Command";
    std::string script = rt.findScript(name + ".mel");
    if (!script.empty())
        return "Script found in: " + script;
    return "Unknown";
}

bool about(CommandCall& call, const std::vector<Value*>&) {
    if (!checkArgCount(call, "about", 1, 1))
        return false;
    const std::string flag = call.args[0].text();
    if (flag == "-batch" || flag == "-b" || flag == "-linux" || flag == "-is64") {
        call.result = Value(1);
    } else if (flag == "-windows" || flag == "-nt" || flag == "-macOS" || flag == "-mac") {
        call.result = Value(0);
    } else if (flag == "-version" || flag == "-v") {
        call.result = Value("2008");
    } else if (flag == "-apiVersion" || flag == "-api") {
        call.result = Value(200800);
    } else if (flag == "-operatingSystem" || flag == "-os") {
        call.result = Value("linux64");
    } else {
        Interpreter::instance().reportError("about: Invalid flag \"" + flag + "\".");
        return false;
    }
    call.hasResult = true;
    return true;
}

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// A directory as internalVar gives it, with its trailing slash.
std::string folder(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

// The user's directories: temporary files in TMPDIR (else /tmp), the rest under
// MAYA_APP_DIR (else ~/maya) as the application lays them out for this version.
bool internalVar(CommandCall& call, const std::vector<Value*>&) {
    if (!checkArgCount(call, "internalVar", 1, 1))
        return false;
    const std::string flag = call.args[0].text();
    std::string app = environment("MAYA_APP_DIR");
    if (app.empty())
        app = environment("HOME") + "/maya";
    app = folder(app);
    std::string dir;
    if (flag == "-userTmpDir" || flag == "-utd") {
        dir = environment("TMPDIR");
        dir = folder(dir.empty() ? "/tmp" : dir);
    } else if (flag == "-userAppDir" || flag == "-uad") {
        dir = app;
    } else if (flag == "-userScriptDir" || flag == "-usd") {
        dir = app + "2008/scripts/";
    } else if (flag == "-userPrefDir" || flag == "-upd") {
        dir = app + "2008/prefs/";
    } else if (flag == "-userWorkspaceDir" || flag == "-uwd") {
        dir = app + "projects/";
    } else {
        Interpreter::instance().reportError("internalVar: Invalid flag \"" + flag + "\".");
        return false;
    }
    call.result = Value(dir);
    call.hasResult = true;
    return true;
}

// Scripts evalDeferred keeps until the top-level text that queued them ends: those asked to
// go next at the front, the lowest-priority ones after every other.
struct Deferred {
    std::deque<std::string> normal, lowest;
    bool running = false;
};

Deferred& deferred() {
    static Deferred d;
    return d;
}

// evalDeferred [-lowestPriority] [-evaluateNext] script: the script is the last word.
bool evalDeferred(CommandCall& call, const std::vector<Value*>&) {
    if (!checkArgCount(call, "evalDeferred", 1, 3))
        return false;
    bool lowest = false, next = false;
    for (std::size_t i = 0; i + 1 < call.args.size(); ++i) {
        const std::string w = call.args[i].text();
        if (w == "-lp" || w == "-lowestPriority") {
            lowest = true;
        } else if (w == "-en" || w == "-evaluateNext") {
            next = true;
        } else {
            Interpreter::instance().reportError("evalDeferred: Invalid flag \"" + w + "\".");
            return false;
        }
    }
    Deferred& d = deferred();
    const std::string script = call.args.back().text();
    if (lowest)
        d.lowest.push_back(script);
    else if (next)
        d.normal.push_front(script);
    else
        d.normal.push_back(script);
    return true;
}

}  // namespace

void runDeferred() {
    Deferred& d = deferred();
    if (d.running)
        return;
    d.running = true;
    // A script that queues itself again would keep a session that never idles busy for
    // ever; past this many it waits for the next top-level text.
    for (int left = 10000; left > 0 && (!d.normal.empty() || !d.lowest.empty()); --left) {
        std::deque<std::string>& from = d.normal.empty() ? d.lowest : d.normal;
        const std::string text = from.front();
        from.pop_front();
        runtime().run(text, "", nullptr, nullptr);
    }
    d.running = false;
}

void registerSystemBuiltins(Interpreter& in) {
    in.defineBuiltin("print", [](CommandCall& call, const std::vector<Value*>&) {
        if (!checkArgCount(call, "print", 1, 1))
            return false;
        Output::instance().print(printed(call.args[0]));
        return true;
    });
    // trace writes its message as a line of its own; -where puts the place in the
    // script before it.
    in.defineBuiltin("trace", [](CommandCall& call, const std::vector<Value*>&) {
        if (!checkArgCount(call, "trace", 1, 2))
            return false;
        const bool where = call.args.size() == 2 &&
                           (call.args[0].text() == "-where" || call.args[0].text() == "-w");
        if (call.args.size() == 2 && !where) {
            Interpreter::instance().reportError("trace: Invalid flag \"" + call.args[0].text() +
                                                "\".");
            return false;
        }
        Output::instance().print((where ? runtime().location() : "") + call.args.back().text() +
                                 "\n");
        return true;
    });
    in.defineBuiltin("error", [](CommandCall& call, const std::vector<Value*>&) {
        return message(call, "error", false);
    });
    in.defineBuiltin("warning", [](CommandCall& call, const std::vector<Value*>&) {
        return message(call, "warning", true);
    });
    // eval runs its text at the top level, not in the caller's scope; its result is that of
    // the text's last statement that had one.
    in.defineBuiltin("eval", [](CommandCall& call, const std::vector<Value*>&) {
        if (!checkArgCount(call, "eval", 1, SIZE_MAX))
            return false;
        std::string text;
        for (const Value& v : call.args)
            text += (text.empty() ? "" : " ") + v.text();
        return runtime().run(text, "", &call.result, &call.hasResult);
    });
    defineFunction(in, "exists", 1, 1, [](const std::vector<Value>& a) {
        Runtime& rt = runtime();
        const std::string name = a[0].text();
        return Value(rt.findProc(name) || rt.findCommand(name) ||
                     !rt.findScript(name + ".mel").empty());
    });
    defineFunction(in, "whatIs", 1, 1,
                   [](const std::vector<Value>& a) { return Value(whatIs(a[0].text())); });
    defineFunction(in, "getenv", 1, 1, [](const std::vector<Value>& a) {
        return Value(environment(a[0].text().c_str()));
    });
    defineFunction(in, "putenv", 2, 2, [](const std::vector<Value>& a) {
        const std::string name = a[0].text();
        if (name.empty() || name.find('=') != std::string::npos)
            throw BuiltinError{"putenv: invalid variable name \"" + name + "\"."};
        return Value(setenv(name.c_str(), a[1].text().c_str(), 1) == 0);
    });
    in.defineBuiltin("evalDeferred", evalDeferred);
    in.defineBuiltin("about", about);
    in.defineBuiltin("internalVar", internalVar);
}

}  // namespace host::mel
