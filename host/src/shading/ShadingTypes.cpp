// The shading node types the editor's tabs sort: a few materials, textures,
// utilities, lights, the shading group and a bake set, with the attributes a
// network between them needs. Cameras, which the tabs sort too, are
// render/'s.

#include "graph/AttributeBuilder.h"
#include "graph/Node.h"
#include "graph/NodeType.h"
#include "graph/PlugAccess.h"
#include "graph/Value.h"
#include "shading/ShadingEditor.h"

#include <maya/MFnNumericData.h>

#include <cctype>
#include <cmath>

namespace host {
namespace shading {

namespace {

AttributePtr color(const char* longName, const char* shortName) {
    return attrs::triple(longName, shortName, "RGB", attrs::numeric("", "", MFnNumericData::kFloat),
                         MFnNumericData::k3Float);
}

// A float3 of X, Y and Z children, short-named in lower case ("i1x").
AttributePtr xyz(const char* longName, const char* shortName) {
    AttributePtr a =
        attrs::triple(longName, shortName, "XYZ", attrs::numeric("", "", MFnNumericData::kFloat),
                      MFnNumericData::k3Float);
    for (const AttributePtr& c : a->children)
        c->shortName.back() = static_cast<char>(std::tolower(c->shortName.back()));
    return a;
}

// Each output component is input1's (op)'d by input2's; a zero divisor
// gives 0 rather than an infinity that would spread through the graph.
double operate(int op, double a, double b) {
    switch (op) {
        case 1:
            return a * b;
        case 2:
            return b == 0.0 ? 0.0 : a / b;
        case 3:
            return std::pow(a, b);
        default:
            return a;
    }
}

void addMultiplyDivide(NodeType& type) {
    auto input1 = xyz("input1", "i1"), input2 = xyz("input2", "i2"), output = xyz("output", "o");
    auto operation = attrs::enumeration(
        "operation", "op", {{"noOperation", 0}, {"multiply", 1}, {"divide", 2}, {"power", 3}}, 1);
    output->writable = false;
    output->storable = false;
    for (const AttributePtr& a : {operation, input1, input2}) {
        a->keyable = true;
        for (const AttributePtr& c : a->children)
            c->keyable = true;
        attrs::affects(a, output);
        type.addAttribute(a);
    }
    type.addAttribute(output);
    type.compute = [op = operation.get(), in1 = input1.get(), in2 = input2.get(),
                    out = output.get()](Node& node, const PlugPath& plug) {
        if (plug.attribute->root() != out)
            return false;
        auto read = [&node](Attribute* a) {
            return valueAsDouble(evaluate(PlugRef{&node, PlugPath{a, {}}}));
        };
        const int how = static_cast<int>(read(op));
        for (size_t k = 0; k < 3; ++k)
            node.storage(PlugPath{out->children[k].get(), {}}).value =
                operate(how, read(in1->children[k].get()), read(in2->children[k].get()));
        return true;
    };
}

NodeType& add(const char* name, const char* parent, MFn::Type apiType, const char* classification) {
    NodeType& type = NodeTypeRegistry::instance().addBuiltin(name, parent, apiType);
    type.classification = classification;
    return type;
}

}  // namespace

void registerShadingNodeTypes() {
    NodeType& lambert = add("lambert", "dependNode", MFn::kLambert, "shader/surface");
    lambert.addAttribute(color("color", "c"));
    lambert.addAttribute(color("outColor", "oc"));
    add("blinn", "lambert", MFn::kBlinn, "shader/surface");
    add("phong", "lambert", MFn::kPhong, "shader/surface");

    NodeType& texture = add("texture2d", "dependNode", MFn::kTexture2d, "texture/2d");
    texture.abstract = true;
    texture.addAttribute(attrs::compound("uvCoord", "uv",
                                         {attrs::numeric("uCoord", "u", MFnNumericData::kFloat),
                                          attrs::numeric("vCoord", "v", MFnNumericData::kFloat)}));
    texture.addAttribute(color("outColor", "oc"));
    NodeType& file = add("file", "texture2d", MFn::kFileTexture, "texture/2d");
    file.addAttribute(attrs::typed("fileTextureName", "ftn", MFnData::kString));
    add("checker", "texture2d", MFn::kTexture2d, "texture/2d");
    add("ramp", "texture2d", MFn::kTexture2d, "texture/2d");

    NodeType& place = add("place2dTexture", "dependNode", MFn::kPlace2dTexture, "utility/general");
    place.addAttribute(attrs::compound("outUV", "ouv",
                                       {attrs::numeric("outU", "ou", MFnNumericData::kFloat),
                                        attrs::numeric("outV", "ov", MFnNumericData::kFloat)}));
    NodeType& multiply =
        add("multiplyDivide", "dependNode", MFn::kDependencyNode, "utility/general");
    addMultiplyDivide(multiply);

    NodeType& light = add("light", "shape", MFn::kLight, "light");
    light.abstract = true;
    light.addAttribute(color("color", "cl"));
    add("pointLight", "light", MFn::kPointLight, "light");
    add("directionalLight", "light", MFn::kDirectionalLight, "light");

    NodeType& engine = add("shadingEngine", "objectSet", MFn::kShadingEngine, "");
    engine.addAttribute(color("surfaceShader", "ss"));
    NodeType& bake = add("bakeSet", "objectSet", MFn::kSet, "");
    bake.abstract = true;
    add("textureBakeSet", "bakeSet", MFn::kSet, "");
}

}  // namespace shading
}  // namespace host
