#pragma once
// Host-wide services: the script bridge, messages to the user, the session
// state and the active selection.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class MDagPath;
class MDoubleArray;
class MIntArray;
class MObject;
class MSelectionList;
class MStringArray;

class OPENMAYA_EXPORT MGlobal {
public:
    enum MMayaState { kBaseUIMode, kInteractive, kBatch, kLibraryApp };

    enum ListAdjustment {
        kReplaceList,
        kXORWithList,
        kAddToList,
        kRemoveFromList,
        kAddToHeadOfList
    };

    static MString mayaVersion();
    static int apiVersion();
    static MMayaState mayaState(MStatus* ReturnStatus = NULL);

    // Selection.
    static MStatus getActiveSelectionList(MSelectionList& dest);
    static MStatus setActiveSelectionList(MSelectionList& src,
                                          ListAdjustment listAdjustment = kReplaceList);
    static MStatus getSelectionListByName(const MString& name, MSelectionList& list);
    static MStatus selectByName(const MString& name, ListAdjustment listAdjustment = kAddToList);
    static MStatus unselectByName(const MString& name);
    static MStatus select(MObject& object, ListAdjustment listAdjustment = kAddToList);
    static MStatus select(MDagPath& dagPath, MObject& component,
                          ListAdjustment listAdjustment = kAddToList);
    static MStatus selectCommand(MSelectionList& list, ListAdjustment listAdjustment = kAddToList);
    static MStatus unselect(MObject& object);
    static MStatus unselect(MDagPath& dagPath, MObject& component);
    static MStatus clearSelectionList();
    static bool isSelected(MObject& object, MStatus* ReturnStatus = NULL);

    // Script bridge. displayEnabled echoes the command and shows its result;
    // with undoEnabled false nothing the command does enters the undo queue.
    // The status fails when the script reports an error, or when the result
    // cannot be given in the requested kind.
    static MStatus executeCommand(const MString& command, bool displayEnabled = false,
                                  bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, int& result, bool displayEnabled = false,
                                  bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MIntArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, double& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MDoubleArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MString& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MStringArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus sourceFile(const MString& fileName);

    static void displayInfo(const MString& theMessage);
    static void displayWarning(const MString& theWarning);
    static void displayError(const MString& theError);

    // True while the undo queue undoes or redoes an entry.
    static bool isUndoing();
    static bool isRedoing();
};
