#ifndef DK_NODES_DKHYPERVEILCALLBACKS_H
#define DK_NODES_DKHYPERVEILCALLBACKS_H

#include <maya/MMessage.h>

// What a callback id holds while nothing is registered.
inline constexpr MCallbackId kNoCallback = 0xFFFFFFFF;

// Runs after every scene update the host reports; the client data is unused.
void sceneUpdateCallback(void* clientData);

#endif
