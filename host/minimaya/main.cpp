// minimaya: the stand-in host on the command line. Runs a MEL script file, a text given with
// -c, or the lines of standard input; a Python script file (.py) or a text given with -py.
// Exits non-zero when the script failed.
#include <iostream>
#include <string>

#include "../src/foundation/Output.h"
#include "../src/script/Interpreter.h"

#ifdef MINIMAYA_HAVE_PYTHON
#include "Scripts.h"
#endif

#if __has_include(<maya/MLibrary.h>)
#include <maya/MLibrary.h>
#define MINIMAYA_HAVE_LIBRARY 1
#endif

namespace {

using host::Output;
using host::mel::Interpreter;
using host::mel::Value;

int usage() {
    std::cerr << "usage: minimaya script.mel\n"
                 "       minimaya -c \"MEL text\"\n"
                 "       minimaya            (MEL statements from standard input)\n"
                 "       minimaya script.py\n"
                 "       minimaya -py \"Python text\"\n";
    return 2;
}

bool isPythonFile(const std::string& path) {
    return path.size() > 3 && path.compare(path.size() - 3, 3, ".py") == 0;
}

#ifdef MINIMAYA_HAVE_PYTHON
int runPython(const std::string& fileOrText, bool isFile) {
    return (isFile ? host::python::runFile(fileOrText) : host::python::runText(fileOrText)) ? 0 : 1;
}
#else
int runPython(const std::string&, bool) {
    std::cerr << "minimaya: built without Python\n";
    return 2;
}
#endif

// Runs one text as the script editor does, showing the result of its last statement; a text
// that failed shows only its errors.
bool runShowingResult(const std::string& text) {
    Interpreter& mel = Interpreter::instance();
    Value result;
    bool ok = mel.execute(text, &result);
    if (ok && mel.lastHadResult())
        Output::instance().result(result.text());
    return ok;
}

// Each line is one execution; a line that leaves a brace, string or comment open is
// completed by the lines after it.
bool runStandardInput() {
    bool ok = true;
    std::string pending, line;
    while (std::getline(std::cin, line)) {
        pending += line;
        pending += '\n';
        if (Interpreter::isIncomplete(pending))
            continue;
        ok = runShowingResult(pending) && ok;
        pending.clear();
    }
    if (pending.find_first_not_of(" \t\r\n") != std::string::npos)
        ok = runShowingResult(pending) && ok;
    return ok;
}

int run(int argc, char** argv) {
    if (argc == 1)
        return runStandardInput() ? 0 : 1;
    std::string first = argv[1];
    if (first == "-c") {
        if (argc != 3)
            return usage();
        return runShowingResult(argv[2]) ? 0 : 1;
    }
    if (first == "-py") {
        if (argc != 3)
            return usage();
        return runPython(argv[2], false);
    }
    if (argc != 2 || first.empty() || first[0] == '-')
        return usage();
    if (isPythonFile(first))
        return runPython(first, true);
    return Interpreter::instance().sourceFile(first) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef MINIMAYA_HAVE_LIBRARY
    char appName[] = "minimaya";
    MLibrary::initialize(appName);
#endif
#ifdef MINIMAYA_HAVE_PYTHON
    // Python itself starts only when a script asks for it.
    host::python::definePythonCommand();
#endif
    int code = run(argc, argv);
    std::cout.flush();
#ifdef MINIMAYA_HAVE_LIBRARY
    MLibrary::cleanup(code);
#endif
    return code;
}
