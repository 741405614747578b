#ifndef DK_OPERATIONS_DKMAYAMODIFIER_H
#define DK_OPERATIONS_DKMAYAMODIFIER_H

#include "operations/DKmayaOperation.h"

#include <maya/MAngle.h>
#include <maya/MDagModifier.h>
#include <maya/MDistance.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MString.h>
#include <maya/MTime.h>

#include <cstdint>
#include <memory>
#include <vector>

// The owned, ordered list of steps behind every changing command: executed
// forward, undone backward, and aware of how far execution got, so that a
// command can be redone, undone after a partial failure, or trimmed.
// Appending never executes anything; only doIt does.
class DKmayaModifier {
public:
    DKmayaModifier() = default;
    virtual ~DKmayaModifier();

    DKmayaModifier(const DKmayaModifier&) = delete;
    DKmayaModifier& operator=(const DKmayaModifier&) = delete;

    void addOperation(std::unique_ptr<DKmayaOperation> operation);

    // The host modifier of a trailing native operation. With reuseLast, the
    // one appended by the previous call is handed out again as long as
    // nothing else was appended since; otherwise a new one is appended.
    MDagModifier& nativeModifier(bool reuseLast);

    void setObjectValue(const MPlug& plug, const MObject& value);
    void setDoubleValue(const MPlug& plug, double value);
    void setFloatValue(const MPlug& plug, float value);
    void setIntValue(const MPlug& plug, int value);
    void setShortValue(const MPlug& plug, short value);
    void setBoolValue(const MPlug& plug, bool value);
    void setCharValue(const MPlug& plug, char value);
    void setDistanceValue(const MPlug& plug, const MDistance& value);
    void setAngleValue(const MPlug& plug, const MAngle& value);
    void setTimeValue(const MPlug& plug, const MTime& value);
    void setStringValue(const MPlug& plug, const MString& value);

    // Nothing is appended when the parent has no such child.
    void removeChild(const MObject& parent, unsigned childIndex);

    // Runs the operations not yet executed; when everything has run and the
    // list ends in a native operation, runs that one again so that actions
    // queued on it since are performed. An exception leaves at once, with
    // the operations before the failing one still done.
    void doIt();
    // Undoes the executed operations, last first.
    void undoIt();
    // Drops the last count operations, undoing those that may have taken
    // effect: after full execution the executed ones, after a failure the
    // failing one too.
    void removeLast(unsigned count);
    // Deletes every operation without undoing any.
    void clear();

    std::size_t size() const { return operations_.size(); }
    std::uint32_t executedCount() const { return executedCount_; }

private:
    template <typename Operation, typename... Args>
    void append(Args&&... args) {
        addOperation(std::make_unique<Operation>(std::forward<Args>(args)...));
    }
    void undoDownTo(std::uint32_t from, std::uint32_t first);

    std::vector<std::unique_ptr<DKmayaOperation>> operations_;
    std::uint32_t executedCount_ = 0;
    bool nativeTail_ = false;
};

#endif
