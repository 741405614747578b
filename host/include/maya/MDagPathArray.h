#ifndef MINIMAYA_MDAGPATHARRAY_H
#define MINIMAYA_MDAGPATHARRAY_H

#include <maya/MDagPath.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <vector>

class OPENMAYA_EXPORT MDagPathArray {
public:
    MDagPathArray();
    MDagPathArray(const MDagPathArray& other);
    MDagPathArray(unsigned int length, const MDagPath& element = MDagPath());
    ~MDagPathArray();

    MDagPathArray& operator=(const MDagPathArray& other);
    const MDagPath& operator[](unsigned int index) const;
    MDagPath& operator[](unsigned int index);

    MStatus set(const MDagPath& element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(const MDagPath& element, unsigned int index);
    MStatus append(const MDagPath& element);
    MStatus copy(const MDagPathArray& source);
    MStatus clear();
    void setSizeIncrement(unsigned int newIncrement);
    unsigned int sizeIncrement() const;

private:
    std::vector<MDagPath> fArray;
    unsigned int fSizeIncrement;
};

#endif
