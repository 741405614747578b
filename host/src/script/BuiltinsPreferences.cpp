// optionVar: named preference values that outlive a scene and a script session. Its query
// flag takes the variable's name, which is why it reads its own arguments instead of going
// through a command syntax.
#include <cstdlib>
#include <map>
#include <set>

#include "../undo/UndoQueue.h"
#include "Builtins.h"

namespace host::mel {

namespace {

using Store = std::map<std::string, Value>;

Store& store() {
    static Store values;
    return values;
}

struct Request {
    std::string query, exists, arraySize;
    bool list = false;
    std::vector<std::string> removals;
    // The changes in the order given; each one edits the store.
    std::vector<std::function<void(Store&)>> changes;
    std::set<std::string> touched;  // every name removed or changed
};

Type arrayTypeOf(Type scalar) {
    return scalar == Type::Int     ? Type::IntArray
           : scalar == Type::Float ? Type::FloatArray
                                   : Type::StringArray;
}

// -iva/-fva/-sva: appends, making the array when missing; a scalar of the same kind becomes
// element 0 and a value of another kind is replaced.
void append(Store& s, const std::string& name, const Value& v) {
    const Type arrayType = arrayTypeOf(v.type());
    auto it = s.find(name);
    Value array = Value::defaultOf(arrayType);
    if (it != s.end() && it->second.type() == arrayType)
        array = it->second;
    else if (it != s.end() && it->second.type() == v.type())
        array.setElement(0, it->second);
    array.setElement(array.size(), v);
    s[name] = array;
}

void removeAt(Store& s, const std::string& name, int index) {
    auto it = s.find(name);
    if (it == s.end() || !it->second.isArray() || index < 0 ||
        static_cast<std::size_t>(index) >= it->second.size())
        return;
    Value kept = Value::defaultOf(it->second.type());
    for (std::size_t i = 0; i < it->second.size(); ++i)
        if (i != static_cast<std::size_t>(index))
            kept.setElement(kept.size(), it->second.element(i));
    it->second = kept;
}

struct ValueFlag {
    const char* shortName;
    const char* longName;
    char kind;  // 'i', 'f' or 's'
    bool append;
};

const ValueFlag* valueFlag(const std::string& flag) {
    static const ValueFlag flags[] = {
        {"-iv", "-intValue", 'i', false},         {"-fv", "-floatValue", 'f', false},
        {"-sv", "-stringValue", 's', false},      {"-iva", "-intValueAppend", 'i', true},
        {"-fva", "-floatValueAppend", 'f', true}, {"-sva", "-stringValueAppend", 's', true},
    };
    for (const ValueFlag& f : flags)
        if (flag == f.shortName || flag == f.longName)
            return &f;
    return nullptr;
}

bool isNumberText(const Value& v) {
    if (v.type() != Type::String)
        return !v.isArray() && v.type() != Type::Matrix && v.type() != Type::Vector;
    const std::string& t = v.str();
    char* end = nullptr;
    std::strtod(t.c_str(), &end);
    return !t.empty() && end == t.c_str() + t.size();
}

// Reads the flags into a request; a missing or mistyped argument is an error.
Request parse(const std::vector<Value>& args) {
    Request r;
    std::size_t i = 0;
    auto next = [&](const std::string& flag) -> const Value& {
        if (i + 1 >= args.size())
            throw BuiltinError{"Flag '" + flag + "' must be passed a string argument."};
        return args[++i];
    };
    auto number = [&](const std::string& flag, bool integer) {
        const Value& v = next(flag);
        if (!isNumberText(v))
            throw BuiltinError{"Flag '" + flag + "' must be passed " +
                               (integer ? "an integer" : "a float") + " argument."};
        return integer ? Value(v.asInt()) : Value(v.asFloat());
    };
    for (; i < args.size(); ++i) {
        const std::string flag = args[i].text();
        if (flag == "-q" || flag == "-query") {
            r.query = next(flag).text();
        } else if (flag == "-ex" || flag == "-exists") {
            r.exists = next(flag).text();
        } else if (flag == "-as" || flag == "-arraySize") {
            r.arraySize = next(flag).text();
        } else if (flag == "-l" || flag == "-list") {
            r.list = true;
        } else if (flag == "-rm" || flag == "-remove") {
            r.removals.push_back(next(flag).text());
            r.touched.insert(r.removals.back());
        } else if (flag == "-v" || flag == "-version") {
            number(flag, true);
        } else if (const ValueFlag* set = valueFlag(flag)) {
            const std::string name = next(flag).text();
            r.touched.insert(name);
            const Value v =
                set->kind == 's' ? Value(next(flag).text()) : number(flag, set->kind == 'i');
            if (set->append)
                r.changes.push_back([name, v](Store& s) { append(s, name, v); });
            else
                r.changes.push_back([name, v](Store& s) { s[name] = v; });
        } else if (flag == "-ca" || flag == "-clearArray") {
            const std::string name = next(flag).text();
            r.touched.insert(name);
            r.changes.push_back([name](Store& s) {
                auto it = s.find(name);
                if (it != s.end() && it->second.isArray())
                    it->second = Value::defaultOf(it->second.type());
            });
        } else if (flag == "-rfa" || flag == "-removeFromArray") {
            const std::string name = next(flag).text();
            r.touched.insert(name);
            const int index = number(flag, true).asInt();
            r.changes.push_back([name, index](Store& s) { removeAt(s, name, index); });
        } else {
            throw BuiltinError{"Invalid flag: " + flag};
        }
    }
    return r;
}

Store entries(const Store& s, const std::set<std::string>& names) {
    Store out;
    for (const std::string& name : names) {
        auto it = s.find(name);
        if (it != s.end())
            out.insert(*it);
    }
    return out;
}

// Gives the named variables the values kept; a name not kept did not exist.
void restore(const std::set<std::string>& names, const Store& kept) {
    Store& s = store();
    for (const std::string& name : names) {
        auto it = kept.find(name);
        if (it == kept.end())
            s.erase(name);
        else
            s[name] = it->second;
    }
}

bool optionVar(CommandCall& call, const std::vector<Value*>&) {
    Request r;
    try {
        r = parse(call.args);
    } catch (const BuiltinError& e) {
        Interpreter::instance().reportError(e.message);
        return false;
    }
    Store& s = store();
    if (!r.query.empty()) {
        // A variable that was never set reads as 0.
        auto it = s.find(r.query);
        call.result = it == s.end() ? Value(0) : it->second;
        call.hasResult = true;
        return true;
    }
    if (!r.exists.empty()) {
        call.result = Value(s.count(r.exists) > 0);
        call.hasResult = true;
        return true;
    }
    if (r.list) {
        std::vector<std::string> names;
        for (const auto& entry : s)
            names.push_back(entry.first);
        call.result = Value(std::move(names));
        call.hasResult = true;
        return true;
    }
    if (!r.arraySize.empty()) {
        auto it = s.find(r.arraySize);
        call.result = Value(it == s.end() ? 0 : it->second.isArray() ? it->second.size() : 1);
        call.hasResult = true;
        return true;
    }
    if (r.removals.empty() && r.changes.empty())
        return true;
    // Undo keeps only the variables this call touches, as they were and as they became.
    const Store before = entries(s, r.touched);
    for (const std::string& name : r.removals)
        s.erase(name);
    for (const auto& change : r.changes)
        change(s);
    const Store after = entries(s, r.touched);
    const std::set<std::string> touched = r.touched;
    undo::record(undo::makeEntry(
        "optionVar",
        [touched, before] {
            restore(touched, before);
            return true;
        },
        [touched, after] {
            restore(touched, after);
            return true;
        }));
    return true;
}

}  // namespace

void registerPreferenceBuiltins(Interpreter& in) {
    in.defineBuiltin("optionVar", optionVar);
}

}  // namespace host::mel
