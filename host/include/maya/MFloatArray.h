#pragma once

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MFloatArray {
public:
    MFloatArray();
    MFloatArray(const MFloatArray& other);
    MFloatArray(const float src[], unsigned int count);
    MFloatArray(const double src[], unsigned int count);
    MFloatArray(unsigned int initialSize, float initialValue = 0.0f);
    ~MFloatArray();

    MFloatArray& operator=(const MFloatArray& other);
    const float& operator[](unsigned int index) const;
    float& operator[](unsigned int index);

    MStatus set(float element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(float element, unsigned int index);
    MStatus append(float element);
    MStatus copy(const MFloatArray& source);
    MStatus clear();
    MStatus get(float array[]) const;
    MStatus get(double array[]) const;
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MFloatArray& array);

private:
    std::vector<float> fArray;
    unsigned int fSizeIncrement;
};
