// The array data function sets. They differ only in the element type, so
// one template carries them; each class forwards to it.
#include "graph/Data.h"

#include <maya/MFnDoubleArrayData.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnPointArrayData.h>
#include <maya/MFnStringArrayData.h>
#include <maya/MFnVectorArrayData.h>

namespace {
void report(MStatus* s, bool ok) {
    if (s)
        *s = ok ? MS::kSuccess : MS::kFailure;
}
}  // namespace

// ---------------------------------------------------------------- MFnIntArrayData

namespace {
MIntArray* valuesOf(const MObject& object, MIntArray*) {
    auto* d = host::ObjectAccess::as<host::IntArrayData>(object);
    return d ? &d->value : nullptr;
}
}  // namespace

MFnIntArrayData::MFnIntArrayData() = default;
MFnIntArrayData::MFnIntArrayData(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnIntArrayData::MFnIntArrayData(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnIntArrayData::type() const {
    return MFn::kIntArrayData;
}
const char* MFnIntArrayData::className() const {
    return "MFnIntArrayData";
}
bool MFnIntArrayData::acceptsObject(const MObject& object) const {
    return valuesOf(object, static_cast<MIntArray*>(nullptr)) != nullptr;
}
unsigned int MFnIntArrayData::length(MStatus* ReturnStatus) const {
    MIntArray* v = valuesOf(m_object, static_cast<MIntArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? v->length() : 0;
}
int& MFnIntArrayData::operator[](unsigned int index) {
    return (*valuesOf(m_object, static_cast<MIntArray*>(nullptr)))[index];
}
const int& MFnIntArrayData::operator[](unsigned int index) const {
    return (*valuesOf(m_object, static_cast<MIntArray*>(nullptr)))[index];
}
MStatus MFnIntArrayData::copyTo(MIntArray& array) const {
    MIntArray* v = valuesOf(m_object, static_cast<MIntArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    array = *v;
    return MS::kSuccess;
}
MStatus MFnIntArrayData::set(const MIntArray& newArray) {
    MIntArray* v = valuesOf(m_object, static_cast<MIntArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    *v = newArray;
    return MS::kSuccess;
}
MIntArray MFnIntArrayData::array(MStatus* ReturnStatus) {
    MIntArray* v = valuesOf(m_object, static_cast<MIntArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? *v : MIntArray();
}
MObject MFnIntArrayData::create(MStatus* ReturnStatus) {
    return create(MIntArray(), ReturnStatus);
}
MObject MFnIntArrayData::create(const MIntArray& in, MStatus* ReturnStatus) {
    m_object = host::toMObject(std::make_shared<host::IntArrayData>(in));
    report(ReturnStatus, true);
    return m_object;
}

// ---------------------------------------------------------------- MFnDoubleArrayData

namespace {
MDoubleArray* valuesOf(const MObject& object, MDoubleArray*) {
    auto* d = host::ObjectAccess::as<host::DoubleArrayData>(object);
    return d ? &d->value : nullptr;
}
}  // namespace

MFnDoubleArrayData::MFnDoubleArrayData() = default;
MFnDoubleArrayData::MFnDoubleArrayData(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnDoubleArrayData::MFnDoubleArrayData(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnDoubleArrayData::type() const {
    return MFn::kDoubleArrayData;
}
const char* MFnDoubleArrayData::className() const {
    return "MFnDoubleArrayData";
}
bool MFnDoubleArrayData::acceptsObject(const MObject& object) const {
    return valuesOf(object, static_cast<MDoubleArray*>(nullptr)) != nullptr;
}
unsigned int MFnDoubleArrayData::length(MStatus* ReturnStatus) const {
    MDoubleArray* v = valuesOf(m_object, static_cast<MDoubleArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? v->length() : 0;
}
double& MFnDoubleArrayData::operator[](unsigned int index) {
    return (*valuesOf(m_object, static_cast<MDoubleArray*>(nullptr)))[index];
}
const double& MFnDoubleArrayData::operator[](unsigned int index) const {
    return (*valuesOf(m_object, static_cast<MDoubleArray*>(nullptr)))[index];
}
MStatus MFnDoubleArrayData::copyTo(MDoubleArray& array) const {
    MDoubleArray* v = valuesOf(m_object, static_cast<MDoubleArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    array = *v;
    return MS::kSuccess;
}
MStatus MFnDoubleArrayData::set(const MDoubleArray& newArray) {
    MDoubleArray* v = valuesOf(m_object, static_cast<MDoubleArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    *v = newArray;
    return MS::kSuccess;
}
MDoubleArray MFnDoubleArrayData::array(MStatus* ReturnStatus) {
    MDoubleArray* v = valuesOf(m_object, static_cast<MDoubleArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? *v : MDoubleArray();
}
MObject MFnDoubleArrayData::create(MStatus* ReturnStatus) {
    return create(MDoubleArray(), ReturnStatus);
}
MObject MFnDoubleArrayData::create(const MDoubleArray& in, MStatus* ReturnStatus) {
    m_object = host::toMObject(std::make_shared<host::DoubleArrayData>(in));
    report(ReturnStatus, true);
    return m_object;
}

// ---------------------------------------------------------------- MFnStringArrayData

namespace {
MStringArray* valuesOf(const MObject& object, MStringArray*) {
    auto* d = host::ObjectAccess::as<host::StringArrayData>(object);
    return d ? &d->value : nullptr;
}
}  // namespace

MFnStringArrayData::MFnStringArrayData() = default;
MFnStringArrayData::MFnStringArrayData(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnStringArrayData::MFnStringArrayData(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnStringArrayData::type() const {
    return MFn::kStringArrayData;
}
const char* MFnStringArrayData::className() const {
    return "MFnStringArrayData";
}
bool MFnStringArrayData::acceptsObject(const MObject& object) const {
    return valuesOf(object, static_cast<MStringArray*>(nullptr)) != nullptr;
}
unsigned int MFnStringArrayData::length(MStatus* ReturnStatus) const {
    MStringArray* v = valuesOf(m_object, static_cast<MStringArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? v->length() : 0;
}
MString& MFnStringArrayData::operator[](unsigned int index) {
    return (*valuesOf(m_object, static_cast<MStringArray*>(nullptr)))[index];
}
const MString& MFnStringArrayData::operator[](unsigned int index) const {
    return (*valuesOf(m_object, static_cast<MStringArray*>(nullptr)))[index];
}
MStatus MFnStringArrayData::copyTo(MStringArray& array) const {
    MStringArray* v = valuesOf(m_object, static_cast<MStringArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    array = *v;
    return MS::kSuccess;
}
MStatus MFnStringArrayData::set(const MStringArray& newArray) {
    MStringArray* v = valuesOf(m_object, static_cast<MStringArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    *v = newArray;
    return MS::kSuccess;
}
MStringArray MFnStringArrayData::array(MStatus* ReturnStatus) {
    MStringArray* v = valuesOf(m_object, static_cast<MStringArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? *v : MStringArray();
}
MObject MFnStringArrayData::create(MStatus* ReturnStatus) {
    return create(MStringArray(), ReturnStatus);
}
MObject MFnStringArrayData::create(const MStringArray& in, MStatus* ReturnStatus) {
    m_object = host::toMObject(std::make_shared<host::StringArrayData>(in));
    report(ReturnStatus, true);
    return m_object;
}

// ---------------------------------------------------------------- MFnVectorArrayData

namespace {
MVectorArray* valuesOf(const MObject& object, MVectorArray*) {
    auto* d = host::ObjectAccess::as<host::VectorArrayData>(object);
    return d ? &d->value : nullptr;
}
}  // namespace

MFnVectorArrayData::MFnVectorArrayData() = default;
MFnVectorArrayData::MFnVectorArrayData(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnVectorArrayData::MFnVectorArrayData(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnVectorArrayData::type() const {
    return MFn::kVectorArrayData;
}
const char* MFnVectorArrayData::className() const {
    return "MFnVectorArrayData";
}
bool MFnVectorArrayData::acceptsObject(const MObject& object) const {
    return valuesOf(object, static_cast<MVectorArray*>(nullptr)) != nullptr;
}
unsigned int MFnVectorArrayData::length(MStatus* ReturnStatus) const {
    MVectorArray* v = valuesOf(m_object, static_cast<MVectorArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? v->length() : 0;
}
MVector& MFnVectorArrayData::operator[](unsigned int index) {
    return (*valuesOf(m_object, static_cast<MVectorArray*>(nullptr)))[index];
}
const MVector& MFnVectorArrayData::operator[](unsigned int index) const {
    return (*valuesOf(m_object, static_cast<MVectorArray*>(nullptr)))[index];
}
MStatus MFnVectorArrayData::copyTo(MVectorArray& array) const {
    MVectorArray* v = valuesOf(m_object, static_cast<MVectorArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    array = *v;
    return MS::kSuccess;
}
MStatus MFnVectorArrayData::set(const MVectorArray& newArray) {
    MVectorArray* v = valuesOf(m_object, static_cast<MVectorArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    *v = newArray;
    return MS::kSuccess;
}
MVectorArray MFnVectorArrayData::array(MStatus* ReturnStatus) {
    MVectorArray* v = valuesOf(m_object, static_cast<MVectorArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? *v : MVectorArray();
}
MObject MFnVectorArrayData::create(MStatus* ReturnStatus) {
    return create(MVectorArray(), ReturnStatus);
}
MObject MFnVectorArrayData::create(const MVectorArray& in, MStatus* ReturnStatus) {
    m_object = host::toMObject(std::make_shared<host::VectorArrayData>(in));
    report(ReturnStatus, true);
    return m_object;
}

// ---------------------------------------------------------------- MFnPointArrayData

namespace {
MPointArray* valuesOf(const MObject& object, MPointArray*) {
    auto* d = host::ObjectAccess::as<host::PointArrayData>(object);
    return d ? &d->value : nullptr;
}
}  // namespace

MFnPointArrayData::MFnPointArrayData() = default;
MFnPointArrayData::MFnPointArrayData(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnPointArrayData::MFnPointArrayData(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFn::Type MFnPointArrayData::type() const {
    return MFn::kPointArrayData;
}
const char* MFnPointArrayData::className() const {
    return "MFnPointArrayData";
}
bool MFnPointArrayData::acceptsObject(const MObject& object) const {
    return valuesOf(object, static_cast<MPointArray*>(nullptr)) != nullptr;
}
unsigned int MFnPointArrayData::length(MStatus* ReturnStatus) const {
    MPointArray* v = valuesOf(m_object, static_cast<MPointArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? v->length() : 0;
}
MPoint& MFnPointArrayData::operator[](unsigned int index) {
    return (*valuesOf(m_object, static_cast<MPointArray*>(nullptr)))[index];
}
const MPoint& MFnPointArrayData::operator[](unsigned int index) const {
    return (*valuesOf(m_object, static_cast<MPointArray*>(nullptr)))[index];
}
MStatus MFnPointArrayData::copyTo(MPointArray& array) const {
    MPointArray* v = valuesOf(m_object, static_cast<MPointArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    array = *v;
    return MS::kSuccess;
}
MStatus MFnPointArrayData::set(const MPointArray& newArray) {
    MPointArray* v = valuesOf(m_object, static_cast<MPointArray*>(nullptr));
    if (!v)
        return MS::kFailure;
    *v = newArray;
    return MS::kSuccess;
}
MPointArray MFnPointArrayData::array(MStatus* ReturnStatus) {
    MPointArray* v = valuesOf(m_object, static_cast<MPointArray*>(nullptr));
    report(ReturnStatus, v != nullptr);
    return v ? *v : MPointArray();
}
MObject MFnPointArrayData::create(MStatus* ReturnStatus) {
    return create(MPointArray(), ReturnStatus);
}
MObject MFnPointArrayData::create(const MPointArray& in, MStatus* ReturnStatus) {
    m_object = host::toMObject(std::make_shared<host::PointArrayData>(in));
    report(ReturnStatus, true);
    return m_object;
}
