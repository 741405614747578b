#include <maya/MFnBase.h>

MFnBase::MFnBase() = default;
MFnBase::~MFnBase() = default;

MFn::Type MFnBase::type() const {
    return MFn::kBase;
}
const char* MFnBase::className() const {
    return "MFnBase";
}

bool MFnBase::hasObj(MFn::Type type) const {
    return m_object.hasFn(type);
}
bool MFnBase::hasObj(const MObject& object) const {
    return acceptsObject(object);
}

MObject MFnBase::object(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = m_object.isNull() ? MS::kFailure : MS::kSuccess;
    return m_object;
}

MStatus MFnBase::setObject(MObject& object) {
    return attach(object);
}
MStatus MFnBase::setObject(const MObject& object) {
    return attach(object);
}

bool MFnBase::acceptsObject(const MObject& object) const {
    return !object.isNull();
}

void MFnBase::objectChanged(MFn::Type, MStatus* ReturnStatus) {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
}

MStatus MFnBase::attach(const MObject& object) {
    if (!acceptsObject(object)) {
        m_object = MObject();
        return MS::kInvalidParameter;
    }
    m_object = object;
    MStatus status;
    objectChanged(object.apiType(), &status);
    return status;
}
