#ifndef DK_NODES_DKHYPERVEILCALLBACKS_H
#define DK_NODES_DKHYPERVEILCALLBACKS_H

// Runs after every scene update the host reports; the client data is unused.
void sceneUpdateCallback(void* clientData);

#endif
