#include "Commands.h"

#include "Values.h"
#include "foundation/Output.h"
#include "plugin/CommandBridge.h"
#include "plugin/Syntax.h"
#include "script/Interpreter.h"

#include <maya/MSyntax.h>

namespace py = pybind11;

namespace host {
namespace python {

namespace {

bool isSequence(py::handle object) {
    return py::isinstance<py::list>(object) || py::isinstance<py::tuple>(object);
}

// Query and edit, which are no flags of the syntax but switches of the call.
bool isModeFlag(const std::string& name) {
    return name == "q" || name == "query" || name == "e" || name == "edit";
}

bool isTrue(py::handle object) {
    const int truth = PyObject_IsTrue(object.ptr());
    if (truth < 0)
        throw py::error_already_set();
    return truth == 1;
}

// The error lines of a failed call as one exception text.
[[noreturn]] void raiseFailure(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    if (text.empty())
        text = name + ": the command failed.";
    throw std::runtime_error(text);
}

// Turns Python's keyword flags into the command-line words a MEL call would pass. A flag's
// value is read against the flag's syntax when the command has one: True alone switches on a
// flag without arguments (or one being queried) and False leaves it out; a flag taking several
// arguments takes a tuple or list; a multi-use flag takes a list of uses.
class CallBuilder {
public:
    explicit CallBuilder(const std::string& name) {
        MSyntax syntax;
        if (plugin::syntaxOf(name, syntax))
            m_syntax = plugin::SyntaxAccess::data(syntax);
        else
            m_known = false;
    }

    void flags(const py::dict& flags) {
        for (auto [key, value] : flags) {
            const std::string name = key.cast<std::string>();
            if ((name == "q" || name == "query") && isTrue(value))
                m_query = true;
        }
        for (auto [key, value] : flags)
            flag(key.cast<std::string>(), value);
    }

    void objects(const py::tuple& objects) {
        for (py::handle object : objects) {
            if (isSequence(object)) {
                for (py::handle item : object)
                    args.push_back(scalarToMel(item));
            } else {
                args.push_back(scalarToMel(object));
            }
        }
    }

    std::vector<mel::Value> args;

private:
    void flag(const std::string& name, py::handle value) {
        if (value.is_none())
            return;
        const plugin::FlagSpec* declared = m_known ? m_syntax.findFlag(name) : nullptr;
        const std::string word = "-" + (declared ? declared->longName : name);
        const bool switchOnly =
            declared ? declared->argTypes.empty() || (m_query && !declared->queryWithFullArgs)
                     : py::isinstance<py::bool_>(value) || isModeFlag(name);
        if (switchOnly) {
            if (isTrue(value))
                args.push_back(mel::Value(word));
            return;
        }
        if (declared && declared->multiUse && isSequence(value) && isListOfUses(*declared, value)) {
            for (py::handle use : value)
                oneUse(word, use);
            return;
        }
        oneUse(word, value);
    }

    // A multi-use flag of one argument takes a list of them; one of several arguments takes a
    // list of tuples, or a single tuple for one use.
    static bool isListOfUses(const plugin::FlagSpec& declared, py::handle value) {
        if (declared.argTypes.size() == 1)
            return true;
        const py::sequence uses = value.cast<py::sequence>();
        return py::len(uses) == 0 || isSequence(uses[0]);
    }

    void oneUse(const std::string& word, py::handle value) {
        args.push_back(mel::Value(word));
        if (isSequence(value)) {
            for (py::handle item : value)
                args.push_back(scalarToMel(item));
        } else {
            args.push_back(scalarToMel(value));
        }
    }

    plugin::SyntaxData m_syntax;
    bool m_known = true;
    bool m_query = false;
};

}  // namespace

std::vector<std::string> commandNames() {
    return mel::Interpreter::instance().commandNames();
}

bool commandExists(const std::string& name) {
    return mel::Interpreter::instance().commandExists(name);
}

py::object callCommand(const std::string& name, const py::tuple& objects, const py::dict& flags) {
    CallBuilder builder(name);
    builder.flags(flags);
    builder.objects(objects);
    mel::CommandCall call;
    call.args = std::move(builder.args);
    std::vector<std::string> lines;
    bool ok = false;
    {
        ErrorCapture errors;
        ok = mel::Interpreter::instance().callCommand(name, call);
        lines = std::move(errors.lines);
    }
    if (!ok)
        raiseFailure(name, lines);
    // Error lines of a command that went on to succeed are no exception's text: show them.
    for (const std::string& line : lines)
        Output::instance().error(line);
    return call.hasResult ? toPython(call.result, call.booleanResult) : py::none();
}

py::object evalMel(const std::string& text) {
    mel::Interpreter& interpreter = mel::Interpreter::instance();
    mel::Value result;
    ErrorCapture errors;
    if (!interpreter.execute(text, &result))
        raiseFailure("mel.eval", errors.lines);
    return interpreter.lastHadResult() ? toPython(result) : py::none();
}

}  // namespace python
}  // namespace host
