#ifndef HOST_RENDER_FONT_H
#define HOST_RENDER_FONT_H
// A 3 x 5 pixel font of digits, the minus sign and the point, enough for
// frame numbers.

#include "render/Image.h"

#include <string>

namespace host {
namespace render {

// The width in pixels of the text at the scale (each font pixel a
// scale x scale square), with one font pixel between characters.
int textWidth(const std::string& text, int scale);
constexpr int textHeight(int scale) {
    return 5 * scale;
}
// Writes the text with its top left corner at (x, y); characters the font
// does not have are left blank.
void drawText(Image& image, int x, int y, const std::string& text, int scale, Rgb color);

}  // namespace render
}  // namespace host

#endif
