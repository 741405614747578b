// minimaya: the stand-in host on the command line. Runs a MEL script file, a text given with
// -c, or the lines of standard input, and exits non-zero when the MEL failed.
#include <iostream>
#include <string>

#include "../src/foundation/Output.h"
#include "../src/script/Interpreter.h"

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
                 "       minimaya            (MEL statements from standard input)\n";
    return 2;
}

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
    if (argc != 2 || first.empty() || first[0] == '-')
        return usage();
    return Interpreter::instance().sourceFile(first) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef MINIMAYA_HAVE_LIBRARY
    char appName[] = "minimaya";
    MLibrary::initialize(appName);
#endif
    int code = run(argc, argv);
    std::cout.flush();
#ifdef MINIMAYA_HAVE_LIBRARY
    MLibrary::cleanup(code);
#endif
    return code;
}
