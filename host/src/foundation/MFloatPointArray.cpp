#include <maya/MFloatPointArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MFloatPointArray::MFloatPointArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatPointArray::MFloatPointArray(const MFloatPointArray& other) = default;

MFloatPointArray::MFloatPointArray(const MFloatPoint src[], unsigned int count)
    : fArray(hf::arrayFrom<MFloatPoint>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatPointArray::MFloatPointArray(unsigned int initialSize, const MFloatPoint& initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatPointArray::~MFloatPointArray() = default;

MFloatPointArray& MFloatPointArray::operator=(const MFloatPointArray& other) = default;

const MFloatPoint& MFloatPointArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

MFloatPoint& MFloatPointArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MFloatPointArray::set(const MFloatPoint& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MFloatPointArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MFloatPointArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MFloatPointArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MFloatPointArray::insert(const MFloatPoint& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MFloatPointArray::append(const MFloatPoint& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MFloatPointArray::copy(const MFloatPointArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MFloatPointArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

void MFloatPointArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MFloatPointArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MFloatPointArray& array) {
    return hf::writeArray(os, array.fArray);
}

MFloatPointArray::MFloatPointArray(const float src[][4], unsigned int count)
    : fArray(hf::arrayFrom<MFloatPoint>(
          src, count, [](const float (&from)[4], MFloatPoint& to) { to = MFloatPoint(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatPointArray::MFloatPointArray(const double src[][4], unsigned int count)
    : fArray(hf::arrayFrom<MFloatPoint>(
          src, count, [](const double (&from)[4], MFloatPoint& to) { to = MFloatPoint(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStatus MFloatPointArray::set(unsigned int index, float x, float y, float z, float w) {
    return set(MFloatPoint(x, y, z, w), index);
}

MStatus MFloatPointArray::set(float element[4], unsigned int index) {
    return element ? set(MFloatPoint(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MFloatPointArray::set(double element[4], unsigned int index) {
    return element ? set(MFloatPoint(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MFloatPointArray::append(float x, float y, float z, float w) {
    return append(MFloatPoint(x, y, z, w));
}

MStatus MFloatPointArray::get(float dest[][4]) const {
    return hf::arrayGet(fArray, dest, [](const MFloatPoint& from, float(&to)[4]) { from.get(to); });
}

MStatus MFloatPointArray::get(double dest[][4]) const {
    return hf::arrayGet(fArray, dest,
                        [](const MFloatPoint& from, double(&to)[4]) { from.get(to); });
}
