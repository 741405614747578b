// MFnData itself, and the function sets of the single-value data kinds.
#include "graph/Data.h"

#include <maya/MFnData.h>
#include <maya/MFnMatrixData.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnStringData.h>

namespace {
void report(MStatus* s, bool ok) {
    if (s)
        *s = ok ? MS::kSuccess : MS::kFailure;
}
template <class T>
T* dataOf(const MObject& object) {
    return host::ObjectAccess::as<T>(object);
}
}  // namespace

#define MINIMAYA_DATA_SET(Class, Base, Check, Api)               \
    Class::Class() = default;                                    \
    Class::Class(const MObject& object, MStatus* ReturnStatus) { \
        MStatus s = attach(object);                              \
        if (ReturnStatus)                                        \
            *ReturnStatus = s;                                   \
    }                                                            \
    MFn::Type Class::type() const {                              \
        return Api;                                              \
    }                                                            \
    const char* Class::className() const {                       \
        return #Class;                                           \
    }                                                            \
    bool Class::acceptsObject(const MObject& object) const {     \
        return Check;                                            \
    }

MINIMAYA_DATA_SET(MFnData, MFnBase, object.hasFn(MFn::kData), MFn::kData)
MINIMAYA_DATA_SET(MFnStringData, MFnData, dataOf<host::StringData>(object) != nullptr,
                  MFn::kStringData)
MINIMAYA_DATA_SET(MFnMatrixData, MFnData, dataOf<host::MatrixData>(object) != nullptr,
                  MFn::kMatrixData)
MINIMAYA_DATA_SET(MFnNumericData, MFnData, dataOf<host::NumericData>(object) != nullptr,
                  MFn::kNumericData)
#undef MINIMAYA_DATA_SET

MFnStringData::MFnStringData(MObject& object, MStatus* ReturnStatus)
    : MFnStringData(static_cast<const MObject&>(object), ReturnStatus) {}
MFnMatrixData::MFnMatrixData(MObject& object, MStatus* ReturnStatus)
    : MFnMatrixData(static_cast<const MObject&>(object), ReturnStatus) {}
MFnNumericData::MFnNumericData(MObject& object, MStatus* ReturnStatus)
    : MFnNumericData(static_cast<const MObject&>(object), ReturnStatus) {}

// ---------------------------------------------------------------- string

MString MFnStringData::string(MStatus* ReturnStatus) const {
    auto* d = dataOf<host::StringData>(m_object);
    report(ReturnStatus, d != nullptr);
    return d ? d->value : MString();
}

MStatus MFnStringData::set(const MString& newString) {
    auto* d = dataOf<host::StringData>(m_object);
    if (!d)
        return MS::kFailure;
    d->value = newString;
    return MS::kSuccess;
}

MObject MFnStringData::create(const MString& in, MStatus* ReturnStatus) {
    m_object = host::toMObject(std::make_shared<host::StringData>(in));
    report(ReturnStatus, true);
    return m_object;
}

MObject MFnStringData::create(MStatus* ReturnStatus) {
    return create(MString(), ReturnStatus);
}

// ---------------------------------------------------------------- matrix

const MMatrix& MFnMatrixData::matrix(MStatus* ReturnStatus) const {
    static const MMatrix identity;
    auto* d = dataOf<host::MatrixData>(m_object);
    report(ReturnStatus, d != nullptr);
    return d ? d->value : identity;
}

MTransformationMatrix MFnMatrixData::transformation(MStatus* ReturnStatus) const {
    return MTransformationMatrix(matrix(ReturnStatus));
}

MStatus MFnMatrixData::set(const MMatrix& matrix) {
    auto* d = dataOf<host::MatrixData>(m_object);
    if (!d)
        return MS::kFailure;
    d->value = matrix;
    return MS::kSuccess;
}

MStatus MFnMatrixData::set(const MTransformationMatrix& transformation) {
    return set(transformation.asMatrix());
}

MObject MFnMatrixData::create(MStatus* ReturnStatus) {
    return create(MMatrix(), ReturnStatus);
}

MObject MFnMatrixData::create(const MMatrix& in, MStatus* ReturnStatus) {
    m_object = host::toMObject(std::make_shared<host::MatrixData>(in));
    report(ReturnStatus, true);
    return m_object;
}

MObject MFnMatrixData::create(const MTransformationMatrix& in, MStatus* ReturnStatus) {
    return create(in.asMatrix(), ReturnStatus);
}

// ---------------------------------------------------------------- numeric

MObject MFnNumericData::create(Type dataType, MStatus* ReturnStatus) {
    bool ok = host::numericComponentCount(dataType) > 1;
    report(ReturnStatus, ok);
    if (!ok)
        return MObject();
    m_object = host::toMObject(std::make_shared<host::NumericData>(dataType));
    return m_object;
}

MFnNumericData::Type MFnNumericData::numericType(MStatus* ReturnStatus) {
    auto* d = dataOf<host::NumericData>(m_object);
    report(ReturnStatus, d != nullptr);
    return d ? d->numericType : kInvalid;
}

namespace {
template <class T>
MStatus getN(const MObject& object, unsigned n, T* out[]) {
    auto* d = host::ObjectAccess::as<host::NumericData>(object);
    if (!d || d->count() != n)
        return MS::kFailure;
    for (unsigned i = 0; i < n; ++i)
        *out[i] = static_cast<T>(d->values[i]);
    return MS::kSuccess;
}
template <class T>
MStatus setN(const MObject& object, unsigned n, const T* in) {
    auto* d = host::ObjectAccess::as<host::NumericData>(object);
    if (!d || d->count() != n)
        return MS::kFailure;
    for (unsigned i = 0; i < n; ++i)
        d->values[i] = static_cast<double>(in[i]);
    return MS::kSuccess;
}
}  // namespace

#define MINIMAYA_NUMERIC2(T)                      \
    MStatus MFnNumericData::getData(T& a, T& b) { \
        T* out[] = {&a, &b};                      \
        return getN(m_object, 2, out);            \
    }                                             \
    MStatus MFnNumericData::setData(T a, T b) {   \
        T in[] = {a, b};                          \
        return setN(m_object, 2, in);             \
    }
#define MINIMAYA_NUMERIC3(T)                            \
    MStatus MFnNumericData::getData(T& a, T& b, T& c) { \
        T* out[] = {&a, &b, &c};                        \
        return getN(m_object, 3, out);                  \
    }                                                   \
    MStatus MFnNumericData::setData(T a, T b, T c) {    \
        T in[] = {a, b, c};                             \
        return setN(m_object, 3, in);                   \
    }
MINIMAYA_NUMERIC2(short)
MINIMAYA_NUMERIC2(int)
MINIMAYA_NUMERIC2(float)
MINIMAYA_NUMERIC2(double)
MINIMAYA_NUMERIC3(short)
MINIMAYA_NUMERIC3(int)
MINIMAYA_NUMERIC3(float)
MINIMAYA_NUMERIC3(double)
#undef MINIMAYA_NUMERIC2
#undef MINIMAYA_NUMERIC3

MStatus MFnNumericData::getData(double& a, double& b, double& c, double& d) {
    double* out[] = {&a, &b, &c, &d};
    return getN(m_object, 4, out);
}

MStatus MFnNumericData::setData(double a, double b, double c, double d) {
    double in[] = {a, b, c, d};
    return setN(m_object, 4, in);
}
