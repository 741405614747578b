#pragma once

#include <maya/MStatus.h>
#include <maya/MTime.h>
#include <maya/MTypes.h>

#include <iostream>
#include <vector>

class OPENMAYA_EXPORT MTimeArray {
public:
    MTimeArray();
    MTimeArray(const MTimeArray& other);
    MTimeArray(const MTime src[], unsigned int count);
    MTimeArray(unsigned int initialSize, const MTime& initialValue);
    ~MTimeArray();

    MTimeArray& operator=(const MTimeArray& other);
    const MTime& operator[](unsigned int index) const;
    MTime& operator[](unsigned int index);

    MStatus set(const MTime& element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(const MTime& element, unsigned int index);
    MStatus append(const MTime& element);
    MStatus copy(const MTimeArray& source);
    MStatus clear();
    MStatus get(MTime array[]) const;
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MTimeArray& array);

private:
    std::vector<MTime> fArray;
    unsigned int fSizeIncrement;
};
