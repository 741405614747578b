#ifndef MINIMAYA_MFNBASE_H
#define MINIMAYA_MFNBASE_H

#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

class MDagPath;

// Base of every function set: holds the object the set operates on.
class MFnBase {
public:
    MFnBase();
    virtual ~MFnBase();
    virtual MFn::Type type() const;
    bool hasObj(MFn::Type type) const;
    bool hasObj(const MObject& object) const;
    MObject object(MStatus* ReturnStatus = nullptr) const;
    virtual MStatus setObject(MObject& object);
    virtual MStatus setObject(const MObject& object);
    virtual const char* className() const;

protected:
    // Which objects a set accepts; a set refuses the others at construction.
    virtual bool acceptsObject(const MObject& object) const;
    virtual void objectChanged(MFn::Type type, MStatus* ReturnStatus);
    MStatus attach(const MObject& object);
    MObject m_object;
};

#endif
