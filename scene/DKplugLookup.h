#ifndef DK_SCENE_DKPLUGLOOKUP_H
#define DK_SCENE_DKPLUGLOOKUP_H

#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

// Given as an element index: keep the plug as found, whole array and all.
const unsigned int kNoLogicalIndex = 0xFFFFFFFF;

// The node's plug of the named attribute, narrowed to one array element
// unless elementIndex is kNoLogicalIndex. Every failure is thrown.
MPlug findNodePlug(const MObject& node, const MString& attributeName,
                   unsigned int elementIndex = kNoLogicalIndex, bool networked = false);

// Narrows an array plug to the element of the logical index, in place;
// kNoLogicalIndex leaves it alone. A plug that is no array is refused.
void selectPlugElement(MPlug& plug, unsigned int elementIndex);

#endif
