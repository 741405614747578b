// Animation curves.
//
// Map: evaluation (the compact key storage, Hermite and weighted Bezier
// segments, tangent slopes, finding and inserting keys); node types (the
// eight animCurve types and their attributes, tangent names, curve kinds
// for a plug); the keys as the nodes store them (the key attributes looked
// up once per type, decoding, writing now or deferred until read); global
// tangents; making and finding the curve that drives a plug.
#include "animation/Curve.h"

#include "animation/Time.h"
#include "graph/AttributeBuilder.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace host {
namespace animation {

// ---------------------------------------------------------------- evaluation

namespace {

bool sameValue(double a, double b) {
    return std::fabs(a - b) <= 1e-10 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

double hermite(double t0, double v0, double m0, double t1, double v1, double m1, double t) {
    const double h = t1 - t0;
    const double s = (t - t0) / h;
    const double s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * v0 + (s3 - 2 * s2 + s) * h * m0 + (-2 * s3 + 3 * s2) * v1 +
           (s3 - s2) * h * m1;
}

}  // namespace

namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Asked of the number the type holds: one set through a cast, or read
// from a file, may be none of the named types.
bool fitsFourBits(TangentType type) {
    const long long number = static_cast<long long>(type);
    return number >= 0 && number < 16;
}

// Whether the key's time, value and tangent types are all there is to it:
// its tangents locked, their directions the ones a key starts with.
bool typesSayAll(const Key& k) {
    static_assert(sizeof(Key) == 88, "a new Key field must be weighed here and kept whole");
    return k.locked && k.weightLocked && fitsFourBits(k.in) && fitsFourBits(k.out) &&
           sameBits(k.inX, 1.0) && sameBits(k.inY, 0.0) && sameBits(k.outX, 1.0) &&
           sameBits(k.outY, 0.0) && sameBits(k.inWeight, 1.0) && sameBits(k.outWeight, 1.0);
}

}  // namespace

Curve::Curve(const std::vector<Key>& keys) {
    m_times.reserve(keys.size());
    m_values.reserve(keys.size());
    m_tangents.reserve(keys.size());
    for (const Key& k : keys) {
        m_times.push_back(k.time);
        m_values.push_back(k.value);
        m_tangents.push_back(0);
        place(m_times.size() - 1, k);
    }
}

const Key* Curve::whole(size_t index) const {
    if (m_whole.empty())
        return nullptr;
    auto at = std::lower_bound(
        m_whole.begin(), m_whole.end(), index,
        [](const std::pair<size_t, Key>& entry, size_t i) { return entry.first < i; });
    return at != m_whole.end() && at->first == index ? &at->second : nullptr;
}

Key Curve::key(size_t index) const {
    Key k;
    if (const Key* kept = whole(index))
        k = *kept;
    else {
        k.in = static_cast<TangentType>(m_tangents[index] & 0xf);
        k.out = static_cast<TangentType>(m_tangents[index] >> 4);
    }
    k.time = m_times[index];
    k.value = m_values[index];
    return k;
}

std::vector<Key> Curve::keys() const {
    std::vector<Key> all;
    all.reserve(size());
    for (size_t i = 0; i < size(); ++i)
        all.push_back(key(i));
    return all;
}

TangentType Curve::tangent(size_t index, bool inTangent) const {
    if (const Key* kept = whole(index))
        return inTangent ? kept->in : kept->out;
    const unsigned char both = m_tangents[index];
    return static_cast<TangentType>(inTangent ? both & 0xf : both >> 4);
}

void Curve::place(size_t index, const Key& key) {
    m_times[index] = key.time;
    m_values[index] = key.value;
    auto at = std::lower_bound(
        m_whole.begin(), m_whole.end(), index,
        [](const std::pair<size_t, Key>& entry, size_t i) { return entry.first < i; });
    const bool kept = at != m_whole.end() && at->first == index;
    if (typesSayAll(key)) {
        m_tangents[index] = static_cast<unsigned char>(key.in | (key.out << 4));
        if (kept)
            m_whole.erase(at);
        return;
    }
    m_tangents[index] = 0;
    if (kept)
        at->second = key;
    else
        m_whole.insert(at, {index, key});
}

void Curve::setKey(size_t index, const Key& key) {
    place(index, key);
}

void Curve::makeRoom() {
    // A bake adds its keys one at a time to thousands of curves: growing
    // by a quarter keeps little unused room for a few more copies.
    if (m_times.size() < m_times.capacity())
        return;
    const size_t room = m_times.size() + m_times.size() / 4 + 4;
    m_times.reserve(room);
    m_values.reserve(room);
    m_tangents.reserve(room);
}

void Curve::erase(size_t index) {
    m_times.erase(m_times.begin() + static_cast<std::ptrdiff_t>(index));
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(index));
    m_tangents.erase(m_tangents.begin() + static_cast<std::ptrdiff_t>(index));
    m_whole.erase(std::remove_if(m_whole.begin(), m_whole.end(),
                                 [index](const std::pair<size_t, Key>& entry) {
                                     return entry.first == index;
                                 }),
                  m_whole.end());
    for (auto& entry : m_whole)
        if (entry.first > index)
            --entry.first;
}

void Curve::replaceKeys(const std::vector<Key>& keys) {
    const bool weighted = m_weighted;
    *this = Curve(keys);
    m_weighted = weighted;
}

double Curve::splineSlope(size_t i) const {
    const size_t n = size();
    if (n < 2)
        return 0.0;
    // End keys aim at their one neighbour, so a two-key spline is a line.
    const size_t a = i == 0 ? i : i - 1;
    const size_t b = i + 1 == n ? i : i + 1;
    return (m_values[b] - m_values[a]) / (m_times[b] - m_times[a]);
}

double Curve::slope(size_t i, bool inTangent) const {
    const size_t n = size();
    const double value = m_values[i], time = m_times[i];
    const TangentType type = tangent(i, inTangent);
    const bool hasPrev = i > 0, hasNext = i + 1 < n;
    const double prev = hasPrev ? (value - m_values[i - 1]) / (time - m_times[i - 1]) : 0;
    const double next = hasNext ? (m_values[i + 1] - value) / (m_times[i + 1] - time) : 0;
    // A Hermite segment stays between its end values while neither slope
    // exceeds three times the segment's own.
    auto limited = [&](double m) {
        double bound = 3.0 * std::min(hasPrev ? std::fabs(prev) : std::fabs(next),
                                      hasNext ? std::fabs(next) : std::fabs(prev));
        return std::max(-bound, std::min(bound, m));
    };
    switch (type) {
        case MFnAnimCurve::kTangentFixed: {
            // A direction never set is the one a key starts with: flat.
            const Key* kept = whole(i);
            const double x = kept ? (inTangent ? kept->inX : kept->outX) : 1.0;
            const double y = kept ? (inTangent ? kept->inY : kept->outY) : 0.0;
            return x == 0.0 ? 0.0 : y / x;
        }
        case MFnAnimCurve::kTangentLinear:
            if (!hasPrev && !hasNext)
                return 0.0;
            if (inTangent)
                return hasPrev ? prev : next;
            return hasNext ? next : prev;
        case MFnAnimCurve::kTangentClamped: {
            // Flat where the key repeats a neighbour's value, so a hold
            // between equal keys does not overshoot.
            if ((hasPrev && sameValue(value, m_values[i - 1])) ||
                (hasNext && sameValue(value, m_values[i + 1])))
                return 0.0;
            return splineSlope(i);
        }
        case MFnAnimCurve::kTangentPlateau: {
            if (!hasPrev || !hasNext)
                return 0.0;
            const double a = m_values[i - 1], b = m_values[i + 1];
            if ((value >= a && value >= b) || (value <= a && value <= b))
                return 0.0;
            return limited(splineSlope(i));
        }
        case MFnAnimCurve::kTangentSmooth:
            return splineSlope(i);
        case MFnAnimCurve::kTangentSlow:
            return 0.5 * splineSlope(i);
        case MFnAnimCurve::kTangentFast:
            return limited(2.0 * splineSlope(i));
        default:
            return 0.0;  // flat, step, step next, global
    }
}

double Curve::evaluate(double input) const {
    if (m_times.empty())
        return 0.0;
    if (input <= m_times.front())
        return m_values.front();
    if (input >= m_times.back())
        return m_values.back();
    auto after = std::upper_bound(m_times.begin(), m_times.end(), input);
    const size_t i = static_cast<size_t>(after - m_times.begin()) - 1;
    if (std::fabs(input - m_times[i + 1]) < kKeyTolerance)
        return m_values[i + 1];
    const TangentType out = tangent(i, false);
    if (out == MFnAnimCurve::kTangentStep)
        return m_values[i];
    if (out == MFnAnimCurve::kTangentStepNext)
        return m_values[i + 1];
    if (m_weighted)
        return weightedSegment(i, input);
    return hermite(m_times[i], m_values[i], slope(i, false), m_times[i + 1], m_values[i + 1],
                   slope(i + 1, true), input);
}

namespace {

// A handle a third of the tangent vector long along the slope, reaching no
// further along the input than the segment, so that the segment stays a
// function of its input.
void handle(double slope, double weight, double segment, double& dx, double& dy) {
    dx = std::min(segment, weight / std::sqrt(1.0 + slope * slope) / 3.0);
    dy = slope * dx;
}

double bezier(double p0, double p1, double p2, double p3, double s) {
    const double r = 1.0 - s;
    return r * r * r * p0 + 3.0 * r * r * s * p1 + 3.0 * r * s * s * p2 + s * s * s * p3;
}

}  // namespace

double Curve::weightedSegment(size_t i, double input) const {
    const Key a = key(i);
    const Key b = key(i + 1);
    const double h = b.time - a.time;
    double ox, oy, ix, iy;
    handle(slope(i, false), std::max(0.0, a.outWeight), h, ox, oy);
    handle(slope(i + 1, true), std::max(0.0, b.inWeight), h, ix, iy);
    const double x1 = a.time + ox, x2 = b.time - ix;
    // With both handles inside the segment the input never falls as the
    // parameter grows, so halving finds where it reaches `input`.
    double lo = 0.0, hi = 1.0;
    for (int step = 0; step < 60; ++step) {
        const double mid = 0.5 * (lo + hi);
        (bezier(a.time, x1, x2, b.time, mid) < input ? lo : hi) = mid;
    }
    return bezier(a.value, a.value + oy, b.value - iy, b.value, 0.5 * (lo + hi));
}

void Curve::setWeighted(bool on) {
    m_weighted = on;
    if (on)
        return;
    for (size_t i = 0; i < size(); ++i)
        if (whole(i)) {
            Key k = key(i);
            k.inWeight = k.outWeight = 1.0;
            place(i, k);
        }
}

void Curve::matchWeightsToShape() {
    // An unweighted segment's handles reach a third of the way along it.
    // The slopes do not depend on the weights, so the keys can change in turn.
    for (size_t i = 0; i < size(); ++i) {
        Key k = key(i);
        if (i > 0) {
            const double m = slope(i, true);
            k.inWeight = (k.time - m_times[i - 1]) * std::sqrt(1.0 + m * m);
        }
        if (i + 1 < size()) {
            const double m = slope(i, false);
            k.outWeight = (m_times[i + 1] - k.time) * std::sqrt(1.0 + m * m);
        }
        place(i, k);
    }
}

int Curve::find(double input) const {
    // Keys are in input order, so the first one within the tolerance lies
    // in a short stretch found by halving; the test itself is the exact one.
    if (m_times.empty() || m_times.back() < input - 2 * kKeyTolerance)
        return -1;  // past the last key, where keys are usually added
    auto at = std::lower_bound(m_times.begin(), m_times.end(), input - 2 * kKeyTolerance);
    for (; at != m_times.end() && *at <= input + 2 * kKeyTolerance; ++at)
        if (std::fabs(*at - input) < kKeyTolerance)
            return static_cast<int>(at - m_times.begin());
    return -1;
}

size_t Curve::insert(const Key& key, bool keepTangents) {
    const int existing = find(key.time);
    if (existing >= 0) {
        const size_t index = static_cast<size_t>(existing);
        Key k = keepTangents ? this->key(index) : key;
        k.time = m_times[index];
        k.value = key.value;
        place(index, k);
        return index;
    }
    const size_t position =
        m_times.empty() || m_times.back() <= key.time
            ? m_times.size()
            : static_cast<size_t>(std::upper_bound(m_times.begin(), m_times.end(), key.time) -
                                  m_times.begin());
    makeRoom();
    const auto offset = static_cast<std::ptrdiff_t>(position);
    m_times.insert(m_times.begin() + offset, key.time);
    m_values.insert(m_values.begin() + offset, key.value);
    m_tangents.insert(m_tangents.begin() + offset, 0);
    for (auto& entry : m_whole)
        if (entry.first >= position)
            ++entry.first;
    place(position, key);
    return position;
}

void Curve::setTangentType(size_t index, bool inTangent, TangentType type) {
    Key k = key(index);
    if (type == MFnAnimCurve::kTangentFixed && (inTangent ? k.in : k.out) != type) {
        const double m = slope(index, inTangent);
        // A unit-length direction, as the host keeps tangents.
        const double length = std::sqrt(1.0 + m * m);
        (inTangent ? k.inX : k.outX) = 1.0 / length;
        (inTangent ? k.inY : k.outY) = m / length;
    }
    (inTangent ? k.in : k.out) = type;
    place(index, k);
}

bool Curve::isStatic() const {
    for (double v : m_values)
        if (!sameValue(v, m_values.front()))
            return false;
    return true;
}

// ---------------------------------------------------------------- node types

namespace {

struct CurveKind {
    CurveType type;
    const char* name;
    MFn::Type apiType;
    unsigned typeId;
};

constexpr unsigned fourcc(const char (&s)[5]) {
    return (unsigned(s[0]) << 24) | (unsigned(s[1]) << 16) | (unsigned(s[2]) << 8) | unsigned(s[3]);
}

const CurveKind kKinds[] = {
    {MFnAnimCurve::kAnimCurveTA, "animCurveTA", MFn::kAnimCurveTimeToAngular, fourcc("ACTA")},
    {MFnAnimCurve::kAnimCurveTL, "animCurveTL", MFn::kAnimCurveTimeToDistance, fourcc("ACTL")},
    {MFnAnimCurve::kAnimCurveTT, "animCurveTT", MFn::kAnimCurveTimeToTime, fourcc("ACTT")},
    {MFnAnimCurve::kAnimCurveTU, "animCurveTU", MFn::kAnimCurveTimeToUnitless, fourcc("ACTU")},
    {MFnAnimCurve::kAnimCurveUA, "animCurveUA", MFn::kAnimCurveUnitlessToAngular, fourcc("ACUA")},
    {MFnAnimCurve::kAnimCurveUL, "animCurveUL", MFn::kAnimCurveUnitlessToDistance, fourcc("ACUL")},
    {MFnAnimCurve::kAnimCurveUT, "animCurveUT", MFn::kAnimCurveUnitlessToTime, fourcc("ACUT")},
    {MFnAnimCurve::kAnimCurveUU, "animCurveUU", MFn::kAnimCurveUnitlessToUnitless, fourcc("ACUU")},
};

const char* const kTangentNames[] = {"global", "fixed", "linear",  "flat",    "spline",  "step",
                                     "slow",   "fast",  "clamped", "plateau", "stepnext"};

std::vector<std::pair<std::string, short>> tangentFields() {
    std::vector<std::pair<std::string, short>> fields;
    for (short i = 0; i <= MFnAnimCurve::kTangentStepNext; ++i)
        fields.emplace_back(kTangentNames[i], i);
    return fields;
}

// What a curve's input or value is measured in.
enum class Measure { Angle, Distance, Time, Plain };

Measure valueMeasure(CurveType type) {
    switch (type % 4) {
        case 0:
            return Measure::Angle;
        case 1:
            return Measure::Distance;
        case 2:
            return Measure::Time;
        default:
            return Measure::Plain;
    }
}

AttributePtr measured(const std::string& ln, const std::string& sn, Measure m) {
    switch (m) {
        case Measure::Angle:
            return attrs::unit(ln, sn, MFnUnitAttribute::kAngle);
        case Measure::Distance:
            return attrs::unit(ln, sn, MFnUnitAttribute::kDistance);
        case Measure::Time:
            return attrs::unit(ln, sn, MFnUnitAttribute::kTime);
        default:
            return attrs::numeric(ln, sn, MFnNumericData::kDouble);
    }
}

AttributePtr doubleArray(const std::string& ln, const std::string& sn, double defaultValue) {
    auto a = attrs::numeric(ln, sn, MFnNumericData::kDouble, defaultValue);
    a->array = true;
    return a;
}

AttributePtr tangentArray(const std::string& ln, const std::string& sn) {
    auto a = attrs::enumeration(ln, sn, tangentFields(), MFnAnimCurve::kTangentClamped);
    a->array = true;
    return a;
}

void addCurveType(const CurveKind& kind) {
    NodeType& type =
        NodeTypeRegistry::instance().addBuiltin(kind.name, "animCurve", kind.apiType, kind.typeId);
    type.followsClock = hasTimeInput(kind.type);
    auto input = measured("input", "i", hasTimeInput(kind.type) ? Measure::Time : Measure::Plain);
    auto output = measured("output", "o", valueMeasure(kind.type));
    output->writable = false;
    output->storable = false;
    auto keys = attrs::compound(
        "keyTimeValue", "ktv",
        {measured("keyTime", "kt", hasTimeInput(kind.type) ? Measure::Time : Measure::Plain),
         measured("keyValue", "kv", valueMeasure(kind.type))});
    keys->array = true;
    auto inType = tangentArray("keyTanInType", "kit");
    auto outType = tangentArray("keyTanOutType", "kot");
    auto inX = doubleArray("keyTanInX", "kix", 1.0);
    auto inY = doubleArray("keyTanInY", "kiy", 0.0);
    auto outX = doubleArray("keyTanOutX", "kox", 1.0);
    auto outY = doubleArray("keyTanOutY", "koy", 0.0);
    auto locked = attrs::boolean("keyTanLocked", "ktl", true);
    locked->array = true;
    auto weightLocked = attrs::boolean("keyWeightLocked", "kwl", true);
    weightLocked->array = true;
    auto weighted = attrs::boolean("weightedTangents", "wgt", false);
    auto tangent =
        attrs::enumeration("tangentType", "tan", tangentFields(), MFnAnimCurve::kTangentGlobal);
    for (const auto& a : {input, output, keys, inType, outType, inX, inY, outX, outY, locked,
                          weightLocked, weighted, tangent})
        type.addAttribute(a);
    for (const auto& a : {input, keys, inType, outType, inX, inY, outX, outY, weighted})
        attrs::affects(a, output);
    Attribute* in = input.get();
    Attribute* out = output.get();
    const bool timeInput = hasTimeInput(kind.type);
    type.compute = [in, out, timeInput](Node& node, const PlugPath& plug) {
        if (plug.attribute != out)
            return false;
        // A time curve that nothing feeds follows the scene's clock, as
        // curves in files are never connected to it.
        const PlugPath inputPath{in, {}};
        const double at = timeInput && !node.inputs.count(inputPath)
                              ? clockTime().as(MTime::kSeconds)
                              : valueAsDouble(evaluate(PlugRef{&node, inputPath}));
        node.storage(plug).value = curveKeys(node)->evaluate(at);
        return true;
    };
}

Attribute* attribute(const Node& node, const char* name) {
    return node.findAttribute(name);
}

}  // namespace

bool tangentFromName(const std::string& name, TangentType& type) {
    for (int i = 0; i <= MFnAnimCurve::kTangentStepNext; ++i)
        if (name == kTangentNames[i]) {
            type = static_cast<TangentType>(i);
            return true;
        }
    return false;
}

const char* tangentName(TangentType type) {
    return type >= 0 && type <= MFnAnimCurve::kTangentStepNext ? kTangentNames[type] : "";
}

bool isCurveNode(const Node& node) {
    return node.type().hasFn(MFn::kAnimCurve);
}

CurveType curveTypeOf(const Node& node) {
    for (const CurveKind& kind : kKinds)
        if (node.type().isA(kind.name))
            return kind.type;
    return MFnAnimCurve::kAnimCurveUnknown;
}

bool hasTimeInput(CurveType type) {
    return type <= MFnAnimCurve::kAnimCurveTU;
}

void clockMoved() {
    Scene& scene = Scene::current();
    // Copied: what dirtying reaches may make nodes.
    const std::vector<Node*> awake = scene.wakefulClockFollowers();
    for (Node* node : awake) {
        Attribute* input = node->findAttribute("input");
        if (!node->inputs.count(PlugPath{input, {}}))
            scene.propagateDirty(*node, input);
    }
}

std::string curveTypeName(CurveType type) {
    for (const CurveKind& kind : kKinds)
        if (kind.type == type)
            return kind.name;
    return "";
}

CurveType curveTypeForPlug(const MPlug& plug) {
    if (plug.isNull())
        return MFnAnimCurve::kAnimCurveUnknown;
    PlugRef ref = PlugAccess::ref(plug);
    const Attribute& a = *ref.path.attribute;
    if (!a.isLeaf() || !isResolved(ref.path))
        return MFnAnimCurve::kAnimCurveUnknown;
    switch (a.kind) {
        case Attribute::Kind::Unit:
            if (a.unitType == MFnUnitAttribute::kAngle)
                return MFnAnimCurve::kAnimCurveTA;
            if (a.unitType == MFnUnitAttribute::kDistance)
                return MFnAnimCurve::kAnimCurveTL;
            return MFnAnimCurve::kAnimCurveTT;
        case Attribute::Kind::Enum:
            return MFnAnimCurve::kAnimCurveTU;
        case Attribute::Kind::Numeric:
            return a.numericType == MFnNumericData::kInvalid ? MFnAnimCurve::kAnimCurveUnknown
                                                             : MFnAnimCurve::kAnimCurveTU;
        default:
            return MFnAnimCurve::kAnimCurveUnknown;
    }
}

namespace {

// Where a weighted curve keeps a tangent's weight: in the length of its
// tangent vector, which an unweighted curve keeps of unit length. The
// direction comes back of unit length.
void splitWeight(double& x, double& y, double& weight) {
    weight = std::sqrt(x * x + y * y);
    if (weight > 0.0) {
        x /= weight;
        y /= weight;
    } else {
        x = 1.0;
    }
}

// The attributes a curve keeps its keys in, each an array by key index,
// whether the tangents are weighted, which decides how "kix" ... "koy"
// hold the tangents, and the curve's own default tangent type. They are
// looked up by name once per curve type: a bake stores keys on thousands of
// curves a frame.
struct KeyAttributes {
    explicit KeyAttributes(const Node& node)
        : ktv(attribute(node, "ktv")),
          kit(attribute(node, "kit")),
          kot(attribute(node, "kot")),
          kix(attribute(node, "kix")),
          kiy(attribute(node, "kiy")),
          kox(attribute(node, "kox")),
          koy(attribute(node, "koy")),
          ktl(attribute(node, "ktl")),
          kwl(attribute(node, "kwl")),
          wgt(attribute(node, "wgt")),
          tan(attribute(node, "tan")) {
        for (const Attribute* a : {ktv, kit, kot, kix, kiy, kox, koy, ktl, kwl})
            if (a)
                roots.push_back(a);
    }
    Attribute* ktv;
    Attribute *kit, *kot, *kix, *kiy, *kox, *koy, *ktl, *kwl, *wgt;
    Attribute* tan;
    std::vector<const Attribute*> roots;  // those of the keys that exist

    void put(Node& node, unsigned i, const Key& k, bool weighted) const {
        auto at = [&node, i](Attribute* a) -> Value& {
            return node.storage(PlugPath{a, {i}}).value;
        };
        at(ktv->children[0].get()) = k.time;
        at(ktv->children[1].get()) = k.value;
        at(kit) = static_cast<long>(k.in);
        at(kot) = static_cast<long>(k.out);
        // A weighted tangent's vector is as long as its weight.
        auto scale = [weighted](double x, double y, double weight) {
            const double length = std::hypot(x, y);
            return weighted && length > 0.0 ? weight / length : 1.0;
        };
        const double inScale = scale(k.inX, k.inY, k.inWeight);
        const double outScale = scale(k.outX, k.outY, k.outWeight);
        at(kix) = k.inX * inScale;
        at(kiy) = k.inY * inScale;
        at(kox) = k.outX * outScale;
        at(koy) = k.outY * outScale;
        at(ktl) = k.locked;
        at(kwl) = k.weightLocked;
    }
    void putWeighted(Node& node, bool weighted) const {
        node.storage(PlugPath{wgt, {}}).value = weighted;
    }
};

const KeyAttributes& keyAttributes(const Node& node) {
    // Curve types are built in and live as long as the program.
    static std::vector<std::pair<const NodeType*, std::unique_ptr<KeyAttributes>>> known;
    for (const auto& [type, attributes] : known)
        if (type == &node.type())
            return *attributes;
    known.emplace_back(&node.type(), std::make_unique<KeyAttributes>(node));
    return *known.back().second;
}

// Keys fed by connections change without their plugs being written.
bool keysAreFed(const Node& node) {
    const KeyAttributes& a = keyAttributes(node);
    for (const auto& input : node.inputs)
        if (std::find(a.roots.begin(), a.roots.end(), input.first.attribute->root()) !=
            a.roots.end())
            return true;
    return false;
}

// `stored` tells whether the keys sit at indices 0..n-1 in input order,
// as writeCurve leaves them, so that a key's index is its position.
Curve decodeCurve(Node& node, bool& stored) {
    stored = true;
    const KeyAttributes& a = keyAttributes(node);
    if (!a.ktv)
        return Curve();
    auto read = [&node](Attribute* attribute, unsigned i) {
        return evaluate(PlugRef{&node, PlugPath{attribute, {i}}});
    };
    const bool weighted = valueAsLong(evaluate(PlugRef{&node, PlugPath{a.wgt, {}}})) != 0;
    std::vector<Key> keys;
    for (unsigned i : node.elementIndices(PlugPath{a.ktv, {}})) {
        stored = stored && i == keys.size();
        Key k;
        k.time = valueAsDouble(read(a.ktv->children[0].get(), i));
        k.value = valueAsDouble(read(a.ktv->children[1].get(), i));
        k.in = static_cast<TangentType>(valueAsLong(read(a.kit, i)));
        k.out = static_cast<TangentType>(valueAsLong(read(a.kot, i)));
        k.inX = valueAsDouble(read(a.kix, i));
        k.inY = valueAsDouble(read(a.kiy, i));
        k.outX = valueAsDouble(read(a.kox, i));
        k.outY = valueAsDouble(read(a.koy, i));
        k.locked = valueAsLong(read(a.ktl, i)) != 0;
        k.weightLocked = valueAsLong(read(a.kwl, i)) != 0;
        if (weighted) {
            splitWeight(k.inX, k.inY, k.inWeight);
            splitWeight(k.outX, k.outY, k.outWeight);
        }
        stored = stored && (keys.empty() || keys.back().time < k.time);
        keys.push_back(k);
    }
    // A scene file may list keys in any order; the curve needs input order.
    std::stable_sort(keys.begin(), keys.end(),
                     [](const Key& x, const Key& y) { return x.time < y.time; });
    Curve curve(std::move(keys));
    curve.setWeighted(weighted);
    return curve;
}

}  // namespace

std::shared_ptr<Curve> curveKeys(Node& node) {
    if (auto kept = node.derived<Curve>(); kept && !keysAreFed(node))
        return kept;
    bool stored = false;
    auto decoded = std::make_shared<Curve>(decodeCurve(node, stored));
    if (stored)
        node.setDerived(decoded);
    return decoded;
}

Curve readCurve(Node& node) {
    return *curveKeys(node);
}

std::vector<PlugPath> keyPlugs(const Node& node) {
    const KeyAttributes& a = keyAttributes(node);
    std::vector<PlugPath> plugs;
    for (const Attribute* root : a.roots)
        plugs.push_back(PlugPath{const_cast<Attribute*>(root), {}});
    if (a.wgt)
        plugs.push_back(PlugPath{a.wgt, {}});
    return plugs;
}

void writeCurve(Node& node, const Curve& curve) {
    const KeyAttributes& a = keyAttributes(node);
    if (!a.ktv)
        return;
    for (const PlugPath& p : keyPlugs(node))
        node.eraseStorage(p);
    // Keys are stored at indices 0..n-1 in input order, as the host does.
    a.putWeighted(node, curve.weighted());
    for (unsigned i = 0; i < curve.size(); ++i)
        a.put(node, i, curve.key(i), curve.weighted());
    node.setDerived(std::make_shared<Curve>(curve));
    Scene::current().propagateDirty(node, a.ktv);
    Scene::current().touch();
}

void storeKeys(Node& node, Curve& keys, size_t from) {
    // Only keys kept as stored can be written one by one.
    if (node.derivedPointer<Curve>() != &keys || keysAreFed(node)) {
        writeCurve(node, keys);
        return;
    }
    const KeyAttributes& a = keyAttributes(node);
    if (!a.ktv)
        return;
    // The curve reads its keys from `keys`; the plugs get them when
    // something reads or changes those, all at once.
    node.deferStorage(
        a.roots, from, [](Node& curve, const std::shared_ptr<void>& derived, size_t first) {
            const auto keys = std::static_pointer_cast<Curve>(derived);
            const KeyAttributes& plugs = keyAttributes(curve);
            for (size_t i = first; i < keys->size(); ++i)
                plugs.put(curve, static_cast<unsigned>(i), keys->key(i), keys->weighted());
            curve.setDerived(keys);
        });
    Scene::current().propagateDirty(node, a.ktv);
    Scene::current().touch();
}

TangentType& globalTangent(bool inTangent) {
    static TangentType in = MFnAnimCurve::kTangentClamped;
    static TangentType out = MFnAnimCurve::kTangentClamped;
    return inTangent ? in : out;
}

bool& globalWeighted() {
    static bool weighted = false;
    return weighted;
}

namespace {

// The curve's own default tangent type ("tangentType"), global when unset.
TangentType ownTangent(Node& curve) {
    Attribute* tan = keyAttributes(curve).tan;
    return tan ? static_cast<TangentType>(valueAsLong(evaluate(PlugRef{&curve, PlugPath{tan, {}}})))
               : MFnAnimCurve::kTangentGlobal;
}

// The type a key asking for `type` gets on a curve whose own default is `own`.
TangentType resolved(TangentType type, TangentType own, bool inTangent) {
    if (type != MFnAnimCurve::kTangentGlobal)
        return type;
    return own != MFnAnimCurve::kTangentGlobal ? own : globalTangent(inTangent);
}

}  // namespace

TangentType resolveTangent(Node& curve, TangentType type, bool inTangent) {
    return type == MFnAnimCurve::kTangentGlobal ? resolved(type, ownTangent(curve), inTangent)
                                                : type;
}

size_t addKey(Node& curve, Curve& keys, double input, double value, TangentType in,
              TangentType out) {
    const bool given = in != MFnAnimCurve::kTangentGlobal || out != MFnAnimCurve::kTangentGlobal;
    const size_t before = keys.size();
    Key key;
    key.time = input;
    key.value = value;
    // The curve's default is read once a key, and only when asked for.
    const TangentType own =
        in == MFnAnimCurve::kTangentGlobal || out == MFnAnimCurve::kTangentGlobal
            ? ownTangent(curve)
            : MFnAnimCurve::kTangentGlobal;
    key.in = resolved(in, own, true);
    key.out = resolved(out, own, false);
    // A fixed tangent starts from the slope a spline gives the key.
    const bool fixIn = key.in == MFnAnimCurve::kTangentFixed;
    const bool fixOut = key.out == MFnAnimCurve::kTangentFixed;
    if (fixIn)
        key.in = MFnAnimCurve::kTangentSmooth;
    if (fixOut)
        key.out = MFnAnimCurve::kTangentSmooth;
    const size_t index = keys.insert(key, !given);
    const bool isNew = keys.size() > before;
    if (given || isNew) {
        if (fixIn)
            keys.setTangentType(index, true, MFnAnimCurve::kTangentFixed);
        if (fixOut)
            keys.setTangentType(index, false, MFnAnimCurve::kTangentFixed);
    }
    return index;
}

Node* drivingCurve(const MPlug& plug) {
    if (plug.isNull())
        return nullptr;
    const PlugRef* source = Scene::current().sourceOf(PlugAccess::ref(plug));
    if (!source || !isCurveNode(*source->node))
        return nullptr;
    return source->path.attribute->longName == "output" ? source->node : nullptr;
}

namespace {

// "pCube1_translateX", "blendShape1_weight_0".
std::string curveNameFor(const MPlug& plug) {
    PlugRef ref = PlugAccess::ref(plug);
    std::string name = ref.node->name() + "_" + ref.path.attribute->longName;
    for (unsigned i : ref.path.indices)
        name += "_" + std::to_string(i);
    return name;
}

// Whether the plug or a compound above it is fed by a connection.
bool isDriven(const PlugRef& plug) {
    PlugPath path = plug.path;
    for (Attribute* a = path.attribute; a; a = a->parent) {
        path.attribute = a;
        path.indices.resize(std::min(path.indices.size(), a->arrayChain().size()));
        if (plug.node->inputs.count(path))
            return true;
    }
    return false;
}

}  // namespace

NodePtr createCurve(CurveType type, const MPlug* plug, MDGModifier* modifier, MStatus* status) {
    auto fail = [status](MStatus s) {
        if (status)
            *status = s;
        return NodePtr();
    };
    const std::string typeName = curveTypeName(type);
    if (typeName.empty())
        return fail(MS::kInvalidParameter);
    if (plug) {
        if (curveTypeForPlug(*plug) == MFnAnimCurve::kAnimCurveUnknown)
            return fail(MS::kInvalidParameter);
        if (isDriven(PlugAccess::ref(*plug)))
            return fail(MS::kFailure);
    }
    // The curve exists at once even when a modifier is given: the modifier
    // only takes the connection to the plug, as its node must be in the
    // scene to be connected.
    Scene& scene = Scene::current();
    NodePtr curve = scene.createNode(typeName, plug ? curveNameFor(*plug) : "");
    if (!curve)
        return fail(MS::kFailure);
    if (globalWeighted())
        curve->storage(PlugPath{curve->findAttribute("wgt"), {}}).value = true;
    if (plug) {
        PlugRef output{curve.get(), PlugPath{curve->findAttribute("output"), {}}};
        if (modifier) {
            MStatus s = modifier->connect(PlugAccess::make(output), *plug);
            if (!s)
                return fail(s);
        } else {
            scene.connect(output, PlugAccess::ref(*plug));
        }
    }
    if (status)
        *status = MS::kSuccess;
    return curve;
}

void registerCurveTypes() {
    NodeType& base =
        NodeTypeRegistry::instance().addBuiltin("animCurve", "dependNode", MFn::kAnimCurve);
    base.abstract = true;
    for (const CurveKind& kind : kKinds)
        addCurveType(kind);
}

}  // namespace animation
}  // namespace host
