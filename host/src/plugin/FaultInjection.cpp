#include "plugin/FaultInjection.h"

#include <vector>

namespace host {
namespace faults {

namespace {

struct Fault {
    std::string step;
    std::string subject;
    MS::MStatusCode code;
};

std::vector<Fault>& armed() {
    static std::vector<Fault> list;
    return list;
}

std::function<void(const std::string&)>& observer() {
    static std::function<void(const std::string&)> fn;
    return fn;
}

}  // namespace

void failNext(const std::string& step, const std::string& subject, MS::MStatusCode code) {
    armed().push_back(Fault{step, subject, code});
}

void clear() {
    armed().clear();
    observer() = nullptr;
}

bool armedFor(const char* step) {
    for (const Fault& fault : armed()) {
        if (fault.step == step) {
            return true;
        }
    }
    return false;
}

bool fire(const std::string& step, const std::string& subject, MStatus& status) {
    for (auto it = armed().begin(); it != armed().end(); ++it) {
        if (it->step == step && (it->subject.empty() || it->subject == subject)) {
            status = it->code;
            armed().erase(it);
            return true;
        }
    }
    return false;
}

void onFailedInitialize(std::function<void(const std::string& pluginName)> fn) {
    observer() = std::move(fn);
}

void notifyFailedInitialize(const std::string& pluginName) {
    if (observer()) {
        observer()(pluginName);
    }
}

}  // namespace faults
}  // namespace host
