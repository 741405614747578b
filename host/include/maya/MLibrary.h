#ifndef MINIMAYA_MLIBRARY_H
#define MINIMAYA_MLIBRARY_H

#include <maya/MStatus.h>

// Start-up and shut-down of the host for a program of its own (minimaya,
// the test suites).
class MLibrary {
public:
    static MStatus initialize(const char* applicationName, bool viewLicense = false);
    static MStatus initialize(bool wantScriptOutput, const char* applicationName,
                              bool viewLicense = false);
    static void cleanup(int exitStatus = 0);
};

#endif
