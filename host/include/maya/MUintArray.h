#pragma once

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MUintArray {
public:
    MUintArray();
    MUintArray(const MUintArray& other);
    MUintArray(const unsigned int src[], unsigned int count);
    MUintArray(unsigned int initialSize, unsigned int initialValue = 0);
    ~MUintArray();

    MUintArray& operator=(const MUintArray& other);
    const unsigned int& operator[](unsigned int index) const;
    unsigned int& operator[](unsigned int index);

    MStatus set(unsigned int element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(unsigned int element, unsigned int index);
    MStatus append(unsigned int element);
    MStatus copy(const MUintArray& source);
    MStatus clear();
    MStatus get(unsigned int array[]) const;
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MUintArray& array);

private:
    std::vector<unsigned int> fArray;
    unsigned int fSizeIncrement;
};
