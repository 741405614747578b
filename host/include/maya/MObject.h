#ifndef MINIMAYA_MOBJECT_H
#define MINIMAYA_MOBJECT_H

#include <maya/MFn.h>

#include <cstdint>
#include <memory>

namespace host {
class Object;
struct ObjectAccess;
}  // namespace host

// A reference to a host object (node, attribute, data, component).
// It shares ownership of what it designates, so it never dangles: once the
// node it names is deleted it still answers, and MObjectHandle tells whether
// the node is still part of the scene.
class MObject {
public:
    MObject();
    MObject(const MObject& other);
    MObject& operator=(const MObject& other);
    ~MObject();

    bool hasFn(MFn::Type type) const;
    bool isNull() const;
    MFn::Type apiType() const;
    const char* apiTypeStr() const;

    bool operator==(const MObject& other) const;
    bool operator!=(const MObject& other) const;

    static MObject kNullObj;

private:
    friend struct host::ObjectAccess;
    explicit MObject(std::shared_ptr<host::Object> object);

    // The first pointer-sized word is the object's serial number: iterators
    // report it as the object's identity (see MItInstancer::instancerId).
    std::uintptr_t m_serial = 0;
    std::shared_ptr<host::Object> m_object;
};

#endif
