#include "Value.h"

#include "foundation/Numbers.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace host::mel {

std::string formatFloat(double v) {
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v > 0 ? "inf" : "-inf";
    char buf[64];
    if (v == std::floor(v) && std::fabs(v) < 1e15) {
        std::snprintf(buf, sizeof buf, "%.0f", v);
        if (std::string(buf) == "-0")
            return "0";
    } else {
        std::snprintf(buf, sizeof buf, "%g", v);
    }
    return buf;
}

namespace {

// Length of the number at the start of s (after pos), 0 when there is none.
std::size_t numberSpan(const std::string& s, std::size_t pos, bool allowFraction) {
    std::size_t i = pos;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (allowFraction && i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (allowFraction && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                ++j;
            i = j;
        }
    }
    return i - pos;
}

std::size_t skipBlanks(const std::string& s, std::size_t i) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

}  // namespace

double parseFloatPrefix(const std::string& s) {
    std::size_t start = skipBlanks(s, 0);
    std::size_t n = numberSpan(s, start, true);
    if (n == 0)
        return 0.0;
    return std::strtod(s.substr(start, n).c_str(), nullptr);
}

int parseIntPrefix(const std::string& s) {
    std::size_t i = skipBlanks(s, 0);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        return INT_MAX;
    return static_cast<int>(v);
}

int wrapInt(long long v) {
    return static_cast<int>(static_cast<std::uint32_t>(v));
}

Value Value::defaultOf(Type t) {
    switch (t) {
        case Type::Int:
            return Value(0);
        case Type::Float:
            return Value(0.0);
        case Type::String:
            return Value(std::string());
        case Type::Vector:
            return Value(Vec3{});
        case Type::Matrix:
            return Value(Matrix());
        case Type::IntArray:
            return Value(std::vector<int>());
        case Type::FloatArray:
            return Value(std::vector<double>());
        case Type::StringArray:
            return Value(std::vector<std::string>());
        case Type::VectorArray:
            return Value(std::vector<Vec3>());
    }
    return Value();
}

Type Value::elementType(Type arrayType) {
    switch (arrayType) {
        case Type::IntArray:
            return Type::Int;
        case Type::FloatArray:
            return Type::Float;
        case Type::StringArray:
            return Type::String;
        case Type::VectorArray:
            return Type::Vector;
        default:
            return arrayType;
    }
}

Type Value::arrayOf(Type elementType) {
    switch (elementType) {
        case Type::Int:
            return Type::IntArray;
        case Type::Float:
            return Type::FloatArray;
        case Type::String:
            return Type::StringArray;
        case Type::Vector:
            return Type::VectorArray;
        default:
            return elementType;
    }
}

std::string Value::typeName(Type t) {
    switch (t) {
        case Type::Int:
            return "int";
        case Type::Float:
            return "float";
        case Type::String:
            return "string";
        case Type::Vector:
            return "vector";
        case Type::Matrix:
            return "matrix";
        case Type::IntArray:
            return "int[]";
        case Type::FloatArray:
            return "float[]";
        case Type::StringArray:
            return "string[]";
        case Type::VectorArray:
            return "vector[]";
    }
    return "";
}

int Value::asInt() const {
    switch (type()) {
        case Type::Int:
            return std::get<int>(data_);
        case Type::Float:
            return foundation::truncToInt(std::get<double>(data_));
        case Type::String:
            return parseIntPrefix(str());
        default:
            return 0;
    }
}

double Value::asFloat() const {
    switch (type()) {
        case Type::Int:
            return std::get<int>(data_);
        case Type::Float:
            return std::get<double>(data_);
        case Type::String:
            return parseFloatPrefix(str());
        default:
            return 0.0;
    }
}

namespace {

// "1 2 3", "1, 2, 3" or "<<1, 2, 3>>": up to three numbers, missing ones 0.
Vec3 parseVector(const std::string& s) {
    double c[3] = {0, 0, 0};
    std::size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        while (i < s.size() &&
               (std::isspace(static_cast<unsigned char>(s[i])) || s[i] == ',' || s[i] == '<'))
            ++i;
        std::size_t n = numberSpan(s, i, true);
        if (n == 0)
            break;
        c[k] = std::strtod(s.substr(i, n).c_str(), nullptr);
        i += n;
    }
    return Vec3{c[0], c[1], c[2]};
}

}  // namespace

Vec3 Value::asVector() const {
    switch (type()) {
        case Type::Int:
        case Type::Float: {
            double f = asFloat();
            return Vec3{f, f, f};
        }
        case Type::String:
            return parseVector(str());
        case Type::Vector:
            return std::get<Vec3>(data_);
        default:
            return Vec3{};
    }
}

bool Value::truthy() const {
    switch (type()) {
        case Type::Int:
            return std::get<int>(data_) != 0;
        case Type::Float:
            return std::get<double>(data_) != 0.0;
        case Type::String:
            return !str().empty();
        case Type::Vector: {
            const Vec3& v = std::get<Vec3>(data_);
            return v.x != 0 || v.y != 0 || v.z != 0;
        }
        default:
            return size() > 0;
    }
}

Matrix& Value::mutableMatrix() {
    auto& p = std::get<std::shared_ptr<Matrix>>(data_);
    if (p.use_count() > 1)
        p = std::make_shared<Matrix>(*p);
    return *p;
}

std::size_t Value::size() const {
    switch (type()) {
        case Type::String:
            return str().size();
        case Type::IntArray:
            return intArray().size();
        case Type::FloatArray:
            return floatArray().size();
        case Type::StringArray:
            return stringArray().size();
        case Type::VectorArray:
            return vectorArray().size();
        default:
            return 1;
    }
}

Value Value::element(std::size_t i) const {
    switch (type()) {
        case Type::IntArray:
            return i < intArray().size() ? Value(intArray()[i]) : Value(0);
        case Type::FloatArray:
            return i < floatArray().size() ? Value(floatArray()[i]) : Value(0.0);
        case Type::StringArray:
            return i < stringArray().size() ? Value(stringArray()[i]) : Value(std::string());
        case Type::VectorArray:
            return i < vectorArray().size() ? Value(vectorArray()[i]) : Value(Vec3{});
        default:
            return *this;
    }
}

namespace {

template <class T>
void store(std::vector<T>& v, std::size_t i, T x) {
    if (i >= v.size())
        v.resize(i + 1);
    v[i] = std::move(x);
}

}  // namespace

bool Value::setElement(std::size_t i, const Value& v) {
    if (!isArray())
        return false;
    Value e;
    if (!v.convertTo(elementType(type()), e))
        return false;
    switch (type()) {
        case Type::IntArray:
            store(std::get<Shared<int>>(data_).mut(), i, e.asInt());
            break;
        case Type::FloatArray:
            store(std::get<Shared<double>>(data_).mut(), i, e.asFloat());
            break;
        case Type::StringArray:
            store(std::get<Shared<std::string>>(data_).mut(), i, e.str());
            break;
        case Type::VectorArray:
            store(std::get<Shared<Vec3>>(data_).mut(), i, e.asVector());
            break;
        default:
            return false;
    }
    return true;
}

void Value::clearArray() {
    if (isArray())
        *this = defaultOf(type());
}

std::vector<std::string> Value::toStringList() const {
    std::vector<std::string> out;
    if (type() == Type::StringArray)
        return stringArray();
    if (!isArray()) {
        out.push_back(text());
        return out;
    }
    std::size_t n = size();
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(element(i).text());
    return out;
}

namespace {

template <class From, class Fn>
auto mapElements(const std::vector<From>& in, Fn fn) {
    std::vector<decltype(fn(in[0]))> out;
    out.reserve(in.size());
    for (const From& x : in)
        out.push_back(fn(x));
    return out;
}

}  // namespace

bool Value::convertTo(Type t, Value& out) const {
    Type from = type();
    if (from == t) {
        out = *this;
        return true;
    }
    // A matrix of one row and at most three columns stands for what it
    // holds: one cell for a number, more for a vector (missing parts 0).
    if (from == Type::Matrix) {
        const Matrix& m = matrix();
        if (m.rows != 1 || m.cols < 1 || m.cols > 3)
            return false;
        if (m.cols == 1)
            return Value(m.cells[0]).convertTo(t, out);
        Vec3 v{m.cells[0], m.cells[1], m.cols == 3 ? m.cells[2] : 0.0};
        return Value(v).convertTo(t, out);
    }
    bool scalarFrom = from == Type::Int || from == Type::Float || from == Type::String;
    switch (t) {
        case Type::Int:
        case Type::Float: {
            if (!scalarFrom && from != Type::Vector)
                return false;
            // A vector becomes its length, truncated for an int.
            if (from == Type::Vector) {
                const Vec3 v = asVector();
                const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
                out = t == Type::Int ? Value(foundation::truncToInt(length)) : Value(length);
            } else {
                out = t == Type::Int ? Value(asInt()) : Value(asFloat());
            }
            return true;
        }
        case Type::String:
            if (!scalarFrom && from != Type::Vector)
                return false;
            out = Value(text());
            return true;
        case Type::Vector:
            if (!scalarFrom)
                return false;
            out = Value(asVector());
            return true;
        case Type::Matrix: {
            // Into a matrix go a number (one cell) and a vector (one row).
            if (from == Type::Int || from == Type::Float) {
                Matrix m(1, 1);
                m.cells[0] = asFloat();
                out = Value(std::move(m));
                return true;
            }
            if (from != Type::Vector)
                return false;
            const Vec3 v = asVector();
            Matrix m(1, 3);
            m.cells = {v.x, v.y, v.z};
            out = Value(std::move(m));
            return true;
        }
        default:
            break;
    }
    if (!isArray())
        return false;
    // Array to array, element by element. Vector arrays trade only with string arrays.
    bool vectorSide = from == Type::VectorArray || t == Type::VectorArray;
    if (vectorSide && from != Type::StringArray && t != Type::StringArray)
        return false;
    std::size_t n = size();
    switch (t) {
        case Type::IntArray: {
            std::vector<int> v(n);
            for (std::size_t i = 0; i < n; ++i)
                v[i] = element(i).asInt();
            out = Value(std::move(v));
            return true;
        }
        case Type::FloatArray: {
            std::vector<double> v(n);
            for (std::size_t i = 0; i < n; ++i)
                v[i] = element(i).asFloat();
            out = Value(std::move(v));
            return true;
        }
        case Type::StringArray:
            out = Value(toStringList());
            return true;
        case Type::VectorArray:
            out = Value(
                mapElements(stringArray(), [](const std::string& s) { return parseVector(s); }));
            return true;
        default:
            return false;
    }
}

std::string Value::text() const {
    switch (type()) {
        case Type::Int:
            return std::to_string(std::get<int>(data_));
        case Type::Float:
            return formatFloat(std::get<double>(data_));
        case Type::String:
            return str();
        case Type::Vector: {
            const Vec3& v = std::get<Vec3>(data_);
            return formatFloat(v.x) + " " + formatFloat(v.y) + " " + formatFloat(v.z);
        }
        case Type::Matrix: {
            std::string s;
            for (double c : matrix().cells) {
                if (!s.empty())
                    s += ' ';
                s += formatFloat(c);
            }
            return s;
        }
        default: {
            std::string s;
            std::size_t n = size();
            for (std::size_t i = 0; i < n; ++i) {
                if (i)
                    s += ' ';
                s += element(i).text();
            }
            return s;
        }
    }
}

bool Value::operator==(const Value& o) const {
    if (type() != o.type())
        return false;
    switch (type()) {
        case Type::Int:
            return std::get<int>(data_) == std::get<int>(o.data_);
        case Type::Float:
            return std::get<double>(data_) == std::get<double>(o.data_);
        case Type::String:
            return str() == o.str();
        case Type::Vector:
            return std::get<Vec3>(data_) == std::get<Vec3>(o.data_);
        case Type::Matrix:
            return matrix() == o.matrix();
        case Type::IntArray:
            return intArray() == o.intArray();
        case Type::FloatArray:
            return floatArray() == o.floatArray();
        case Type::StringArray:
            return stringArray() == o.stringArray();
        case Type::VectorArray:
            return vectorArray() == o.vectorArray();
    }
    return false;
}

}  // namespace host::mel
