#ifndef MINIMAYA_MOBJECTARRAY_H
#define MINIMAYA_MOBJECTARRAY_H

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MObjectArray {
public:
    MObjectArray();
    MObjectArray(const MObjectArray& other);
    MObjectArray(unsigned int length, const MObject& element = MObject::kNullObj);
    ~MObjectArray();

    MObjectArray& operator=(const MObjectArray& other);
    const MObject& operator[](unsigned int index) const;
    MObject& operator[](unsigned int index);

    MStatus set(const MObject& element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(const MObject& element, unsigned int index);
    MStatus append(const MObject& element);
    MStatus copy(const MObjectArray& source);
    MStatus clear();
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

private:
    std::vector<MObject> fArray;
    unsigned int fSizeIncrement;
};

#endif
