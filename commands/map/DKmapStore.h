#ifndef DK_COMMANDS_MAP_DKMAPSTORE_H
#define DK_COMMANDS_MAP_DKMAPSTORE_H

#include <map>
#include <string>

// The named string maps that dkMap keeps for scripts while the module is
// loaded. Nothing else reads or writes them; they are not saved.
using StringMap = std::map<std::string, std::string>;
using MapStore = std::map<std::string, StringMap>;

extern MapStore mapStore;

// Throws DKbadArgumentException when no map carries the name.
StringMap& getMap(const std::string& name);

// The first free name of the form map<n>, counting from 0. Reserves nothing.
std::string uniqueMapName();

void clearMapStore();

#endif
