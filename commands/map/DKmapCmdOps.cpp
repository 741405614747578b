#include "commands/map/DKmapCmdOps.h"

#include "plugin/DKexception.h"

#include <sstream>

void DKmapCmdCreateMapOp::doIt() {
    if (mapStore.count(mapName_) != 0) {
        std::stringstream message;
        message << "A dkMap named " << mapName_ << " already exists.";
        throw DKbadArgumentException(message.str());
    }
    mapStore[mapName_];
}

void DKmapCmdCreateMapOp::undoIt() {
    mapStore.erase(mapName_);
}

void DKmapCmdInsertOp::doIt() {
    StringMap& map = getMap(mapName_);
    auto present = map.find(key_);
    keyWasNew_ = present == map.end();
    if (!keyWasNew_) {
        previousValue_ = present->second;
    }
    map[key_] = value_;
}

void DKmapCmdInsertOp::undoIt() {
    StringMap& map = getMap(mapName_);
    if (keyWasNew_) {
        map.erase(key_);
    } else {
        map[key_] = previousValue_;
    }
}

void DKmapCmdEraseOp::doIt() {
    StringMap& map = getMap(mapName_);
    auto present = map.find(key_);
    if (present == map.end()) {
        std::stringstream message;
        message << "Key " << key_ << " does not exist in map " << mapName_;
        throw DKbadArgumentException(message.str());
    }
    previousValue_ = present->second;
    map.erase(present);
}

void DKmapCmdEraseOp::undoIt() {
    getMap(mapName_)[key_] = previousValue_;
}

void DKmapCmdDeleteMapOp::doIt() {
    auto present = mapStore.find(mapName_);
    if (present == mapStore.end()) {
        std::stringstream message;
        message << "dkMap " << mapName_ << " does not exist.";
        throw DKbadArgumentException(message.str());
    }
    savedMap_ = present->second;
    mapStore.erase(present);
}

void DKmapCmdDeleteMapOp::undoIt() {
    mapStore[mapName_] = savedMap_;
}

void DKmapCmdDeleteAllMapsOp::doIt() {
    savedStore_ = mapStore;
    mapStore.clear();
}

void DKmapCmdDeleteAllMapsOp::undoIt() {
    mapStore = savedStore_;
    savedStore_.clear();
}
