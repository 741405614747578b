#pragma once
// Basic definitions shared by every header of the host API.

#include <cstddef>
#include <cstdint>
#include <iostream>

#define MAYA_API_VERSION 200800

#if defined(_WIN32)
#define OPENMAYA_EXPORT __declspec(dllexport)
#else
#define OPENMAYA_EXPORT __attribute__((visibility("default")))
#endif

#ifndef NULL
#define NULL 0
#endif

typedef unsigned int uint;
typedef unsigned short ushort;
typedef signed char MInt8;
typedef unsigned char MUint8;
typedef int64_t MInt64;
typedef uint64_t MUint64;
typedef intptr_t MIntPtrSz;
typedef uintptr_t MUintPtrSz;

typedef short short2[2];
typedef short short3[3];
typedef int int2[2];
typedef int int3[3];
typedef long long2[2];
typedef long long3[3];
typedef float float2[2];
typedef float float3[3];
typedef double double2[2];
typedef double double3[3];
typedef double double4[4];

//! Coordinate spaces of a transformation.
class OPENMAYA_EXPORT MSpace {
public:
    enum Space {
        kInvalid = 0,
        kTransform = 1,
        kPreTransform = 2,
        kPostTransform = 3,
        kWorld = 4,
        kLast = 5,
        kObject = kPreTransform
    };
};

class MAngle;
class MDistance;
class MDoubleArray;
class MEulerRotation;
class MFloatArray;
class MFloatMatrix;
class MFloatPoint;
class MFloatPointArray;
class MFloatVector;
class MFloatVectorArray;
class MIntArray;
class MMatrix;
class MMatrixArray;
class MPoint;
class MPointArray;
class MQuaternion;
class MStatus;
class MString;
class MStringArray;
class MTime;
class MTimeArray;
class MTransformationMatrix;
class MTypeId;
class MUintArray;
class MVector;
class MVectorArray;
