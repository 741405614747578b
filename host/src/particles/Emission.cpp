#include "particles/Emission.h"

#include "dag/Dag.h"
#include "geometry/Mesh.h"
#include "graph/PlugAccess.h"
#include "particles/Particles.h"
#include "particles/Random.h"

#include <maya/MGlobal.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace host {
namespace particles {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Counting births compares sums of the same frame length; this keeps a count that
// lands on a whole number from falling a hair short.
constexpr double kCountTolerance = 1e-6;

double number(Node& node, const Attribute* attribute) {
    return valueAsDouble(evaluate(PlugRef{&node, PlugPath{const_cast<Attribute*>(attribute), {}}}));
}

MVector readVector(Node& node, const Attribute* compound) {
    double v[3];
    dag::readDouble3(node, const_cast<Attribute*>(compound), v);
    return MVector(v[0], v[1], v[2]);
}

// A unit vector inside the cone of half-angle spread * 90 degrees around the axis (the
// whole sphere for an omni emitter), from random channels 0 and 1.
MVector emissionDirection(const MVector& axis, double spread, bool omni, const Random& random) {
    double cosMax = omni ? -1.0 : std::cos(std::clamp(spread, 0.0, 1.0) * kPi / 2.0);
    double cosTheta = 1.0 - random.uniform(0) * (1.0 - cosMax);
    double sinTheta = std::sqrt(std::max(0.0, 1.0 - cosTheta * cosTheta));
    double phi = 2.0 * kPi * random.uniform(1);
    MVector w = axis.length() > 0.0 ? axis.normal() : MVector(1.0, 0.0, 0.0);
    MVector helper = std::fabs(w.x) < 0.9 ? MVector(1.0, 0.0, 0.0) : MVector(0.0, 1.0, 0.0);
    MVector u = (helper ^ w).normal();
    MVector v = w ^ u;
    return w * cosTheta + u * (sinTheta * std::cos(phi)) + v * (sinTheta * std::sin(phi));
}

// The mesh a surface emitter emits from: the shape of the object it belongs to.
Node* meshOfOwner(Node& emitter) {
    if (emitter.parents.empty())
        return nullptr;
    for (Node* child : emitter.parents.front()->children)
        if (child->type().hasFn(MFn::kMesh) &&
            !valueAsLong(
                evaluate(PlugRef{child, PlugPath{dag::attributes().intermediateObject, {}}})))
            return child;
    return nullptr;
}

// A point inside the volume shape, in the emitter's own space before the offset:
// the cube spans -0.5 to 0.5 on each axis, the sphere, cylinder and torus have radius
// 1 (the cylinder from y -1 to 1), the cone has its tip at the centre and opens along
// +y to radius 1 at height 1. Round shapes keep to `sweep` radians around y.
MPoint insideVolume(int shape, double sweep, double sectionRadius, const Random& random) {
    auto u = [&](unsigned channel) { return random.uniform(channel); };
    const double phi = sweep * u(5);
    const double c = std::cos(phi), s = std::sin(phi);
    switch (shape) {
        case kCube:
            return MPoint(u(5) - 0.5, u(6) - 0.5, u(7) - 0.5);
        case kSphere: {
            const double r = std::cbrt(u(6));
            const double y = 1.0 - 2.0 * u(7);
            const double ring = r * std::sqrt(std::max(0.0, 1.0 - y * y));
            return MPoint(ring * c, r * y, -ring * s);
        }
        case kCylinder: {
            const double r = std::sqrt(u(6));
            return MPoint(r * c, 2.0 * u(7) - 1.0, -r * s);
        }
        case kCone: {
            const double h = std::cbrt(u(6));
            const double r = h * std::sqrt(u(7));
            return MPoint(r * c, h, -r * s);
        }
        case kTorus: {
            // A point of the section disc, kept with a chance in proportion to its
            // distance from the axis so the ring fills evenly; tries are bounded.
            double x = 0, y = 0;
            for (unsigned t = 0; t < 16; ++t) {
                const double r = sectionRadius * std::sqrt(u(6 + 3 * t));
                const double a = 2.0 * kPi * u(7 + 3 * t);
                x = r * std::cos(a);
                y = r * std::sin(a);
                if (u(8 + 3 * t) * (1.0 + sectionRadius) <= 1.0 + x)
                    break;
            }
            return MPoint((1.0 + x) * c, y, -(1.0 + x) * s);
        }
        default:
            return MPoint();
    }
}

}  // namespace

Emission::Emission(Node& emitter) : m_emitter(emitter) {
    const EmitterAttributes& e = emitterAttributes();
    m_type =
        static_cast<int>(valueAsLong(evaluate(PlugRef{&emitter, PlugPath{e.emitterType, {}}})));
    m_rate = std::max(0.0, number(emitter, e.rate));
    m_seed = static_cast<long>(number(emitter, e.seed));
    if (valueAsLong(evaluate(PlugRef{&emitter, PlugPath{e.cycleEmission, {}}})) == 1)
        m_cycle = std::max(1L, static_cast<long>(number(emitter, e.cycleInterval)));
    m_world = dag::inclusiveMatrix(dag::firstPath(emitter));
    m_speed = number(emitter, e.speed);
    m_speedRandom = number(emitter, e.speedRandom);
    m_minDistance = number(emitter, e.minDistance);
    m_maxDistance = std::max(m_minDistance, number(emitter, e.maxDistance));
    if (m_type == kCurve) {
        m_rate = 0;
    } else if (m_type == kSurface) {
        Node* mesh = meshOfOwner(emitter);
        const auto data = mesh ? geometry::meshOf(*mesh) : nullptr;
        if (!data || !data->valid()) {
            m_rate = 0;
            return;
        }
        const MMatrix toWorld = dag::inclusiveMatrix(dag::firstPath(*mesh));
        double area = 0;
        size_t corner = 0;
        for (int count : data->faceCounts) {
            // Faces are cut into triangles fanning out from their first corner.
            for (int k = 1; k + 1 < count; ++k) {
                Triangle t;
                t.a = data->points[static_cast<unsigned>(data->faceConnects[corner])] * toWorld;
                t.b = data->points[static_cast<unsigned>(
                          data->faceConnects[corner + static_cast<size_t>(k)])] *
                      toWorld;
                t.c = data->points[static_cast<unsigned>(
                          data->faceConnects[corner + static_cast<size_t>(k) + 1])] *
                      toWorld;
                const MVector cross = (t.b - t.a) ^ (t.c - t.a);
                if (cross.length() <= 0)
                    continue;
                t.normal = cross.normal();
                area += cross.length() / 2.0;
                t.upTo = area;
                m_triangles.push_back(t);
            }
            corner += static_cast<size_t>(count);
        }
        if (valueAsLong(evaluate(PlugRef{&emitter, PlugPath{e.scaleRateByObjectSize, {}}})))
            m_rate *= area;
        if (m_triangles.empty())
            m_rate = 0;
    }
}

long Emission::birthsAfter(long step, double frame) const {
    const double perFrame = m_rate * frame;
    if (!(perFrame <= static_cast<double>(kMaxBirthsPerFrame))) {
        if (std::isnan(perFrame))
            return 0;
        // Said once per rate, not at every frame of a run-up.
        static std::unordered_map<const Node*, double> told;
        const auto known = told.find(&m_emitter);
        if (known == told.end() || known->second != m_rate) {
            told[&m_emitter] = m_rate;
            MGlobal::displayError(MString((m_emitter.name() + ": its rate would make more than " +
                                           std::to_string(kMaxBirthsPerFrame) +
                                           " particles in one frame; it makes that many.")
                                              .c_str()));
        }
        return kMaxBirthsPerFrame;
    }
    // Counting from the start frame rather than carrying a fraction makes a frame's
    // births depend on nothing but its number.
    const double before = std::floor(perFrame * static_cast<double>(step) + kCountTolerance);
    const double after = std::floor(perFrame * static_cast<double>(step + 1) + kCountTolerance);
    return static_cast<long>(after - before);
}

long Emission::randomKey(long step, long index, long id) const {
    return m_cycle ? (step % m_cycle) * kMaxBirthsPerFrame + index : id;
}

void Emission::birth(long key, MPoint& position, MVector& velocity) const {
    switch (m_type) {
        case kSurface:
            surfaceBirth(key, position, velocity);
            break;
        case kVolume:
            volumeBirth(key, position, velocity);
            break;
        default:
            pointBirth(key, position, velocity);
    }
}

double Emission::speedOf(long key) const {
    return m_speed + m_speedRandom * (Random(m_seed, key).uniform(2) - 0.5);
}

// From where the emitter stands, within the spread around its direction (all ways for
// an omni emitter), born between the two distances out along the way it leaves.
void Emission::pointBirth(long key, MPoint& position, MVector& velocity) const {
    const EmitterAttributes& e = emitterAttributes();
    const Random random(m_seed, key);
    const MVector axis = readVector(m_emitter, e.direction) * m_world;
    const MVector heading =
        emissionDirection(axis, number(m_emitter, e.spread), m_type != kDirectional, random);
    velocity = heading * speedOf(key);
    const double away = m_maxDistance > 0.0
                            ? m_minDistance + (m_maxDistance - m_minDistance) * random.uniform(4)
                            : 0.0;
    position = MPoint(0.0, 0.0, 0.0) * m_world + heading.normal() * away;
}

// From a point of the mesh's faces, each face as likely as its area, leaving along the
// normal (normalSpeed) and a way along the face (tangentSpeed).
void Emission::surfaceBirth(long key, MPoint& position, MVector& velocity) const {
    const EmitterAttributes& e = emitterAttributes();
    const Random random(m_seed, key);
    const double pick = random.uniform(5) * m_triangles.back().upTo;
    const auto found =
        std::upper_bound(m_triangles.begin(), m_triangles.end(), pick,
                         [](double value, const Triangle& t) { return value < t.upTo; });
    const Triangle& t = found == m_triangles.end() ? m_triangles.back() : *found;
    const double r = std::sqrt(random.uniform(6)), q = random.uniform(7);
    const MPoint onFace =
        MPoint(MVector(t.a) * (1.0 - r) + MVector(t.b) * (r * (1.0 - q)) + MVector(t.c) * (r * q));
    const MVector along = (t.b - t.a).normal();
    const double angle = 2.0 * kPi * random.uniform(8);
    const MVector tangent = along * std::cos(angle) + (t.normal ^ along) * std::sin(angle);
    velocity = (t.normal * number(m_emitter, e.normalSpeed) +
                tangent * number(m_emitter, e.tangentSpeed)) *
               speedOf(key);
    const double away = m_maxDistance > 0.0
                            ? m_minDistance + (m_maxDistance - m_minDistance) * random.uniform(4)
                            : 0.0;
    position = onFace + t.normal * away;
}

// From inside the volume shape, moved by the volume offset and placed by the emitter's
// transform. The speed is made of the volume terms only (-spd is for the other types);
// without scaleSpeedBySize each term keeps its length whatever the emitter's scale.
void Emission::volumeBirth(long key, MPoint& position, MVector& velocity) const {
    const EmitterAttributes& e = emitterAttributes();
    const Random random(m_seed, key);
    const MPoint local =
        insideVolume(static_cast<int>(number(m_emitter, e.volumeShape)),
                     number(m_emitter, e.volumeSweep), number(m_emitter, e.sectionRadius), random);
    const MVector offset = readVector(m_emitter, e.volumeOffset);
    position = (local + offset) * m_world;
    const bool bySize =
        valueAsLong(evaluate(PlugRef{&m_emitter, PlugPath{e.scaleSpeedBySize, {}}})) != 0;
    velocity = MVector();
    auto term = [&](const MVector& way, const Attribute* factor) {
        const double k = number(m_emitter, factor);
        if (k == 0 || way.length() <= 0)
            return;
        MVector world = way.normal() * m_world;
        if (!bySize && world.length() > 0)
            world.normalize();
        velocity += world * k;
    };
    const MVector fromCentre(local);
    term(fromCentre, e.awayFromCenter);
    term(MVector(local.x, 0, local.z), e.awayFromAxis);
    term(MVector(0, 1, 0), e.alongAxis);
    term(MVector(local.z, 0, -local.x), e.aroundAxis);
    term(emissionDirection(MVector(), 0, true, random), e.randomDirection);
    term(readVector(m_emitter, e.direction), e.directionalSpeed);
}

}  // namespace particles
}  // namespace host
