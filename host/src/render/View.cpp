#include "render/View.h"

#include "dag/Dag.h"
#include "render/Camera.h"

#include <algorithm>
#include <cmath>

namespace host {
namespace render {

void Bounds::add(const MPoint& p) {
    if (empty) {
        low = high = p;
        empty = false;
        return;
    }
    low = MPoint(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
    high = MPoint(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
}

void Bounds::add(const Bounds& other) {
    if (other.empty)
        return;
    add(other.low);
    add(other.high);
}

MVector View::direction(int axis) const {
    MMatrix toWorld = worldToCamera.inverse();
    return MVector(toWorld(axis, 0), toWorld(axis, 1), toWorld(axis, 2)).normal();
}

View cameraView(Node& camera) {
    Node* shape = cameraShape(camera);
    const CameraLens lens = lensOf(*shape);
    View view;
    view.worldToCamera = dag::inclusiveMatrix(dag::firstPath(*shape)).inverse();
    view.orthographic = lens.orthographic;
    view.halfWidth = lens.orthographic ? lens.orthographicWidth / 2.0
                                       : lens.horizontalAperture * 25.4 / 2.0 / lens.focalLength;
    // A clipping plane at the eye would project points to infinity.
    view.nearClip = std::max(lens.nearClip, 1e-6);
    return view;
}

View framingView(const Bounds& box, double aspect) {
    // An empty scene shows the grid around the origin.
    MPoint centre(0.0, 0.0, 0.0);
    double radius = 12.0;
    if (!box.empty) {
        centre = box.low + (box.high - box.low) * 0.5;
        radius = std::max((box.high - box.low).length() / 2.0, 1e-3);
    }
    View view;
    view.halfWidth = CameraLens{}.horizontalAperture * 25.4 / 2.0 / CameraLens{}.focalLength;
    const double fit = std::min(std::atan(view.halfWidth), std::atan(view.halfWidth / aspect));
    const double distance = radius / std::sin(fit);
    view.nearClip = distance * 0.01;

    // The default perspective camera stands at (28, 21, 28) looking at the origin.
    const MVector back = MVector(28.0, 21.0, 28.0).normal();
    const MVector right = (MVector(0.0, 1.0, 0.0) ^ back).normal();
    const MVector up = back ^ right;
    const MPoint eye = centre + back * distance;
    const double toWorld[4][4] = {{right.x, right.y, right.z, 0.0},
                                  {up.x, up.y, up.z, 0.0},
                                  {back.x, back.y, back.z, 0.0},
                                  {eye.x, eye.y, eye.z, 1.0}};
    view.worldToCamera = MMatrix(toWorld).inverse();
    return view;
}

ScreenPoint project(const View& view, const MPoint& camera, int width, int height) {
    const double aspect = static_cast<double>(width) / height;
    const double depth = -camera.z;
    const double scale = view.orthographic ? view.halfWidth : view.halfWidth * depth;
    const double x = camera.x / scale, y = camera.y / (scale / aspect);
    return {(x + 1.0) * 0.5 * width, (1.0 - y) * 0.5 * height, depth};
}

}  // namespace render
}  // namespace host
