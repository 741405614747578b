#include <maya/MTimeArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MTimeArray::MTimeArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MTimeArray::MTimeArray(const MTimeArray& other) = default;

MTimeArray::MTimeArray(const MTime src[], unsigned int count)
    : fArray(hf::arrayFrom<MTime>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MTimeArray::MTimeArray(unsigned int initialSize, const MTime& initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MTimeArray::~MTimeArray() = default;

MTimeArray& MTimeArray::operator=(const MTimeArray& other) = default;

const MTime& MTimeArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

MTime& MTimeArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MTimeArray::set(const MTime& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MTimeArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MTimeArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MTimeArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MTimeArray::insert(const MTime& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MTimeArray::append(const MTime& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MTimeArray::copy(const MTimeArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MTimeArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

MStatus MTimeArray::get(MTime array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}

void MTimeArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MTimeArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MTimeArray& array) {
    return hf::writeArray(os, array.fArray);
}
