// expression: makes an expression node from MEL text that names attributes
// directly; those it assigns become the node's outputs, the others its
// inputs, each connected, so that a change of either or of the time runs it.

#include "animation/Time.h"
#include "commands/Support.h"
#include "expressions/Expression.h"
#include "graph/Node.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MArgDatabase.h>
#include <maya/MDagModifier.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MSyntax.h>

#include <cctype>
#include <cmath>

namespace host {
namespace expressions {

namespace {

using commands::error;

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '|' || c == ':' ||
           c == '[' || c == ']' || c == '.';
}

struct Reference {
    std::string name;  // node.attribute
    MPlug plug;
    bool written = false;
};

// The text with each attribute it names replaced by .I[n] or .O[n]; the
// references in index order, inputs and outputs numbered apart.
bool parse(const std::string& text, const std::string& object, std::string& rewritten,
           std::vector<Reference>& inputs, std::vector<Reference>& outputs) {
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            const size_t end = stringEnd(text, i);
            rewritten += text.substr(i, end - i);
            i = end;
            continue;
        }
        const bool starts = (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '|') &&
                            (i == 0 || (!isNameChar(text[i - 1]) && text[i - 1] != '$'));
        if (!starts) {
            rewritten += c;
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && isNameChar(text[end]))
            ++end;
        const std::string word = text.substr(i, end - i);
        size_t next = end;
        while (next < text.size() && std::isspace(static_cast<unsigned char>(text[next])))
            ++next;
        const bool call = next < text.size() && text[next] == '(';
        std::string name;
        if (word.find('.') != std::string::npos)
            name = word;
        else if (!object.empty() && !call && word != "frame" && word != "time")
            name = object + "." + word;
        MPlug plug;
        if (name.empty() || !commands::findPlug(name, plug)) {
            if (word.find('.') != std::string::npos) {
                error("expression: No object matches name: " + word);
                return false;
            }
            rewritten += word;
            i = end;
            continue;
        }
        const bool written = next < text.size() && text[next] == '=' &&
                             (next + 1 >= text.size() || text[next + 1] != '=');
        std::vector<Reference>& list = written ? outputs : inputs;
        size_t index = 0;
        while (index < list.size() && list[index].plug != plug)
            ++index;
        if (index == list.size())
            list.push_back(Reference{name, plug, written});
        rewritten += std::string(written ? ".O[" : ".I[") + std::to_string(index) + "]";
        i = end;
    }
    return true;
}

bool isAngle(const MPlug& plug) {
    const Attribute* a = PlugAccess::ref(plug).path.attribute;
    return a->kind == Attribute::Kind::Unit && a->unitType == MFnUnitAttribute::kAngle;
}

MSyntax expressionSyntax() {
    MSyntax s;
    s.addFlag("s", "string", MSyntax::kString);
    s.addFlag("o", "object", MSyntax::kString);
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("ae", "alwaysEvaluate", MSyntax::kLong);
    s.addFlag("uc", "unitConversion", MSyntax::kString);
    s.addFlag("an", "animated", MSyntax::kLong);
    s.setObjectType(MSyntax::kStringObjects, 0, 1);
    s.enableQuery();
    s.enableEdit();
    return s;
}

class ExpressionCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        Node* node = nullptr;
        if (db.isQuery() || db.isEdit()) {
            node = objects.length() == 1 ? commands::findNode(objects[0].asChar()) : nullptr;
            if (!node || !node->type().isA("expression"))
                return fail("Give one expression node.");
            if (db.isQuery())
                return query(db, *node);
        }
        std::string object = db.isFlagSet("o") ? db.flagArgumentString("o", 0).asChar() : "";
        std::string units = db.isFlagSet("uc") ? db.flagArgumentString("uc", 0).asChar() : "all";
        if (units != "all" && units != "none" && units != "angularOnly")
            return fail("Unknown unit conversion \"" + units + "\".");
        if (!db.isEdit() && !db.isFlagSet("s"))
            return fail("Give the expression's text with -s.");
        std::string rewritten;
        std::vector<Reference> inputs, outputs;
        if (db.isFlagSet("s") &&
            !parse(db.flagArgumentString("s", 0).asChar(), object, rewritten, inputs, outputs))
            return MS::kFailure;

        auto modifier = std::make_shared<MDagModifier>();
        if (!node) {
            MStatus status;
            MObject made = static_cast<MDGModifier&>(*modifier).createNode("expression", &status);
            if (!status || !edits.run(modifier))
                return fail("The node could not be created.");
            node = nodeOf(made);
            const std::string name =
                db.isFlagSet("n") ? db.flagArgumentString("n", 0).asChar() : "expression#";
            auto rename = std::make_shared<MDagModifier>();
            rename->renameNode(Scene::current().object(node), MString(name.c_str()));
            edits.run(rename);
            if (Node* clock = animation::timeNode())
                connect(PlugAccess::make(PlugRef{clock, PlugPath{clock->findAttribute("o"), {}}}),
                        plugOf(*node, timeAttribute(), -1));
        }
        if (db.isFlagSet("s")) {
            disconnectAll(*node);
            for (size_t k = 0; k < inputs.size(); ++k)
                link(inputs[k].plug, plugOf(*node, inputAttribute(), k),
                     units != "none" && isAngle(inputs[k].plug), 180.0 / M_PI);
            for (size_t k = 0; k < outputs.size(); ++k)
                link(plugOf(*node, outputAttribute(), k), outputs[k].plug,
                     units != "none" && isAngle(outputs[k].plug), M_PI / 180.0);
            PlugRef text{node, PlugPath{node->findAttribute("ixp"), {}}};
            edits.change(*node, {text.path}, [&] {
                MString value(rewritten.c_str());
                return static_cast<bool>(PlugAccess::make(text).setValue(value));
            });
        }
        if (db.isFlagSet("ae")) {
            int on = 1;
            db.getFlagArgument("ae", 0, on);
            PlugRef always{node, PlugPath{node->findAttribute("ae"), {}}};
            edits.change(*node, {always.path}, [&] {
                return static_cast<bool>(PlugAccess::make(always).setValue(on != 0));
            });
        }
        // Once now, for the current frame.
        expressions::run(*node);
        setResult(MString(commands::nameOf(*node).c_str()));
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("expression: " + text);
        return MS::kFailure;
    }

    static MPlug plugOf(Node& node, const Attribute* attribute, long index) {
        PlugPath path{const_cast<Attribute*>(attribute), {}};
        if (index >= 0)
            path.indices.push_back(static_cast<unsigned>(index));
        return PlugAccess::make(PlugRef{&node, path});
    }

    void connect(const MPlug& from, const MPlug& to) {
        auto modifier = std::make_shared<MDagModifier>();
        modifier->connect(from, to);
        edits.run(modifier);
    }

    // Values in the UI's degrees meet angles in radians through a unit
    // conversion node, as the application makes them.
    void link(const MPlug& from, const MPlug& to, bool convert, double factor) {
        if (!convert) {
            connect(from, to);
            return;
        }
        auto modifier = std::make_shared<MDagModifier>();
        MObject made = static_cast<MDGModifier&>(*modifier).createNode("unitConversion");
        if (!edits.run(modifier))
            return;
        Node* conversion = nodeOf(made);
        PlugRef cf{conversion, PlugPath{conversion->findAttribute("cf"), {}}};
        edits.change(*conversion, {cf.path},
                     [&] { return static_cast<bool>(PlugAccess::make(cf).setValue(factor)); });
        connect(from, plugOf(*conversion, conversion->findAttribute("i"), -1));
        connect(plugOf(*conversion, conversion->findAttribute("o"), -1), to);
    }

    void disconnectAll(Node& node) {
        auto modifier = std::make_shared<MDagModifier>();
        bool any = false;
        for (const auto& [destination, source] : node.inputs)
            if (destination.attribute == inputAttribute()) {
                modifier->disconnect(PlugAccess::make(source),
                                     PlugAccess::make(PlugRef{&node, destination}));
                any = true;
            }
        for (const auto& [source, destinations] : node.outputs)
            if (source.attribute == outputAttribute())
                for (const PlugRef& destination : destinations) {
                    modifier->disconnect(PlugAccess::make(PlugRef{&node, source}),
                                         PlugAccess::make(destination));
                    any = true;
                }
        if (any)
            edits.run(modifier);
    }

    // The text with .I[n] and .O[n] named by the plugs they stand for.
    MStatus query(const MArgDatabase& db, Node& node) {
        if (db.isFlagSet("ae")) {
            setResult(valueAsDouble(
                          evaluate(PlugRef{&node, PlugPath{node.findAttribute("ae"), {}}})) != 0.0
                          ? 1
                          : 0);
            return MS::kSuccess;
        }
        std::string text = textOf(node), out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '.' && i + 2 < text.size() &&
                (text[i + 1] == 'I' || text[i + 1] == 'O') && text[i + 2] == '[') {
                const size_t close = text.find(']', i);
                const long index = std::strtol(text.c_str() + i + 3, nullptr, 10);
                out += plugNamed(node, text[i + 1] == 'I', index);
                i = close;
                continue;
            }
            out += text[i];
        }
        setResult(MString(out.c_str()));
        return MS::kSuccess;
    }

    // The plug at the far end of an input or output, past a unit conversion.
    static std::string plugNamed(Node& node, bool input, long index) {
        const PlugPath path{const_cast<Attribute*>(input ? inputAttribute() : outputAttribute()),
                            {static_cast<unsigned>(index)}};
        if (input) {
            auto it = node.inputs.find(path);
            if (it == node.inputs.end())
                return ".I[" + std::to_string(index) + "]";
            PlugRef source = it->second;
            if (source.node->type().isA("unitConversion")) {
                auto further = source.node->inputs.begin();
                if (further != source.node->inputs.end())
                    source = further->second;
            }
            return commands::plugName(source);
        }
        auto it = node.outputs.find(path);
        if (it == node.outputs.end() || it->second.empty())
            return ".O[" + std::to_string(index) + "]";
        PlugRef destination = it->second.front();
        if (destination.node->type().isA("unitConversion")) {
            for (const auto& [src, dsts] : destination.node->outputs)
                if (!dsts.empty())
                    destination = dsts.front();
        }
        return commands::plugName(destination);
    }
};

}  // namespace

void registerExpressionCommand() {
    commands::define<ExpressionCommand>("expression", expressionSyntax);
}

void registerExpressions() {
    registerExpressionType();
    registerExpressionCommand();
}

}  // namespace expressions
}  // namespace host
