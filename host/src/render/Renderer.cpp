#include "render/Renderer.h"

#include "render/Camera.h"
#include "render/Canvas.h"
#include "render/Font.h"

#include <algorithm>
#include <cmath>

namespace host {
namespace render {

namespace {

const Rgb kFirstSetColour{235, 130, 40};
const Rgb kSecondSetColour{50, 130, 235};

// The viewport's own colours: a grey background and grey shaded surfaces,
// dark blue wireframes and particles.
const Rgb kBackground{161, 161, 161};
const Rgb kSurface{200, 200, 200};
const Rgb kWire{0, 4, 96};
const Rgb kGridLine{128, 128, 128}, kGridMajor{100, 100, 100}, kGridAxis{30, 30, 30};
const Rgb kLabel{255, 255, 255};

constexpr int kGridExtent = 12;  // units either side of the origin
constexpr double kAmbient = 0.2;

struct Colours {
    Rgb surface, wire, points;
};
const Colours kViewport{kSurface, kWire, kWire};
Colours tinted(Rgb colour) {
    return {colour, colour, colour};
}

Rgb scaled(Rgb c, double f) {
    auto channel = [f](std::uint8_t v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(v * f), 0L, 255L));
    };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

Rgb mixed(Rgb a, Rgb b) {
    return {static_cast<std::uint8_t>((a.r + b.r) / 2), static_cast<std::uint8_t>((a.g + b.g) / 2),
            static_cast<std::uint8_t>((a.b + b.b) / 2)};
}

void drawGrid(Canvas& canvas) {
    for (int i = -kGridExtent; i <= kGridExtent; ++i) {
        const Rgb colour = i == 0 ? kGridAxis : i % 5 == 0 ? kGridMajor : kGridLine;
        canvas.line(MPoint(i, 0, -kGridExtent), MPoint(i, 0, kGridExtent), colour);
        canvas.line(MPoint(-kGridExtent, 0, i), MPoint(kGridExtent, 0, i), colour);
    }
}

// Flat lambert lighting from a key light above and to the left of the
// camera, lit from either side as the viewport's two-sided lighting is.
void drawShaded(Canvas& canvas, const MeshDraw& draw, Rgb surface) {
    const View& view = canvas.view();
    const MVector light =
        (view.direction(2) * 1.5 + view.direction(1) * 1.2 - view.direction(0) * 0.8).normal();
    const geometry::MeshData& mesh = *draw.mesh;
    size_t first = 0;
    for (int count : mesh.faceCounts) {
        std::vector<MPoint> corners;
        for (int k = 0; k < count; ++k)
            corners.push_back(mesh.points[mesh.faceConnects[first + k]] * draw.world);
        first += count;
        // Newell's normal holds for polygons that are not quite flat.
        MVector normal(0.0, 0.0, 0.0);
        for (size_t k = 0; k < corners.size(); ++k) {
            const MPoint& p = corners[k];
            const MPoint& q = corners[(k + 1) % corners.size()];
            normal += MVector((p.y - q.y) * (p.z + q.z), (p.z - q.z) * (p.x + q.x),
                              (p.x - q.x) * (p.y + q.y));
        }
        if (normal.length() == 0.0)
            continue;
        const double lit = kAmbient + (1.0 - kAmbient) * std::fabs(normal.normal() * light);
        const Rgb colour = scaled(surface, lit);
        for (size_t k = 1; k + 1 < corners.size(); ++k)
            canvas.triangle(corners[0], corners[k], corners[k + 1], colour);
    }
}

void drawWireframe(Canvas& canvas, const MeshDraw& draw, Rgb wire) {
    const geometry::MeshData& mesh = *draw.mesh;
    size_t first = 0;
    for (int count : mesh.faceCounts) {
        for (int k = 0; k < count; ++k)
            canvas.line(mesh.points[mesh.faceConnects[first + k]] * draw.world,
                        mesh.points[mesh.faceConnects[first + (k + 1) % count]] * draw.world, wire);
        first += count;
    }
}

void drawContents(Canvas& canvas, const Contents& contents, Appearance appearance,
                  const Colours& colours, int dotSize) {
    for (const MeshDraw& draw : contents.meshes) {
        if (appearance == Appearance::Shaded)
            drawShaded(canvas, draw, colours.surface);
        else
            drawWireframe(canvas, draw, colours.wire);
    }
    for (const MPoint& p : contents.particles)
        canvas.dot(p, dotSize, colours.points);
}

// Particles stay visible in large pictures.
int pointSize(int height) {
    return std::max(2, height / 160);
}

View viewFor(const Shot& shot, int width, int height) {
    return shot.camera ? cameraView(*shot.camera)
                       : framingView(shot.framed, static_cast<double>(width) / height);
}

Image render(const Contents& contents, const Shot& shot, int width, int height,
             const Colours& colours) {
    Canvas canvas(viewFor(shot, width, height), width, height, kBackground);
    drawContents(canvas, contents, shot.appearance, colours, pointSize(height));
    drawGrid(canvas);
    return canvas.image();
}

void stamp(Image& image, const std::string& label) {
    const int scale = std::max(1, image.height() / 120);
    const int margin = 2 * scale;
    drawText(image, image.width() - margin - textWidth(label, scale),
             image.height() - margin - textHeight(scale), label, scale, kLabel);
}

Image finished(Image image, const Shot& shot) {
    if (!shot.label.empty())
        stamp(image, shot.label);
    return image;
}

}  // namespace

Image picture(const Contents& contents, const Shot& shot) {
    return finished(render(contents, shot, shot.width, shot.height, kViewport), shot);
}

Image comparison(const Contents& first, const Contents& second, Layout layout, const Shot& shot) {
    if (layout == Layout::SideBySide) {
        const int left = shot.width / 2, right = shot.width - left;
        Image image(shot.width, shot.height);
        image.paste(render(first, shot, left, shot.height, tinted(kFirstSetColour)), 0, 0);
        image.paste(render(second, shot, right, shot.height, tinted(kSecondSetColour)), left, 0);
        for (int y = 0; y < shot.height; ++y)
            image.at(left, y) = kGridAxis;
        return finished(image, shot);
    }
    // Each set is drawn on its own, so that neither hides the other; the
    // grid shows where neither covers the picture.
    const View view = viewFor(shot, shot.width, shot.height);
    Canvas a(view, shot.width, shot.height, kBackground), b = a, ground = a;
    drawContents(a, first, shot.appearance, tinted(kFirstSetColour), pointSize(shot.height));
    drawContents(b, second, shot.appearance, tinted(kSecondSetColour), pointSize(shot.height));
    drawGrid(ground);
    Image image = ground.image();
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const bool inA = a.covered(x, y), inB = b.covered(x, y);
            if (inA && inB)
                image.at(x, y) = mixed(a.image().at(x, y), b.image().at(x, y));
            else if (inA || inB)
                image.at(x, y) = (inA ? a : b).image().at(x, y);
        }
    return finished(image, shot);
}

}  // namespace render
}  // namespace host
