#pragma once
// What the scene-file code is doing, for MFileIO::isReadingFile and its
// siblings. The file commands hold a scope for the length of the operation.

namespace host {
namespace fileio {

enum class Activity { kNone, kNewing, kOpening, kImporting, kSaving, kExporting };

// The innermost activity, or kNone.
Activity current();

class ActivityScope {
public:
    explicit ActivityScope(Activity activity);
    ~ActivityScope();
    ActivityScope(const ActivityScope&) = delete;
    ActivityScope& operator=(const ActivityScope&) = delete;
};

}  // namespace fileio
}  // namespace host
