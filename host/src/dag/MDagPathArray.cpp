#include "foundation/ArrayOps.h"

#include <maya/MDagPathArray.h>

namespace hf = host::foundation;

MDagPathArray::MDagPathArray() : fSizeIncrement(hf::kDefaultArraySizeIncrement) {}
MDagPathArray::MDagPathArray(const MDagPathArray& other) = default;
MDagPathArray::MDagPathArray(unsigned int length, const MDagPath& element)
    : fArray(length, element), fSizeIncrement(hf::kDefaultArraySizeIncrement) {}
MDagPathArray::~MDagPathArray() = default;
MDagPathArray& MDagPathArray::operator=(const MDagPathArray& other) = default;

const MDagPath& MDagPathArray::operator[](unsigned int index) const {
    return hf::arrayAt(fArray, index);
}
MDagPath& MDagPathArray::operator[](unsigned int index) {
    return hf::arrayAt(fArray, index);
}

MStatus MDagPathArray::set(const MDagPath& element, unsigned int index) {
    return hf::arraySet(fArray, element, index);
}
MStatus MDagPathArray::setLength(unsigned int length) {
    fArray.resize(length);
    return MS::kSuccess;
}
unsigned int MDagPathArray::length() const {
    return static_cast<unsigned int>(fArray.size());
}
MStatus MDagPathArray::remove(unsigned int index) {
    return hf::arrayRemove(fArray, index);
}
MStatus MDagPathArray::insert(const MDagPath& element, unsigned int index) {
    return hf::arrayInsert(fArray, element, index);
}
MStatus MDagPathArray::append(const MDagPath& element) {
    fArray.push_back(element);
    return MS::kSuccess;
}
MStatus MDagPathArray::copy(const MDagPathArray& source) {
    fArray = source.fArray;
    return MS::kSuccess;
}
MStatus MDagPathArray::clear() {
    fArray.clear();
    return MS::kSuccess;
}
void MDagPathArray::setSizeIncrement(unsigned int newIncrement) {
    fSizeIncrement = newIncrement;
}
unsigned int MDagPathArray::sizeIncrement() const {
    return fSizeIncrement;
}
