// What a particle instancer draws: for each particle, the object it shows
// and the matrix it shows it with.
#include "particles/Instancer.h"

#include "dag/Dag.h"
#include "foundation/Numbers.h"
#include "graph/PlugAccess.h"
#include "particles/Particles.h"

#include <maya/MEulerRotation.h>
#include <maya/MTransformationMatrix.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

namespace host {
namespace particles {

namespace {

constexpr double kCycleTolerance = 1e-6;

// The instancer counts cycling in thousandths of a second: step and age are
// each rounded to three places, halves just below .5 going down.
double toThousandths(double seconds) {
    const double bias = seconds >= 0.0 ? 0.499999 : -0.499999;
    return std::trunc(seconds * 1000.0 + bias) / 1000.0;
}

// Truncated toward zero; values beyond any a scene reaches are clamped and
// NaN gives 0, so that the sums below stay defined.
long wholeNumber(double value) {
    constexpr double kLimit = 1e15;
    return static_cast<long>(std::clamp(value == value ? std::trunc(value) : 0.0, -kLimit, kLimit));
}

// Whole steps in an age, a hair added so that whole multiples count as
// reached; 0 for a step that rounds to nothing.
long cycleSteps(double age, double step) {
    return step > 0.0 ? wholeNumber(toThousandths(age) / step + kCycleTolerance) : 0;
}

long enumOf(Node& node, const Attribute* attribute) {
    return valueAsLong(evaluate(PlugRef{&node, PlugPath{const_cast<Attribute*>(attribute), {}}}));
}
double numberOf(Node& node, const Attribute* attribute) {
    return valueAsDouble(evaluate(PlugRef{&node, PlugPath{const_cast<Attribute*>(attribute), {}}}));
}

// An option's value for each particle: the array read for it when it has
// one value per particle, else its default for every particle.
// The default is not spread into an array, since most options go unmapped.
template <class Array, class Element>
class PerParticle {
public:
    explicit PerParticle(Element fallback) : m_fallback(fallback) {}
    // `read` returns the array; taking it as made spares a copy.
    template <class Read>
    PerParticle(unsigned count, Element fallback, Read read)
        : m_values(read()), m_mapped(m_values.length() == count), m_fallback(fallback) {}
    Element operator[](unsigned k) const { return m_mapped ? m_values[k] : m_fallback; }

private:
    Array m_values;
    bool m_mapped = false;
    Element m_fallback;
};
using Vectors = PerParticle<MVectorArray, MVector>;
using Doubles = PerParticle<MDoubleArray, double>;

// The per-particle values behind each instancing option, with the
// instancer's defaults for options that name no usable attribute.
class Options {
public:
    Options(Node& shape, unsigned element) : m_shape(shape) {
        for (const auto& pair : attributeMapping(shape, element))
            m_mapping.emplace(pair.first, pair.second);  // the first pair of an option wins
        m_count = particles::count(shape);
    }

    bool has(const std::string& option) const { return attribute(option) != nullptr; }

    Vectors vectorsOf(const std::string& option, const MVector& fallback) const {
        const Attribute* a = attribute(option);
        if (!a)
            return Vectors(fallback);
        return Vectors(m_count, fallback, [&] { return vectors(m_shape, a); });
    }
    Doubles doublesOf(const std::string& option, double fallback) const {
        const Attribute* a = attribute(option);
        if (!a)
            return Doubles(fallback);
        return Doubles(m_count, fallback, [&] {
            if (perParticleKind(m_shape, a) != ArrayKind::Int)
                return doubles(m_shape, a);
            const MIntArray values = ints(m_shape, a);
            MDoubleArray converted(values.length());
            for (unsigned k = 0; k < values.length(); ++k)
                converted[k] = values[k];
            return converted;
        });
    }
    unsigned count() const { return m_count; }

private:
    // A mapped attribute that is a per-particle array of the shape.
    const Attribute* attribute(const std::string& option) const {
        auto it = m_mapping.find(option);
        if (it == m_mapping.end())
            return nullptr;
        const Attribute* a = m_shape.findAttribute(it->second);
        return perParticleKind(m_shape, a) == ArrayKind::None ? nullptr : a;
    }

    Node& m_shape;
    std::map<std::string, std::string> m_mapping;
    unsigned m_count = 0;
};

bool isIdentityToTheBit(const MMatrix& m) {
    return std::memcmp(m.matrix, MMatrix::identity.matrix, sizeof m.matrix) == 0;
}

// Whether m times the identity gives m back to the bit: the zero terms of
// each element's sum leave it as it is unless it is -0 (which they turn
// into +0), and make NaN of an infinity or NaN.
bool keptByIdentity(const MMatrix& m) {
    for (const auto& row : m.matrix) {
        for (double v : row) {
            if (!std::isfinite(v) || (v == 0.0 && std::signbit(v))) {
                return false;
            }
        }
    }
    return true;
}

// The rotation that turns aimAxis onto the aim direction and, about it,
// upAxis toward worldUp (points are row vectors: v * R).
MMatrix aimRotation(const MVector& aim, const MVector& aimAxis, const MVector& upAxis,
                    const MVector& worldUp) {
    if (aim.length() == 0.0 || aimAxis.length() == 0.0)
        return MMatrix();
    auto frame = [](const MVector& primary, const MVector& secondary, MVector out[3]) {
        out[0] = primary.normal();
        MVector up = secondary - out[0] * (secondary * out[0]);
        if (up.length() < 1e-12) {
            // The up vector is parallel to the aim: any perpendicular will do.
            MVector helper =
                std::fabs(out[0].x) < 0.9 ? MVector(1.0, 0.0, 0.0) : MVector(0.0, 1.0, 0.0);
            up = helper - out[0] * (helper * out[0]);
        }
        out[1] = up.normal();
        out[2] = out[0] ^ out[1];
    };
    MVector from[3], to[3];
    frame(aimAxis, upAxis, from);
    frame(aim, worldUp, to);
    MMatrix r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += from[k][i] * to[k][j];
            r.matrix[i][j] = sum;
        }
    return r;
}

enum class RotationSource { None, Rotation, AimDirection, AimPosition };

// What turns a particle whose rotation type picks nothing: the first of the
// options mapped, in the instancer's order of preference.
RotationSource mappedRotationSource(const Options& options) {
    if (options.has("aimDirection"))
        return RotationSource::AimDirection;
    if (options.has("aimPosition"))
        return RotationSource::AimPosition;
    if (options.has("rotation"))
        return RotationSource::Rotation;
    return RotationSource::None;
}

// A rotation type counts by its whole part; any other value, NaN among
// them, leaves the choice to the options mapped.
RotationSource rotationSource(bool hasType, double type, RotationSource mapped) {
    if (hasType && type > -1.0 && type < 3.0) {
        switch (static_cast<int>(type)) {
            case 0:
                return RotationSource::Rotation;
            case 1:
                return RotationSource::AimDirection;
            default:
                return RotationSource::AimPosition;
        }
    }
    return mapped;
}

// Which object each particle shows: the "objectIndex" option when it is
// mapped, else sequential cycling through the objects by age.
std::vector<int> objectIndices(Node& instancer, Node& shape, const Options& options, int objects) {
    const InstancerAttributes& a = instancerAttributes();
    std::vector<int> result(options.count(), 0);
    if (objects <= 0)
        return result;
    if (options.has("objectIndex")) {
        const Doubles index = options.doublesOf("objectIndex", 0.0);
        for (unsigned k = 0; k < options.count(); ++k)
            result[k] = static_cast<int>(std::clamp(std::trunc(index[k]), 0.0, objects - 1.0));
        return result;
    }
    if (enumOf(instancer, a.cycle) != 1)
        return result;
    double step = numberOf(instancer, a.cycleStep);
    if (enumOf(instancer, a.cycleStepUnit) == 0)
        step *= MTime(1.0, MTime::uiUnit()).as(MTime::kSeconds);
    step = toThousandths(step);
    // Unmapped, age is the particles' own.
    const Doubles age =
        options.has("age")
            ? options.doublesOf("age", 0.0)
            : Doubles(options.count(), 0.0, [&] { return doubles(shape, shapeAttributes().age); });
    const Doubles start = options.doublesOf("cycleStartObject", 0.0);
    for (unsigned k = 0; k < options.count(); ++k) {
        const long steps = cycleSteps(age[k], step);
        long index = (wholeNumber(start[k]) + steps) % objects;
        result[k] = static_cast<int>(index < 0 ? index + objects : index);
    }
    return result;
}

}  // namespace

Node* feedingShape(Node& instancer, unsigned* element) {
    auto it = instancer.inputs.find(PlugPath{instancerAttributes().inputPoints, {}});
    if (it == instancer.inputs.end())
        return nullptr;
    const PlugRef& source = it->second;
    if (!source.node || !source.node->inScene || !isShape(*source.node) ||
        source.path.attribute != shapeAttributes().instancePointData ||
        source.path.indices.size() != 1)
        return nullptr;
    if (element)
        *element = source.path.indices[0];
    return source.node;
}

std::vector<Node*> hierarchy(Node& instancer) {
    std::vector<Node*> objects;
    for (const auto& in : instancer.inputs) {
        if (in.first.attribute != instancerAttributes().inputHierarchy ||
            in.first.indices.size() != 1 || !in.second.node || !in.second.node->inScene)
            continue;
        unsigned index = in.first.indices[0];
        if (objects.size() <= index)
            objects.resize(index + 1, nullptr);
        objects[index] = in.second.node;
    }
    return objects;
}

InstancerView evaluateInstancer(Node& instancer) {
    InstancerView view;
    evaluateInstancer(instancer, view);
    return view;
}

void evaluateInstancer(Node& instancer, InstancerView& view) {
    view.element = 0;
    view.shape = feedingShape(instancer, &view.element);
    view.objects = hierarchy(instancer);
    view.draws.clear();
    if (!view.shape || view.objects.empty())
        return;
    const InstancerAttributes& a = instancerAttributes();
    Options options(*view.shape, view.element);
    const unsigned n = options.count();

    const Vectors position = options.vectorsOf("position", MVector::zero);
    const Vectors rotation = options.vectorsOf("rotation", MVector::zero);
    const Vectors scale = options.vectorsOf("scale", MVector(1.0, 1.0, 1.0));
    const Vectors shear = options.vectorsOf("shear", MVector::zero);
    const Vectors aimDirection = options.vectorsOf("aimDirection", MVector::zero);
    const Vectors aimPosition = options.vectorsOf("aimPosition", MVector::zero);
    const Vectors aimAxis = options.vectorsOf("aimAxis", MVector(1.0, 0.0, 0.0));
    const Vectors aimUpAxis = options.vectorsOf("aimUpAxis", MVector(0.0, 1.0, 0.0));
    const Vectors aimWorldUp = options.vectorsOf("aimWorldUp", MVector(0.0, 1.0, 0.0));
    const Doubles visibility = options.doublesOf("visibility", 1.0);
    const Doubles rotationType = options.doublesOf("rotationType", -1.0);
    // Unmapped, ids are the particles' own, as far as there are any.
    const bool idMapped = options.has("id");
    const Doubles mappedIds = options.doublesOf("id", 0.0);
    const MDoubleArray ownIds =
        idMapped ? MDoubleArray() : doubles(*view.shape, shapeAttributes().particleId);
    const bool hasType = options.has("rotationType");
    const RotationSource mapped = mappedRotationSource(options);
    const double angleScale =
        enumOf(instancer, a.rotationAngleUnits) == 1 ? 1.0 : 3.14159265358979323846 / 180.0;
    const auto order = static_cast<MEulerRotation::RotationOrder>(
        std::clamp(enumOf(instancer, a.rotationOrder), 0L, 5L));
    const MMatrix placement = dag::inclusiveMatrix(dag::firstPath(instancer));
    const std::vector<int> chosen =
        objectIndices(instancer, *view.shape, options, static_cast<int>(view.objects.size()));

    // A particle's scale and shear go into a transformation otherwise at
    // rest, whose asMatrix() is asScaleMatrix() * asRotateMatrix() * its
    // translation: only the first factor differs between particles, and the
    // others are the same matrices for all of them, bit for bit.
    const MMatrix restRotation = MTransformationMatrix().asRotateMatrix();
    const MMatrix restTranslation;
    // When the rest factors are the identity, as they are, they are left
    // out for every scale matrix they would give back unchanged.
    const bool restIsIdentity = isIdentityToTheBit(restRotation);

    view.draws.reserve(n);
    for (unsigned k = 0; k < n; ++k) {
        Node* object = view.objects[chosen[k]];
        if (!object || visibility[k] == 0.0)
            continue;
        MTransformationMatrix scaleShear;
        const double s[3] = {scale[k].x, scale[k].y, scale[k].z};
        const double h[3] = {shear[k].x, shear[k].y, shear[k].z};
        scaleShear.setScale(s, MSpace::kTransform);
        scaleShear.setShear(h, MSpace::kTransform);
        MMatrix turn;
        switch (rotationSource(hasType, rotationType[k], mapped)) {
            case RotationSource::Rotation:
                turn = MEulerRotation(rotation[k] * angleScale, order).asMatrix();
                break;
            case RotationSource::AimDirection:
                turn = aimRotation(aimDirection[k], aimAxis[k], aimUpAxis[k], aimWorldUp[k]);
                break;
            case RotationSource::AimPosition:
                turn = aimRotation(aimPosition[k] - position[k], aimAxis[k], aimUpAxis[k],
                                   aimWorldUp[k]);
                break;
            case RotationSource::None:
                break;
        }
        MMatrix m = scaleShear.asScaleMatrix();
        if (!restIsIdentity || !keptByIdentity(m)) {
            m.setToProduct(m, restRotation).setToProduct(m, restTranslation);
        }
        m.setToProduct(m, turn);
        m.matrix[3][0] += position[k].x;
        m.matrix[3][1] += position[k].y;
        m.matrix[3][2] += position[k].z;
        Draw draw;
        draw.particleIndex = k;
        draw.particleId = idMapped              ? foundation::truncToInt(mappedIds[k])
                          : k < ownIds.length() ? foundation::truncToInt(ownIds[k])
                                                : static_cast<int>(k);
        draw.objectIndex = chosen[k];
        draw.object = object;
        draw.matrix.setToProduct(m, placement);
        view.draws.push_back(draw);
    }
}

bool computeInstancer(Node& instancer, const PlugPath& plug) {
    if (plug.attribute == instancerAttributes().hierarchyCount) {
        instancer.storage(plug).value = static_cast<long>(hierarchy(instancer).size());
        return true;
    }
    return dag::computeMatrices(instancer, plug);
}

}  // namespace particles
}  // namespace host
