#include "graph/TypeNames.h"

namespace host {

namespace {

template <typename Type>
struct TypeName {
    Type type;
    const char* name;
    unsigned uses;
};

constexpr unsigned kEveryUse = kQueriedName | kWrittenName | kCreatedName;

// Where one type has more than one name, the first is the one shown.
const TypeName<MFnNumericData::Type> kNumericNames[] = {
    {MFnNumericData::kBoolean, "bool", kEveryUse},
    {MFnNumericData::kByte, "byte", kEveryUse},
    {MFnNumericData::kChar, "char", kEveryUse},
    {MFnNumericData::kShort, "short", kEveryUse},
    {MFnNumericData::k2Short, "short2", kEveryUse},
    {MFnNumericData::k3Short, "short3", kEveryUse},
    {MFnNumericData::kLong, "long", kEveryUse},
    {MFnNumericData::k2Long, "long2", kEveryUse},
    {MFnNumericData::k3Long, "long3", kEveryUse},
    {MFnNumericData::kFloat, "float", kEveryUse},
    {MFnNumericData::k2Float, "float2", kEveryUse},
    {MFnNumericData::k3Float, "float3", kEveryUse},
    {MFnNumericData::kDouble, "double", kEveryUse},
    {MFnNumericData::k2Double, "double2", kEveryUse},
    {MFnNumericData::k3Double, "double3", kEveryUse},
    {MFnNumericData::k4Double, "double4", kEveryUse},
    {MFnNumericData::kAddr, "addr", kQueriedName},
    {MFnNumericData::k3Float, "reflectance", kCreatedName},
    {MFnNumericData::k3Float, "spectrum", kCreatedName},
};

const TypeName<MFnData::Type> kDataNames[] = {
    {MFnData::kString, "string", kEveryUse},
    {MFnData::kMatrix, "matrix", kEveryUse},
    {MFnData::kStringArray, "stringArray", kEveryUse},
    {MFnData::kDoubleArray, "doubleArray", kEveryUse},
    {MFnData::kIntArray, "Int32Array", kEveryUse},
    {MFnData::kPointArray, "pointArray", kEveryUse},
    {MFnData::kVectorArray, "vectorArray", kEveryUse},
    {MFnData::kComponentList, "componentList", kEveryUse},
    {MFnData::kMesh, "mesh", kEveryUse},
    {MFnData::kLattice, "lattice", kEveryUse},
    {MFnData::kNurbsCurve, "nurbsCurve", kEveryUse},
    {MFnData::kNurbsSurface, "nurbsSurface", kEveryUse},
    {MFnData::kSphere, "sphere", kEveryUse},
    {MFnData::kSubdSurface, "subd", kEveryUse},
    {MFnData::kDynArrayAttrs, "dynArrayAttrs", kQueriedName | kWrittenName},
    {MFnData::kNumeric, "numeric", kQueriedName},
};

const TypeName<MFnUnitAttribute::Type> kUnitNames[] = {
    {MFnUnitAttribute::kDistance, "doubleLinear", kEveryUse},
    {MFnUnitAttribute::kAngle, "doubleAngle", kEveryUse},
    {MFnUnitAttribute::kTime, "time", kEveryUse},
    {MFnUnitAttribute::kDistance, "floatLinear", kCreatedName},
    {MFnUnitAttribute::kAngle, "floatAngle", kCreatedName},
};

template <typename Type, size_t N>
const char* nameIn(const TypeName<Type> (&table)[N], Type type, TypeNameUse use) {
    for (const TypeName<Type>& entry : table)
        if (entry.type == type && (entry.uses & use))
            return entry.name;
    return nullptr;
}

template <typename Type, size_t N>
bool typeIn(const TypeName<Type> (&table)[N], const std::string& name, Type& type) {
    for (const TypeName<Type>& entry : table)
        if ((entry.uses & kCreatedName) && name == entry.name) {
            type = entry.type;
            return true;
        }
    return false;
}

}  // namespace

const char* typeNameFor(MFnNumericData::Type type, TypeNameUse use) {
    return nameIn(kNumericNames, type, use);
}

const char* typeNameFor(MFnData::Type type, TypeNameUse use) {
    return nameIn(kDataNames, type, use);
}

const char* typeNameFor(MFnUnitAttribute::Type type, TypeNameUse use) {
    return nameIn(kUnitNames, type, use);
}

bool typeFromName(const std::string& name, MFnNumericData::Type& type) {
    return typeIn(kNumericNames, name, type);
}

bool typeFromName(const std::string& name, MFnData::Type& type) {
    return typeIn(kDataNames, name, type);
}

bool typeFromName(const std::string& name, MFnUnitAttribute::Type& type) {
    return typeIn(kUnitNames, name, type);
}

}  // namespace host
