#pragma once
// Scene file operations. Each runs the host's "file" command, so it reports
// and records exactly as that command does.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MFileIO {
public:
    static MString currentFile();
    static MStatus setCurrentFile(const MString& fileName);
    static MStatus newFile(bool force = false);
    static MStatus open(const MString& fileName, const char* type = NULL, bool force = false);
    static MStatus save(bool force = false);
    static MStatus saveAs(const MString& fileName, const char* type = NULL, bool force = false);
    static MStatus importFile(const MString& fileName, const char* type = NULL,
                              bool preserveReferences = false, const char* nameSpace = NULL);
    static MStatus exportAll(const MString& fileName, const char* type = NULL);

    // True while a scene file is being read (opened or imported).
    static bool isReadingFile();
    // True while a scene file is being written.
    static bool isWritingFile();
    static bool isOpeningFile();
    static bool isNewingFile();
};
