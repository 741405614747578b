#pragma once
// The behaviour every host array class shares, written once over std::vector.

#include <maya/MStatus.h>

#include <cassert>
#include <ostream>
#include <vector>

namespace host {
namespace foundation {

// The growth step reported by sizeIncrement() until a caller sets one; storage grows on its own.
constexpr unsigned int kDefaultArraySizeIncrement = 16;

// The host leaves the array untouched and fails for an index outside it.
template <class T>
MStatus arraySet(std::vector<T>& array, const T& value, unsigned int index) {
    if (index >= array.size()) {
        return MS::kFailure;
    }
    array[index] = value;
    return MS::kSuccess;
}

// Inserting at length() appends; beyond it fails.
template <class T>
MStatus arrayInsert(std::vector<T>& array, const T& value, unsigned int index) {
    if (index > array.size()) {
        return MS::kFailure;
    }
    array.insert(array.begin() + index, value);
    return MS::kSuccess;
}

template <class T>
MStatus arrayRemove(std::vector<T>& array, unsigned int index) {
    if (index >= array.size()) {
        return MS::kFailure;
    }
    array.erase(array.begin() + index);
    return MS::kSuccess;
}

template <class T>
T& arrayAt(std::vector<T>& array, unsigned int index) {
    assert(index < array.size() && "array index out of range");
    return array[index];
}

template <class T>
const T& arrayAt(const std::vector<T>& array, unsigned int index) {
    assert(index < array.size() && "array index out of range");
    return array[index];
}

// Element-wise conversion for arrayGet/arrayFrom between compatible scalar or class types.
struct Assign {
    template <class A, class B>
    void operator()(const A& from, B& to) const {
        to = static_cast<B>(from);
    }
};

// Copies each element into a caller-provided C array, converting through `convert`.
template <class T, class Out, class Convert>
MStatus arrayGet(const std::vector<T>& array, Out* out, Convert convert) {
    if (!out) {
        return MS::kInvalidParameter;
    }
    for (std::size_t i = 0; i < array.size(); ++i) {
        convert(array[i], out[i]);
    }
    return MS::kSuccess;
}

// Builds the elements from a C array, converting through `convert`.
template <class T, class In, class Convert>
std::vector<T> arrayFrom(const In* in, unsigned int count, Convert convert) {
    std::vector<T> array(in ? count : 0);
    for (std::size_t i = 0; i < array.size(); ++i) {
        convert(in[i], array[i]);
    }
    return array;
}

// "[a, b, c]", each element in its own stream format.
template <class T>
std::ostream& writeArray(std::ostream& os, const std::vector<T>& array) {
    os << "[";
    for (std::size_t i = 0; i < array.size(); ++i) {
        os << (i ? ", " : "") << array[i];
    }
    return os << "]";
}

}  // namespace foundation
}  // namespace host
