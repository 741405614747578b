#include "selection/Component.h"

#include <maya/MFnComponent.h>
#include <maya/MFnSingleIndexedComponent.h>

using host::selection::Component;
using host::selection::componentOf;

namespace {
void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

Component* attached(const MObject& object, MStatus* status) {
    Component* c = componentOf(object);
    setStatus(status, c ? MS::kSuccess : MS::kInvalidParameter);
    return c;
}
}  // namespace

// ---------------------------------------------------------------- MFnComponent

MFnComponent::MFnComponent() = default;

MFnComponent::MFnComponent(MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnComponent::MFnComponent(const MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnComponent::~MFnComponent() = default;

MFn::Type MFnComponent::type() const {
    return MFn::kComponent;
}
const char* MFnComponent::className() const {
    return "MFnComponent";
}
bool MFnComponent::acceptsObject(const MObject& object) const {
    return componentOf(object) != nullptr;
}

int MFnComponent::elementCount(MStatus* ReturnStatus) {
    Component* c = attached(m_object, ReturnStatus);
    return c ? static_cast<int>(c->elements().size()) : 0;
}

MFn::Type MFnComponent::componentType(MStatus* ReturnStatus) {
    Component* c = attached(m_object, ReturnStatus);
    return c ? c->apiType() : MFn::kInvalid;
}

bool MFnComponent::isEmpty(MStatus* ReturnStatus) const {
    Component* c = attached(m_object, ReturnStatus);
    return !c || c->elements().empty();
}

bool MFnComponent::isEqual(MObject& other, MStatus* ReturnStatus) const {
    Component* c = attached(m_object, ReturnStatus);
    Component* o = componentOf(other);
    if (!c || !o) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return false;
    }
    if (c->apiType() != o->apiType() || c->elements().size() != o->elements().size())
        return false;
    for (int e : c->elements())
        if (!o->contains(e))
            return false;
    return true;
}

bool MFnComponent::isComplete(MStatus* ReturnStatus) const {
    Component* c = attached(m_object, ReturnStatus);
    return c && c->complete;
}

MStatus MFnComponent::setComplete(bool complete) {
    MStatus status;
    Component* c = attached(m_object, &status);
    if (c)
        c->complete = complete;
    return status;
}

bool MFnComponent::hasWeights(MStatus* ReturnStatus) const {
    attached(m_object, ReturnStatus);
    return false;
}

// ---------------------------------------------------------------- single indexed

MFnSingleIndexedComponent::MFnSingleIndexedComponent() = default;

MFnSingleIndexedComponent::MFnSingleIndexedComponent(MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnSingleIndexedComponent::MFnSingleIndexedComponent(const MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnSingleIndexedComponent::~MFnSingleIndexedComponent() = default;

MFn::Type MFnSingleIndexedComponent::type() const {
    return MFn::kSingleIndexedComponent;
}
const char* MFnSingleIndexedComponent::className() const {
    return "MFnSingleIndexedComponent";
}
bool MFnSingleIndexedComponent::acceptsObject(const MObject& object) const {
    return object.hasFn(MFn::kSingleIndexedComponent) && componentOf(object);
}

MObject MFnSingleIndexedComponent::create(MFn::Type compType, MStatus* ReturnStatus) {
    if (!host::selection::isComponentType(compType)) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    m_object = host::toMObject(std::make_shared<Component>(compType));
    setStatus(ReturnStatus, MS::kSuccess);
    return m_object;
}

MStatus MFnSingleIndexedComponent::addElement(int element) {
    MStatus status;
    Component* c = attached(m_object, &status);
    if (!c)
        return status;
    if (element < 0)
        return MS::kInvalidParameter;
    c->add(element);
    return MS::kSuccess;
}

MStatus MFnSingleIndexedComponent::addElements(MIntArray& elements) {
    MStatus status;
    Component* c = attached(m_object, &status);
    if (!c)
        return status;
    for (unsigned i = 0; i < elements.length(); ++i)
        if (elements[i] < 0)
            return MS::kInvalidParameter;
    for (unsigned i = 0; i < elements.length(); ++i)
        c->add(elements[i]);
    return MS::kSuccess;
}

int MFnSingleIndexedComponent::element(int index, MStatus* ReturnStatus) {
    Component* c = attached(m_object, ReturnStatus);
    if (!c)
        return -1;
    if (index < 0 || static_cast<size_t>(index) >= c->elements().size()) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return -1;
    }
    return c->elements()[index];
}

MStatus MFnSingleIndexedComponent::getElements(MIntArray& elements) const {
    MStatus status;
    Component* c = attached(m_object, &status);
    if (!c)
        return status;
    elements.clear();
    for (int e : c->elements())
        elements.append(e);
    return MS::kSuccess;
}

MStatus MFnSingleIndexedComponent::setCompleteData(int numElements) {
    MStatus status;
    Component* c = attached(m_object, &status);
    if (!c)
        return status;
    if (numElements < 0)
        return MS::kInvalidParameter;
    for (int e = 0; e < numElements; ++e)
        c->add(e);
    c->complete = true;
    c->completeCount = numElements;
    return MS::kSuccess;
}

MStatus MFnSingleIndexedComponent::getCompleteData(int& numElements) const {
    MStatus status;
    Component* c = attached(m_object, &status);
    if (!c)
        return status;
    numElements = c->complete ? c->completeCount : 0;
    return MS::kSuccess;
}
