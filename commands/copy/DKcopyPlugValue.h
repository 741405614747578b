#ifndef DK_COMMANDS_COPY_DKCOPYPLUGVALUE_H
#define DK_COMMANDS_COPY_DKCOPYPLUGVALUE_H

#include "operations/DKmayaModifier.h"

#include <maya/MPlug.h>

// Copies the current value of source onto destination as one new, executed
// operation of modifier. Three ways are tried in turn, each dropped again
// when the host refuses it: a connection made and broken, a typed read and
// write, and the host's own set-attribute texts retargeted to destination.
// Message attributes and plugs without a value text copy nothing. Throws
// when the destination is not free to change or every way was refused.
void copyPlugValue(const MPlug& source, const MPlug& destination, DKmayaModifier& modifier);

#endif
