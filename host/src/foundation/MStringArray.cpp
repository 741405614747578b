#include <maya/MStringArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MStringArray::MStringArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStringArray::MStringArray(const MStringArray& other) = default;

MStringArray::MStringArray(const MString src[], unsigned int count)
    : fArray(hf::arrayFrom<MString>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStringArray::MStringArray(unsigned int initialSize, const MString& initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStringArray::~MStringArray() = default;

MStringArray& MStringArray::operator=(const MStringArray& other) = default;

const MString& MStringArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

MString& MStringArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MStringArray::set(const MString& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MStringArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MStringArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MStringArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MStringArray::insert(const MString& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MStringArray::append(const MString& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MStringArray::copy(const MStringArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MStringArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

MStatus MStringArray::get(MString array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}

void MStringArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MStringArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MStringArray& array) {
    return hf::writeArray(os, array.fArray);
}

MStringArray::MStringArray(const char* strings[], unsigned int count)
    : fArray(hf::arrayFrom<MString>(strings, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}
