// Arbitrary text through the script entry point, each input in a new
// session on a new scene.

#include "FuzzHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dkfuzz::startHost();
    dkfuzz::newSession();
    dkfuzz::run(dkfuzz::text(data, size));
    return 0;
}
