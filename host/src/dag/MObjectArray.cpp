#include "foundation/ArrayOps.h"

#include <maya/MObjectArray.h>

namespace hf = host::foundation;

MObjectArray::MObjectArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}
MObjectArray::MObjectArray(const MObjectArray& other) = default;
MObjectArray::MObjectArray(unsigned int length, const MObject& element)
    : fArray(length, element), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}
MObjectArray::~MObjectArray() = default;
MObjectArray& MObjectArray::operator=(const MObjectArray& other) = default;

const MObject& MObjectArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}
MObject& MObjectArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MObjectArray::set(const MObject& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}
MStatus MObjectArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}
unsigned int MObjectArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}
MStatus MObjectArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}
MStatus MObjectArray::insert(const MObject& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}
MStatus MObjectArray::append(const MObject& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}
MStatus MObjectArray::copy(const MObjectArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}
MStatus MObjectArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}
void MObjectArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}
unsigned int MObjectArray::sizeIncrement() const {
    return fSizeIncrement;
}
