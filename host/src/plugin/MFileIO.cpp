#include "plugin/Args.h"
#include "plugin/FileActivity.h"

#include <maya/MFileIO.h>
#include <maya/MGlobal.h>

#include <string>
#include <vector>

namespace host {
namespace fileio {

namespace {
std::vector<Activity>& activities() {
    static std::vector<Activity> stack;
    return stack;
}
}  // namespace

Activity current() {
    return activities().empty() ? Activity::kNone : activities().back();
}

ActivityScope::ActivityScope(Activity activity) {
    activities().push_back(activity);
}
ActivityScope::~ActivityScope() {
    activities().pop_back();
}

}  // namespace fileio
}  // namespace host

using host::fileio::Activity;

namespace {

std::string option(const char* flag, const char* value) {
    return value && *value ? std::string(" ") + flag + " " + host::plugin::quoted(value)
                           : std::string();
}

std::string forced(bool force) {
    return force ? " -force" : "";
}

MStatus fileCommand(const std::string& arguments) {
    return MGlobal::executeCommand(MString(("file" + arguments).c_str()), false, true);
}

std::string path(const MString& fileName) {
    return " " + host::plugin::quoted(fileName.asChar());
}

}  // namespace

MString MFileIO::currentFile() {
    MString name;
    MGlobal::executeCommand("file -query -sceneName", name);
    return name;
}

MStatus MFileIO::setCurrentFile(const MString& fileName) {
    return fileCommand(" -rename" + path(fileName));
}

MStatus MFileIO::newFile(bool force) {
    return fileCommand(" -new" + forced(force));
}

MStatus MFileIO::open(const MString& fileName, const char* type, bool force) {
    return fileCommand(" -open" + forced(force) + option("-type", type) + path(fileName));
}

MStatus MFileIO::save(bool force) {
    return fileCommand(" -save" + forced(force));
}

MStatus MFileIO::saveAs(const MString& fileName, const char* type, bool force) {
    const MStatus renamed = setCurrentFile(fileName);
    return renamed ? fileCommand(" -save" + forced(force) + option("-type", type)) : renamed;
}

MStatus MFileIO::importFile(const MString& fileName, const char* type, bool preserveReferences,
                            const char* nameSpace) {
    return fileCommand(" -import" + option("-type", type) +
                       (preserveReferences ? std::string(" -preserveReferences") : "") +
                       option("-namespace", nameSpace) + path(fileName));
}

MStatus MFileIO::exportAll(const MString& fileName, const char* type) {
    return fileCommand(" -exportAll" + option("-type", type) + path(fileName));
}

bool MFileIO::isReadingFile() {
    const Activity a = host::fileio::current();
    return a == Activity::kOpening || a == Activity::kImporting;
}

bool MFileIO::isWritingFile() {
    const Activity a = host::fileio::current();
    return a == Activity::kSaving || a == Activity::kExporting;
}

bool MFileIO::isOpeningFile() {
    return host::fileio::current() == Activity::kOpening;
}
bool MFileIO::isNewingFile() {
    return host::fileio::current() == Activity::kNewing;
}
