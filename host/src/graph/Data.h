#ifndef HOST_GRAPH_DATA_H
#define HOST_GRAPH_DATA_H

#include "graph/Object.h"

#include <maya/MDoubleArray.h>
#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MPointArray.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MVectorArray.h>

#include <array>
#include <memory>
#include <typeinfo>

namespace host {

// A value of one of the data kinds (arrays, strings, matrices, meshes...).
// Plugs hold data by shared pointer and hand out clones, so what a caller
// edits never changes a plug behind the host's back.
class Data : public Object {
public:
    explicit Data(MFnData::Type type) : m_type(type) {}
    MFnData::Type dataType() const { return m_type; }
    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;
    virtual std::shared_ptr<Data> clone() const = 0;
    virtual bool equals(const Data& other) const = 0;

private:
    MFnData::Type m_type;
};

template <class Array>
bool sameArray(const Array& a, const Array& b) {
    if (a.length() != b.length())
        return false;
    for (unsigned i = 0; i < a.length(); ++i)
        if (!(a[i] == b[i]))
            return false;
    return true;
}

template <MFnData::Type Kind, class Payload>
class ArrayData : public Data {
public:
    ArrayData() : Data(Kind) {}
    explicit ArrayData(const Payload& v) : Data(Kind), value(v) {}
    std::shared_ptr<Data> clone() const override { return std::make_shared<ArrayData>(value); }
    bool equals(const Data& other) const override {
        auto* o = dynamic_cast<const ArrayData*>(&other);
        return o && sameArray(value, o->value);
    }
    Payload value;
};

using IntArrayData = ArrayData<MFnData::kIntArray, MIntArray>;
using DoubleArrayData = ArrayData<MFnData::kDoubleArray, MDoubleArray>;
using StringArrayData = ArrayData<MFnData::kStringArray, MStringArray>;
using VectorArrayData = ArrayData<MFnData::kVectorArray, MVectorArray>;
using PointArrayData = ArrayData<MFnData::kPointArray, MPointArray>;

class StringData : public Data {
public:
    StringData() : Data(MFnData::kString) {}
    explicit StringData(const MString& v) : Data(MFnData::kString), value(v) {}
    std::shared_ptr<Data> clone() const override { return std::make_shared<StringData>(value); }
    bool equals(const Data& other) const override {
        auto* o = dynamic_cast<const StringData*>(&other);
        return o && o->value == value;
    }
    MString value;
};

class MatrixData : public Data {
public:
    MatrixData() : Data(MFnData::kMatrix) {}
    explicit MatrixData(const MMatrix& v) : Data(MFnData::kMatrix), value(v) {}
    std::shared_ptr<Data> clone() const override { return std::make_shared<MatrixData>(value); }
    bool equals(const Data& other) const override {
        // A matrix read in parts is not the plain matrix it composes to:
        // it is written in another form.
        auto* o = dynamic_cast<const MatrixData*>(&other);
        return o && typeid(*o) == typeid(*this) && o->value == value;
    }
    MMatrix value;
};

// A matrix given as the parts of a transformation, the "xform" form files
// write for bind poses: scale, rotate, rotate order, translate, shear, scale
// pivot and its translation, rotate pivot and its translation, rotate axis and
// joint orient quaternions (x y z w), inverse parent scale, and whether that
// scale applies. The parts are kept so that the value is written back as it
// was read, for as long as nobody has changed the matrix itself.
class XformMatrixData : public MatrixData {
public:
    static constexpr unsigned kFields = 37;
    using Fields = std::array<double, kFields>;
    explicit XformMatrixData(const Fields& parts);
    std::shared_ptr<Data> clone() const override;
    bool equals(const Data& other) const override;
    // Whether `value` is still what the parts compose to.
    bool holdsParts() const;
    Fields fields;
};

// Two to four numbers of one numeric kind (the value of a double3 plug...).
class NumericData : public Data {
public:
    explicit NumericData(MFnNumericData::Type t = MFnNumericData::kInvalid)
        : Data(MFnData::kNumeric), numericType(t) {}
    std::shared_ptr<Data> clone() const override {
        auto copy = std::make_shared<NumericData>(numericType);
        copy->values = values;
        return copy;
    }
    bool equals(const Data& other) const override {
        auto* o = dynamic_cast<const NumericData*>(&other);
        return o && o->numericType == numericType && o->values == values;
    }
    unsigned count() const;
    MFnNumericData::Type numericType;
    std::array<double, 4> values{{0, 0, 0, 0}};
};

// How many numbers a numeric kind carries (1 for the single kinds).
unsigned numericComponentCount(MFnNumericData::Type type);
// The single kind of each component of a compound numeric kind.
MFnNumericData::Type numericComponentType(MFnNumericData::Type type);

std::shared_ptr<Data> makeData(MFnData::Type type);

}  // namespace host

#endif
