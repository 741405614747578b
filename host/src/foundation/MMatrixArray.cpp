#include <maya/MMatrixArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MMatrixArray::MMatrixArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MMatrixArray::MMatrixArray(const MMatrixArray& other) = default;

MMatrixArray::MMatrixArray(const MMatrix src[], unsigned int count)
    : fArray(hf::arrayFrom<MMatrix>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MMatrixArray::MMatrixArray(unsigned int initialSize, const MMatrix& initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MMatrixArray::~MMatrixArray() = default;

MMatrixArray& MMatrixArray::operator=(const MMatrixArray& other) = default;

const MMatrix& MMatrixArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

MMatrix& MMatrixArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MMatrixArray::set(const MMatrix& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MMatrixArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MMatrixArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MMatrixArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MMatrixArray::insert(const MMatrix& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MMatrixArray::append(const MMatrix& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MMatrixArray::copy(const MMatrixArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MMatrixArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

void MMatrixArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MMatrixArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MMatrixArray& array) {
    return hf::writeArray(os, array.fArray);
}

MMatrixArray::MMatrixArray(const double src[][4][4], unsigned int count)
    : fArray(hf::arrayFrom<MMatrix>(
          src, count, [](const double (&from)[4][4], MMatrix& to) { to = MMatrix(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MMatrixArray::MMatrixArray(const float src[][4][4], unsigned int count)
    : fArray(hf::arrayFrom<MMatrix>(
          src, count, [](const float (&from)[4][4], MMatrix& to) { to = MMatrix(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStatus MMatrixArray::set(const double elements[4][4], unsigned int index) {
    return elements ? set(MMatrix(elements), index) : MStatus(MS::kInvalidParameter);
}

MStatus MMatrixArray::set(const float elements[4][4], unsigned int index) {
    return elements ? set(MMatrix(elements), index) : MStatus(MS::kInvalidParameter);
}

MStatus MMatrixArray::get(double dest[][4][4]) const {
    return hf::arrayGet(fArray, dest, [](const MMatrix& from, double(&to)[4][4]) { from.get(to); });
}
