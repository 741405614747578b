#pragma once
// The host's commands called from Python: cmds.name(*objects, **flags) and mel.eval.

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace host {
namespace python {

// Every command the host knows now, built in or from a loaded plug-in.
std::vector<std::string> commandNames();
bool commandExists(const std::string& name);

// Runs the command with flags and objects made from the Python arguments and returns its
// result as a Python value (None for none). A failure raises RuntimeError with the error
// lines the command wrote, which are not shown.
pybind11::object callCommand(const std::string& name, const pybind11::tuple& objects,
                             const pybind11::dict& flags);

// Runs MEL text and returns the value of its last statement, raising as above.
pybind11::object evalMel(const std::string& text);

}  // namespace python
}  // namespace host
