#ifndef DK_PLUGIN_DKERRORFRAME_H
#define DK_PLUGIN_DKERRORFRAME_H

#include "plugin/DKexception.h"

#include <maya/MStatus.h>

#include <exception>
#include <string>

// Shows one error line: the entry point's name, the separator, the message.
void displayEntryPointError(const std::string& name, const char* separator,
                            const std::string& message) noexcept;

// Every entry point the host calls runs its body through this frame, the one
// place where failures become a line for the user and a failure status. No
// exception may cross back into the host: anything outside the system's own
// tree is reported by its what() text.
template <typename Body>
MStatus errorFrame(const std::string& name, Body&& body) {
    try {
        return body();
    } catch (const DKmayaException& e) {
        displayEntryPointError(name, ": API error encountered - ", e.message());
    } catch (const DKsilentException&) {
    } catch (const DKexception& e) {
        displayEntryPointError(name, ": ", e.message());
    } catch (const std::exception& e) {
        displayEntryPointError(name, ": ", e.what());
    } catch (...) {
        displayEntryPointError(name, ": ", "unknown exception");
    }
    return MS::kFailure;
}

#endif
