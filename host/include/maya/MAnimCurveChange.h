#ifndef MINIMAYA_MANIMCURVECHANGE_H
#define MINIMAYA_MANIMCURVECHANGE_H

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <memory>

namespace host {
namespace animation {
struct CurveChanges;
}
}  // namespace host

// Collects the key edits made through MFnAnimCurve calls that are given it,
// so that a command can undo and redo them.
class OPENMAYA_EXPORT MAnimCurveChange {
public:
    MAnimCurveChange(MStatus* ReturnStatus = NULL);
    virtual ~MAnimCurveChange();
    MAnimCurveChange(const MAnimCurveChange&) = delete;
    MAnimCurveChange& operator=(const MAnimCurveChange&) = delete;

    MStatus undoIt();
    MStatus redoIt();
    bool isInteractive() const;
    void setInteractive(bool value);

private:
    friend struct host::animation::CurveChanges;
    std::unique_ptr<host::animation::CurveChanges> m_changes;
    bool m_interactive = false;
};

#endif
