#include <maya/MVectorArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MVectorArray::MVectorArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MVectorArray::MVectorArray(const MVectorArray& other) = default;

MVectorArray::MVectorArray(const MVector src[], unsigned int count)
    : fArray(hf::arrayFrom<MVector>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MVectorArray::MVectorArray(unsigned int initialSize, const MVector& initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MVectorArray::~MVectorArray() = default;

MVectorArray& MVectorArray::operator=(const MVectorArray& other) = default;

const MVector& MVectorArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

MVector& MVectorArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MVectorArray::set(const MVector& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MVectorArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MVectorArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MVectorArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MVectorArray::insert(const MVector& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MVectorArray::append(const MVector& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MVectorArray::copy(const MVectorArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MVectorArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

void MVectorArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MVectorArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MVectorArray& array) {
    return hf::writeArray(os, array.fArray);
}

MVectorArray::MVectorArray(const double src[][3], unsigned int count)
    : fArray(hf::arrayFrom<MVector>(
          src, count, [](const double (&from)[3], MVector& to) { to = MVector(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MVectorArray::MVectorArray(const float src[][3], unsigned int count)
    : fArray(hf::arrayFrom<MVector>(
          src, count, [](const float (&from)[3], MVector& to) { to = MVector(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStatus MVectorArray::set(double element[3], unsigned int index) {
    return element ? set(MVector(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MVectorArray::set(float element[3], unsigned int index) {
    return element ? set(MVector(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MVectorArray::get(double dest[][3]) const {
    return hf::arrayGet(fArray, dest, [](const MVector& from, double(&to)[3]) { from.get(to); });
}

MStatus MVectorArray::get(float dest[][3]) const {
    return hf::arrayGet(fArray, dest, [](const MVector& from, float(&to)[3]) {
        to[0] = static_cast<float>(from.x);
        to[1] = static_cast<float>(from.y);
        to[2] = static_cast<float>(from.z);
    });
}
