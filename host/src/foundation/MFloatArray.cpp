#include <maya/MFloatArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MFloatArray::MFloatArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatArray::MFloatArray(const MFloatArray& other) = default;

MFloatArray::MFloatArray(const float src[], unsigned int count)
    : fArray(hf::arrayFrom<float>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatArray::MFloatArray(unsigned int initialSize, float initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatArray::~MFloatArray() = default;

MFloatArray& MFloatArray::operator=(const MFloatArray& other) = default;

const float& MFloatArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

float& MFloatArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MFloatArray::set(float element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MFloatArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MFloatArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MFloatArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MFloatArray::insert(float element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MFloatArray::append(float element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MFloatArray::copy(const MFloatArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MFloatArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

MStatus MFloatArray::get(float array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}

void MFloatArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MFloatArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MFloatArray& array) {
    return hf::writeArray(os, array.fArray);
}

MFloatArray::MFloatArray(const double src[], unsigned int count)
    : fArray(hf::arrayFrom<float>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStatus MFloatArray::get(double array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}
