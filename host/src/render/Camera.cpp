#include "render/Camera.h"

#include "dag/Dag.h"
#include "graph/AttributeBuilder.h"
#include "graph/NodeType.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

namespace host {
namespace render {

namespace {

struct CameraAttributes {
    Attribute* focalLength = nullptr;
    Attribute* horizontalFilmAperture = nullptr;
    Attribute* orthographic = nullptr;
    Attribute* orthographicWidth = nullptr;
    Attribute* nearClipPlane = nullptr;
};

CameraAttributes& attributes() {
    static CameraAttributes a;
    return a;
}

double number(Node& node, Attribute* attribute) {
    return valueAsDouble(evaluate(PlugRef{&node, PlugPath{attribute, {}}}));
}

}  // namespace

void registerCameraType() {
    NodeTypeRegistry& registry = NodeTypeRegistry::instance();
    if (registry.find("camera"))
        return;
    NodeType& camera = registry.addBuiltin("camera", "shape", MFn::kCamera);
    camera.compute = dag::computeMatrices;
    const CameraLens lens;
    auto focal = attrs::numeric("focalLength", "fl", MFnNumericData::kDouble, lens.focalLength);
    auto aperture = attrs::numeric("horizontalFilmAperture", "hfa", MFnNumericData::kDouble,
                                   lens.horizontalAperture);
    auto ortho = attrs::boolean("orthographic", "o", lens.orthographic);
    auto width =
        attrs::unit("orthographicWidth", "ow", MFnUnitAttribute::kDistance, lens.orthographicWidth);
    auto near = attrs::unit("nearClipPlane", "ncp", MFnUnitAttribute::kDistance, lens.nearClip);
    for (const auto& attribute : {focal, aperture, ortho, width, near})
        camera.addAttribute(attribute);
    CameraAttributes& a = attributes();
    a.focalLength = focal.get();
    a.horizontalFilmAperture = aperture.get();
    a.orthographic = ortho.get();
    a.orthographicWidth = width.get();
    a.nearClipPlane = near.get();
}

Node* cameraShape(Node& node) {
    if (node.type().hasFn(MFn::kCamera))
        return &node;
    for (Node* child : node.children)
        if (child->type().hasFn(MFn::kCamera))
            return child;
    return nullptr;
}

CameraLens lensOf(Node& shape) {
    const CameraAttributes& a = attributes();
    CameraLens lens;
    lens.focalLength = number(shape, a.focalLength);
    lens.horizontalAperture = number(shape, a.horizontalFilmAperture);
    lens.orthographic = number(shape, a.orthographic) != 0.0;
    lens.orthographicWidth = number(shape, a.orthographicWidth);
    lens.nearClip = number(shape, a.nearClipPlane);
    return lens;
}

}  // namespace render
}  // namespace host
