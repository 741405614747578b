#include "files/AttributeTexts.h"

#include "graph/Data.h"
#include "graph/Node.h"
#include "graph/PlugAccess.h"
#include "graph/TypeNames.h"
#include "plugin/Args.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MPlug.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace host {
namespace files {

// ---------------------------------------------------------------- numbers

NumberKind numberKindOf(const Attribute& a) {
    switch (a.kind) {
        case Attribute::Kind::Unit:
            switch (a.unitType) {
                case MFnUnitAttribute::kDistance:
                    return NumberKind::kDistance;
                case MFnUnitAttribute::kAngle:
                    return NumberKind::kAngle;
                case MFnUnitAttribute::kTime:
                    return NumberKind::kTime;
                default:
                    return NumberKind::kDouble;
            }
        case Attribute::Kind::Numeric:
            switch (numericComponentType(a.numericType)) {
                case MFnNumericData::kFloat:
                    return NumberKind::kFloat;
                case MFnNumericData::kDouble:
                    return NumberKind::kDouble;
                default:
                    return NumberKind::kInteger;
            }
        case Attribute::Kind::Enum:
            return NumberKind::kInteger;
        default:
            return NumberKind::kDouble;
    }
}

namespace {

double toUi(double internal, NumberKind kind) {
    switch (kind) {
        case NumberKind::kDistance:
            return MDistance(internal, MDistance::kCentimeters).as(MDistance::uiUnit());
        case NumberKind::kAngle:
            return MAngle(internal, MAngle::kRadians).as(MAngle::uiUnit());
        case NumberKind::kTime:
            return MTime(internal, MTime::kSeconds).as(MTime::uiUnit());
        default:
            return internal;
    }
}

double fromUi(double shown, NumberKind kind) {
    switch (kind) {
        case NumberKind::kDistance:
            return MDistance(shown, MDistance::uiUnit()).asCentimeters();
        case NumberKind::kAngle:
            return MAngle(shown, MAngle::uiUnit()).asRadians();
        case NumberKind::kTime:
            return MTime(shown, MTime::uiUnit()).as(MTime::kSeconds);
        case NumberKind::kFloat:
            return static_cast<float>(shown);
        default:
            return shown;
    }
}

// As printf's "%.*g" writes it (to_chars is defined so), at a fraction of
// the cost: a saved scene writes each number up to 17 times over.
std::string gText(double value, int digits) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, end.ptr);
}

// The number the text stands for, as strtod reads it.
double parsed(const std::string& text) {
    double value = 0.0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    // Out of range, strtod gives the infinity or zero that from_chars does
    // not.
    return read.ec == std::errc() ? value : std::strtod(text.c_str(), nullptr);
}

// The significant digits of the shortest text that reads back as the value.
// No text of fewer digits reads back as it, so for a value written as it is
// the search for the fewest digits can start there.
int shortestDigits(double value) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    int digits = 0;
    for (const char* c = buffer; c != end.ptr && *c != 'e'; ++c)
        digits += std::isdigit(static_cast<unsigned char>(*c)) ? 1 : 0;
    return std::max(1, std::min(digits, 17));
}

}  // namespace

std::string numberText(double internal, NumberKind kind) {
    if (kind == NumberKind::kInteger)
        return std::to_string(static_cast<long long>(internal));
    if (internal == 0.0)
        return "0";
    const double target = kind == NumberKind::kFloat ? static_cast<float>(internal) : internal;
    const double shown = toUi(target, kind);
    // The fewest digits that convert back to the very value stored: a
    // rotation typed as 45 degrees is written as 45, not as the 17 digits
    // its radians would need in degrees.
    int digits = kind == NumberKind::kDouble ? shortestDigits(shown) : 1;
    while (digits < 17 && fromUi(parsed(gText(shown, digits)), kind) != target)
        ++digits;
    // %g turns to an exponent once the digits run out before the point;
    // whole numbers up to 17 digits are written out in full instead.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(shown))));
    if (exponent >= digits && exponent < 17)
        digits = exponent + 1;
    return gText(shown, digits);
}

namespace {

// ---------------------------------------------------------------- values

bool isNumberLeaf(const Attribute& a) {
    if (!a.isLeaf())
        return false;
    switch (a.kind) {
        case Attribute::Kind::Unit:
        case Attribute::Kind::Enum:
            return true;
        case Attribute::Kind::Numeric:
            return numericComponentCount(a.numericType) == 1;
        default:
            return false;
    }
}

bool isNumericCompound(const Attribute& a) {
    if (a.kind != Attribute::Kind::Numeric || a.children.empty())
        return false;
    return std::all_of(a.children.begin(), a.children.end(),
                       [](const AttributePtr& c) { return isNumberLeaf(*c); });
}

bool isNumber(const Value& v) {
    return std::holds_alternative<bool>(v) || std::holds_alternative<long>(v) ||
           std::holds_alternative<double>(v);
}

bool isDefaultValue(const Attribute& a, const Value& v) {
    if (std::holds_alternative<std::monostate>(v))
        return true;
    const Value& d = a.defaultValue;
    if (isNumber(v) && isNumber(d))
        return valueAsDouble(v) == valueAsDouble(d);
    if (!std::holds_alternative<std::monostate>(d))
        return valuesEqual(v, d);
    // No default: the empty value of the attribute's kind.
    if (auto* s = std::get_if<std::string>(&v))
        return s->empty();
    if (auto* data = std::get_if<std::shared_ptr<Data>>(&v)) {
        if (!*data)
            return true;
        auto empty = makeData((*data)->dataType());
        if (auto* sd = dynamic_cast<StringData*>(data->get()))
            return sd->value.length() == 0;
        return empty && empty->equals(**data);
    }
    return isNumber(v) && valueAsDouble(v) == 0.0;
}

NumberKind componentKind(MFnNumericData::Type type) {
    switch (numericComponentType(type)) {
        case MFnNumericData::kFloat:
            return NumberKind::kFloat;
        case MFnNumericData::kDouble:
            return NumberKind::kDouble;
        default:
            return NumberKind::kInteger;
    }
}

std::string typeFlag(const char* name) {
    return std::string("-type \"") + name + "\" ";
}

template <class Array, class Each>
std::string arrayText(const char* type, const Array& array, Each each) {
    std::string text = typeFlag(type) + std::to_string(array.length());
    for (unsigned i = 0; i < array.length(); ++i)
        text += " " + each(array[i]);
    return text + " ";
}

std::string real(double v) {
    return numberText(v, NumberKind::kDouble);
}

// What follows the plug name for a data value ("" when the kind has no
// text form). Arrays and numeric triples end in a blank before the
// semicolon, as the host writes them.
std::string dataText(const Data& data) {
    if (auto* s = dynamic_cast<const StringData*>(&data))
        return typeFlag("string") + plugin::quoted(s->value.asChar());
    if (auto* x = dynamic_cast<const XformMatrixData*>(&data); x && x->holdsParts()) {
        std::string text = typeFlag("matrix") + "\"xform\"";
        for (unsigned i = 0; i + 1 < XformMatrixData::kFields; ++i)
            text += " " + real(x->fields[i]);
        return text + (x->fields.back() != 0.0 ? " yes" : " no");
    }
    if (auto* m = dynamic_cast<const MatrixData*>(&data)) {
        std::string text = typeFlag("matrix");
        for (unsigned r = 0; r < 4; ++r)
            for (unsigned c = 0; c < 4; ++c)
                text += (r || c ? " " : "") + real(m->value(r, c));
        return text;
    }
    if (auto* n = dynamic_cast<const NumericData*>(&data)) {
        const char* name = typeNameFor(n->numericType, kWrittenName);
        if (!name || n->count() < 2)
            return "";
        std::string text = typeFlag(name);
        for (unsigned i = 0; i < n->count(); ++i)
            text += numberText(n->values[i], componentKind(n->numericType)) + " ";
        return text;
    }
    if (auto* a = dynamic_cast<const StringArrayData*>(&data))
        return arrayText("stringArray", a->value,
                         [](const MString& s) { return plugin::quoted(s.asChar()); });
    if (auto* a = dynamic_cast<const DoubleArrayData*>(&data))
        return arrayText("doubleArray", a->value, real);
    if (auto* a = dynamic_cast<const IntArrayData*>(&data))
        return arrayText("Int32Array", a->value, [](int v) { return std::to_string(v); });
    if (auto* a = dynamic_cast<const VectorArrayData*>(&data))
        return arrayText("vectorArray", a->value, [](const MVector& v) {
            return real(v.x) + " " + real(v.y) + " " + real(v.z);
        });
    if (auto* a = dynamic_cast<const PointArrayData*>(&data))
        return arrayText("pointArray", a->value, [](const MPoint& p) {
            return real(p.x) + " " + real(p.y) + " " + real(p.z) + " " + real(p.w);
        });
    return "";
}

std::string numberValueText(const Attribute& a, const Value& v) {
    if (a.kind == Attribute::Kind::Numeric && a.numericType == MFnNumericData::kBoolean)
        return valueAsDouble(v) != 0.0 ? "yes" : "no";
    return numberText(valueAsDouble(v), numberKindOf(a));
}

// The value part of a leaf's text, or "" when the value has no text form.
std::string leafValueText(const Attribute& a, const Value& v) {
    if (isNumberLeaf(a))
        return numberValueText(a, v);
    if (auto* s = std::get_if<std::string>(&v))
        return typeFlag("string") + plugin::quoted(*s);
    if (auto* d = std::get_if<std::shared_ptr<Data>>(&v))
        return *d ? dataText(**d) : "";
    if (isNumber(v))
        return real(valueAsDouble(v));
    // Nothing stored and no default: the empty value of a typed attribute.
    if (a.kind == Attribute::Kind::Typed)
        if (auto empty = makeData(a.dataType))
            return dataText(*empty);
    if (a.kind == Attribute::Kind::Matrix)
        return dataText(MatrixData());
    return "";
}

// ---------------------------------------------------------------- plugs

class SetAttrWriter {
public:
    SetAttrWriter(Node& node, const SetAttrOptions& options) : m_node(node), m_options(options) {}

    void walk(const PlugPath& path, const std::string& name) {
        const Attribute& a = *path.attribute;
        if (m_options.onlyNonDefault && !(a.storable && a.writable && !a.computed))
            return;
        if (a.array && path.indices.size() + 1 == a.arrayChain().size()) {
            walkArray(path, name);
        } else if (isNumericCompound(a)) {
            walkNumericCompound(path, name);
        } else if (a.isCompound()) {
            for (const AttributePtr& child : a.children)
                walk(PlugPath{child.get(), path.indices}, name + "." + childName(*child));
            flagsOnly(path, name);
        } else {
            const Value v = read(path);
            emit(path, name, keep(a, v) ? leafValueText(a, v) : "");
        }
    }

    std::vector<std::string> texts;

private:
    std::string childName(const Attribute& a) const {
        return m_options.longNames || a.shortName.empty() ? a.longName : a.shortName;
    }

    // The current value for every value, the stored one for a file, which
    // must not run any computation and keeps what lies under connections.
    Value read(const PlugPath& path) const {
        if (!m_options.onlyNonDefault)
            return evaluate(PlugRef{&m_node, path});
        if (const PlugValue* pv = m_node.stored(path))
            if (!std::holds_alternative<std::monostate>(pv->value))
                return pv->value;
        return path.attribute->defaultValue;
    }

    bool keep(const Attribute& a, const Value& v) const {
        return !m_options.onlyNonDefault || !isDefaultValue(a, v);
    }

    std::string flags(const PlugPath& path) const {
        std::string text;
        if (m_node.lockedPlugs.count(path))
            text += " -l on";
        if (m_node.keyablePlugs.count(path))
            text += " -k on";
        if (m_node.nonKeyablePlugs.count(path))
            text += " -k off";
        return text;
    }

    void emit(const PlugPath& path, const std::string& name, const std::string& value,
              const std::string& size = "") {
        const std::string own = flags(path);
        if (value.empty() && own.empty() && size.empty())
            return;
        texts.push_back("setAttr" + size + own + " \"" + name + "\"" + (value.empty() ? "" : " ") +
                        value + ";");
    }
    void flagsOnly(const PlugPath& path, const std::string& name) { emit(path, name, ""); }

    void walkNumericCompound(const PlugPath& path, const std::string& name) {
        const Attribute& a = *path.attribute;
        std::string value;
        bool changed = !m_options.onlyNonDefault;
        for (const AttributePtr& child : a.children) {
            const Value v = read(PlugPath{child.get(), path.indices});
            changed = changed || keep(*child, v);
            value += numberValueText(*child, v) + " ";
        }
        const char* type = typeNameFor(a.numericType, kWrittenName);
        emit(path, name, changed && type ? typeFlag(type) + value : "");
        for (const AttributePtr& child : a.children)
            flagsOnly(PlugPath{child.get(), path.indices}, name + "." + childName(*child));
    }

    void walkArray(const PlugPath& path, const std::string& name) {
        std::vector<unsigned> indices;
        for (unsigned i : m_node.elementIndices(path)) {
            PlugPath element = path;
            element.indices.push_back(i);
            // A file keeps the elements that hold something; those that
            // exist through a connection alone come back with it.
            const PlugValue* pv = m_node.stored(element);
            if (!m_options.onlyNonDefault || (pv && !pv->empty()))
                indices.push_back(i);
        }
        const Attribute& a = *path.attribute;
        auto elementPath = [&](unsigned i) {
            PlugPath element = path;
            element.indices.push_back(i);
            return element;
        };
        if (isNumberLeaf(a)) {
            // Runs of consecutive indices share one text; the first one
            // carries the element count.
            for (size_t start = 0; start < indices.size();) {
                size_t end = start;
                while (end + 1 < indices.size() && indices[end + 1] == indices[end] + 1)
                    ++end;
                std::string range = "[" + std::to_string(indices[start]) +
                                    (end > start ? ":" + std::to_string(indices[end]) : "") + "]";
                std::string values;
                for (size_t k = start; k <= end; ++k)
                    values +=
                        (k > start ? " " : "") + numberValueText(a, read(elementPath(indices[k])));
                texts.push_back("setAttr" +
                                (start == 0 ? " -s " + std::to_string(indices.size()) : "") +
                                " \"" + name + range + "\" " + values + ";");
                start = end + 1;
            }
            for (unsigned i : indices)
                flagsOnly(elementPath(i), name + "[" + std::to_string(i) + "]");
        } else {
            for (unsigned i : indices)
                walk(elementPath(i), name + "[" + std::to_string(i) + "]");
        }
        flagsOnly(path, name);
    }

    Node& m_node;
    const SetAttrOptions& m_options;
};

}  // namespace

std::vector<std::string> setAttrTexts(const PlugRef& plug, const SetAttrOptions& options) {
    if (!plug.node || !plug.path.attribute)
        return {};
    // The plug's own name as MPlug::partialName gives it, every index shown,
    // so that callers can find it again in the texts.
    MPlug mplug = PlugAccess::make(plug);
    std::string name =
        "." + std::string(
                  mplug.partialName(false, true, false, false, false, options.longNames).asChar());
    SetAttrWriter writer(*plug.node, options);
    writer.walk(plug.path, name);
    return writer.texts;
}

// ---------------------------------------------------------------- addAttr

namespace {

struct Flag {
    const char* shortName;
    const char* longName;
};

class AddAttrText {
public:
    explicit AddAttrText(bool longFlags) : m_long(longFlags) {}

    void flag(const Flag& f) { m_text += std::string(" -") + (m_long ? f.longName : f.shortName); }
    void flag(const Flag& f, const std::string& value) {
        flag(f);
        m_text += " " + value;
    }
    void name(const Flag& f, const std::string& value) { flag(f, plugin::quoted(value)); }
    std::string text() const { return "addAttr" + m_text + ";"; }

private:
    bool m_long;
    std::string m_text;
};

// "a:b:c", with "=n" behind a field whose index does not follow on from
// the one before.
std::string enumText(const Attribute& a) {
    std::string text;
    int expected = 0;
    for (const auto& field : a.enumFields) {
        if (!text.empty())
            text += ":";
        text += field.first;
        if (field.second != expected)
            text += "=" + std::to_string(field.second);
        expected = field.second + 1;
    }
    return text;
}

const Flag kCached{"ci", "cachedInternally"}, kHidden{"h", "hidden"}, kKeyable{"k", "keyable"},
    kReadable{"r", "readable"}, kWritable{"w", "writable"}, kStorable{"s", "storable"},
    kInternal{"is", "internalSet"}, kMulti{"m", "multi"}, kIndexMatters{"im", "indexMatters"},
    kShort{"sn", "shortName"}, kLong{"ln", "longName"}, kColor{"uac", "usedAsColor"},
    kMin{"min", "minValue"}, kMax{"max", "maxValue"}, kSoftMin{"smn", "softMinValue"},
    kSoftMax{"smx", "softMaxValue"}, kDefault{"dv", "defaultValue"}, kEnum{"en", "enumName"},
    kAttributeType{"at", "attributeType"}, kDataType{"dt", "dataType"},
    kChildren{"nc", "numberOfChildren"}, kParent{"p", "parent"};

}  // namespace

std::string addAttrText(const Attribute& a, bool longFlags) {
    AddAttrText t(longFlags);
    t.flag(kCached, a.cached ? "true" : "false");
    if (a.hidden)
        t.flag(kHidden, "true");
    if (a.keyable)
        t.flag(kKeyable, "true");
    if (!a.readable)
        t.flag(kReadable, "false");
    if (!a.writable)
        t.flag(kWritable, "false");
    if (!a.storable)
        t.flag(kStorable, "false");
    if (a.internal)
        t.flag(kInternal, "true");
    if (a.array)
        t.flag(kMulti);
    if (a.array && !a.indexMatters)
        t.flag(kIndexMatters, "false");
    t.name(kShort, a.shortName.empty() ? a.longName : a.shortName);
    t.name(kLong, a.longName);
    if (a.usedAsColor)
        t.flag(kColor);

    if (isNumberLeaf(a)) {
        const NumberKind kind = numberKindOf(a);
        auto limit = [&](const Flag& f, const std::optional<double>& v) {
            if (v)
                t.flag(f, numberText(*v, kind));
        };
        std::optional<double> low = a.minValue, high = a.maxValue;
        // An enum's range is that of its fields, as the host writes it.
        for (const auto& field : a.enumFields) {
            if (!a.minValue)
                low = std::min(low.value_or(field.second), double(field.second));
            if (!a.maxValue)
                high = std::max(high.value_or(field.second), double(field.second));
        }
        limit(kMin, low);
        limit(kMax, high);
        limit(kSoftMin, a.softMinValue);
        limit(kSoftMax, a.softMaxValue);
        const double initial = valueAsDouble(a.defaultValue);
        if (initial != 0.0)
            t.flag(kDefault, numberText(initial, kind));
    }
    switch (a.kind) {
        case Attribute::Kind::Numeric: {
            const char* type = typeNameFor(a.numericType, kWrittenName);
            t.name(kAttributeType, type ? type : "double");
            break;
        }
        case Attribute::Kind::Unit: {
            const char* type = typeNameFor(a.unitType, kWrittenName);
            t.name(kAttributeType, type ? type : "double");
            break;
        }
        case Attribute::Kind::Enum:
            if (!a.enumFields.empty())
                t.name(kEnum, enumText(a));
            t.name(kAttributeType, "enum");
            break;
        case Attribute::Kind::Typed: {
            const char* type = typeNameFor(a.dataType, kWrittenName);
            if (type)
                t.name(kDataType, type);
            break;
        }
        case Attribute::Kind::Compound:
            t.name(kAttributeType, "compound");
            break;
        case Attribute::Kind::Message:
            t.name(kAttributeType, "message");
            break;
        case Attribute::Kind::Generic:
            t.name(kAttributeType, "generic");
            break;
        case Attribute::Kind::Matrix:
            t.name(kAttributeType, a.floatMatrix ? "fltMatrix" : "matrix");
            break;
    }
    if (a.isCompound())
        t.flag(kChildren, std::to_string(a.children.size()));
    if (a.parent)
        t.name(kParent, a.parent->longName);
    return t.text();
}

std::vector<std::string> addAttrTexts(const Attribute& a, bool longFlags) {
    std::vector<std::string> texts{addAttrText(a, longFlags)};
    for (const AttributePtr& child : a.children)
        for (std::string& text : addAttrTexts(*child, longFlags))
            texts.push_back(std::move(text));
    return texts;
}

}  // namespace files
}  // namespace host

// ---------------------------------------------------------------- API

MStatus MPlug::getSetAttrCmds(MStringArray& cmds, MValueSelector valueSelector, bool useLongNames) {
    cmds.clear();
    host::PlugRef ref = host::PlugAccess::ref(*this);
    if (!ref.node || !ref.path.attribute)
        return MS::kFailure;
    if (valueSelector != kAll && valueSelector != kNonDefault && valueSelector != kChanged)
        return MS::kInvalidParameter;
    host::files::SetAttrOptions options;
    // Nothing records changes apart from the values themselves, so what
    // changed is what differs from the default.
    options.onlyNonDefault = valueSelector != kAll;
    options.longNames = useLongNames;
    for (const std::string& text : host::files::setAttrTexts(ref, options))
        cmds.append(text.c_str());
    return MS::kSuccess;
}

MString MFnAttribute::getAddAttrCmd(bool useLongName, MStatus* ReturnStatus) const {
    host::Attribute* a = host::attributeOf(m_object);
    if (ReturnStatus)
        *ReturnStatus = a ? MS::kSuccess : MS::kFailure;
    return a ? MString(host::files::addAttrText(*a, useLongName).c_str()) : MString();
}

MStatus MFnCompoundAttribute::getAddAttrCmds(MStringArray& cmds, bool useLongNames) const {
    host::Attribute* a = host::attributeOf(m_object);
    if (!a || !a->isCompound())
        return MS::kFailure;
    cmds.clear();
    for (const std::string& text : host::files::addAttrTexts(*a, useLongNames))
        cmds.append(text.c_str());
    return MS::kSuccess;
}
