#ifndef DK_COMMANDS_MAP_DKMAPCMDOPS_H
#define DK_COMMANDS_MAP_DKMAPCMDOPS_H

#include "commands/map/DKmapStore.h"
#include "operations/DKmayaOperation.h"

#include <string>

// The changes dkMap makes to the map store. Each keeps by value whatever its
// undo needs, taken afresh at every doIt, so an operation waiting in the undo
// queue does not depend on the store's later contents.

class DKmapCmdCreateMapOp : public DKmayaOperation {
public:
    explicit DKmapCmdCreateMapOp(const std::string& mapName) : mapName_(mapName) {}
    void doIt() override;
    void undoIt() override;

private:
    std::string mapName_;
};

class DKmapCmdInsertOp : public DKmayaOperation {
public:
    DKmapCmdInsertOp(const std::string& mapName, const std::string& key, const std::string& value)
        : mapName_(mapName), key_(key), value_(value) {}
    void doIt() override;
    void undoIt() override;

private:
    std::string mapName_;
    std::string key_;
    std::string value_;
    std::string previousValue_;
    bool keyWasNew_ = false;
};

class DKmapCmdEraseOp : public DKmayaOperation {
public:
    DKmapCmdEraseOp(const std::string& mapName, const std::string& key)
        : mapName_(mapName), key_(key) {}
    void doIt() override;
    void undoIt() override;

private:
    std::string mapName_;
    std::string key_;
    std::string previousValue_;
};

class DKmapCmdDeleteMapOp : public DKmayaOperation {
public:
    explicit DKmapCmdDeleteMapOp(const std::string& mapName) : mapName_(mapName) {}
    void doIt() override;
    void undoIt() override;

private:
    std::string mapName_;
    StringMap savedMap_;
};

class DKmapCmdDeleteAllMapsOp : public DKmayaOperation {
public:
    void doIt() override;
    void undoIt() override;

private:
    MapStore savedStore_;
};

#endif
