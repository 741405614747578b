#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace host::mel {

enum class Type {
    Int,
    Float,
    String,
    Vector,
    Matrix,
    IntArray,
    FloatArray,
    StringArray,
    VectorArray
};

struct Vec3 {
    double x = 0, y = 0, z = 0;
    bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
};

struct Matrix {
    int rows = 0, cols = 0;
    std::vector<double> cells;  // row-major
    Matrix() = default;
    Matrix(int r, int c) : rows(r), cols(c), cells(static_cast<std::size_t>(r) * c, 0.0) {}
    double& at(int r, int c) { return cells[static_cast<std::size_t>(r) * cols + c]; }
    double at(int r, int c) const { return cells[static_cast<std::size_t>(r) * cols + c]; }
    bool operator==(const Matrix& o) const {
        return rows == o.rows && cols == o.cols && cells == o.cells;
    }
};

// Array storage shared between copies until one of them is written, so that passing arrays
// around (to size(), into procedures, through for-in) costs nothing.
template <class T>
class Shared {
public:
    Shared() : p_(std::make_shared<std::vector<T>>()) {}
    explicit Shared(std::vector<T> v) : p_(std::make_shared<std::vector<T>>(std::move(v))) {}
    const std::vector<T>& get() const { return *p_; }
    std::vector<T>& mut() {
        if (p_.use_count() > 1)
            p_ = std::make_shared<std::vector<T>>(*p_);
        return *p_;
    }

private:
    std::shared_ptr<std::vector<T>> p_;
};

// Two's-complement wrap of a wide result into MEL's 32-bit int.
int wrapInt(long long v);

// A MEL value. Scalars convert among each other as MEL does (string <-> number by parsing
// the leading number or printing, float -> int by truncation); arrays convert element-wise.
class Value {
public:
    Value() : data_(0) {}
    // Every integer type makes a MEL int (wrapping to 32 bits), so that sizes and counts
    // convert without casts.
    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    Value(T v) : data_(wrapInt(static_cast<long long>(v))) {}
    Value(bool v) : data_(v ? 1 : 0) {}
    Value(double v) : data_(v) {}
    Value(float v) : data_(static_cast<double>(v)) {}
    Value(std::string v) : data_(std::move(v)) {}
    Value(const char* v) : data_(std::string(v)) {}
    Value(const Vec3& v) : data_(v) {}
    Value(Matrix m) : data_(std::make_shared<Matrix>(std::move(m))) {}
    Value(std::vector<int> v) : data_(Shared<int>(std::move(v))) {}
    Value(std::vector<double> v) : data_(Shared<double>(std::move(v))) {}
    Value(std::vector<std::string> v) : data_(Shared<std::string>(std::move(v))) {}
    Value(std::vector<Vec3> v) : data_(Shared<Vec3>(std::move(v))) {}

    // The default value of a type: 0, 0.0, "", <<0, 0, 0>>, an empty matrix or array.
    static Value defaultOf(Type t);

    Type type() const { return static_cast<Type>(data_.index()); }
    bool isArray() const { return isArrayType(type()); }
    bool isNumber() const { return type() == Type::Int || type() == Type::Float; }
    static bool isArrayType(Type t) { return t >= Type::IntArray; }
    static Type elementType(Type arrayType);  // int[] -> int ...
    static Type arrayOf(Type elementType);    // int -> int[] ...; Matrix has no array type
    static std::string typeName(Type t);      // "int", "string[]", ...

    // Scalar readings with MEL's conversions; arrays read as 0 / their text.
    int asInt() const;
    double asFloat() const;
    Vec3 asVector() const;
    std::string asString() const { return text(); }
    bool truthy() const;

    const std::vector<int>& intArray() const { return std::get<Shared<int>>(data_).get(); }
    const std::vector<double>& floatArray() const { return std::get<Shared<double>>(data_).get(); }
    const std::vector<std::string>& stringArray() const {
        return std::get<Shared<std::string>>(data_).get();
    }
    const std::vector<Vec3>& vectorArray() const { return std::get<Shared<Vec3>>(data_).get(); }
    const Matrix& matrix() const { return *std::get<std::shared_ptr<Matrix>>(data_); }
    // The matrix for writing, unshared from other copies first.
    Matrix& mutableMatrix();
    const std::string& str() const { return std::get<std::string>(data_); }

    // Any value as a list of strings: an array element-wise, a scalar as one element.
    std::vector<std::string> toStringList() const;

    // Arrays: element count; strings: length; other scalars: 1.
    std::size_t size() const;
    // Element i of an array, or the element type's default past the end.
    Value element(std::size_t i) const;
    // Sets element i (converted to the element type), growing the array with defaults.
    // False when v does not convert.
    bool setElement(std::size_t i, const Value& v);
    void clearArray();

    // v converted to type t, or false when MEL refuses that conversion.
    bool convertTo(Type t, Value& out) const;

    // The text the script editor shows: print and "// Result:" lines, and string conversion.
    // Arrays join their elements with single blanks; vectors read "1 2 3".
    std::string text() const;

    bool operator==(const Value& o) const;
    bool operator!=(const Value& o) const { return !(*this == o); }

private:
    std::variant<int, double, std::string, Vec3, std::shared_ptr<Matrix>, Shared<int>,
                 Shared<double>, Shared<std::string>, Shared<Vec3>>
        data_;
};

// MEL's number text: whole numbers print without a fraction, others with six significant
// digits ("1.5", "0.333333", "2").
std::string formatFloat(double v);
// MEL's reading of a string as a number: the longest leading number, 0 when there is none.
double parseFloatPrefix(const std::string& s);
int parseIntPrefix(const std::string& s);

}  // namespace host::mel
