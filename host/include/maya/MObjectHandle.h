#ifndef MINIMAYA_MOBJECTHANDLE_H
#define MINIMAYA_MOBJECTHANDLE_H

#include <maya/MObject.h>

#include <memory>

// A handle that tells whether the object it was made from still exists.
// isAlive: the object is still in memory (for a deleted node, while an undo
// step can bring it back); isValid: alive and still part of the scene.
class MObjectHandle {
public:
    MObjectHandle();
    MObjectHandle(const MObject& object);
    MObjectHandle(const MObjectHandle& other);
    MObjectHandle& operator=(const MObjectHandle& other);
    MObjectHandle& operator=(const MObject& object);
    ~MObjectHandle();

    MObject object() const;
    bool isValid() const;
    bool isAlive() const;
    unsigned int hashCode() const;
    bool operator==(const MObject& object) const;
    bool operator==(const MObjectHandle& other) const;
    bool operator!=(const MObject& object) const;
    bool operator!=(const MObjectHandle& other) const;

private:
    // A weak reference: the handle must not keep a deleted node in memory.
    std::weak_ptr<host::Object> m_object;
    MFn::Type m_type = MFn::kInvalid;
};

#endif
