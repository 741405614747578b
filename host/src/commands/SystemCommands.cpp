// The clock and the file system as scripts see them: timerX, date and
// getFileList.
#include "commands/BuiltinFlags.h"
#include "commands/Support.h"

#include <fnmatch.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

namespace host {
namespace commands {

namespace {

using mel::CommandCall;
using mel::Value;

// ---------------------------------------------------------------- timerX

// Seconds on a clock that only goes forward, counted from the session's
// start; -startTime takes an earlier reading and answers the time since.
const FlagSpec kTimerFlags[] = {{"st", "startTime", 1, 0}};

double secondsNow() {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool timerXCommand(CommandCall& call, const std::vector<Value*>&) {
    return withFlags(call, kTimerFlags, [](const Flags& f, CommandCall& c) {
        const double now = secondsNow();
        answer(c, Value(f.has("startTime") ? now - f.set.at("startTime")[0].asFloat() : now));
        return true;
    });
}

// ---------------------------------------------------------------- date

const FlagSpec kDateFlags[] = {{"d", "date", 0, 0},
                               {"t", "time", 0, 0},
                               {"sd", "shortDate", 0, 0},
                               {"st", "shortTime", 0, 0},
                               {"f", "format", 1, 0}};

// The format's fields, longest first so that YYYY is not read as two YYs.
std::string formatted(const std::string& format, const std::tm& t) {
    auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    const std::pair<const char*, std::string> fields[] = {
        {"YYYY", std::to_string(t.tm_year + 1900)},
        {"YY", two((t.tm_year + 1900) % 100)},
        {"MM", two(t.tm_mon + 1)},
        {"DD", two(t.tm_mday)},
        {"hh", two(t.tm_hour)},
        {"mm", two(t.tm_min)},
        {"ss", two(t.tm_sec)},
    };
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        bool matched = false;
        for (const auto& [field, value] : fields) {
            const std::string name(field);
            if (format.compare(i, name.size(), name) == 0) {
                out += value;
                i += name.size();
                matched = true;
                break;
            }
        }
        if (!matched)
            out += format[i++];
    }
    return out;
}

bool dateCommand(CommandCall& call, const std::vector<Value*>&) {
    return withFlags(call, kDateFlags, [](const Flags& f, CommandCall& c) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        std::string format = "YYYY/MM/DD hh:mm:ss";
        if (f.has("format"))
            format = f.text("format");
        else if (f.has("date"))
            format = "YYYY/MM/DD";
        else if (f.has("time"))
            format = "hh:mm:ss";
        else if (f.has("shortDate"))
            format = "MM/DD";
        else if (f.has("shortTime"))
            format = "hh:mm";
        answer(c, Value(formatted(format, local)));
        return true;
    });
}

// ---------------------------------------------------------------- getFileList

// The names (not paths) of the files and folders in -folder (the working
// folder when not given) that match -filespec's wildcards, sorted; none for
// a folder that cannot be read.
const FlagSpec kFileListFlags[] = {{"fld", "folder", 1, 0}, {"fs", "filespec", 1, 0}};

bool getFileListCommand(CommandCall& call, const std::vector<Value*>&) {
    return withFlags(call, kFileListFlags, [](const Flags& f, CommandCall& c) {
        namespace fs = std::filesystem;
        const std::string folder = f.has("folder") ? f.text("folder") : std::string(".");
        const std::string pattern = f.has("filespec") ? f.text("filespec") : std::string("*");
        std::vector<std::string> names;
        std::error_code failed;
        for (fs::directory_iterator it(folder, failed), end; !failed && it != end;
             it.increment(failed)) {
            const std::string name = it->path().filename().string();
            if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        answer(c, Value(names));
        return true;
    });
}

}  // namespace

void registerSystemCommands() {
    mel::Interpreter& in = mel::Interpreter::instance();
    in.defineBuiltin("timerX", timerXCommand);
    in.defineBuiltin("date", dateCommand);
    in.defineBuiltin("getFileList", getFileListCommand);
}

}  // namespace commands
}  // namespace host
