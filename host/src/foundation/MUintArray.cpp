#include <maya/MUintArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MUintArray::MUintArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MUintArray::MUintArray(const MUintArray& other) = default;

MUintArray::MUintArray(const unsigned int src[], unsigned int count)
    : fArray(hf::arrayFrom<unsigned int>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MUintArray::MUintArray(unsigned int initialSize, unsigned int initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MUintArray::~MUintArray() = default;

MUintArray& MUintArray::operator=(const MUintArray& other) = default;

const unsigned int& MUintArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

unsigned int& MUintArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MUintArray::set(unsigned int element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MUintArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MUintArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MUintArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MUintArray::insert(unsigned int element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MUintArray::append(unsigned int element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MUintArray::copy(const MUintArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MUintArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

MStatus MUintArray::get(unsigned int array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}

void MUintArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MUintArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MUintArray& array) {
    return hf::writeArray(os, array.fArray);
}
