#include "Startup.h"

namespace host {

void registerScriptCommands() {}

}  // namespace host
