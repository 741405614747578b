#pragma once

#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MPointArray {
public:
    MPointArray();
    MPointArray(const MPointArray& other);
    MPointArray(const MPoint src[], unsigned int count);
    MPointArray(const double src[][4], unsigned int count);
    MPointArray(const float src[][4], unsigned int count);
    MPointArray(unsigned int initialSize, const MPoint& initialValue = MPoint::origin);
    ~MPointArray();

    MPointArray& operator=(const MPointArray& other);
    const MPoint& operator[](unsigned int index) const;
    MPoint& operator[](unsigned int index);

    MStatus set(const MPoint& element, unsigned int index);
    MStatus set(const MVector& vector, unsigned int index);
    MStatus set(unsigned int index, double x, double y, double z = 0.0, double w = 1.0);
    MStatus set(double element[4], unsigned int index);
    MStatus set(float element[4], unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(const MPoint& element, unsigned int index);
    MStatus append(const MPoint& element);
    MStatus append(const MVector& vector);
    MStatus append(double x, double y, double z = 0.0, double w = 1.0);
    MStatus copy(const MPointArray& source);
    MStatus clear();
    MStatus get(double dest[][4]) const;
    MStatus get(float dest[][4]) const;
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MPointArray& array);

private:
    std::vector<MPoint> fArray;
    unsigned int fSizeIncrement;
};
