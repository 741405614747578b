#include "graph/Data.h"

namespace host {

MFn::Type Data::apiType() const {
    switch (m_type) {
        case MFnData::kNumeric:
            return MFn::kNumericData;
        case MFnData::kString:
            return MFn::kStringData;
        case MFnData::kMatrix:
            return MFn::kMatrixData;
        case MFnData::kStringArray:
            return MFn::kStringArrayData;
        case MFnData::kDoubleArray:
            return MFn::kDoubleArrayData;
        case MFnData::kIntArray:
            return MFn::kIntArrayData;
        case MFnData::kPointArray:
            return MFn::kPointArrayData;
        case MFnData::kVectorArray:
            return MFn::kVectorArrayData;
        case MFnData::kComponentList:
            return MFn::kComponentListData;
        case MFnData::kMesh:
            return MFn::kMeshData;
        case MFnData::kDynArrayAttrs:
            return MFn::kDynArrayAttrsData;
        default:
            return MFn::kData;
    }
}

bool Data::hasFn(MFn::Type type) const {
    return type == MFn::kData || Object::hasFn(type);
}

unsigned numericComponentCount(MFnNumericData::Type type) {
    switch (type) {
        case MFnNumericData::k2Short:
        case MFnNumericData::k2Long:
        case MFnNumericData::k2Float:
        case MFnNumericData::k2Double:
            return 2;
        case MFnNumericData::k3Short:
        case MFnNumericData::k3Long:
        case MFnNumericData::k3Float:
        case MFnNumericData::k3Double:
            return 3;
        case MFnNumericData::k4Double:
            return 4;
        default:
            return 1;
    }
}

MFnNumericData::Type numericComponentType(MFnNumericData::Type type) {
    switch (type) {
        case MFnNumericData::k2Short:
        case MFnNumericData::k3Short:
            return MFnNumericData::kShort;
        case MFnNumericData::k2Long:
        case MFnNumericData::k3Long:
            return MFnNumericData::kLong;
        case MFnNumericData::k2Float:
        case MFnNumericData::k3Float:
            return MFnNumericData::kFloat;
        case MFnNumericData::k2Double:
        case MFnNumericData::k3Double:
        case MFnNumericData::k4Double:
            return MFnNumericData::kDouble;
        default:
            return type;
    }
}

unsigned NumericData::count() const {
    return numericComponentCount(numericType);
}

std::shared_ptr<Data> makeData(MFnData::Type type) {
    switch (type) {
        case MFnData::kString:
            return std::make_shared<StringData>();
        case MFnData::kMatrix:
            return std::make_shared<MatrixData>();
        case MFnData::kStringArray:
            return std::make_shared<StringArrayData>();
        case MFnData::kDoubleArray:
            return std::make_shared<DoubleArrayData>();
        case MFnData::kIntArray:
            return std::make_shared<IntArrayData>();
        case MFnData::kPointArray:
            return std::make_shared<PointArrayData>();
        case MFnData::kVectorArray:
            return std::make_shared<VectorArrayData>();
        case MFnData::kNumeric:
            return std::make_shared<NumericData>();
        default:
            return nullptr;
    }
}

}  // namespace host
