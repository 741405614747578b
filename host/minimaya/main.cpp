// minimaya: the stand-in host on the command line. Runs a MEL script file, a text given with
// -c, or the lines of standard input; a Python script file (.py) or a text given with -py.
// Exits non-zero when the script failed.
#include <csignal>
#include <iostream>
#include <string>

#include <unistd.h>

#include "../src/foundation/Output.h"
#include "../src/script/Interpreter.h"
#include "../src/ui/Interaction.h"

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

// While MEL runs, Ctrl-C asks the running computation to stop rather than ending minimaya; a
// second Ctrl-C before anything took up the first ends it as usual.
extern "C" void requestInterrupt(int signal) {
    if (host::ui::interruptRequested()) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    host::ui::requestInterrupt();
}

class InterruptibleRun {
public:
    InterruptibleRun() {
        host::ui::clearInterrupt();
        previous_ = std::signal(SIGINT, requestInterrupt);
    }
    ~InterruptibleRun() { std::signal(SIGINT, previous_); }
    InterruptibleRun(const InterruptibleRun&) = delete;
    InterruptibleRun& operator=(const InterruptibleRun&) = delete;

private:
    void (*previous_)(int);
};

// The progress window as one line on standard error, drawn again in place at every change.
class ProgressLine : public host::ui::ProgressListener {
public:
    void started(const host::ui::Progress& progress) override { draw(progress); }
    void changed(const host::ui::Progress& progress) override { draw(progress); }
    void ended() override { std::cerr << "\r\033[K" << std::flush; }

private:
    static void draw(const host::ui::Progress& p) {
        const double span = static_cast<double>(p.maxValue) - p.minValue;
        const int percent =
            span > 0 ? static_cast<int>(100.0 * (static_cast<double>(p.value) - p.minValue) / span)
                     : 100;
        std::cerr << "\r\033[K" << p.title;
        if (!p.status.empty())
            std::cerr << ": " << p.status;
        std::cerr << "  " << p.value << " of " << p.minValue << "-" << p.maxValue << "  " << percent
                  << "%";
        if (p.interruptable)
            std::cerr << "  (Ctrl-C to stop)";
        std::cerr << std::flush;
    }
};

// Runs one text as the script editor does, showing the result of its last statement; a text
// that failed shows only its errors.
bool runShowingResult(const std::string& text) {
    Interpreter& mel = Interpreter::instance();
    Value result;
    bool ok;
    {
        InterruptibleRun interruptible;
        ok = mel.execute(text, &result);
    }
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
    InterruptibleRun interruptible;
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
    ProgressLine progressLine;
    if (isatty(STDERR_FILENO))
        host::ui::setProgressListener(&progressLine);
    int code = run(argc, argv);
    host::ui::setProgressListener(nullptr);
    std::cout.flush();
#ifdef MINIMAYA_HAVE_LIBRARY
    MLibrary::cleanup(code);
#endif
    return code;
}
