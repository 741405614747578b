#ifndef HOST_RENDER_VIEW_H
#define HOST_RENDER_VIEW_H
// Where a picture is taken from: a camera's placement and lens, and the
// projection of camera-space points onto the picture.

#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

namespace host {
class Node;

namespace render {

// An axis-aligned box in world space; empty until a point is added.
struct Bounds {
    MPoint low, high;
    bool empty = true;
    void add(const MPoint& p);
    void add(const Bounds& other);
};

struct View {
    // World space to camera space: the camera looks down its -Z axis with
    // +Y up, as the host's cameras do.
    MMatrix worldToCamera;
    bool orthographic = false;
    // Half the picture's width: at distance 1 (perspective) or in scene
    // units (orthographic). The picture's height follows from its shape.
    double halfWidth = 0.5;
    double nearClip = 0.1;

    MVector direction(int axis) const;  // the camera's right, up and back axes in world space
};

// The view through a camera shape (or a transform above one) at the
// current time. The film's horizontal aperture spans the picture's width.
View cameraView(Node& camera);
// A perspective view with the default camera's lens, looking down on the
// box from the front right as the default perspective camera does, from
// just far enough for the whole box to fit a picture of the aspect ratio.
View framingView(const Bounds& box, double aspect);

// A camera-space point on a picture of width x height pixels: x to the
// right and y down from the top left corner, and its distance in front of
// the camera.
struct ScreenPoint {
    double x = 0.0, y = 0.0, depth = 0.0;
};
ScreenPoint project(const View& view, const MPoint& camera, int width, int height);

}  // namespace render
}  // namespace host

#endif
