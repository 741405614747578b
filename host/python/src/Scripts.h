#pragma once
// Running Python inside the host: script files, texts, and the MEL command python.

#include <string>

namespace host {
namespace python {

// Defines the MEL command python("text"), which runs the text in the one Python interpreter
// of the process (starting it when the process has none) and returns its value. Does
// nothing when it is defined already.
void definePythonCommand();

// Starts the interpreter inside the host's process unless it runs already, with the build's
// Python folder on its path and its standard output shown through the host's output.
void startInterpreter();

// Run a script file or a text in the __main__ namespace. An exception that escapes is shown
// as an error line and makes them return false; the host carries on.
bool runFile(const std::string& path);
bool runText(const std::string& text);

}  // namespace python
}  // namespace host
