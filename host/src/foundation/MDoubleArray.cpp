#include <maya/MDoubleArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MDoubleArray::MDoubleArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MDoubleArray::MDoubleArray(const MDoubleArray& other) = default;

MDoubleArray::MDoubleArray(const double src[], unsigned int count)
    : fArray(hf::arrayFrom<double>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MDoubleArray::MDoubleArray(unsigned int initialSize, double initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MDoubleArray::~MDoubleArray() = default;

MDoubleArray& MDoubleArray::operator=(const MDoubleArray& other) = default;

const double& MDoubleArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

double& MDoubleArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MDoubleArray::set(double element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MDoubleArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MDoubleArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MDoubleArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MDoubleArray::insert(double element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MDoubleArray::append(double element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MDoubleArray::copy(const MDoubleArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MDoubleArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

MStatus MDoubleArray::get(double array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}

void MDoubleArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MDoubleArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MDoubleArray& array) {
    return hf::writeArray(os, array.fArray);
}

MDoubleArray::MDoubleArray(const float src[], unsigned int count)
    : fArray(hf::arrayFrom<double>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStatus MDoubleArray::get(float array[]) const {
    return hf::arrayGet(fArray, array, hf::Assign());
}
