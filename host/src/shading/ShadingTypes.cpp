// The shading node types the editor's tabs sort: a few materials, textures,
// utilities, lights, the shading group and a bake set, with the attributes a
// network between them needs. Cameras, which the tabs sort too, are
// render/'s.

#include "graph/AttributeBuilder.h"
#include "graph/NodeType.h"
#include "shading/ShadingEditor.h"

#include <maya/MFnNumericData.h>

namespace host {
namespace shading {

namespace {

AttributePtr color(const char* longName, const char* shortName) {
    return attrs::triple(longName, shortName, "RGB", attrs::numeric("", "", MFnNumericData::kFloat),
                         MFnNumericData::k3Float);
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
    multiply.addAttribute(color("input1", "i1"));
    multiply.addAttribute(color("input2", "i2"));
    multiply.addAttribute(color("output", "o"));

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
