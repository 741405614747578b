// The utility procedures the application ships as scripts, built in: string arrays, path
// names, number-array joins and the float-array forms of the vector products. They take
// their arguments in the shipped procedures' order and never modify the arrays passed in.
#include <algorithm>
#include <cmath>
#include <set>

#include "Builtins.h"
#include "Lexer.h"

namespace host::mel {

namespace {

// Splits at any of the separator characters, dropping empty pieces.
std::vector<std::string> splitAtAny(const std::string& s, const std::string& separators) {
    std::vector<std::string> pieces;
    std::size_t start = s.find_first_not_of(separators);
    while (start != std::string::npos) {
        std::size_t end = s.find_first_of(separators, start);
        pieces.push_back(s.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? end : s.find_first_not_of(separators, end);
    }
    return pieces;
}

std::string slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The last path level, a trailing "/" removed first.
std::string lastLevel(const std::string& path) {
    std::string p = slashes(path);
    if (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const std::size_t slash = p.find_last_of('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string basename(const std::string& path, const std::string& suffix) {
    std::string base = lastLevel(path);
    if (!suffix.empty() && base.size() >= suffix.size() &&
        base.compare(base.size() - suffix.size(), suffix.size(), suffix) == 0)
        base.erase(base.size() - suffix.size());
    return base;
}

std::string basenameEx(const std::string& path) {
    std::string base = lastLevel(path);
    const std::size_t dot = base.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

std::string dirname(const std::string& path) {
    std::string p = slashes(path);
    const std::size_t slash = p.find_last_of('/');
    if (slash == std::string::npos)
        return std::string();
    return slash == 0 ? std::string("/") : p.substr(0, slash);
}

// The elements of an int or float array as MEL prints them, between separators.
std::string joined(const Value& array, const std::string& separator, const char* name) {
    std::string out;
    const std::vector<std::string> items = arrayArg(array, name);
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? separator : "") + items[i];
    return out;
}

struct Vec {
    double v[3] = {0, 0, 0};
};

// The first three elements of a float array; missing ones read as 0, as the shipped
// procedures index past the end.
Vec floats(const Value& a, const char* name) {
    if (!a.isArray() || a.type() == Type::StringArray || a.type() == Type::VectorArray)
        throw BuiltinError{std::string(name) + ": the arguments must be float arrays."};
    Vec out;
    for (std::size_t i = 0; i < 3 && i < a.size(); ++i)
        out.v[i] = a.element(i).asFloat();
    return out;
}

Vec normalized(Vec a) {
    const double length = std::sqrt(a.v[0] * a.v[0] + a.v[1] * a.v[1] + a.v[2] * a.v[2]);
    if (length > 0)
        for (double& c : a.v)
            c /= length;
    return a;
}

}  // namespace

void registerUtilityBuiltins(Interpreter& in) {
    defineFunction(in, "stringArrayRemoveDuplicates", 1, 1, [](const std::vector<Value>& a) {
        std::vector<std::string> kept;
        std::set<std::string> seen;
        for (std::string& item : arrayArg(a[0], "stringArrayRemoveDuplicates"))
            if (seen.insert(item).second)
                kept.push_back(std::move(item));
        return Value(std::move(kept));
    });
    defineFunction(in, "stringArrayCount", 2, 2, [](const std::vector<Value>& a) {
        const std::vector<std::string> list = arrayArg(a[1], "stringArrayCount");
        return Value(static_cast<int>(std::count(list.begin(), list.end(), a[0].text())));
    });
    defineFunction(in, "stringArrayRemove", 2, 2, [](const std::vector<Value>& a) {
        const std::vector<std::string> items = arrayArg(a[0], "stringArrayRemove");
        const std::set<std::string> gone(items.begin(), items.end());
        std::vector<std::string> kept;
        for (std::string& item : arrayArg(a[1], "stringArrayRemove"))
            if (!gone.count(item))
                kept.push_back(std::move(item));
        return Value(std::move(kept));
    });
    defineFunction(in, "stringArrayCatenate", 2, 2, [](const std::vector<Value>& a) {
        std::vector<std::string> all = arrayArg(a[0], "stringArrayCatenate");
        for (std::string& item : arrayArg(a[1], "stringArrayCatenate"))
            all.push_back(std::move(item));
        return Value(std::move(all));
    });
    defineFunction(in, "stringToStringArray", 2, 2, [](const std::vector<Value>& a) {
        return Value(splitAtAny(a[0].text(), a[1].text()));
    });
    for (const char* name : {"intArrayToString", "floatArrayToString"})
        defineFunction(in, name, 2, 2, [name](const std::vector<Value>& a) {
            return Value(joined(a[0], a[1].text(), name));
        });
    defineFunction(in, "basename", 2, 2, [](const std::vector<Value>& a) {
        return Value(basename(a[0].text(), a[1].text()));
    });
    defineFunction(in, "basenameEx", 1, 1,
                   [](const std::vector<Value>& a) { return Value(basenameEx(a[0].text())); });
    defineFunction(in, "dirname", 1, 1,
                   [](const std::vector<Value>& a) { return Value(dirname(a[0].text())); });
    defineFunction(in, "dotProduct", 3, 3, [](const std::vector<Value>& a) {
        Vec x = floats(a[0], "dotProduct"), y = floats(a[1], "dotProduct");
        if (a[2].asInt()) {
            x = normalized(x);
            y = normalized(y);
        }
        return Value(x.v[0] * y.v[0] + x.v[1] * y.v[1] + x.v[2] * y.v[2]);
    });
    defineFunction(in, "crossProduct", 4, 4, [](const std::vector<Value>& a) {
        Vec x = floats(a[0], "crossProduct"), y = floats(a[1], "crossProduct");
        if (a[2].asInt()) {
            x = normalized(x);
            y = normalized(y);
        }
        Vec c;
        c.v[0] = x.v[1] * y.v[2] - x.v[2] * y.v[1];
        c.v[1] = x.v[2] * y.v[0] - x.v[0] * y.v[2];
        c.v[2] = x.v[0] * y.v[1] - x.v[1] * y.v[0];
        if (a[3].asInt())
            c = normalized(c);
        return Value(std::vector<double>(c.v, c.v + 3));
    });
    // Puts the item into the array variable at the index, or at its end when the index is
    // past it; 0 and the array untouched for a negative index.
    in.defineBuiltin(
        "stringArrayInsertAtIndex", [](CommandCall& call, const std::vector<Value*>& refs) {
            if (!checkArgCount(call, "stringArrayInsertAtIndex", 3, 3))
                return false;
            Value* list = refs.size() > 1 ? refs[1] : nullptr;
            if (!list || list->type() != Type::StringArray) {
                Interpreter::instance().reportError(
                    "stringArrayInsertAtIndex: the second argument must be a "
                    "string array variable.");
                return false;
            }
            const long long index = call.args[0].asInt();
            if (index < 0) {
                call.result = Value(0);
                call.hasResult = true;
                return true;
            }
            std::vector<std::string> items = list->stringArray();
            const auto at = static_cast<std::size_t>(
                std::min<long long>(index, static_cast<long long>(items.size())));
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), call.args[2].text());
            *list = Value(std::move(items));
            call.result = Value(1);
            call.hasResult = true;
            return true;
        });
    // The text as a MEL string literal's inside: quotes, backslashes and control
    // characters escaped, so that eval of "\"" + it + "\"" gives the text back.
    defineFunction(in, "encodeString", 1, 1,
                   [](const std::vector<Value>& a) { return Value(escapedLiteral(a[0].text())); });
}

}  // namespace host::mel
