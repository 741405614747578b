#include "commands/Values.h"

#include "foundation/Numbers.h"
#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/TypeNames.h"
#include "plugin/Args.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include <cmath>
#include <limits>

namespace host {
namespace commands {

double toUi(const Attribute& a, double internal) {
    if (a.kind != Attribute::Kind::Unit)
        return internal;
    switch (a.unitType) {
        case MFnUnitAttribute::kDistance:
            return MDistance::internalToUI(internal);
        case MFnUnitAttribute::kAngle:
            return MAngle::internalToUI(internal);
        case MFnUnitAttribute::kTime:
            return MTime(internal, MTime::kSeconds).as(MTime::uiUnit());
        default:
            return internal;
    }
}

double fromUi(const Attribute& a, double ui) {
    if (a.kind != Attribute::Kind::Unit)
        return ui;
    switch (a.unitType) {
        case MFnUnitAttribute::kDistance:
            return MDistance::uiToInternal(ui);
        case MFnUnitAttribute::kAngle:
            return MAngle::uiToInternal(ui);
        case MFnUnitAttribute::kTime:
            return MTime(ui, MTime::uiUnit()).as(MTime::kSeconds);
        default:
            return ui;
    }
}

Value numberValue(const Attribute& a, double number) {
    if (a.kind == Attribute::Kind::Numeric) {
        switch (a.numericType) {
            case MFnNumericData::kBoolean:
                return number != 0.0;
            case MFnNumericData::kFloat:
                return static_cast<double>(static_cast<float>(number));
            case MFnNumericData::kDouble:
                return number;
            default:
                return static_cast<long>(foundation::truncToInt(number));
        }
    }
    if (a.kind == Attribute::Kind::Enum)
        return static_cast<long>(foundation::truncToInt(number));
    return fromUi(a, number);
}

bool isNumericLeaf(const Attribute& a) {
    if (!a.isLeaf())
        return false;
    if (a.kind == Attribute::Kind::Numeric)
        return numericComponentCount(a.numericType) == 1 && a.numericType != MFnNumericData::kAddr;
    return a.kind == Attribute::Kind::Unit || a.kind == Attribute::Kind::Enum;
}

bool numericLeaves(const PlugRef& plug, std::vector<PlugRef>& leaves) {
    const Attribute& a = *plug.path.attribute;
    if (a.isLeaf()) {
        if (!isNumericLeaf(a))
            return false;
        leaves.push_back(plug);
        return true;
    }
    for (const auto& child : a.children) {
        if (child->array)
            return false;
        PlugRef c{plug.node, PlugPath{child.get(), plug.path.indices}};
        if (!numericLeaves(c, leaves))
            return false;
    }
    return !a.children.empty();
}

namespace {

const char* orElse(const char* name, const char* fallback) {
    return name ? name : fallback;
}

}  // namespace

std::string typeName(const Attribute& a) {
    switch (a.kind) {
        case Attribute::Kind::Numeric:
            return orElse(typeNameFor(a.numericType, kQueriedName), "numeric");
        case Attribute::Kind::Unit:
            return orElse(typeNameFor(a.unitType, kQueriedName), "double");
        case Attribute::Kind::Enum:
            return "enum";
        case Attribute::Kind::Typed:
            return orElse(typeNameFor(a.dataType, kQueriedName), "data");
        case Attribute::Kind::Compound:
            return "TdataCompound";
        case Attribute::Kind::Message:
            return "message";
        case Attribute::Kind::Generic:
            return "generic";
        case Attribute::Kind::Matrix:
            return a.floatMatrix ? "fltMatrix" : "matrix";
    }
    return "unknown";
}

// ---------------------------------------------------------------- reading

namespace {

double leafNumber(const PlugRef& leaf) {
    return toUi(*leaf.path.attribute, valueAsDouble(evaluate(leaf)));
}

mel::Value leafForScript(const PlugRef& leaf, bool enumAsString) {
    const Attribute& a = *leaf.path.attribute;
    Value v = evaluate(leaf);
    if (a.kind == Attribute::Kind::Enum && enumAsString) {
        long n = valueAsLong(v);
        for (const auto& field : a.enumFields)
            if (field.second == n)
                return mel::Value(field.first);
        return mel::Value(std::string());
    }
    bool whole = a.kind == Attribute::Kind::Enum ||
                 (a.kind == Attribute::Kind::Numeric && a.numericType != MFnNumericData::kFloat &&
                  a.numericType != MFnNumericData::kDouble);
    if (whole)
        return mel::Value(static_cast<int>(valueAsLong(v)));
    return mel::Value(toUi(a, valueAsDouble(v)));
}

std::vector<double> flatten(const MMatrix& m) {
    std::vector<double> out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.push_back(m(r, c));
    return out;
}

bool dataForScript(const Data* data, mel::Value& result, std::string& problem) {
    if (auto* s = dynamic_cast<const StringData*>(data)) {
        result = mel::Value(std::string(s->value.asChar()));
    } else if (auto* m = dynamic_cast<const MatrixData*>(data)) {
        result = mel::Value(flatten(m->value));
    } else if (auto* sa = dynamic_cast<const StringArrayData*>(data)) {
        std::vector<std::string> out;
        for (unsigned i = 0; i < sa->value.length(); ++i)
            out.emplace_back(sa->value[i].asChar());
        result = mel::Value(out);
    } else if (auto* da = dynamic_cast<const DoubleArrayData*>(data)) {
        std::vector<double> out;
        for (unsigned i = 0; i < da->value.length(); ++i)
            out.push_back(da->value[i]);
        result = mel::Value(out);
    } else if (auto* ia = dynamic_cast<const IntArrayData*>(data)) {
        std::vector<int> out;
        for (unsigned i = 0; i < ia->value.length(); ++i)
            out.push_back(ia->value[i]);
        result = mel::Value(out);
    } else if (auto* va = dynamic_cast<const VectorArrayData*>(data)) {
        std::vector<double> out;
        for (unsigned i = 0; i < va->value.length(); ++i)
            for (int k = 0; k < 3; ++k)
                out.push_back(va->value[i][k]);
        result = mel::Value(out);
    } else if (auto* pa = dynamic_cast<const PointArrayData*>(data)) {
        std::vector<double> out;
        for (unsigned i = 0; i < pa->value.length(); ++i)
            for (int k = 0; k < 4; ++k)
                out.push_back(pa->value[i][k]);
        result = mel::Value(out);
    } else if (auto* n = dynamic_cast<const NumericData*>(data)) {
        result = mel::Value(std::vector<double>(n->values.begin(), n->values.begin() + n->count()));
    } else {
        problem = "The data type of this attribute is not supported.";
        return false;
    }
    return true;
}

}  // namespace

bool readForScript(const PlugRef& plug, bool enumAsString, mel::Value& result,
                   std::string& problem) {
    const Attribute& a = *plug.path.attribute;
    if (a.kind == Attribute::Kind::Message) {
        problem = "Message attributes have no data values.";
        return false;
    }
    if (!isResolved(plug.path)) {
        // A per-instance attribute stands for its first instance; another
        // array for all its elements.
        PlugRef first = plug;
        if (a.worldSpace) {
            first.path.indices.push_back(0);
            return readForScript(first, enumAsString, result, problem);
        }
        std::vector<double> numbers;
        for (unsigned index : plug.node->elementIndices(plug.path)) {
            PlugRef element = plug;
            element.path.indices.push_back(index);
            std::vector<PlugRef> leaves;
            if (!numericLeaves(element, leaves)) {
                problem = "The data of this multi-attribute cannot be shown as numbers.";
                return false;
            }
            for (const PlugRef& leaf : leaves)
                numbers.push_back(leafNumber(leaf));
        }
        result = mel::Value(numbers);
        return true;
    }
    if (a.isCompound()) {
        std::vector<PlugRef> leaves;
        if (!numericLeaves(plug, leaves)) {
            problem = "Cannot get the value of a compound attribute with non-numeric children.";
            return false;
        }
        std::vector<double> numbers;
        for (const PlugRef& leaf : leaves)
            numbers.push_back(leafNumber(leaf));
        result = mel::Value(numbers);
        return true;
    }
    if (isNumericLeaf(a)) {
        result = leafForScript(plug, enumAsString);
        return true;
    }
    Value v = evaluate(plug);
    if (auto* s = std::get_if<std::string>(&v)) {
        result = mel::Value(*s);
        return true;
    }
    if (auto* d = std::get_if<std::shared_ptr<Data>>(&v); d && *d)
        return dataForScript(d->get(), result, problem);
    // Nothing stored and no default: the empty value of the kind.
    std::shared_ptr<Data> empty =
        makeData(a.kind == Attribute::Kind::Matrix ? MFnData::kMatrix : a.dataType);
    if (a.kind == Attribute::Kind::Typed && a.dataType == MFnData::kString) {
        result = mel::Value(std::string());
        return true;
    }
    if (empty)
        return dataForScript(empty.get(), result, problem);
    problem = "The data type of this attribute is not supported.";
    return false;
}

void setCommandResult(const mel::Value& value) {
    switch (value.type()) {
        case mel::Type::Int:
            MPxCommand::setResult(value.asInt());
            break;
        case mel::Type::Float:
            MPxCommand::setResult(value.asFloat());
            break;
        case mel::Type::IntArray: {
            MIntArray out;
            for (int v : value.intArray())
                out.append(v);
            MPxCommand::setResult(out);
            break;
        }
        case mel::Type::FloatArray: {
            MDoubleArray out;
            for (double v : value.floatArray())
                out.append(v);
            MPxCommand::setResult(out);
            break;
        }
        case mel::Type::StringArray: {
            MStringArray out;
            for (const std::string& v : value.stringArray())
                out.append(MString(v.c_str()));
            MPxCommand::setResult(out);
            break;
        }
        default:
            MPxCommand::setResult(MString(value.text().c_str()));
            break;
    }
}

// ---------------------------------------------------------------- writing

namespace {

struct Reader {
    ValueWords& words;
    std::string& problem;

    bool more(size_t count) {
        if (words.next + count <= words.words.size())
            return true;
        problem = "Not enough data was provided.";
        return false;
    }
    bool number(double& out) {
        if (!more(1))
            return false;
        const std::string& word = words.words[words.next];
        bool b = false;
        if (!plugin::readDouble(mel::Value(word), out)) {
            if (!plugin::readBool(mel::Value(word), b)) {
                problem = "Error reading data element number " + std::to_string(words.next + 1) +
                          ": " + word;
                return false;
            }
            out = b ? 1.0 : 0.0;
        }
        ++words.next;
        return true;
    }
    bool count(unsigned& out) {
        double d = 0;
        if (!number(d))
            return false;
        // Tested in doubles first: a count too big for an unsigned (or not a
        // number) must be refused, not converted.
        if (!(d >= 0 && d <= static_cast<double>(std::numeric_limits<unsigned>::max())) ||
            d != std::floor(d)) {
            problem = "Error reading data element number " + std::to_string(words.next - 1) + ": " +
                      words.words[words.next - 1];
            return false;
        }
        out = static_cast<unsigned>(d);
        return true;
    }
    bool text(std::string& out) {
        if (!more(1))
            return false;
        out = words.words[words.next++];
        return true;
    }
};

// An enumeration also takes one of its field names.
bool enumNumber(const Attribute& a, Reader& in, double& out) {
    if (in.words.left())
        for (const auto& field : a.enumFields)
            if (field.first == in.words.words[in.words.next]) {
                ++in.words.next;
                out = field.second;
                return true;
            }
    return in.number(out);
}

bool readData(const Attribute& a, const std::string& type, Reader& in, Value& out) {
    if (type == "string") {
        std::string s;
        if (!in.text(s))
            return false;
        out = s;
        return true;
    }
    if (type == "matrix" && in.words.left() && in.words.words[in.words.next] == "xform") {
        ++in.words.next;
        XformMatrixData::Fields parts{};
        for (double& part : parts)
            if (!in.number(part))
                return false;
        out = std::shared_ptr<Data>(std::make_shared<XformMatrixData>(parts));
        return true;
    }
    if (type == "matrix") {
        MMatrix m;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                if (!in.number(m[r][c]))
                    return false;
        out = std::shared_ptr<Data>(std::make_shared<MatrixData>(m));
        return true;
    }
    unsigned n = 0;
    if (type == "stringArray") {
        auto data = std::make_shared<StringArrayData>();
        if (!in.count(n))
            return false;
        for (unsigned i = 0; i < n; ++i) {
            std::string s;
            if (!in.text(s))
                return false;
            data->value.append(MString(s.c_str()));
        }
        out = std::shared_ptr<Data>(data);
        return true;
    }
    if (type == "doubleArray" || type == "Int32Array") {
        auto doubles = std::make_shared<DoubleArrayData>();
        auto ints = std::make_shared<IntArrayData>();
        if (!in.count(n))
            return false;
        for (unsigned i = 0; i < n; ++i) {
            double d = 0;
            if (!in.number(d))
                return false;
            doubles->value.append(d);
            ints->value.append(foundation::truncToInt(d));
        }
        out = type == "doubleArray" ? std::shared_ptr<Data>(doubles) : std::shared_ptr<Data>(ints);
        return true;
    }
    if (type == "vectorArray" || type == "pointArray") {
        if (!in.count(n))
            return false;
        bool points = type == "pointArray";
        // Points come as x y z w; three numbers each are taken as x y z.
        size_t remaining = in.words.words.size() - in.words.next;
        unsigned width = points && remaining != 3u * n ? 4 : 3;
        auto vectors = std::make_shared<VectorArrayData>();
        auto pointData = std::make_shared<PointArrayData>();
        for (unsigned i = 0; i < n; ++i) {
            double v[4] = {0, 0, 0, 1};
            for (unsigned k = 0; k < width; ++k)
                if (!in.number(v[k]))
                    return false;
            vectors->value.append(MVector(v[0], v[1], v[2]));
            pointData->value.append(MPoint(v[0], v[1], v[2], v[3]));
        }
        out = points ? std::shared_ptr<Data>(pointData) : std::shared_ptr<Data>(vectors);
        return true;
    }
    (void)a;
    in.problem = "Data type '" + type + "' cannot be set with setAttr.";
    return false;
}

}  // namespace

bool readAssignment(const PlugRef& plug, ValueWords& words, std::vector<Assignment>& out,
                    std::string& problem) {
    Reader in{words, problem};
    const Attribute& a = *plug.path.attribute;
    if (a.kind == Attribute::Kind::Message) {
        problem = "Message attributes have no data values.";
        return false;
    }
    std::vector<PlugRef> leaves;
    if (isResolved(plug.path) && numericLeaves(plug, leaves)) {
        for (const PlugRef& leaf : leaves) {
            const Attribute& la = *leaf.path.attribute;
            double d = 0;
            bool ok = la.kind == Attribute::Kind::Enum ? enumNumber(la, in, d) : in.number(d);
            if (!ok)
                return false;
            out.push_back({leaf, numberValue(la, d)});
        }
        return true;
    }
    if (!isResolved(plug.path)) {
        problem = "Cannot set the value of the multi-attribute itself; give an element index.";
        return false;
    }
    if (a.kind == Attribute::Kind::Numeric && a.isLeaf()) {
        // Two to four numbers kept as one value.
        auto data = std::make_shared<NumericData>(a.numericType);
        for (unsigned k = 0; k < data->count(); ++k)
            if (!in.number(data->values[k]))
                return false;
        out.push_back({plug, std::shared_ptr<Data>(data)});
        return true;
    }
    std::string type = words.type;
    if (a.kind == Attribute::Kind::Matrix)
        type = "matrix";
    if (a.kind == Attribute::Kind::Typed && a.dataType != MFnData::kInvalid) {
        std::string own = typeName(a);
        if (!type.empty() && type != own) {
            problem = "Type mismatch: the attribute holds " + own + " data, not " + type + ".";
            return false;
        }
        type = own;
    }
    if (type.empty()) {
        problem = "The data type must be given with -type.";
        return false;
    }
    Value v;
    if (!readData(a, type, in, v))
        return false;
    out.push_back({plug, v});
    return true;
}

}  // namespace commands
}  // namespace host
