#include <maya/MPointArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MPointArray::MPointArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MPointArray::MPointArray(const MPointArray& other) = default;

MPointArray::MPointArray(const MPoint src[], unsigned int count)
    : fArray(hf::arrayFrom<MPoint>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MPointArray::MPointArray(unsigned int initialSize, const MPoint& initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MPointArray::~MPointArray() = default;

MPointArray& MPointArray::operator=(const MPointArray& other) = default;

const MPoint& MPointArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

MPoint& MPointArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MPointArray::set(const MPoint& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MPointArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MPointArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MPointArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MPointArray::insert(const MPoint& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MPointArray::append(const MPoint& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MPointArray::copy(const MPointArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MPointArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

void MPointArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MPointArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MPointArray& array) {
    return hf::writeArray(os, array.fArray);
}

MPointArray::MPointArray(const double src[][4], unsigned int count)
    : fArray(hf::arrayFrom<MPoint>(src, count,
                                   [](const double (&from)[4], MPoint& to) { to = MPoint(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MPointArray::MPointArray(const float src[][4], unsigned int count)
    : fArray(hf::arrayFrom<MPoint>(src, count,
                                   [](const float (&from)[4], MPoint& to) { to = MPoint(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStatus MPointArray::set(const MVector& vector, unsigned int index) {
    return set(MPoint(vector), index);
}

MStatus MPointArray::set(unsigned int index, double x, double y, double z, double w) {
    return set(MPoint(x, y, z, w), index);
}

MStatus MPointArray::set(double element[4], unsigned int index) {
    return element ? set(MPoint(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MPointArray::set(float element[4], unsigned int index) {
    return element ? set(MPoint(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MPointArray::append(const MVector& vector) {
    return append(MPoint(vector));
}

MStatus MPointArray::append(double x, double y, double z, double w) {
    return append(MPoint(x, y, z, w));
}

MStatus MPointArray::get(double dest[][4]) const {
    return hf::arrayGet(fArray, dest, [](const MPoint& from, double(&to)[4]) { from.get(to); });
}

MStatus MPointArray::get(float dest[][4]) const {
    return hf::arrayGet(fArray, dest, [](const MPoint& from, float(&to)[4]) { from.get(to); });
}
