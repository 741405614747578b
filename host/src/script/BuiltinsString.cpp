// String and string-array builtins.
#include <algorithm>
#include <cctype>

#include "Builtins.h"
#include "Regex.h"

namespace host::mel {

namespace {

Regex compiled(const std::string& pattern) {
    Regex re;
    std::string why;
    if (!re.compile(pattern, why))
        throw BuiltinError{"Invalid regular expression \"" + pattern + "\": " + why + "."};
    return re;
}

std::string mapChars(std::string s, int (*fn)(int)) {
    for (char& c : s)
        c = static_cast<char>(fn(static_cast<unsigned char>(c)));
    return s;
}

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The array variable a builtin writes its result into.
Value* outputArray(const std::vector<Value*>& refs, std::size_t i, const std::string& name) {
    Value* target = i < refs.size() ? refs[i] : nullptr;
    if (!target || !target->isArray()) {
        Interpreter::instance().reportError(name +
                                            ": the last argument must be an array variable.");
        return nullptr;
    }
    return target;
}

std::vector<std::string> tokenize(const std::string& s, const std::string& delimiters) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t start = s.find_first_not_of(delimiters, i);
        if (start == std::string::npos)
            break;
        std::size_t end = s.find_first_of(delimiters, start);
        if (end == std::string::npos)
            end = s.size();
        tokens.push_back(s.substr(start, end - start));
        i = end;
    }
    return tokens;
}

Value sorted(const Value& v) {
    switch (v.type()) {
        case Type::IntArray: {
            std::vector<int> a = v.intArray();
            std::sort(a.begin(), a.end());
            return Value(std::move(a));
        }
        case Type::FloatArray: {
            std::vector<double> a = v.floatArray();
            std::sort(a.begin(), a.end());
            return Value(std::move(a));
        }
        case Type::StringArray: {
            std::vector<std::string> a = v.stringArray();
            std::sort(a.begin(), a.end());
            return Value(std::move(a));
        }
        default:
            throw BuiltinError{"sort: the argument must be an int, float or string array."};
    }
}

// format -s a -s b "^1s and ^2s": ^n s takes the n-th string argument, ^^ is a caret.
bool format(CommandCall& call, const std::vector<Value*>&) {
    std::vector<std::string> strings;
    const std::vector<Value>& args = call.args;
    std::size_t i = 0;
    for (; i + 1 < args.size(); i += 2) {
        std::string flag = args[i].text();
        if (flag != "-s" && flag != "-stringArg")
            break;
        strings.push_back(args[i + 1].text());
    }
    if (i + 1 != args.size()) {
        Interpreter::instance().reportError("Wrong number of arguments on call to format.");
        return false;
    }
    const std::string fmt = args[i].text();
    std::string out;
    for (std::size_t k = 0; k < fmt.size(); ++k) {
        if (fmt[k] != '^' || k + 1 >= fmt.size()) {
            out += fmt[k];
            continue;
        }
        if (fmt[k + 1] == '^') {
            out += '^';
            ++k;
            continue;
        }
        std::size_t j = k + 1;
        std::size_t n = 0;
        while (j < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[j])) && n < 100000)
            n = n * 10 + static_cast<std::size_t>(fmt[j++] - '0');
        if (j == k + 1 || j >= fmt.size() || fmt[j] != 's') {
            out += fmt[k];
            continue;
        }
        if (n >= 1 && n <= strings.size())
            out += strings[n - 1];
        k = j;
    }
    call.result = Value(out);
    call.hasResult = true;
    return true;
}

}  // namespace

void registerStringBuiltins(Interpreter& in) {
    defineFunction(in, "size", 1, 1, [](const std::vector<Value>& a) {
        return Value(a[0].isArray() ? a[0].size() : a[0].text().size());
    });
    in.defineBuiltin("clear", [](CommandCall& call, const std::vector<Value*>& refs) {
        if (!checkArgCount(call, "clear", 1, 1))
            return false;
        Value* target = outputArray(refs, 0, "clear");
        if (!target)
            return false;
        target->clearArray();
        return true;
    });
    in.defineBuiltin("tokenize", [](CommandCall& call, const std::vector<Value*>& refs) {
        if (!checkArgCount(call, "tokenize", 2, 3))
            return false;
        std::size_t last = call.args.size() - 1;
        Value* target = outputArray(refs, last, "tokenize");
        if (!target)
            return false;
        std::string delimiters = last == 2 ? call.args[1].text() : std::string(" \t\n\r");
        std::vector<std::string> tokens = tokenize(call.args[0].text(), delimiters);
        Value words(tokens);
        Value typed;
        if (!words.convertTo(target->type(), typed)) {
            Interpreter::instance().reportError(
                "tokenize: the last argument must be a string array.");
            return false;
        }
        *target = std::move(typed);
        call.result = Value(tokens.size());
        call.hasResult = true;
        return true;
    });
    defineFunction(in, "substring", 3, 3, [](const std::vector<Value>& a) {
        // 1-based, inclusive; indices beyond the text are clamped to it.
        const std::string s = a[0].text();
        long long first = std::max(1, a[1].asInt());
        long long last = std::min<long long>(a[2].asInt(), static_cast<long long>(s.size()));
        if (first > last)
            return Value(std::string());
        return Value(s.substr(static_cast<std::size_t>(first - 1),
                              static_cast<std::size_t>(last - first + 1)));
    });
    defineFunction(in, "match", 2, 2, [](const std::vector<Value>& a) {
        std::string s = a[1].text();
        std::size_t start = 0, length = 0;
        if (!compiled(a[0].text()).search(s, 0, start, length))
            return Value(std::string());
        return Value(s.substr(start, length));
    });
    defineFunction(in, "gmatch", 2, 2, [](const std::vector<Value>& a) {
        return Value(globMatch(a[1].text(), a[0].text()));
    });
    defineFunction(in, "substitute", 3, 3, [](const std::vector<Value>& a) {
        std::string s = a[1].text();
        std::size_t start = 0, length = 0;
        if (compiled(a[0].text()).search(s, 0, start, length))
            s.replace(start, length, a[2].text());
        return Value(s);
    });
    defineFunction(in, "substituteAllString", 3, 3, [](const std::vector<Value>& a) {
        std::string s = a[0].text();
        const std::string from = a[1].text(), to = a[2].text();
        if (from.empty())
            return Value(s);
        std::string out;
        std::size_t i = 0;
        for (std::size_t hit; (hit = s.find(from, i)) != std::string::npos; i = hit + from.size())
            out.append(s, i, hit - i).append(to);
        out.append(s, i, std::string::npos);
        return Value(out);
    });
    defineFunction(in, "strcmp", 2, 2, [](const std::vector<Value>& a) {
        int c = a[0].text().compare(a[1].text());
        return Value(c < 0 ? -1 : c > 0 ? 1 : 0);
    });
    defineFunction(in, "toupper", 1, 1, [](const std::vector<Value>& a) {
        return Value(mapChars(a[0].text(), ::toupper));
    });
    defineFunction(in, "tolower", 1, 1, [](const std::vector<Value>& a) {
        return Value(mapChars(a[0].text(), ::tolower));
    });
    defineFunction(in, "startsWith", 2, 2, [](const std::vector<Value>& a) {
        return Value(a[0].text().compare(0, a[1].text().size(), a[1].text()) == 0);
    });
    defineFunction(in, "endsWith", 2, 2, [](const std::vector<Value>& a) {
        const std::string s = a[0].text(), end = a[1].text();
        return Value(s.size() >= end.size() &&
                     s.compare(s.size() - end.size(), end.size(), end) == 0);
    });
    defineFunction(in, "strip", 1, 1, [](const std::vector<Value>& a) {
        const std::string s = a[0].text();
        std::size_t first = 0, last = s.size();
        while (first < last && isBlank(s[first]))
            ++first;
        while (last > first && isBlank(s[last - 1]))
            --last;
        return Value(s.substr(first, last - first));
    });
    defineFunction(in, "stringArrayContains", 2, 2, [](const std::vector<Value>& a) {
        std::vector<std::string> items = arrayArg(a[1], "stringArrayContains");
        return Value(std::find(items.begin(), items.end(), a[0].text()) != items.end());
    });
    defineFunction(in, "stringArrayToString", 2, 2, [](const std::vector<Value>& a) {
        std::string out;
        std::vector<std::string> items = arrayArg(a[0], "stringArrayToString");
        const std::string sep = a[1].text();
        for (std::size_t i = 0; i < items.size(); ++i)
            out += (i ? sep : "") + items[i];
        return Value(out);
    });
    defineFunction(in, "sort", 1, 1, [](const std::vector<Value>& a) { return sorted(a[0]); });
    in.defineBuiltin("format", format);
}

}  // namespace host::mel
