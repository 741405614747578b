#include "render/Font.h"

namespace host {
namespace render {

namespace {

// Each glyph is five rows of three bits, the leftmost pixel the highest bit.
const unsigned char* glyph(char c) {
    static const unsigned char digits[10][5] = {
        {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
        {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
    static const unsigned char minus[5] = {0, 0, 7, 0, 0};
    static const unsigned char point[5] = {0, 0, 0, 0, 2};
    if (c >= '0' && c <= '9')
        return digits[c - '0'];
    if (c == '-')
        return minus;
    if (c == '.')
        return point;
    return nullptr;
}

}  // namespace

int textWidth(const std::string& text, int scale) {
    return text.empty() ? 0 : static_cast<int>(text.size() * 4 - 1) * scale;
}

void drawText(Image& image, int x, int y, const std::string& text, int scale, Rgb color) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char* rows = glyph(text[i]);
        if (!rows)
            continue;
        const int left = x + static_cast<int>(i) * 4 * scale;
        for (int row = 0; row < 5 * scale; ++row)
            for (int column = 0; column < 3 * scale; ++column)
                if ((rows[row / scale] >> (2 - column / scale)) & 1 &&
                    image.contains(left + column, y + row))
                    image.at(left + column, y + row) = color;
    }
}

}  // namespace render
}  // namespace host
