#include "graph/Object.h"

namespace host {

namespace {
// Serials stand where the application's objects have their address: they
// are pointer-sized and, on a 64-bit host, reach above 32 bits, so that code
// keeping only 32 bits of an object's identity fails here as it would there.
// Serial 0 is reserved for the null object.
std::uintptr_t nextSerial() {
    constexpr std::uintptr_t base = std::uintptr_t(0x5a) << (8 * sizeof(std::uintptr_t) - 8);
    static std::uintptr_t counter = base;
    return ++counter;
}
}  // namespace

Object::Object() : m_serial(nextSerial()) {}
Object::~Object() = default;

bool Object::hasFn(MFn::Type type) const {
    return type == MFn::kBase || type == apiType();
}

const char* apiTypeName(MFn::Type type) {
    switch (type) {
        case MFn::kInvalid:
            return "kInvalid";
        case MFn::kDependencyNode:
            return "kDependencyNode";
        case MFn::kDagNode:
            return "kDagNode";
        case MFn::kTransform:
            return "kTransform";
        case MFn::kWorld:
            return "kWorld";
        case MFn::kShape:
            return "kShape";
        case MFn::kMesh:
            return "kMesh";
        case MFn::kParticle:
            return "kParticle";
        case MFn::kInstancer:
            return "kInstancer";
        case MFn::kSet:
            return "kSet";
        case MFn::kNumericAttribute:
            return "kNumericAttribute";
        case MFn::kTypedAttribute:
            return "kTypedAttribute";
        case MFn::kCompoundAttribute:
            return "kCompoundAttribute";
        case MFn::kMessageAttribute:
            return "kMessageAttribute";
        case MFn::kEnumAttribute:
            return "kEnumAttribute";
        case MFn::kUnitAttribute:
            return "kUnitAttribute";
        case MFn::kGenericAttribute:
            return "kGenericAttribute";
        case MFn::kMatrixAttribute:
            return "kMatrixAttribute";
        case MFn::kDoubleLinearAttribute:
            return "kDoubleLinearAttribute";
        case MFn::kDoubleAngleAttribute:
            return "kDoubleAngleAttribute";
        case MFn::kTimeAttribute:
            return "kTimeAttribute";
        case MFn::kPluginDependNode:
            return "kPluginDependNode";
        case MFn::kPluginObjectSet:
            return "kPluginObjectSet";
        case MFn::kDynParticleSetComponent:
            return "kDynParticleSetComponent";
        case MFn::kMeshVertComponent:
            return "kMeshVertComponent";
        case MFn::kBlendShape:
            return "kBlendShape";
        default:
            return "kUnknown";
    }
}

}  // namespace host

// MObject lives with the kernel because its identity rules are the kernel's.
MObject MObject::kNullObj;

MObject::MObject() = default;
MObject::MObject(const MObject& other) = default;
MObject& MObject::operator=(const MObject& other) = default;
MObject::~MObject() = default;

MObject::MObject(std::shared_ptr<host::Object> object)
    : m_serial(object ? object->serial() : 0), m_object(std::move(object)) {}

bool MObject::hasFn(MFn::Type type) const {
    return m_object && m_object->hasFn(type);
}
bool MObject::isNull() const {
    return !m_object;
}
MFn::Type MObject::apiType() const {
    return m_object ? m_object->apiType() : MFn::kInvalid;
}
const char* MObject::apiTypeStr() const {
    return host::apiTypeName(apiType());
}
bool MObject::operator==(const MObject& other) const {
    return m_object == other.m_object;
}
bool MObject::operator!=(const MObject& other) const {
    return m_object != other.m_object;
}
