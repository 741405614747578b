#include <maya/MFloatVectorArray.h>

#include "foundation/ArrayOps.h"

namespace hf = host::foundation;

MFloatVectorArray::MFloatVectorArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatVectorArray::MFloatVectorArray(const MFloatVectorArray& other) = default;

MFloatVectorArray::MFloatVectorArray(const MFloatVector src[], unsigned int count)
    : fArray(hf::arrayFrom<MFloatVector>(src, count, hf::Assign())),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatVectorArray::MFloatVectorArray(unsigned int initialSize, const MFloatVector& initialValue)
    : fArray(initialSize, initialValue), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatVectorArray::~MFloatVectorArray() = default;

MFloatVectorArray& MFloatVectorArray::operator=(const MFloatVectorArray& other) = default;

const MFloatVector& MFloatVectorArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}

MFloatVector& MFloatVectorArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MFloatVectorArray::set(const MFloatVector& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}

MStatus MFloatVectorArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}

unsigned int MFloatVectorArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}

MStatus MFloatVectorArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}

MStatus MFloatVectorArray::insert(const MFloatVector& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}

MStatus MFloatVectorArray::append(const MFloatVector& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}

MStatus MFloatVectorArray::copy(const MFloatVectorArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}

MStatus MFloatVectorArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}

void MFloatVectorArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}

unsigned int MFloatVectorArray::sizeIncrement() const {
    return fSizeIncrement;
}

std::ostream& operator<<(std::ostream& os, const MFloatVectorArray& array) {
    return hf::writeArray(os, array.fArray);
}

MFloatVectorArray::MFloatVectorArray(const float src[][3], unsigned int count)
    : fArray(hf::arrayFrom<MFloatVector>(
          src, count, [](const float (&from)[3], MFloatVector& to) { to = MFloatVector(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MFloatVectorArray::MFloatVectorArray(const double src[][3], unsigned int count)
    : fArray(hf::arrayFrom<MFloatVector>(
          src, count, [](const double (&from)[3], MFloatVector& to) { to = MFloatVector(from); })),
      fSizeIncrement(hf::kDefaultArraySizeIncrement) {}

MStatus MFloatVectorArray::set(float element[3], unsigned int index) {
    return element ? set(MFloatVector(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MFloatVectorArray::set(double element[3], unsigned int index) {
    return element ? set(MFloatVector(element), index) : MStatus(MS::kInvalidParameter);
}

MStatus MFloatVectorArray::get(float dest[][3]) const {
    return hf::arrayGet(fArray, dest,
                        [](const MFloatVector& from, float(&to)[3]) { from.get(to); });
}

MStatus MFloatVectorArray::get(double dest[][3]) const {
    return hf::arrayGet(fArray, dest, [](const MFloatVector& from, double(&to)[3]) {
        to[0] = from.x;
        to[1] = from.y;
        to[2] = from.z;
    });
}
