// maya._api: what the maya package's modules are built on.
#include "Commands.h"
#include "Scripts.h"

#include <maya/MLibrary.h>

#include <pybind11/stl.h>

namespace py = pybind11;

PYBIND11_MODULE(_api, module) {
    module.doc() = "The host application's commands and MEL, for the maya package.";
    module.def(
        "initialize",
        [](const std::string& name) {
            MLibrary::initialize(name.c_str());
            host::python::definePythonCommand();
        },
        py::arg("name") = "python");
    module.def("commands", &host::python::commandNames);
    module.def("command_exists", &host::python::commandExists, py::arg("name"));
    // Called straight from the command functions, which are partial applications of it, so
    // that a traceback ends in the script that called the command.
    module.def("call",
               [](const std::string& name, const py::args& objects, const py::kwargs& flags) {
                   return host::python::callCommand(name, objects, flags);
               });
    module.def("mel_eval", &host::python::evalMel, py::arg("text"),
               "Runs MEL text and returns the value of its last statement (None when it has "
               "none). A failure raises RuntimeError with the error lines the host would show.");
}
