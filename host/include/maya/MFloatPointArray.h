#pragma once

#include <maya/MFloatPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MFloatPointArray {
public:
    MFloatPointArray();
    MFloatPointArray(const MFloatPointArray& other);
    MFloatPointArray(const MFloatPoint src[], unsigned int count);
    MFloatPointArray(const float src[][4], unsigned int count);
    MFloatPointArray(const double src[][4], unsigned int count);
    MFloatPointArray(unsigned int initialSize,
                     const MFloatPoint& initialValue = MFloatPoint::origin);
    ~MFloatPointArray();

    MFloatPointArray& operator=(const MFloatPointArray& other);
    const MFloatPoint& operator[](unsigned int index) const;
    MFloatPoint& operator[](unsigned int index);

    MStatus set(const MFloatPoint& element, unsigned int index);
    MStatus set(unsigned int index, float x, float y, float z = 0.0f, float w = 1.0f);
    MStatus set(float element[4], unsigned int index);
    MStatus set(double element[4], unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(const MFloatPoint& element, unsigned int index);
    MStatus append(const MFloatPoint& element);
    MStatus append(float x, float y, float z = 0.0f, float w = 1.0f);
    MStatus copy(const MFloatPointArray& source);
    MStatus clear();
    MStatus get(float dest[][4]) const;
    MStatus get(double dest[][4]) const;
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os,
                                                    const MFloatPointArray& array);

private:
    std::vector<MFloatPoint> fArray;
    unsigned int fSizeIncrement;
};
