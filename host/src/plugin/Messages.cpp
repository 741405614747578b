#include "plugin/Messages.h"

#include "foundation/Output.h"
#include "graph/Object.h"
#include "plugin/FaultInjection.h"

#include <maya/MMessage.h>
#include <maya/MNodeMessage.h>

#include <dlfcn.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {
namespace messages {

namespace {

struct Callback {
    enum Kind { kScene, kNodeAboutToDelete } kind = kScene;
    MSceneMessage::Message message = MSceneMessage::kSceneUpdate;
    MMessage::MBasicFunction basic = nullptr;
    MMessage::MNodeModifierFunction nodeModifier = nullptr;
    void* clientData = nullptr;
    // Weak, so that a callback does not keep its node alive.
    std::weak_ptr<Object> node;
    const void* image = nullptr;
};

struct Registry {
    std::map<MCallbackId, Callback> callbacks;  // ids grow, so this is registration order
    MCallbackId nextId = 1;
    std::vector<std::pair<MCallbackId, const void*>> running;  // innermost last
};

// Never destroyed: nodes still in the scene at exit remove their callbacks
// from their destructors, after function-local statics made later are gone.
Registry& registry() {
    static Registry* r = new Registry;
    return *r;
}

template <class Function>
const void* address(Function fn) {
    return reinterpret_cast<const void*>(fn);
}

MCallbackId add(Callback callback, const char* step, MStatus* status) {
    MStatus injected;
    if (faults::fire(step, std::string(), injected)) {
        if (status) {
            *status = injected;
        }
        return 0;
    }
    Registry& r = registry();
    const MCallbackId id = r.nextId++;
    r.callbacks.emplace(id, std::move(callback));
    if (status) {
        *status = MS::kSuccess;
    }
    return id;
}

// Calls each callback that matches, as registered when the dispatch began.
template <class Matches, class Call>
void dispatch(Matches matches, Call call) {
    Registry& r = registry();
    std::vector<MCallbackId> ids;
    for (const auto& [id, callback] : r.callbacks) {
        if (matches(callback)) {
            ids.push_back(id);
        }
    }
    for (MCallbackId id : ids) {
        const auto found = r.callbacks.find(id);
        if (found == r.callbacks.end()) {
            continue;
        }
        const Callback callback = found->second;
        r.running.emplace_back(id, callback.image);
        try {
            call(callback);
        } catch (const std::exception& e) {
            Output::instance().error(std::string("Callback failed: ") + e.what());
        } catch (...) {
            Output::instance().error("Callback failed.");
        }
        r.running.pop_back();
    }
}

bool isNodeObject(const MObject& node) {
    return !node.isNull() && node.hasFn(MFn::kDependencyNode);
}

}  // namespace

void sceneMessage(MSceneMessage::Message message) {
    dispatch(
        [message](const Callback& c) { return c.kind == Callback::kScene && c.message == message; },
        [](const Callback& c) { c.basic(c.clientData); });
}

void nodeAboutToDelete(MObject& node, MDGModifier& modifier) {
    Object* target = ObjectAccess::get(node);
    if (!target) {
        return;
    }
    dispatch(
        [target](const Callback& c) {
            return c.kind == Callback::kNodeAboutToDelete && c.node.lock().get() == target;
        },
        [&node, &modifier](const Callback& c) { c.nodeModifier(node, modifier, c.clientData); });
}

const void* imageOf(const void* addr) {
    Dl_info info;
    if (!addr || dladdr(addr, &info) == 0) {
        return nullptr;
    }
    return info.dli_fbase;
}

std::size_t removeCallbacksIn(const void* image) {
    std::size_t removed = 0;
    auto& callbacks = registry().callbacks;
    for (auto it = callbacks.begin(); it != callbacks.end();) {
        if (image && it->second.image == image) {
            it = callbacks.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
}

bool isRunningCallbackIn(const void* image) {
    for (const auto& entry : registry().running) {
        if (image && entry.second == image) {
            return true;
        }
    }
    return false;
}

}  // namespace messages
}  // namespace host

using host::messages::Callback;
using host::messages::registry;

MStatus MMessage::removeCallback(MCallbackId id) {
    MStatus injected;
    if (host::faults::fire("MMessage::removeCallback", std::to_string(id), injected)) {
        return injected;
    }
    return registry().callbacks.erase(id) ? MS::kSuccess : MS::kFailure;
}

MStatus MMessage::removeCallbacks(MCallbackIdArray& ids) {
    MStatus result = MS::kSuccess;
    for (unsigned int i = 0; i < ids.length(); ++i) {
        if (!removeCallback(ids[i])) {
            result = MS::kFailure;
        }
    }
    return result;
}

MCallbackId MMessage::currentCallbackId(MStatus* ReturnStatus) {
    const auto& running = registry().running;
    if (ReturnStatus) {
        *ReturnStatus = running.empty() ? MS::kFailure : MS::kSuccess;
    }
    return running.empty() ? 0 : running.back().first;
}

MStatus MMessage::nodeCallbacks(const MObject& node, MCallbackIdArray& ids) {
    const host::Object* target = host::ObjectAccess::get(node);
    if (!target) {
        return MS::kInvalidParameter;
    }
    ids.clear();
    for (const auto& [id, callback] : registry().callbacks) {
        if (callback.kind == Callback::kNodeAboutToDelete && callback.node.lock().get() == target) {
            ids.append(id);
        }
    }
    return MS::kSuccess;
}

MCallbackId MSceneMessage::addCallback(Message msg, MMessage::MBasicFunction func, void* clientData,
                                       MStatus* ReturnStatus) {
    if (!func || msg < kSceneUpdate || msg >= kLast) {
        if (ReturnStatus) {
            *ReturnStatus = MS::kInvalidParameter;
        }
        return 0;
    }
    Callback callback;
    callback.message = msg;
    callback.basic = func;
    callback.clientData = clientData;
    callback.image = host::messages::imageOf(host::messages::address(func));
    return host::messages::add(callback, "MSceneMessage::addCallback", ReturnStatus);
}

MCallbackId MNodeMessage::addNodeAboutToDeleteCallback(MObject& node,
                                                       MMessage::MNodeModifierFunction func,
                                                       void* clientData, MStatus* ReturnStatus) {
    if (!func || !host::messages::isNodeObject(node)) {
        if (ReturnStatus) {
            *ReturnStatus = MS::kInvalidParameter;
        }
        return 0;
    }
    Callback callback;
    callback.kind = Callback::kNodeAboutToDelete;
    callback.nodeModifier = func;
    callback.clientData = clientData;
    callback.node = host::ObjectAccess::shared(node);
    callback.image = host::messages::imageOf(host::messages::address(func));
    return host::messages::add(callback, "MNodeMessage::addNodeAboutToDeleteCallback",
                               ReturnStatus);
}
