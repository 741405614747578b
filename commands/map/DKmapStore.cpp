#include "commands/map/DKmapStore.h"

#include "plugin/DKexception.h"

#include <sstream>

MapStore mapStore;

StringMap& getMap(const std::string& name) {
    auto found = mapStore.find(name);
    if (found == mapStore.end()) {
        std::stringstream message;
        message << name << " is not a valid dkMap name.";
        throw DKbadArgumentException(message.str());
    }
    return found->second;
}

std::string uniqueMapName() {
    for (unsigned long n = 0;; ++n) {
        std::stringstream name;
        name << "map" << n;
        if (mapStore.count(name.str()) == 0) {
            return name.str();
        }
    }
}

void clearMapStore() {
    mapStore.clear();
}
