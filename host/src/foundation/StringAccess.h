#ifndef HOST_FOUNDATION_STRINGACCESS_H
#define HOST_FOUNDATION_STRINGACCESS_H

#include <maya/MString.h>

#include <string>
#include <utility>

namespace host {

// Hands a text the host has just built to an MString as it is, where
// MString(const char*) would copy it once more: paths are named for every
// copy a bake makes.
struct StringAccess {
    static MString adopt(std::string&& text) {
        MString string;
        string.fString = std::move(text);
        return string;
    }
};

}  // namespace host

#endif
