#include "Scripts.h"

#include "Values.h"
#include "foundation/Output.h"
#include "script/Builtins.h"
#include "script/Interpreter.h"

#include <pybind11/embed.h>

namespace py = pybind11;

namespace host {
namespace python {

namespace {

// Where an error stood, the way the host locates MEL errors: "file: /p/x.py line 3: ", or
// "line 3: " for a text that came from no file.
std::string location(const std::string& file, int line) {
    const std::string where = "line " + std::to_string(line) + ": ";
    return file.empty() || file[0] == '<' ? where : "file: " + file + " " + where;
}

std::string whereRaised(py::error_already_set& error) {
    if (error.matches(PyExc_SyntaxError)) {
        const py::object value = error.value();
        const py::object line = value.attr("lineno");
        if (line.is_none())
            return "";
        const py::object file = value.attr("filename");
        return location(file.is_none() ? "" : py::str(file).cast<std::string>(), line.cast<int>());
    }
    py::object trace = error.trace();
    if (trace.is_none())
        return "";
    while (!trace.attr("tb_next").is_none())
        trace = trace.attr("tb_next");
    return location(trace.attr("tb_frame").attr("f_code").attr("co_filename").cast<std::string>(),
                    trace.attr("tb_lineno").cast<int>());
}

// Shows the exception as one error line, its innermost location, type and message. A
// SystemExit with status 0 or None is a script that ended well, and shows nothing.
bool reportException(py::error_already_set& error) {
    const py::object value = error.value();
    if (error.matches(PyExc_SystemExit)) {
        const py::object code = value.attr("code");
        if (code.is_none() || (py::isinstance<py::int_>(code) && code.cast<long long>() == 0))
            return true;
    }
    const std::string type = error.type().attr("__name__").cast<std::string>();
    const std::string message = error.matches(PyExc_SyntaxError)
                                    ? py::str(value.attr("msg")).cast<std::string>()
                                    : py::str(value).cast<std::string>();
    Output::instance().error(whereRaised(error) + type + (message.empty() ? "" : ": " + message));
    return false;
}

py::dict mainNamespace() {
    return py::module_::import("__main__").attr("__dict__");
}

py::object compile(const py::object& source, const std::string& file, const char* mode) {
    return py::module_::import("builtins").attr("compile")(source, file, mode);
}

void execute(const py::object& code) {
    py::module_::import("builtins").attr("exec")(code, mainNamespace());
}

// The value of an expression, or None after running statements.
py::object evaluate(const std::string& text) {
    py::object code;
    try {
        code = compile(py::str(text), "<string>", "eval");
    } catch (py::error_already_set& notAnExpression) {
        if (!notAnExpression.matches(PyExc_SyntaxError))
            throw;
        execute(compile(py::str(text), "<string>", "exec"));
        return py::none();
    }
    return py::module_::import("builtins").attr("eval")(code, mainNamespace());
}

bool pythonCommand(mel::CommandCall& call) {
    if (!mel::checkArgCount(call, "python", 1, 1))
        return false;
    startInterpreter();
    py::gil_scoped_acquire gil;
    try {
        mel::Value result;
        call.hasResult = toMel(evaluate(call.args[0].text()), result);
        call.result = result;
        return true;
    } catch (py::error_already_set& error) {
        return reportException(error);
    }
}

}  // namespace

void definePythonCommand() {
    mel::Interpreter& interpreter = mel::Interpreter::instance();
    if (!interpreter.commandExists("python"))
        interpreter.defineCommand("python", pythonCommand);
}

void startInterpreter() {
    if (Py_IsInitialized())
        return;
    py::initialize_interpreter();
    py::module_::import("sys").attr("path").attr("insert")(0, MINIMAYA_PYTHON_DIR);
    // print() goes where the host's own lines go, in the same order.
    py::dict scope;
    scope["show"] = py::cpp_function([](const std::string& text) {
        Output::instance().print(text);
        return text.size();
    });
    py::exec(R"(
class HostOutput:
    encoding = "utf-8"
    def write(self, text):
        return show(text)
    def flush(self):
        pass
    def isatty(self):
        return False

import sys
sys.stdout = HostOutput()
)",
             scope);
}

bool runFile(const std::string& path) {
    startInterpreter();
    py::gil_scoped_acquire gil;
    try {
        const py::module_ sys = py::module_::import("sys");
        sys.attr("argv") = py::list(py::make_tuple(path));
        const py::module_ os = py::module_::import("os.path");
        sys.attr("path").attr("insert")(0, os.attr("dirname")(os.attr("abspath")(path)));
        mainNamespace()["__file__"] = path;
        const py::object source = py::module_::import("io").attr("open_code")(path).attr("read")();
        execute(compile(source, path, "exec"));
        return true;
    } catch (py::error_already_set& error) {
        return reportException(error);
    }
}

bool runText(const std::string& text) {
    startInterpreter();
    py::gil_scoped_acquire gil;
    try {
        execute(compile(py::str(text), "<string>", "exec"));
        return true;
    } catch (py::error_already_set& error) {
        return reportException(error);
    }
}

}  // namespace python
}  // namespace host
