#include "plugin/Args.h"

#include "foundation/Numbers.h"
#include "script/Lexer.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>
#include <maya/MVector.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace host {
namespace plugin {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return std::string();
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool parseWholeDouble(const std::string& text, double& result) {
    const std::string t = trimmed(text);
    if (t.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE) {
        return false;
    }
    result = v;
    return true;
}

struct UnitWord {
    const char* word;
    int unit;
};

const UnitWord kLinearWords[] = {
    {"mm", MDistance::kMillimeters}, {"millimeter", MDistance::kMillimeters},
    {"cm", MDistance::kCentimeters}, {"centimeter", MDistance::kCentimeters},
    {"m", MDistance::kMeters},       {"meter", MDistance::kMeters},
    {"km", MDistance::kKilometers},  {"kilometer", MDistance::kKilometers},
    {"in", MDistance::kInches},      {"inch", MDistance::kInches},
    {"ft", MDistance::kFeet},        {"foot", MDistance::kFeet},
    {"yd", MDistance::kYards},       {"yard", MDistance::kYards},
    {"mi", MDistance::kMiles},       {"mile", MDistance::kMiles},
};
const UnitWord kAngleWords[] = {
    {"deg", MAngle::kDegrees},
    {"degree", MAngle::kDegrees},
    {"rad", MAngle::kRadians},
    {"radian", MAngle::kRadians},
};
const UnitWord kTimeWords[] = {
    {"hour", MTime::kHours},      {"min", MTime::kMinutes},
    {"sec", MTime::kSeconds},     {"millisec", MTime::kMilliseconds},
    {"game", MTime::kGames},      {"film", MTime::kFilm},
    {"pal", MTime::kPALFrame},    {"ntsc", MTime::kNTSCFrame},
    {"show", MTime::kShowScan},   {"palf", MTime::kPALField},
    {"ntscf", MTime::kNTSCField},
};

template <std::size_t N>
bool unitOf(const UnitWord (&words)[N], const std::string& word, int& unit) {
    for (const UnitWord& w : words) {
        if (word == w.word) {
            unit = w.unit;
            return true;
        }
    }
    return false;
}

// "5cm", "45deg", "6ntsc": a number with a unit word straight after it, given in the
// current UI unit of its kind.
bool parseWithUnit(const std::string& text, MSyntax::MArgType type, double& result) {
    const std::string t = trimmed(text);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    if (end == t.c_str() || errno == ERANGE) {
        return false;
    }
    const std::string word(end);
    int unit = 0;
    switch (type) {
        case MSyntax::kDistance:
            if (!unitOf(kLinearWords, word, unit)) {
                return false;
            }
            result = MDistance(v, static_cast<MDistance::Unit>(unit)).as(MDistance::uiUnit());
            return true;
        case MSyntax::kAngle:
            if (!unitOf(kAngleWords, word, unit)) {
                return false;
            }
            result = MAngle(v, static_cast<MAngle::Unit>(unit)).as(MAngle::uiUnit());
            return true;
        case MSyntax::kTime:
            if (!unitOf(kTimeWords, word, unit)) {
                return false;
            }
            result = MTime(v, static_cast<MTime::Unit>(unit)).as(MTime::uiUnit());
            return true;
        default:
            return false;
    }
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

bool readDouble(const mel::Value& value, double& result) {
    switch (value.type()) {
        case mel::Type::Int:
        case mel::Type::Float:
            result = value.asFloat();
            return true;
        case mel::Type::String:
            return parseWholeDouble(value.str(), result);
        default:
            return false;
    }
}

bool readMeasure(const mel::Value& value, MSyntax::MArgType type, double& result) {
    if (readDouble(value, result)) {
        return true;
    }
    return value.type() == mel::Type::String && parseWithUnit(value.str(), type, result);
}

bool readInt(const mel::Value& value, int& result) {
    double d = 0.0;
    if (value.type() == mel::Type::Int) {
        result = value.asInt();
        return true;
    }
    if (!readDouble(value, d) || d < static_cast<double>(INT_MIN) ||
        d > static_cast<double>(INT_MAX)) {
        return false;
    }
    result = foundation::truncToInt(d);
    return true;
}

bool readBool(const mel::Value& value, bool& result) {
    if (value.type() == mel::Type::String) {
        const std::string word = lowered(trimmed(value.str()));
        if (word == "true" || word == "on" || word == "yes") {
            result = true;
            return true;
        }
        if (word == "false" || word == "off" || word == "no") {
            result = false;
            return true;
        }
    }
    double d = 0.0;
    if (!readDouble(value, d)) {
        return false;
    }
    result = d != 0.0;
    return true;
}

bool readString(const mel::Value& value, std::string& result) {
    if (value.isArray() || value.type() == mel::Type::Matrix) {
        return false;
    }
    result = value.text();
    return true;
}

bool isFlagToken(const mel::Value& value) {
    if (value.type() != mel::Type::String) {
        return false;
    }
    const std::string& s = value.str();
    return s.size() > 1 && s[0] == '-' && !std::isdigit(static_cast<unsigned char>(s[1])) &&
           s[1] != '.';
}

std::string_view stripDash(std::string_view name) {
    return !name.empty() && name[0] == '-' ? name.substr(1) : name;
}

bool convertArgument(const mel::Value& value, MSyntax::MArgType type, mel::Value& result) {
    switch (type) {
        case MSyntax::kBoolean: {
            bool b = false;
            if (!readBool(value, b)) {
                return false;
            }
            result = mel::Value(b);
            return true;
        }
        case MSyntax::kLong:
        case MSyntax::kUnsigned: {
            int i = 0;
            if (!readInt(value, i) || (type == MSyntax::kUnsigned && i < 0)) {
                return false;
            }
            result = mel::Value(i);
            return true;
        }
        case MSyntax::kDouble:
        case MSyntax::kDistance:
        case MSyntax::kAngle:
        case MSyntax::kTime: {
            double d = 0.0;
            if (!readMeasure(value, type, d)) {
                return false;
            }
            result = mel::Value(d);
            return true;
        }
        case MSyntax::kString:
        case MSyntax::kSelectionItem: {
            std::string s;
            if (!readString(value, s)) {
                return false;
            }
            result = mel::Value(s);
            return true;
        }
        default:
            return false;
    }
}

bool toArray(const mel::Value& value, mel::Type arrayType, mel::Value& result) {
    if (value.isArray()) {
        return value.convertTo(arrayType, result);
    }
    mel::Value array = mel::Value::defaultOf(arrayType);
    if (!array.setElement(0, value)) {
        return false;
    }
    result = array;
    return true;
}

std::string quoted(const std::string& text) {
    std::string out;
    appendQuoted(out, text);
    return out;
}

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    mel::appendEscapedLiteral(out, text);
    out += '"';
}

const char* describeArgType(MSyntax::MArgType type) {
    switch (type) {
        case MSyntax::kBoolean:
            return "a boolean";
        case MSyntax::kLong:
            return "an integer";
        case MSyntax::kUnsigned:
            return "an unsigned integer";
        case MSyntax::kDouble:
            return "a float";
        case MSyntax::kString:
            return "a string";
        case MSyntax::kDistance:
            return "a distance";
        case MSyntax::kAngle:
            return "an angle";
        case MSyntax::kTime:
            return "a time";
        case MSyntax::kSelectionItem:
            return "a selection item";
        default:
            return "an unknown";
    }
}

MArgList ArgListAccess::fromValues(std::vector<mel::Value> values) {
    MArgList args;
    args.fData->values = std::move(values);
    return args;
}

}  // namespace plugin
}  // namespace host

using host::mel::Value;
using host::plugin::ArgListData;

namespace {

void setStatus(MStatus* status, bool ok) {
    if (status) {
        *status = ok ? MS::kSuccess : MS::kInvalidParameter;
    }
}

// The argument at index, or null when index is past the end.
const Value* at(const ArgListData* data, unsigned int index) {
    return index < data->values.size() ? &data->values[index] : nullptr;
}

// Reads index as one scalar with reader, reporting through status.
template <class T, class Reader>
T readScalar(const ArgListData* data, unsigned int index, MStatus* status, Reader reader) {
    T result{};
    const Value* v = at(data, index);
    setStatus(status, v && reader(*v, result));
    return result;
}

// Reads the argument at index as an array: an array argument element by
// element, a scalar as an array of one. Moves index past it.
template <class Array, class T, class Reader>
Array readArray(const ArgListData* data, unsigned int& index, MStatus* status, Reader reader) {
    const Value* v = at(data, index);
    bool ok = v != nullptr;
    Array result;
    const std::size_t count = !v ? 0 : v->isArray() ? v->size() : 1;
    for (std::size_t i = 0; ok && i < count; ++i) {
        T item{};
        ok = reader(v->isArray() ? v->element(i) : *v, item);
        result.append(item);
    }
    setStatus(status, ok);
    if (!ok) {
        return Array();
    }
    ++index;
    return result;
}

// The numbers an array reader takes from index on: one array argument, or
// count scalar arguments.
bool readNumbers(const ArgListData* data, unsigned int& index, unsigned int count,
                 std::vector<double>& out) {
    const Value* v = at(data, index);
    if (!v) {
        return false;
    }
    if (v->type() == host::mel::Type::Vector) {
        const host::mel::Vec3 vec = v->asVector();
        out = {vec.x, vec.y, vec.z};
    } else if (v->type() == host::mel::Type::Matrix) {
        out = v->matrix().cells;
    } else if (v->type() == host::mel::Type::FloatArray) {
        out = v->floatArray();
    } else if (v->type() == host::mel::Type::IntArray) {
        out.assign(v->intArray().begin(), v->intArray().end());
    } else {
        out.clear();
        for (unsigned int i = 0; i < count; ++i) {
            double d = 0.0;
            const Value* item = at(data, index + i);
            if (!item || !host::plugin::readDouble(*item, d)) {
                return false;
            }
            out.push_back(d);
        }
        if (out.size() != count) {
            return false;
        }
        index += count;
        return true;
    }
    if (out.size() < count) {
        return false;
    }
    out.resize(count);
    index += 1;
    return true;
}

}  // namespace

const unsigned int MArgList::kInvalidArgIndex = 0xFFFFFFFFu;

MArgList::MArgList() : fData(new ArgListData) {}
MArgList::MArgList(const MArgList& other) : fData(new ArgListData(*other.fData)) {}
MArgList& MArgList::operator=(const MArgList& other) {
    *fData = *other.fData;
    return *this;
}
MArgList::~MArgList() {
    delete fData;
}

unsigned int MArgList::length(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, true);
    return static_cast<unsigned int>(fData->values.size());
}

bool MArgList::asBool(unsigned int index, MStatus* ReturnStatus) const {
    return readScalar<bool>(fData, index, ReturnStatus, host::plugin::readBool);
}

int MArgList::asInt(unsigned int index, MStatus* ReturnStatus) const {
    return readScalar<int>(fData, index, ReturnStatus, host::plugin::readInt);
}

double MArgList::asDouble(unsigned int index, MStatus* ReturnStatus) const {
    return readScalar<double>(fData, index, ReturnStatus, host::plugin::readDouble);
}

MString MArgList::asString(unsigned int index, MStatus* ReturnStatus) const {
    return MString(
        readScalar<std::string>(fData, index, ReturnStatus, host::plugin::readString).c_str());
}

MDistance MArgList::asDistance(unsigned int index, MStatus* ReturnStatus) const {
    return MDistance(asDouble(index, ReturnStatus), MDistance::uiUnit());
}

MAngle MArgList::asAngle(unsigned int index, MStatus* ReturnStatus) const {
    return MAngle(asDouble(index, ReturnStatus), MAngle::uiUnit());
}

MTime MArgList::asTime(unsigned int index, MStatus* ReturnStatus) const {
    return MTime(asDouble(index, ReturnStatus), MTime::uiUnit());
}

MVector MArgList::asVector(unsigned int& index, unsigned int numElements,
                           MStatus* ReturnStatus) const {
    std::vector<double> n;
    const bool ok =
        numElements >= 1 && numElements <= 3 && readNumbers(fData, index, numElements, n);
    setStatus(ReturnStatus, ok);
    if (!ok) {
        return MVector();
    }
    n.resize(3, 0.0);
    return MVector(n[0], n[1], n[2]);
}

MMatrix MArgList::asMatrix(unsigned int& index, MStatus* ReturnStatus) const {
    std::vector<double> n;
    const bool ok = readNumbers(fData, index, 16, n);
    setStatus(ReturnStatus, ok);
    MMatrix m;
    if (ok) {
        for (unsigned int r = 0; r < 4; ++r) {
            for (unsigned int c = 0; c < 4; ++c) {
                m(r, c) = n[r * 4 + c];
            }
        }
    }
    return m;
}

MStringArray MArgList::asStringArray(unsigned int& index, MStatus* ReturnStatus) const {
    return readArray<MStringArray, MString>(fData, index, ReturnStatus,
                                            [](const Value& v, MString& out) {
                                                std::string s;
                                                if (!host::plugin::readString(v, s)) {
                                                    return false;
                                                }
                                                out = s.c_str();
                                                return true;
                                            });
}

MIntArray MArgList::asIntArray(unsigned int& index, MStatus* ReturnStatus) const {
    return readArray<MIntArray, int>(fData, index, ReturnStatus, host::plugin::readInt);
}

MDoubleArray MArgList::asDoubleArray(unsigned int& index, MStatus* ReturnStatus) const {
    return readArray<MDoubleArray, double>(fData, index, ReturnStatus, host::plugin::readDouble);
}

unsigned int MArgList::flagIndex(const char* shortFlag, const char* longFlag) const {
    const std::string_view shortName =
        shortFlag ? host::plugin::stripDash(shortFlag) : std::string_view();
    const std::string_view longName =
        longFlag ? host::plugin::stripDash(longFlag) : std::string_view();
    for (std::size_t i = 0; i < fData->values.size(); ++i) {
        const Value& v = fData->values[i];
        if (!host::plugin::isFlagToken(v)) {
            continue;
        }
        const std::string_view name = host::plugin::stripDash(v.str());
        if ((!shortName.empty() && name == shortName) || (!longName.empty() && name == longName)) {
            return static_cast<unsigned int>(i);
        }
    }
    return kInvalidArgIndex;
}

MStatus MArgList::addArg(bool arg) {
    fData->values.emplace_back(arg);
    return MS::kSuccess;
}

MStatus MArgList::addArg(int arg) {
    fData->values.emplace_back(arg);
    return MS::kSuccess;
}

MStatus MArgList::addArg(double arg) {
    fData->values.emplace_back(arg);
    return MS::kSuccess;
}

MStatus MArgList::addArg(const MString& arg) {
    fData->values.emplace_back(std::string(arg.asChar()));
    return MS::kSuccess;
}

MStatus MArgList::addArg(const MDistance& arg) {
    return addArg(arg.as(MDistance::uiUnit()));
}
MStatus MArgList::addArg(const MAngle& arg) {
    return addArg(arg.as(MAngle::uiUnit()));
}
MStatus MArgList::addArg(const MTime& arg) {
    return addArg(arg.as(MTime::uiUnit()));
}

MStatus MArgList::addArg(const MVector& arg) {
    fData->values.emplace_back(host::mel::Vec3{arg.x, arg.y, arg.z});
    return MS::kSuccess;
}

MStatus MArgList::addArg(const MMatrix& arg) {
    host::mel::Matrix m(4, 4);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            m.at(r, c) = arg(static_cast<unsigned int>(r), static_cast<unsigned int>(c));
        }
    }
    fData->values.emplace_back(std::move(m));
    return MS::kSuccess;
}
