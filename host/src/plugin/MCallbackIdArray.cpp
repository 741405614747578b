#include <maya/MCallbackIdArray.h>

MCallbackIdArray::MCallbackIdArray() = default;
MCallbackIdArray::MCallbackIdArray(const MCallbackIdArray& other) = default;
MCallbackIdArray::MCallbackIdArray(unsigned int initialSize, MCallbackId initialValue)
    : fIds(initialSize, initialValue) {}
MCallbackIdArray::MCallbackIdArray(const MCallbackId src[], unsigned int count)
    : fIds(src, src + count) {}
MCallbackIdArray::~MCallbackIdArray() = default;
MCallbackIdArray& MCallbackIdArray::operator=(const MCallbackIdArray& other) = default;

const MCallbackId& MCallbackIdArray::operator[](unsigned int index) const {
    return fIds[index];
}
MCallbackId& MCallbackIdArray::operator[](unsigned int index) {
    return fIds[index];
}

MStatus MCallbackIdArray::set(MCallbackId element, unsigned int index) {
    if (index >= fIds.size()) {
        return MS::kFailure;
    }
    fIds[index] = element;
    return MS::kSuccess;
}

MStatus MCallbackIdArray::setLength(unsigned int length) {
    fIds.resize(length);
    return MS::kSuccess;
}

unsigned int MCallbackIdArray::length() const {
    return static_cast<unsigned int>(fIds.size());
}

MStatus MCallbackIdArray::remove(unsigned int index) {
    if (index >= fIds.size()) {
        return MS::kFailure;
    }
    fIds.erase(fIds.begin() + index);
    return MS::kSuccess;
}

MStatus MCallbackIdArray::insert(MCallbackId element, unsigned int index) {
    if (index > fIds.size()) {
        return MS::kFailure;
    }
    fIds.insert(fIds.begin() + index, element);
    return MS::kSuccess;
}

MStatus MCallbackIdArray::append(MCallbackId element) {
    fIds.push_back(element);
    return MS::kSuccess;
}

MStatus MCallbackIdArray::clear() {
    fIds.clear();
    return MS::kSuccess;
}
