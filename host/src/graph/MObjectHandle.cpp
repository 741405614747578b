#include "graph/Node.h"
#include "graph/Object.h"

#include <maya/MObjectHandle.h>

MObjectHandle::MObjectHandle() = default;
MObjectHandle::MObjectHandle(const MObject& object)
    : m_object(host::ObjectAccess::shared(object)), m_type(object.apiType()) {}
MObjectHandle::MObjectHandle(const MObjectHandle& other) = default;
MObjectHandle& MObjectHandle::operator=(const MObjectHandle& other) = default;
MObjectHandle& MObjectHandle::operator=(const MObject& object) {
    m_object = host::ObjectAccess::shared(object);
    m_type = object.apiType();
    return *this;
}
MObjectHandle::~MObjectHandle() = default;

MObject MObjectHandle::object() const {
    return host::ObjectAccess::wrap(m_object.lock());
}

bool MObjectHandle::isAlive() const {
    return !m_object.expired();
}

bool MObjectHandle::isValid() const {
    auto object = m_object.lock();
    if (!object)
        return false;
    if (auto* node = dynamic_cast<host::Node*>(object.get()))
        return node->inScene;
    return true;
}

unsigned int MObjectHandle::hashCode() const {
    auto object = m_object.lock();
    return object ? static_cast<unsigned int>(object->serial()) : 0;
}

bool MObjectHandle::operator==(const MObject& object) const {
    return m_object.lock() == host::ObjectAccess::shared(object);
}
bool MObjectHandle::operator==(const MObjectHandle& other) const {
    return m_object.lock() == other.m_object.lock();
}
bool MObjectHandle::operator!=(const MObject& object) const {
    return !(*this == object);
}
bool MObjectHandle::operator!=(const MObjectHandle& other) const {
    return !(*this == other);
}
