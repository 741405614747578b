// Numeric and vector builtins, and the seeded random numbers (even, normal and in a
// sphere).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "Builtins.h"

namespace host::mel {

namespace {

constexpr double kPi = 3.14159265358979323846;

// One generator for the session; seed() restarts it, so scripts can repeat a sequence.
std::mt19937& generator() {
    static std::mt19937 gen(12345u);
    return gen;
}

double uniform(double lo, double hi) {
    double u = generator()() / 4294967296.0;  // [0, 1), the same on every platform
    return lo + (hi - lo) * u;
}

Vec3 vectorArg(const Value& v) {
    if (v.isArray() || v.type() == Type::Matrix)
        throw BuiltinError{"Cannot convert data of type " + Value::typeName(v.type()) +
                           " to type vector."};
    return v.asVector();
}

void defineUnary(Interpreter& in, const std::string& name, double (*fn)(double)) {
    defineFunction(in, name, 1, 1,
                   [fn](const std::vector<Value>& a) { return Value(fn(a[0].asFloat())); });
}

void defineBinary(Interpreter& in, const std::string& name, double (*fn)(double, double)) {
    defineFunction(in, name, 2, 2, [fn](const std::vector<Value>& a) {
        return Value(fn(a[0].asFloat(), a[1].asFloat()));
    });
}

// min and max keep int when both sides are int.
void defineExtreme(Interpreter& in, const std::string& name, bool wantMax) {
    defineFunction(in, name, 2, 2, [wantMax](const std::vector<Value>& a) {
        if (a[0].type() == Type::Int && a[1].type() == Type::Int)
            return Value(wantMax ? std::max(a[0].asInt(), a[1].asInt())
                                 : std::min(a[0].asInt(), a[1].asInt()));
        return Value(wantMax ? std::max(a[0].asFloat(), a[1].asFloat())
                             : std::min(a[0].asFloat(), a[1].asFloat()));
    });
}

// A normally distributed number of mean 0 (Box-Muller over the session's generator).
double normal(double deviation) {
    double u = 0;
    while (u == 0)
        u = uniform(0, 1);
    const double v = uniform(0, 1);
    return deviation * std::sqrt(-2.0 * std::log(u)) * std::cos(2 * kPi * v);
}

// Rodrigues' rotation of p about the axis through the origin.
Vec3 rotated(Vec3 p, Vec3 axis, double angle) {
    const double m = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    if (m == 0)
        return p;
    const Vec3 k{axis.x / m, axis.y / m, axis.z / m};
    const double c = std::cos(angle), s = std::sin(angle);
    const double d = (k.x * p.x + k.y * p.y + k.z * p.z) * (1 - c);
    const Vec3 kp{k.y * p.z - k.z * p.y, k.z * p.x - k.x * p.z, k.x * p.y - k.y * p.x};
    return Vec3{p.x * c + kp.x * s + k.x * d, p.y * c + kp.y * s + k.y * d,
                p.z * c + kp.z * s + k.z * d};
}

}  // namespace

void registerMathBuiltins(Interpreter& in) {
    defineUnary(in, "floor", [](double x) { return std::floor(x); });
    defineUnary(in, "ceil", [](double x) { return std::ceil(x); });
    defineUnary(in, "trunc", [](double x) { return std::trunc(x); });
    defineUnary(in, "sqrt", [](double x) { return std::sqrt(x); });
    defineUnary(in, "exp", [](double x) { return std::exp(x); });
    defineUnary(in, "log", [](double x) { return std::log(x); });
    defineUnary(in, "log10", [](double x) { return std::log10(x); });
    defineUnary(in, "sin", [](double x) { return std::sin(x); });
    defineUnary(in, "cos", [](double x) { return std::cos(x); });
    defineUnary(in, "tan", [](double x) { return std::tan(x); });
    defineUnary(in, "asin", [](double x) { return std::asin(x); });
    defineUnary(in, "acos", [](double x) { return std::acos(x); });
    defineUnary(in, "atan", [](double x) { return std::atan(x); });
    defineUnary(in, "deg_to_rad", [](double x) { return x * kPi / 180.0; });
    defineUnary(in, "rad_to_deg", [](double x) { return x * 180.0 / kPi; });
    defineUnary(in, "sign", [](double x) { return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0; });
    // The same in degrees.
    defineUnary(in, "sind", [](double x) { return std::sin(x * kPi / 180.0); });
    defineUnary(in, "cosd", [](double x) { return std::cos(x * kPi / 180.0); });
    defineUnary(in, "tand", [](double x) { return std::tan(x * kPi / 180.0); });
    defineUnary(in, "asind", [](double x) { return std::asin(x) * 180.0 / kPi; });
    defineUnary(in, "acosd", [](double x) { return std::acos(x) * 180.0 / kPi; });
    defineUnary(in, "atand", [](double x) { return std::atan(x) * 180.0 / kPi; });
    defineBinary(in, "atan2d", [](double y, double x) { return std::atan2(y, x) * 180.0 / kPi; });
    defineBinary(in, "pow", [](double x, double y) { return std::pow(x, y); });
    defineBinary(in, "fmod", [](double x, double y) { return std::fmod(x, y); });
    defineBinary(in, "atan2", [](double y, double x) { return std::atan2(y, x); });
    defineBinary(in, "hypot", [](double x, double y) { return std::hypot(x, y); });
    defineExtreme(in, "min", false);
    defineExtreme(in, "max", true);

    defineFunction(in, "abs", 1, 1, [](const std::vector<Value>& a) {
        const Value& v = a[0];
        if (v.type() == Type::Int) {
            long long x = v.asInt();
            return Value(wrapInt(x < 0 ? -x : x));
        }
        if (v.type() == Type::Vector) {
            Vec3 c = v.asVector();
            return Value(Vec3{std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)});
        }
        return Value(std::fabs(v.asFloat()));
    });
    defineFunction(in, "clamp", 3, 3, [](const std::vector<Value>& a) {
        double lo = a[0].asFloat(), hi = a[1].asFloat(), x = a[2].asFloat();
        return Value(x < lo ? lo : x > hi ? hi : x);
    });

    // Where param lies between start and end, 0 to 1 and held there beyond them:
    // in a straight line, or easing in and out.
    for (bool smooth : {false, true})
        defineFunction(
            in, smooth ? "smoothstep" : "linstep", 3, 3, [smooth](const std::vector<Value>& a) {
                const double start = a[0].asFloat(), end = a[1].asFloat();
                const double x = a[2].asFloat();
                double t = end == start ? (x < start ? 0.0 : 1.0) : (x - start) / (end - start);
                t = std::clamp(t, 0.0, 1.0);
                return Value(smooth ? t * t * (3.0 - 2.0 * t) : t);
            });

    defineFunction(in, "mag", 1, 1, [](const std::vector<Value>& a) {
        Vec3 v = vectorArg(a[0]);
        return Value(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
    });
    defineFunction(in, "unit", 1, 1, [](const std::vector<Value>& a) {
        Vec3 v = vectorArg(a[0]);
        double m = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        if (m == 0)
            return Value(v);
        return Value(Vec3{v.x / m, v.y / m, v.z / m});
    });
    defineFunction(in, "dot", 2, 2, [](const std::vector<Value>& a) {
        Vec3 x = vectorArg(a[0]), y = vectorArg(a[1]);
        return Value(x.x * y.x + x.y * y.y + x.z * y.z);
    });
    // The angle between two vectors, in radians; 0 when either has no length.
    defineFunction(in, "angle", 2, 2, [](const std::vector<Value>& a) {
        Vec3 x = vectorArg(a[0]), y = vectorArg(a[1]);
        const double lengths =
            std::sqrt((x.x * x.x + x.y * x.y + x.z * x.z) * (y.x * y.x + y.y * y.y + y.z * y.z));
        if (lengths == 0)
            return Value(0.0);
        const double c = (x.x * y.x + x.y * y.y + x.z * y.z) / lengths;
        return Value(std::acos(std::clamp(c, -1.0, 1.0)));
    });
    defineFunction(in, "cross", 2, 2, [](const std::vector<Value>& a) {
        Vec3 x = vectorArg(a[0]), y = vectorArg(a[1]);
        return Value(Vec3{x.y * y.z - x.z * y.y, x.z * y.x - x.x * y.z, x.x * y.y - x.y * y.x});
    });

    // rand(max), rand(min, max); with vectors, each component on its own.
    defineFunction(in, "rand", 1, 2, [](const std::vector<Value>& a) {
        bool vectors =
            a[0].type() == Type::Vector || (a.size() == 2 && a[1].type() == Type::Vector);
        if (vectors) {
            Vec3 lo{}, hi = vectorArg(a.back());
            if (a.size() == 2)
                lo = vectorArg(a[0]);
            double x = uniform(lo.x, hi.x), y = uniform(lo.y, hi.y);
            return Value(Vec3{x, y, uniform(lo.z, hi.z)});
        }
        double lo = a.size() == 2 ? a[0].asFloat() : 0.0;
        return Value(uniform(lo, a.back().asFloat()));
    });
    // gauss(deviation) a float; gauss(<<dx, dy, dz>>) and gauss(dx, dy) a vector, each
    // component drawn with its own deviation (z 0 for the two-number form).
    defineFunction(in, "gauss", 1, 2, [](const std::vector<Value>& a) {
        if (a.size() == 2) {
            const double x = normal(a[0].asFloat());
            return Value(Vec3{x, normal(a[1].asFloat()), 0.0});
        }
        if (a[0].type() == Type::Vector) {
            const Vec3 d = vectorArg(a[0]);
            const double x = normal(d.x), y = normal(d.y);
            return Value(Vec3{x, y, normal(d.z)});
        }
        return Value(normal(a[0].asFloat()));
    });
    // A point drawn evenly from inside a sphere of the radius, or an ellipsoid of the
    // vector's radii.
    defineFunction(in, "sphrand", 1, 1, [](const std::vector<Value>& a) {
        const Vec3 r = a[0].type() == Type::Vector
                           ? vectorArg(a[0])
                           : Vec3{a[0].asFloat(), a[0].asFloat(), a[0].asFloat()};
        Vec3 p;
        do {
            const double x = uniform(-1, 1), y = uniform(-1, 1);
            p = Vec3{x, y, uniform(-1, 1)};
        } while (p.x * p.x + p.y * p.y + p.z * p.z > 1);
        return Value(Vec3{p.x * r.x, p.y * r.y, p.z * r.z});
    });
    // rot(point, axis, radians): the point turned about the axis through the origin.
    defineFunction(in, "rot", 3, 3, [](const std::vector<Value>& a) {
        return Value(rotated(vectorArg(a[0]), vectorArg(a[1]), a[2].asFloat()));
    });
    // hermite(start, end, startTangent, endTangent, t): the cubic Hermite curve at t, on
    // floats or, when any of the four ends is a vector, on vectors.
    defineFunction(in, "hermite", 5, 5, [](const std::vector<Value>& a) {
        const double t = a[4].asFloat(), t2 = t * t, t3 = t2 * t;
        const double h[4] = {2 * t3 - 3 * t2 + 1, -2 * t3 + 3 * t2, t3 - 2 * t2 + t, t3 - t2};
        const bool vectors = std::any_of(a.begin(), a.begin() + 4,
                                         [](const Value& v) { return v.type() == Type::Vector; });
        if (!vectors)
            return Value(h[0] * a[0].asFloat() + h[1] * a[1].asFloat() + h[2] * a[2].asFloat() +
                         h[3] * a[3].asFloat());
        Vec3 out{};
        for (int i = 0; i < 4; ++i) {
            const Vec3 v = vectorArg(a[static_cast<std::size_t>(i)]);
            out = Vec3{out.x + h[i] * v.x, out.y + h[i] * v.y, out.z + h[i] * v.z};
        }
        return Value(out);
    });
    defineFunction(in, "seed", 1, 1, [](const std::vector<Value>& a) {
        generator().seed(static_cast<std::uint32_t>(a[0].asInt()));
        return Value(a[0].asInt());
    });
}

}  // namespace host::mel
