#pragma once

#include <maya/MFloatVector.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MFloatVectorArray {
public:
    MFloatVectorArray();
    MFloatVectorArray(const MFloatVectorArray& other);
    MFloatVectorArray(const MFloatVector src[], unsigned int count);
    MFloatVectorArray(const float src[][3], unsigned int count);
    MFloatVectorArray(const double src[][3], unsigned int count);
    MFloatVectorArray(unsigned int initialSize,
                      const MFloatVector& initialValue = MFloatVector::zero);
    ~MFloatVectorArray();

    MFloatVectorArray& operator=(const MFloatVectorArray& other);
    const MFloatVector& operator[](unsigned int index) const;
    MFloatVector& operator[](unsigned int index);

    MStatus set(const MFloatVector& element, unsigned int index);
    MStatus set(float element[3], unsigned int index);
    MStatus set(double element[3], unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(const MFloatVector& element, unsigned int index);
    MStatus append(const MFloatVector& element);
    MStatus copy(const MFloatVectorArray& source);
    MStatus clear();
    MStatus get(float dest[][3]) const;
    MStatus get(double dest[][3]) const;
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os,
                                                    const MFloatVectorArray& array);

private:
    std::vector<MFloatVector> fArray;
    unsigned int fSizeIncrement;
};
