#include "plugin/ScriptLog.h"

namespace host {
namespace scriptLog {

namespace {

struct Log {
    bool on = false;
    std::vector<Entry> entries;
};

Log& log() {
    static Log instance;
    return instance;
}

}  // namespace

void start() {
    log().entries.clear();
    log().on = true;
}

void stop() {
    log().on = false;
}

const std::vector<Entry>& entries() {
    return log().entries;
}

void record(const char* via, const char* text) {
    if (log().on) {
        log().entries.push_back(Entry{via, text});
    }
}

}  // namespace scriptLog
}  // namespace host
