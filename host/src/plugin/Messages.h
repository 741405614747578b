#pragma once
// The callback registry behind MMessage and its subclasses. The host calls
// the functions below when the events happen; each calls the callbacks
// registered for it, in registration order. Callbacks may add and remove
// callbacks while they run: a removed one is not called any more, one added
// during the dispatch is first called at the next event.

#include <maya/MDGModifier.h>
#include <maya/MObject.h>
#include <maya/MSceneMessage.h>

#include <cstddef>

namespace host {
namespace messages {

void sceneMessage(MSceneMessage::Message message);
// Before node is deleted by modifier (each time, also when a deletion is redone).
void nodeAboutToDelete(MObject& node, MDGModifier& modifier);

// The start of the loaded image (program or shared library) that holds
// address, or null.
const void* imageOf(const void* address);
// Removes the callbacks whose functions lie in the image; returns how many.
std::size_t removeCallbacksIn(const void* image);
// Whether a callback whose function lies in the image is running now.
bool isRunningCallbackIn(const void* image);

}  // namespace messages
}  // namespace host
