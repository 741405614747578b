#ifndef HOST_GRAPH_OBJECT_H
#define HOST_GRAPH_OBJECT_H

#include <maya/MFn.h>
#include <maya/MObject.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace host {

// Base of everything an MObject can designate.
class Object : public std::enable_shared_from_this<Object> {
public:
    Object();
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    std::uintptr_t serial() const { return m_serial; }
    virtual MFn::Type apiType() const = 0;
    // Types this object is compatible with besides its own (its base kinds).
    virtual bool hasFn(MFn::Type type) const;

private:
    std::uintptr_t m_serial;
};

// The one door between API wrappers and the objects behind them.
struct ObjectAccess {
    static MObject wrap(std::shared_ptr<Object> object) { return MObject(std::move(object)); }
    static Object* get(const MObject& object) { return object.m_object.get(); }
    static const std::shared_ptr<Object>& shared(const MObject& object) { return object.m_object; }

    template <class T>
    static T* as(const MObject& object) {
        return dynamic_cast<T*>(object.m_object.get());
    }
    template <class T>
    static std::shared_ptr<T> sharedAs(const MObject& object) {
        return std::dynamic_pointer_cast<T>(object.m_object);
    }
};

template <class T>
MObject toMObject(const std::shared_ptr<T>& object) {
    return ObjectAccess::wrap(std::static_pointer_cast<Object>(object));
}

const char* apiTypeName(MFn::Type type);

}  // namespace host

#endif
