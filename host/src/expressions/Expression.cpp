#include "expressions/Expression.h"

#include "animation/Time.h"
#include "graph/AttributeBuilder.h"
#include "graph/Data.h"
#include "graph/Node.h"
#include "graph/NodeType.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "script/Interpreter.h"

#include <maya/MFnNumericData.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace host {
namespace expressions {

namespace {

struct ExpressionAttributes {
    Attribute* text = nullptr;    // internalExpression (ixp)
    Attribute* time = nullptr;    // time (tim)
    Attribute* input = nullptr;   // input[] (in)
    Attribute* output = nullptr;  // output[] (out)
    Attribute* always = nullptr;  // alwaysEvaluate (ae)
};

ExpressionAttributes& attributes() {
    static ExpressionAttributes a;
    return a;
}

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return std::string("(") + text + ")";
}

// The text as MEL: .I[n] becomes the input's value, .O[n] the variable
// $__out<n>, and the words frame and time the current frame and seconds.
std::string asMel(const std::string& text, const std::vector<double>& inputs) {
    const MTime now = animation::clockTime();
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            const size_t end = stringEnd(text, i);
            out += text.substr(i, end - i);
            i = end;
            continue;
        }
        if (c == '.' && i + 2 < text.size() && (text[i + 1] == 'I' || text[i + 1] == 'O') &&
            text[i + 2] == '[') {
            const size_t close = text.find(']', i);
            if (close != std::string::npos) {
                const unsigned index =
                    static_cast<unsigned>(std::strtoul(text.c_str() + i + 3, nullptr, 10));
                out += text[i + 1] == 'O' ? "$__out" + std::to_string(index)
                                          : number(index < inputs.size() ? inputs[index] : 0.0);
                i = close + 1;
                continue;
            }
        }
        if (isWordChar(c) && (i == 0 || (!isWordChar(text[i - 1]) && text[i - 1] != '$'))) {
            size_t end = i;
            while (end < text.size() && isWordChar(text[end]))
                ++end;
            const std::string word = text.substr(i, end - i);
            if (word == "frame")
                out += number(now.as(MTime::uiUnit()));
            else if (word == "time")
                out += number(now.as(MTime::kSeconds));
            else
                out += word;
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

std::vector<unsigned> outputIndices(const std::string& text) {
    std::vector<unsigned> indices;
    for (size_t at = text.find(".O["); at != std::string::npos; at = text.find(".O[", at + 1)) {
        const unsigned index =
            static_cast<unsigned>(std::strtoul(text.c_str() + at + 3, nullptr, 10));
        if (std::find(indices.begin(), indices.end(), index) == indices.end())
            indices.push_back(index);
    }
    return indices;
}

double stored(Node& node, Attribute* attribute, unsigned index) {
    const PlugValue* value = node.stored(PlugPath{attribute, {index}});
    return value && !std::holds_alternative<std::monostate>(value->value)
               ? valueAsDouble(value->value)
               : 0.0;
}

}  // namespace

size_t stringEnd(const std::string& text, size_t start) {
    size_t i = start + 1;
    while (i < text.size() && text[i] != '"')
        i += text[i] == '\\' ? 2 : 1;
    return i + 1;
}

std::string textOf(Node& node) {
    const Value value = evaluate(PlugRef{&node, PlugPath{attributes().text, {}}});
    if (auto* s = std::get_if<std::string>(&value))
        return *s;
    if (auto* d = std::get_if<std::shared_ptr<Data>>(&value))
        if (auto* text = dynamic_cast<const StringData*>(d->get()))
            return text->value.asChar();
    return "";
}

void run(Node& node) {
    const ExpressionAttributes& a = attributes();
    const std::string text = textOf(node);
    std::vector<double> inputs;
    for (unsigned index : node.elementIndices(PlugPath{a.input, {}})) {
        inputs.resize(std::max<size_t>(inputs.size(), index + 1));
        inputs[index] = valueAsDouble(evaluate(PlugRef{&node, PlugPath{a.input, {index}}}));
    }
    const std::vector<unsigned> outputs = outputIndices(text);
    // A procedure of its own, so that the text's variables stay its own.
    std::string mel = "proc float[] __expressionRun() {\n";
    for (unsigned index : outputs)
        mel += "float $__out" + std::to_string(index) + " = " +
               number(stored(node, a.output, index)) + ";\n";
    mel += asMel(text, inputs) + "\n;\nfloat $__result[];\n";
    for (size_t k = 0; k < outputs.size(); ++k)
        mel += "$__result[" + std::to_string(k) + "] = $__out" + std::to_string(outputs[k]) + ";\n";
    mel += "return $__result;\n}\n__expressionRun();\n";
    mel::Value result;
    if (!mel::Interpreter::instance().execute(mel, &result) || !result.isArray())
        return;
    const std::vector<double>& values = result.floatArray();
    for (size_t k = 0; k < outputs.size() && k < values.size(); ++k)
        node.storage(PlugPath{a.output, {outputs[k]}}).value = values[k];
}

namespace {

bool compute(Node& node, const PlugPath& plug) {
    if (plug.attribute != attributes().output)
        return false;
    run(node);
    return true;
}

}  // namespace

void clockMoved() {
    const ExpressionAttributes& a = attributes();
    static NodeFilter expressions([](const Node& node) { return node.type().isA("expression"); });
    // Copied: an expression's text may make or delete nodes.
    const std::vector<Node*> all = expressions.nodes();
    for (Node* node : all) {
        if (!node->outputs.empty())
            continue;
        if (valueAsDouble(evaluate(PlugRef{node, PlugPath{a.always, {}}})) != 0.0)
            run(*node);
    }
}

void registerExpressionType() {
    NodeType& type =
        NodeTypeRegistry::instance().addBuiltin("expression", "dependNode", MFn::kDependencyNode);
    auto text = attrs::typed("internalExpression", "ixp", MFnData::kString);
    auto time = attrs::unit("time", "tim", MFnUnitAttribute::kTime);
    auto input = attrs::numeric("input", "in", MFnNumericData::kDouble);
    input->array = true;
    auto output = attrs::numeric("output", "out", MFnNumericData::kDouble);
    output->array = true;
    output->writable = false;
    output->storable = false;
    auto always = attrs::boolean("alwaysEvaluate", "ae", true);
    auto animated = attrs::numeric("animated", "ani", MFnNumericData::kShort);
    auto object = attrs::message("objectMsg", "obm");
    for (const auto& a : {text, time, input, output, always, animated, object})
        type.addAttribute(a);
    for (const auto& a : {text, time, input})
        attrs::affects(a, output);
    type.compute = compute;
    ExpressionAttributes& a = attributes();
    a.text = text.get();
    a.time = time.get();
    a.input = input.get();
    a.output = output.get();
    a.always = always.get();
}

const Attribute* inputAttribute() {
    return attributes().input;
}
const Attribute* outputAttribute() {
    return attributes().output;
}
const Attribute* timeAttribute() {
    return attributes().time;
}

}  // namespace expressions
}  // namespace host
