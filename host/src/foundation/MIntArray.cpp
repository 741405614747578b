#include <maya/MIntArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MIntArray::MIntArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MIntArray::MIntArray(const MIntArray& other) = default;

MIntArray::MIntArray(const int src[], unsigned int count)
    : fArray(hf::arrayFrom<int>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MIntArray::MIntArray(unsigned int initialSize, int initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MIntArray::~MIntArray() = default;

MIntArray& MIntArray::operator=(const MIntArray& other) = default;

const int& MIntArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

int& MIntArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MIntArray::set(int element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MIntArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MIntArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MIntArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MIntArray::insert(int element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MIntArray::append(int element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MIntArray::copy(const MIntArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MIntArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

MStatus MIntArray::get(int array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}

void MIntArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MIntArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MIntArray& array) {
    return hf::writeArray(os, array.fArray);
}
