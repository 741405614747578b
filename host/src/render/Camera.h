#ifndef HOST_RENDER_CAMERA_H
#define HOST_RENDER_CAMERA_H
// The camera shape, the camera a playblast looks through, and the camera
// and lookThru commands.

namespace host {
class Node;

namespace render {

// A camera shape's lens as its attributes hold it at the current time.
struct CameraLens {
    double focalLength = 35.0;            // millimetres
    double horizontalAperture = 1.41732;  // inches, a 36 mm film back
    bool orthographic = false;
    double orthographicWidth = 30.0;
    double nearClip = 0.1;
};

void registerCameraType();
// The camera shape a node stands for: the node itself, or the first
// camera shape right below a transform. Null otherwise.
Node* cameraShape(Node& node);
CameraLens lensOf(Node& shape);

// The camera shape lookThru chose, while it is in the scene; null before,
// and when it has been deleted.
Node* lookThroughCamera();

// camera and lookThru.
void registerCameraCommands();

}  // namespace render
}  // namespace host

#endif
