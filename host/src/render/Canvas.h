#ifndef HOST_RENDER_CANVAS_H
#define HOST_RENDER_CANVAS_H
// A picture drawn through a view: triangles, lines and dots in world space,
// clipped at the near plane and hidden by what lies in front of them.

#include "render/Image.h"
#include "render/View.h"

#include <vector>

namespace host {
namespace render {

class Canvas {
public:
    Canvas(const View& view, int width, int height, Rgb background);

    void triangle(const MPoint& a, const MPoint& b, const MPoint& c, Rgb color);
    void line(const MPoint& a, const MPoint& b, Rgb color);
    // A square of size x size pixels around the point.
    void dot(const MPoint& p, int size, Rgb color);

    const View& view() const { return m_view; }
    const Image& image() const { return m_image; }
    // Whether anything has been drawn at the pixel.
    bool covered(int x, int y) const;

private:
    // Camera-space vertices after clipping, projected.
    struct Vertex {
        double x, y;
        double depthTerm;  // interpolates linearly across the picture
    };
    Vertex toScreen(const MPoint& camera) const;
    double depthOf(double depthTerm) const;
    // Writes the pixel when nothing nearer is there; `slack` lets lines
    // show on the surfaces they lie on.
    void plot(int x, int y, double depth, Rgb color, double slack = 0.0);
    void fill(const Vertex& a, const Vertex& b, const Vertex& c, Rgb color);

    View m_view;
    Image m_image;
    std::vector<float> m_depth;
};

}  // namespace render
}  // namespace host

#endif
