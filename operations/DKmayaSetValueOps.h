#ifndef DK_OPERATIONS_DKMAYASETVALUEOPS_H
#define DK_OPERATIONS_DKMAYASETVALUEOPS_H

#include "operations/DKmayaOperation.h"
#include "scene/DKmayaObject.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTime.h>

// What differs between the plug value kinds: how the value is read, where a
// stand-in comes from when the plug cannot be read, how it is written, and
// the context of a failed write. Held is what the operation keeps; Read is
// what the plug hands out.
template <typename Value>
struct DKplugValueKind {
    using Held = Value;
    using Read = Value;
    static MStatus read(const MPlug& plug, Read& value) { return plug.getValue(value); }
    static void readDefault(const MPlug& plug, Read& value);
    static MStatus write(MPlug& plug, Held& value) { return plug.setValue(value); }
    static Held hold(const Read& value) { return value; }
    static const char* const failureContext;
};

// The value of an object plug. A node is held as a node reference, so that a
// node deleted and re-created by other undo steps is still found; anything
// else (the data objects that typed attributes carry) has no name to be found
// again by and is held itself, since nothing else keeps it alive.
class DKplugObjectValue {
public:
    explicit DKplugObjectValue(const MObject& value);

    // The object to write now.
    MObject resolve();

private:
    DKmayaObject node_;
    MObject data_;
};

template <>
struct DKplugValueKind<MObject> {
    using Held = DKplugObjectValue;
    using Read = MObject;
    static MStatus read(const MPlug& plug, Read& value);
    static void readDefault(const MPlug& plug, Read& value);
    static MStatus write(MPlug& plug, Held& value);
    static Held hold(const Read& value) { return DKplugObjectValue(value); }
    static const char* const failureContext;
};

// Sets one plug to one value undoably, by swapping: each doIt writes the held
// value and keeps the one it replaced, so undoIt is the same swap again and
// any number of undo/redo alternations works.
template <typename Value>
class DKmayaSetValueOp : public DKmayaOperation {
public:
    using Kind = DKplugValueKind<Value>;

    DKmayaSetValueOp(const MPlug& plug, const typename Kind::Held& value)
        : plug_(plug), value_(value) {}

    void doIt() override;
    // Only a write that took place has a value to put back: undoing one the
    // host refused would attempt that very write again.
    void undoIt() override {
        if (applied_) {
            doIt();
        }
    }

    const typename Kind::Held& value() const { return value_; }

private:
    MPlug plug_;
    typename Kind::Held value_;
    bool applied_ = false;
};

extern template class DKmayaSetValueOp<double>;
extern template class DKmayaSetValueOp<float>;
extern template class DKmayaSetValueOp<int>;
extern template class DKmayaSetValueOp<short>;
extern template class DKmayaSetValueOp<bool>;
extern template class DKmayaSetValueOp<char>;
extern template class DKmayaSetValueOp<MDistance>;
extern template class DKmayaSetValueOp<MAngle>;
extern template class DKmayaSetValueOp<MTime>;
extern template class DKmayaSetValueOp<MString>;
extern template class DKmayaSetValueOp<MObject>;

using DKmayaSetDoubleValueOp = DKmayaSetValueOp<double>;
using DKmayaSetFloatValueOp = DKmayaSetValueOp<float>;
using DKmayaSetIntValueOp = DKmayaSetValueOp<int>;
using DKmayaSetShortValueOp = DKmayaSetValueOp<short>;
using DKmayaSetBoolValueOp = DKmayaSetValueOp<bool>;
using DKmayaSetCharValueOp = DKmayaSetValueOp<char>;
using DKmayaSetDistanceValueOp = DKmayaSetValueOp<MDistance>;
using DKmayaSetAngleValueOp = DKmayaSetValueOp<MAngle>;
using DKmayaSetTimeValueOp = DKmayaSetValueOp<MTime>;
using DKmayaSetStringValueOp = DKmayaSetValueOp<MString>;
using DKmayaSetObjectValueOp = DKmayaSetValueOp<MObject>;

#endif
