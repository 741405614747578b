#pragma once
// Test hook: the script texts plug-ins hand to the host to run, word for
// word, so that a test can hold a plug-in to the exact text it composes.
// Nothing is kept until a test starts the log.
//
//   host::scriptLog::start();
//   ... MGlobal::executeCommand / MDGModifier::commandToExecute ...
//   host::scriptLog::entries()  // {{"executeCommand", "dkThing \"a\";"}, ...}
//   host::scriptLog::stop();

#include <string>
#include <vector>

namespace host {
namespace scriptLog {

struct Entry {
    std::string via;  // "executeCommand" or "commandToExecute"
    std::string text;
    bool operator==(const Entry& other) const { return via == other.via && text == other.text; }
};

// Empties the log and keeps what comes from now on.
void start();
void stop();
const std::vector<Entry>& entries();

// Called by the API members that take script texts.
void record(const char* via, const char* text);

}  // namespace scriptLog
}  // namespace host
