#ifndef HOST_RENDER_RENDERER_H
#define HOST_RENDER_RENDERER_H
// Pictures of the scene's contents as the viewport would draw them.

#include "render/Contents.h"
#include "render/Image.h"
#include "render/View.h"

#include <string>

namespace host {
namespace render {

enum class Appearance { Shaded, Wireframe };

// How to take the pictures of one frame.
struct Shot {
    int width = 640, height = 480;
    Appearance appearance = Appearance::Shaded;
    Node* camera = nullptr;  // a camera shape; null frames `framed` from the default angle
    Bounds framed;
    std::string label;  // written in the bottom right corner when not empty
};

// Two node sets compared, the first in orange and the second in blue:
// each in its own half with the same camera, or both in one picture, where
// a pixel both cover shows the mix of the two.
enum class Layout { SideBySide, Overlay };

Image picture(const Contents& contents, const Shot& shot);
Image comparison(const Contents& first, const Contents& second, Layout layout, const Shot& shot);

}  // namespace render
}  // namespace host

#endif
