#ifndef MINIMAYA_MDGCONTEXT_H
#define MINIMAYA_MDGCONTEXT_H

#include <maya/MStatus.h>
#include <maya/MTime.h>

// The context a plug is evaluated in: the normal context (current time) or
// a given time.
class MDGContext {
public:
    MDGContext();
    explicit MDGContext(const MTime& when);
    MDGContext(const MDGContext& other);
    MDGContext& operator=(const MDGContext& other);
    ~MDGContext();
    bool isNormal(MStatus* ReturnStatus = nullptr) const;
    MStatus getTime(MTime& outTime) const;

    static MDGContext fsNormal;

private:
    bool m_normal = true;
    MTime m_time;
};

#endif
