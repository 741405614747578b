#include "render/Canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {
namespace render {

namespace {

constexpr float kNothing = std::numeric_limits<float>::infinity();
constexpr double kLineSlack = 2e-3;  // of the distance

// Camera-space distance in front of the camera.
double ahead(const MPoint& p) {
    return -p.z;
}

MPoint along(const MPoint& a, const MPoint& b, double t) {
    return a + (b - a) * t;
}

}  // namespace

Canvas::Canvas(const View& view, int width, int height, Rgb background)
    : m_view(view),
      m_image(width, height, background),
      m_depth(static_cast<size_t>(width) * height, kNothing) {}

bool Canvas::covered(int x, int y) const {
    return m_depth[static_cast<size_t>(y) * m_image.width() + x] != kNothing;
}

Canvas::Vertex Canvas::toScreen(const MPoint& camera) const {
    ScreenPoint s = project(m_view, camera, m_image.width(), m_image.height());
    // Perspective keeps the reciprocal of depth linear across the picture.
    return {s.x, s.y, m_view.orthographic ? s.depth : 1.0 / s.depth};
}

double Canvas::depthOf(double depthTerm) const {
    return m_view.orthographic ? depthTerm : 1.0 / depthTerm;
}

void Canvas::plot(int x, int y, double depth, Rgb color, double slack) {
    if (!m_image.contains(x, y))
        return;
    float& held = m_depth[static_cast<size_t>(y) * m_image.width() + x];
    if (depth * (1.0 - slack) > held)
        return;
    held = static_cast<float>(std::min<double>(depth, held));
    m_image.at(x, y) = color;
}

void Canvas::triangle(const MPoint& a, const MPoint& b, const MPoint& c, Rgb color) {
    const MPoint corners[3] = {a * m_view.worldToCamera, b * m_view.worldToCamera,
                               c * m_view.worldToCamera};
    // Keeps the part in front of the near plane: a triangle or a quad.
    std::vector<MPoint> kept;
    for (int i = 0; i < 3; ++i) {
        const MPoint& p = corners[i];
        const MPoint& q = corners[(i + 1) % 3];
        const double dp = ahead(p) - m_view.nearClip, dq = ahead(q) - m_view.nearClip;
        if (dp >= 0.0)
            kept.push_back(p);
        if ((dp >= 0.0) != (dq >= 0.0))
            kept.push_back(along(p, q, dp / (dp - dq)));
    }
    if (kept.size() < 3)
        return;
    const Vertex first = toScreen(kept[0]);
    for (size_t i = 1; i + 1 < kept.size(); ++i)
        fill(first, toScreen(kept[i]), toScreen(kept[i + 1]), color);
}

void Canvas::fill(const Vertex& a, const Vertex& b, const Vertex& c, Rgb color) {
    const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (std::fabs(area) < 1e-12)
        return;
    // Clamped before the conversion, as a vertex close to the near plane
    // may project far outside any picture.
    auto pixel = [](double v, int size) {
        return static_cast<int>(std::clamp(std::floor(v), 0.0, size - 1.0));
    };
    const int x0 = pixel(std::min({a.x, b.x, c.x}), m_image.width());
    const int x1 = pixel(std::max({a.x, b.x, c.x}), m_image.width());
    const int y0 = pixel(std::min({a.y, b.y, c.y}), m_image.height());
    const int y1 = pixel(std::max({a.y, b.y, c.y}), m_image.height());
    auto edge = [](const Vertex& p, const Vertex& q, double x, double y) {
        return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
    };
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            // Barycentric weights, positive inside whichever way the triangle winds.
            const double wa = edge(b, c, px, py) / area, wb = edge(c, a, px, py) / area,
                         wc = edge(a, b, px, py) / area;
            if (wa < 0.0 || wb < 0.0 || wc < 0.0)
                continue;
            plot(x, y, depthOf(wa * a.depthTerm + wb * b.depthTerm + wc * c.depthTerm), color);
        }
}

void Canvas::line(const MPoint& a, const MPoint& b, Rgb color) {
    MPoint p = a * m_view.worldToCamera, q = b * m_view.worldToCamera;
    const double dp = ahead(p) - m_view.nearClip, dq = ahead(q) - m_view.nearClip;
    if (dp < 0.0 && dq < 0.0)
        return;
    if (dp < 0.0)
        p = along(p, q, dp / (dp - dq));
    else if (dq < 0.0)
        q = along(q, p, dq / (dq - dp));
    const Vertex s = toScreen(p), e = toScreen(q);
    // Only the stretch over the picture is walked (Liang-Barsky clipping);
    // depth terms are linear along the projected line.
    double t0 = 0.0, t1 = 1.0;
    const double dx = e.x - s.x, dy = e.y - s.y;
    const double w = m_image.width(), h = m_image.height();
    const double towards[4] = {-dx, dx, -dy, dy};
    const double room[4] = {s.x + 1.0, w + 1.0 - s.x, s.y + 1.0, h + 1.0 - s.y};
    for (int k = 0; k < 4; ++k) {
        if (towards[k] == 0.0) {
            if (room[k] < 0.0)
                return;
            continue;
        }
        const double t = room[k] / towards[k];
        if (towards[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return;
    const int steps =
        static_cast<int>(std::ceil(std::max(std::fabs(dx), std::fabs(dy)) * (t1 - t0))) + 1;
    for (int i = 0; i <= steps; ++i) {
        const double t = t0 + (t1 - t0) * i / steps;
        plot(static_cast<int>(std::floor(s.x + dx * t)), static_cast<int>(std::floor(s.y + dy * t)),
             depthOf(s.depthTerm + (e.depthTerm - s.depthTerm) * t), color, kLineSlack);
    }
}

void Canvas::dot(const MPoint& p, int size, Rgb color) {
    const MPoint camera = p * m_view.worldToCamera;
    if (ahead(camera) < m_view.nearClip)
        return;
    const Vertex v = toScreen(camera);
    if (v.x < -size || v.y < -size || v.x > m_image.width() + size || v.y > m_image.height() + size)
        return;
    const int x0 = static_cast<int>(std::floor(v.x - size / 2.0));
    const int y0 = static_cast<int>(std::floor(v.y - size / 2.0));
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x)
            plot(x, y, depthOf(v.depthTerm), color, kLineSlack);
}

}  // namespace render
}  // namespace host
