#pragma once

#include <maya/MMatrix.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MMatrixArray {
public:
    MMatrixArray();
    MMatrixArray(const MMatrixArray& other);
    MMatrixArray(const MMatrix src[], unsigned int count);
    MMatrixArray(const double src[][4][4], unsigned int count);
    MMatrixArray(const float src[][4][4], unsigned int count);
    MMatrixArray(unsigned int initialSize, const MMatrix& initialValue = MMatrix::identity);
    ~MMatrixArray();

    MMatrixArray& operator=(const MMatrixArray& other);
    const MMatrix& operator[](unsigned int index) const;
    MMatrix& operator[](unsigned int index);

    MStatus set(const MMatrix& element, unsigned int index);
    MStatus set(const double elements[4][4], unsigned int index);
    MStatus set(const float elements[4][4], unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(const MMatrix& element, unsigned int index);
    MStatus append(const MMatrix& element);
    MStatus copy(const MMatrixArray& source);
    MStatus clear();
    MStatus get(double dest[][4][4]) const;
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MMatrixArray& array);

private:
    std::vector<MMatrix> fArray;
    unsigned int fSizeIncrement;
};
