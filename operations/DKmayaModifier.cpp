#include "operations/DKmayaModifier.h"

#include "operations/DKmayaNativeOp.h"
#include "operations/DKmayaRemoveChildOp.h"
#include "operations/DKmayaSetValueOps.h"

DKmayaModifier::~DKmayaModifier() {
    clear();
}

void DKmayaModifier::addOperation(std::unique_ptr<DKmayaOperation> operation) {
    operations_.push_back(std::move(operation));
    nativeTail_ = false;
}

MDagModifier& DKmayaModifier::nativeModifier(bool reuseLast) {
    if (!(reuseLast && nativeTail_)) {
        append<DKmayaNativeOp>();
        nativeTail_ = true;
    }
    return static_cast<DKmayaNativeOp&>(*operations_.back()).modifier();
}

void DKmayaModifier::setObjectValue(const MPlug& plug, const MObject& value) {
    append<DKmayaSetObjectValueOp>(plug, DKplugObjectValue(value));
}

void DKmayaModifier::setDoubleValue(const MPlug& plug, double value) {
    append<DKmayaSetDoubleValueOp>(plug, value);
}

void DKmayaModifier::setFloatValue(const MPlug& plug, float value) {
    append<DKmayaSetFloatValueOp>(plug, value);
}

void DKmayaModifier::setIntValue(const MPlug& plug, int value) {
    append<DKmayaSetIntValueOp>(plug, value);
}

void DKmayaModifier::setShortValue(const MPlug& plug, short value) {
    append<DKmayaSetShortValueOp>(plug, value);
}

void DKmayaModifier::setBoolValue(const MPlug& plug, bool value) {
    append<DKmayaSetBoolValueOp>(plug, value);
}

void DKmayaModifier::setCharValue(const MPlug& plug, char value) {
    append<DKmayaSetCharValueOp>(plug, value);
}

void DKmayaModifier::setDistanceValue(const MPlug& plug, const MDistance& value) {
    append<DKmayaSetDistanceValueOp>(plug, value);
}

void DKmayaModifier::setAngleValue(const MPlug& plug, const MAngle& value) {
    append<DKmayaSetAngleValueOp>(plug, value);
}

void DKmayaModifier::setTimeValue(const MPlug& plug, const MTime& value) {
    append<DKmayaSetTimeValueOp>(plug, value);
}

void DKmayaModifier::setStringValue(const MPlug& plug, const MString& value) {
    append<DKmayaSetStringValueOp>(plug, value);
}

void DKmayaModifier::removeChild(const MObject& parent, unsigned childIndex) {
    append<DKmayaRemoveChildOp>(parent, childIndex);
}

void DKmayaModifier::doIt() {
    const auto length = static_cast<std::uint32_t>(operations_.size());
    if (nativeTail_ && executedCount_ == length) {
        operations_.back()->doIt();
        return;
    }
    for (std::uint32_t i = executedCount_; i < length; ++i) {
        operations_[i]->doIt();
        executedCount_ = i + 1;
    }
}

void DKmayaModifier::undoDownTo(std::uint32_t from, std::uint32_t first) {
    for (std::uint32_t i = from + 1; i-- > first;) {
        operations_[i]->undoIt();
        executedCount_ = i;
    }
}

void DKmayaModifier::undoIt() {
    if (executedCount_ > 0) {
        undoDownTo(executedCount_ - 1, 0);
    }
}

void DKmayaModifier::removeLast(unsigned count) {
    const auto length = static_cast<std::uint32_t>(operations_.size());
    if (count == 0 || length == 0) {
        return;
    }
    if (count > length) {
        count = length;
    }
    const std::uint32_t first = length - count;
    if (executedCount_ == length) {
        undoDownTo(length - 1, first);
    } else if (executedCount_ >= first) {
        // The operation at executedCount is the one whose doIt failed part-way
        // (or the first that never ran); it may have left effects behind.
        undoDownTo(executedCount_, first);
    }
    while (operations_.size() > first) {
        operations_.pop_back();
    }
    nativeTail_ =
        !operations_.empty() && dynamic_cast<DKmayaNativeOp*>(operations_.back().get()) != nullptr;
}

void DKmayaModifier::clear() {
    operations_.clear();
    executedCount_ = 0;
    nativeTail_ = false;
}
