#pragma once
// An array of callback ids.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <vector>

typedef unsigned int MCallbackId;

class OPENMAYA_EXPORT MCallbackIdArray {
public:
    MCallbackIdArray();
    MCallbackIdArray(const MCallbackIdArray& other);
    MCallbackIdArray(unsigned int initialSize, MCallbackId initialValue = 0);
    MCallbackIdArray(const MCallbackId src[], unsigned int count);
    ~MCallbackIdArray();
    MCallbackIdArray& operator=(const MCallbackIdArray& other);

    const MCallbackId& operator[](unsigned int index) const;
    MCallbackId& operator[](unsigned int index);
    MStatus set(MCallbackId element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const;
    MStatus remove(unsigned int index);
    MStatus insert(MCallbackId element, unsigned int index);
    MStatus append(MCallbackId element);
    MStatus clear();

private:
    std::vector<MCallbackId> fIds;
};
