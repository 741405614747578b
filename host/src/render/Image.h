#ifndef HOST_RENDER_IMAGE_H
#define HOST_RENDER_IMAGE_H
// An 8-bit RGB picture and its PNG files.

#include <cstdint>
#include <string>
#include <vector>

namespace host {
namespace render {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = {});

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Row 0 is the top of the picture.
    Rgb& at(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    const Rgb& at(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    // Copies the picture into this one with its top left corner at (x, y).
    void paste(const Image& picture, int x, int y);

private:
    int m_width = 0, m_height = 0;
    std::vector<Rgb> m_pixels;
};

// Writes or reads an 8-bit RGB PNG; on failure `error` says why.
bool writePng(const Image& image, const std::string& path, std::string& error);
bool readPng(const std::string& path, Image& image, std::string& error);

}  // namespace render
}  // namespace host

#endif
