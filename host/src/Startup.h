#ifndef HOST_STARTUP_H
#define HOST_STARTUP_H

// What parts of the host set up when the host starts; MLibrary::initialize
// calls them in order (node types before the commands that make them, the
// world before anything is put under it). Parts with commands of their own
// (plugin/, undo/) register them from their own headers.
namespace host {
void registerGraphNodeTypes();      // graph/: dependNode, objectSet, time ...
void registerDagNodeTypes();        // dag/: dagNode, world, transform, shape ...
void registerParticleNodeTypes();   // particles/: particle, emitter, field, instancer; their
                                    // commands and the time commands
void createDefaultNodes();          // graph/: the world and the nodes every scene has
void registerScriptCommands();      // commands/, ui/: the built-in scene and UI commands
void registerCurvesAndDeformers();  // animation/, deformers/: animCurve and blendShape types;
                                    // setKeyframe, keyframe, keyTangent, cutKey, blendShape
void registerRendering();           // render/: the camera type; camera, lookThru and playblast
void registerFileNodeTypes();       // files/: the types and attributes scene files hold as data
}  // namespace host

#endif
