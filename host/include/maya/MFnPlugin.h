#pragma once
// Registration of what a plug-in adds to the host, used from the plug-in's
// initializePlugin and uninitializePlugin entry points with the MObject the
// host passes to them.
//
// Including this header defines the exported MApiVersion data the host
// checks before it loads the plug-in; a plug-in made of several files
// defines MNoVersionString in all of them but one. The entry points are
// declared unless MNoPluginEntry is defined.

#include <maya/MFnBase.h>
#include <maya/MObject.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

#if defined(_WIN32)
#define PLUGIN_EXPORT __declspec(dllexport)
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif
#define MLLEXPORT PLUGIN_EXPORT

#define MINIMAYA_API_STRING_(version) #version
#define MINIMAYA_API_STRING(version) MINIMAYA_API_STRING_(version)

class OPENMAYA_EXPORT MFnPlugin : public MFnBase {
public:
    MFnPlugin();
    // vendor, version and requiredApiVersion are recorded while the plug-in
    // is being loaded; requiredApiVersion is "Any" or a version number such
    // as "200800", and a higher one than the host's fails the status.
    MFnPlugin(MObject& object, const char* vendor = "Unknown", const char* version = "Unknown",
              const char* requiredApiVersion = "Any", MStatus* ReturnStatus = NULL);
    ~MFnPlugin() override;

    MFn::Type type() const override;

    MString vendor(MStatus* ReturnStatus = NULL) const;
    MString version(MStatus* ReturnStatus = NULL) const;
    MString apiVersion(MStatus* ReturnStatus = NULL) const;
    MString name(MStatus* ReturnStatus = NULL) const;
    MString loadPath(MStatus* ReturnStatus = NULL) const;
    MStatus setVersion(const MString& newVersion);

    // Fails for an empty or malformed name and for a name that is already a
    // command or procedure.
    MStatus registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                            MCreateSyntaxFunction createSyntaxFunction = NULL);
    // Fails unless this plug-in registered the command.
    MStatus deregisterCommand(const MString& commandName);

    MStatus registerNode(const MString& typeName, const MTypeId& typeId,
                         MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                         MPxNode::Type type = MPxNode::kDependNode,
                         const MString* classification = NULL);
    MStatus deregisterNode(const MTypeId& typeId);

    // Script procedures run after a successful load and before unload. A
    // session without a user interface runs the batch forms instead; an empty
    // name runs nothing. The procedures are looked up when they are run.
    MStatus registerUI(const MString& creationProc, const MString& deletionProc,
                       const MString& creationBatchProc = "",
                       const MString& deletionBatchProc = "");

    // The plug-in object of a loaded plug-in, or a null object.
    static MObject findPlugin(const MString& pluginName);

protected:
    bool acceptsObject(const MObject& object) const override;

private:
    MFnPlugin(const MFnPlugin&);
    MFnPlugin& operator=(const MFnPlugin&);
};

#ifndef MNoPluginEntry
PLUGIN_EXPORT MStatus initializePlugin(MObject obj);
PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj);
#endif

#ifndef MNoVersionString
extern "C" {
extern PLUGIN_EXPORT const char MApiVersion[];
const char MApiVersion[] = MINIMAYA_API_STRING(MAYA_API_VERSION);
}
#endif
