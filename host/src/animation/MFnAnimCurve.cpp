#include "animation/Curve.h"
#include "animation/CurveChanges.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MAnimCurveChange.h>
#include <maya/MFnAnimCurve.h>

#include <cmath>
#include <functional>

using host::Node;
using host::animation::Curve;
using host::animation::Key;

namespace {

void report(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

Node* curveOf(const MObject& object) {
    Node* node = host::nodeOf(object);
    return node && host::animation::isCurveNode(*node) ? node : nullptr;
}

// Runs an edit on the curve's keys and stores the result; the change cache,
// when given, keeps the keys before and after for undo.
MStatus editKeys(const MObject& object, MAnimCurveChange* change,
                 const std::function<MStatus(Node&, Curve&)>& edit) {
    Node* node = curveOf(object);
    if (!node)
        return MS::kInvalidParameter;
    Curve keys = host::animation::readCurve(*node);
    const Curve before = keys;
    MStatus status = edit(*node, keys);
    if (!status)
        return status;
    host::animation::writeCurve(*node, keys);
    if (change)
        host::animation::CurveChanges::of(*change).add(*node, before, keys);
    return MS::kSuccess;
}

// Runs a query on the curve's keys; fails for an index past the last key.
template <class T>
T readKey(const MObject& object, unsigned int index, MStatus* status, T fallback,
          const std::function<T(const Curve&, const Key&)>& read) {
    Node* node = curveOf(object);
    if (!node) {
        report(status, MS::kInvalidParameter);
        return fallback;
    }
    Curve keys = host::animation::readCurve(*node);
    if (index >= keys.size()) {
        report(status, MS::kInvalidParameter);
        return fallback;
    }
    report(status, MS::kSuccess);
    return read(keys, keys.key(index));
}

double inputOf(const MTime& time) {
    return time.as(MTime::kSeconds);
}

}  // namespace

MFnAnimCurve::MFnAnimCurve() = default;
MFnAnimCurve::MFnAnimCurve(MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, attach(object));
}
MFnAnimCurve::MFnAnimCurve(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, attach(object));
}
MFnAnimCurve::MFnAnimCurve(const MPlug& plug, MStatus* ReturnStatus) {
    Node* curve = host::animation::drivingCurve(plug);
    report(ReturnStatus,
           curve ? attach(host::Scene::current().object(curve)) : MStatus(MS::kInvalidParameter));
}
MFnAnimCurve::~MFnAnimCurve() = default;

MFn::Type MFnAnimCurve::type() const {
    return MFn::kAnimCurve;
}
const char* MFnAnimCurve::className() const {
    return "MFnAnimCurve";
}

bool MFnAnimCurve::acceptsObject(const MObject& object) const {
    return curveOf(object) != nullptr;
}

MObject MFnAnimCurve::create(MPlug& plug, MDGModifier* modifier, MStatus* ReturnStatus) {
    return create(plug, host::animation::curveTypeForPlug(plug), modifier, ReturnStatus);
}

MObject MFnAnimCurve::create(MPlug& plug, AnimCurveType animCurveType, MDGModifier* modifier,
                             MStatus* ReturnStatus) {
    host::NodePtr curve =
        host::animation::createCurve(animCurveType, &plug, modifier, ReturnStatus);
    if (!curve)
        return MObject();
    MObject object = host::toMObject(curve);
    attach(object);
    return object;
}

MObject MFnAnimCurve::create(const MObject& node, const MObject& attribute, MDGModifier* modifier,
                             MStatus* ReturnStatus) {
    MPlug plug(node, attribute);
    return create(plug, modifier, ReturnStatus);
}

MObject MFnAnimCurve::create(AnimCurveType animCurveType, MDGModifier* modifier,
                             MStatus* ReturnStatus) {
    host::NodePtr curve =
        host::animation::createCurve(animCurveType, nullptr, modifier, ReturnStatus);
    if (!curve)
        return MObject();
    MObject object = host::toMObject(curve);
    attach(object);
    return object;
}

MFnAnimCurve::AnimCurveType MFnAnimCurve::animCurveType(MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    report(ReturnStatus, node ? MS::kSuccess : MS::kInvalidParameter);
    return node ? host::animation::curveTypeOf(*node) : kAnimCurveUnknown;
}

bool MFnAnimCurve::isTimeInput(MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    report(ReturnStatus, node ? MS::kSuccess : MS::kInvalidParameter);
    return node && host::animation::hasTimeInput(host::animation::curveTypeOf(*node));
}

bool MFnAnimCurve::isUnitlessInput(MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    report(ReturnStatus, node ? MS::kSuccess : MS::kInvalidParameter);
    return node && !host::animation::hasTimeInput(host::animation::curveTypeOf(*node));
}

MStatus MFnAnimCurve::evaluate(const double& atUnitlessInput, double& value) const {
    Node* node = curveOf(m_object);
    if (!node)
        return MS::kInvalidParameter;
    value = host::animation::readCurve(*node).evaluate(atUnitlessInput);
    return MS::kSuccess;
}

MStatus MFnAnimCurve::evaluate(const MTime& atTime, double& value) const {
    return evaluate(inputOf(atTime), value);
}

MStatus MFnAnimCurve::evaluate(const double& atUnitlessInput, MTime& timeValue) const {
    double seconds = 0.0;
    MStatus status = evaluate(atUnitlessInput, seconds);
    if (status)
        timeValue = MTime(seconds, MTime::kSeconds);
    return status;
}

MStatus MFnAnimCurve::evaluate(const MTime& atTime, MTime& timeValue) const {
    return evaluate(inputOf(atTime), timeValue);
}

bool MFnAnimCurve::isStatic(MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    report(ReturnStatus, node ? MS::kSuccess : MS::kInvalidParameter);
    return node && host::animation::readCurve(*node).isStatic();
}

unsigned int MFnAnimCurve::numKeyframes(MStatus* ReturnStatus) const {
    return numKeys(ReturnStatus);
}

unsigned int MFnAnimCurve::numKeys(MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    report(ReturnStatus, node ? MS::kSuccess : MS::kInvalidParameter);
    return node ? static_cast<unsigned>(host::animation::readCurve(*node).size()) : 0;
}

MStatus MFnAnimCurve::remove(unsigned int index, MAnimCurveChange* change) {
    return editKeys(m_object, change, [index](Node&, Curve& keys) -> MStatus {
        if (index >= keys.size())
            return MS::kInvalidParameter;
        keys.erase(index);
        return MS::kSuccess;
    });
}

MStatus MFnAnimCurve::addKeyframe(MTime time, double value, MAnimCurveChange* change) {
    return addKeyframe(time, value, kTangentGlobal, kTangentGlobal, change);
}

MStatus MFnAnimCurve::addKeyframe(MTime time, double value, TangentType tangentInType,
                                  TangentType tangentOutType, MAnimCurveChange* change) {
    MStatus status;
    addKey(time, value, tangentInType, tangentOutType, change, &status);
    return status;
}

unsigned int MFnAnimCurve::addKey(MTime time, double value, TangentType tangentInType,
                                  TangentType tangentOutType, MAnimCurveChange* change,
                                  MStatus* ReturnStatus) {
    return addKey(inputOf(time), value, tangentInType, tangentOutType, change, ReturnStatus);
}

unsigned int MFnAnimCurve::addKey(double unitlessInput, double value, TangentType tangentInType,
                                  TangentType tangentOutType, MAnimCurveChange* change,
                                  MStatus* ReturnStatus) {
    Node* node = curveOf(m_object);
    if (!node) {
        report(ReturnStatus, MS::kInvalidParameter);
        return 0;
    }
    // Edited where the node keeps its keys: the usual new last key costs
    // one key, not the curve.
    const std::shared_ptr<Curve> keys = host::animation::curveKeys(*node);
    std::optional<Curve> before;
    if (change)
        before = *keys;
    const size_t index =
        host::animation::addKey(*node, *keys, unitlessInput, value, tangentInType, tangentOutType);
    host::animation::storeKeys(*node, *keys, index);
    if (change)
        host::animation::CurveChanges::of(*change).add(*node, *before, *keys);
    report(ReturnStatus, MS::kSuccess);
    return static_cast<unsigned>(index);
}

bool MFnAnimCurve::find(double unitlessInput, unsigned int& index, MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    report(ReturnStatus, node ? MS::kSuccess : MS::kInvalidParameter);
    if (!node)
        return false;
    int found = host::animation::readCurve(*node).find(unitlessInput);
    if (found < 0)
        return false;
    index = static_cast<unsigned>(found);
    return true;
}

bool MFnAnimCurve::find(MTime time, unsigned int& index, MStatus* ReturnStatus) const {
    return find(inputOf(time), index, ReturnStatus);
}

unsigned int MFnAnimCurve::findClosest(MTime time, MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    Curve keys = node ? host::animation::readCurve(*node) : Curve();
    report(ReturnStatus, keys.size() ? MS::kSuccess : MS::kFailure);
    const double t = inputOf(time);
    unsigned int best = 0;
    for (unsigned i = 1; i < keys.size(); ++i)
        if (std::fabs(keys.time(i) - t) < std::fabs(keys.time(best) - t))
            best = i;
    return best;
}

MTime MFnAnimCurve::time(unsigned int index, MStatus* ReturnStatus) const {
    return readKey<MTime>(m_object, index, ReturnStatus, MTime(), [](const Curve&, const Key& k) {
        return MTime(k.time, MTime::kSeconds);
    });
}

double MFnAnimCurve::value(unsigned int index, MStatus* ReturnStatus) const {
    return readKey<double>(m_object, index, ReturnStatus, 0.0,
                           [](const Curve&, const Key& k) { return k.value; });
}

double MFnAnimCurve::unitlessInput(unsigned int index, MStatus* ReturnStatus) const {
    return readKey<double>(m_object, index, ReturnStatus, 0.0,
                           [](const Curve&, const Key& k) { return k.time; });
}

MStatus MFnAnimCurve::setValue(unsigned int index, double value, MAnimCurveChange* change) {
    return editKeys(m_object, change, [=](Node&, Curve& keys) -> MStatus {
        if (index >= keys.size())
            return MS::kInvalidParameter;
        Key k = keys.key(index);
        k.value = value;
        keys.setKey(index, k);
        return MS::kSuccess;
    });
}

MStatus MFnAnimCurve::setUnitlessInput(unsigned int index, double unitlessInput,
                                       MAnimCurveChange* change) {
    return editKeys(m_object, change, [=](Node&, Curve& keys) -> MStatus {
        if (index >= keys.size())
            return MS::kInvalidParameter;
        // The host refuses to move a key onto or past a neighbour.
        const int other = keys.find(unitlessInput);
        if (other >= 0 && static_cast<unsigned>(other) != index)
            return MS::kFailure;
        if ((index > 0 && unitlessInput < keys.time(index - 1)) ||
            (index + 1 < keys.size() && unitlessInput > keys.time(index + 1)))
            return MS::kFailure;
        Key k = keys.key(index);
        k.time = unitlessInput;
        keys.setKey(index, k);
        return MS::kSuccess;
    });
}

MStatus MFnAnimCurve::setTime(unsigned int index, MTime time, MAnimCurveChange* change) {
    return setUnitlessInput(index, inputOf(time), change);
}

MFnAnimCurve::TangentType MFnAnimCurve::inTangentType(unsigned int index,
                                                      MStatus* ReturnStatus) const {
    return readKey<TangentType>(m_object, index, ReturnStatus, kTangentGlobal,
                                [](const Curve&, const Key& k) { return k.in; });
}

MFnAnimCurve::TangentType MFnAnimCurve::outTangentType(unsigned int index,
                                                       MStatus* ReturnStatus) const {
    return readKey<TangentType>(m_object, index, ReturnStatus, kTangentGlobal,
                                [](const Curve&, const Key& k) { return k.out; });
}

namespace {
MStatus setType(const MObject& object, unsigned int index, MFnAnimCurve::TangentType type,
                bool inTangent, MAnimCurveChange* change) {
    if (type < MFnAnimCurve::kTangentGlobal || type > MFnAnimCurve::kTangentStepNext)
        return MS::kInvalidParameter;
    return editKeys(object, change, [=](Node& node, Curve& keys) -> MStatus {
        if (index >= keys.size())
            return MS::kInvalidParameter;
        keys.setTangentType(index, inTangent,
                            host::animation::resolveTangent(node, type, inTangent));
        return MS::kSuccess;
    });
}
}  // namespace

MStatus MFnAnimCurve::setInTangentType(unsigned int index, TangentType tangentType,
                                       MAnimCurveChange* change) {
    return setType(m_object, index, tangentType, true, change);
}

MStatus MFnAnimCurve::setOutTangentType(unsigned int index, TangentType tangentType,
                                        MAnimCurveChange* change) {
    return setType(m_object, index, tangentType, false, change);
}

MStatus MFnAnimCurve::getTangent(unsigned int index, float& x, float& y, bool isInTangent) const {
    MStatus status;
    const double m = readKey<double>(
        m_object, index, &status, 0.0,
        [=](const Curve& keys, const Key&) { return keys.slope(index, isInTangent); });
    if (!status)
        return status;
    // A weighted curve's tangent vector is as long as its weight.
    const double weight =
        readKey<double>(m_object, index, nullptr, 1.0, [=](const Curve& keys, const Key& k) {
            if (!keys.weighted())
                return 1.0;
            return isInTangent ? k.inWeight : k.outWeight;
        });
    const double length = std::sqrt(1.0 + m * m) / weight;
    x = static_cast<float>(1.0 / length);
    y = static_cast<float>(m / length);
    return MS::kSuccess;
}

MStatus MFnAnimCurve::setTangent(unsigned int index, float x, float y, bool isInTangent,
                                 MAnimCurveChange* change, bool) {
    if (x <= 0.0f)
        return MS::kInvalidParameter;
    return editKeys(m_object, change, [=](Node&, Curve& keys) -> MStatus {
        if (index >= keys.size())
            return MS::kInvalidParameter;
        Key k = keys.key(index);
        (isInTangent ? k.in : k.out) = kTangentFixed;
        (isInTangent ? k.inX : k.outX) = x;
        (isInTangent ? k.inY : k.outY) = y;
        if (keys.weighted())
            (isInTangent ? k.inWeight : k.outWeight) = std::hypot(x, y);
        keys.setKey(index, k);
        return MS::kSuccess;
    });
}

bool MFnAnimCurve::isWeighted(MStatus* ReturnStatus) const {
    Node* node = curveOf(m_object);
    report(ReturnStatus, node ? MS::kSuccess : MS::kInvalidParameter);
    return node && host::animation::curveKeys(*node)->weighted();
}
