#pragma once
// Identifier of a node or data type, unique across plug-ins.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MTypeId {
public:
    MTypeId();
    MTypeId(unsigned int id);
    MTypeId(unsigned int prefix, unsigned int id);
    MTypeId(const MTypeId& src);
    ~MTypeId();

    MTypeId& operator=(const MTypeId& rhs);
    bool operator==(const MTypeId& rhs) const;
    bool operator!=(const MTypeId& rhs) const;
    unsigned int id(MStatus* ReturnStatus = NULL) const;

private:
    unsigned int fId;
};
