// The particle solver and the shape's per-particle data.
#include "particles/Simulation.h"

#include "dag/Dag.h"
#include "foundation/Numbers.h"
#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "particles/Emission.h"
#include "particles/Particles.h"
#include "particles/Random.h"

#include <maya/MPoint.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <utility>

namespace host {
namespace particles {

namespace {

// Frame counting and deaths compare times that are sums of the same frame
// length; this keeps a time that lands on a frame from falling a hair short.
constexpr double kFrameTolerance = 1e-6;
constexpr double kLifeTolerance = 1e-9;

PlugRef plugOf(Node& node, const Attribute* attribute) {
    return PlugRef{&node, PlugPath{const_cast<Attribute*>(attribute), {}}};
}

double number(Node& node, const Attribute* attribute) {
    return valueAsDouble(evaluate(plugOf(node, attribute)));
}

template <class T>
T* dataOf(const Value& value) {
    auto* data = std::get_if<std::shared_ptr<Data>>(&value);
    return data ? dynamic_cast<T*>(data->get()) : nullptr;
}

template <class T, class Array>
Value dataValue(const Array& array) {
    return std::shared_ptr<Data>(std::make_shared<T>(array));
}

ArrayKind kindOfData(MFnData::Type type) {
    switch (type) {
        case MFnData::kDoubleArray:
            return ArrayKind::Double;
        case MFnData::kVectorArray:
            return ArrayKind::Vector;
        case MFnData::kIntArray:
            return ArrayKind::Int;
        default:
            return ArrayKind::None;
    }
}

// One per-particle array of the state, with its initial-state twin. The
// values live in the data a publish stores, so that storing them copies
// nothing: a frame would otherwise copy every array once more.
struct Column {
    Column(const Attribute* current, const Attribute* twin, ArrayKind arrayKind, double newFill)
        : attribute(current), initial(twin), kind(arrayKind), fill(newFill) {
        switch (kind) {
            case ArrayKind::Vector:
                m_v = made<VectorArrayData>();
                break;
            case ArrayKind::Int:
                m_i = made<IntArrayData>();
                break;
            default:
                m_d = made<DoubleArrayData>();
        }
    }

    const Attribute* attribute;
    const Attribute* initial;
    ArrayKind kind;
    double fill;  // what a new particle gets

    // The array of the column's kind; only that one may be asked for.
    MDoubleArray& d() const { return *m_d; }
    MVectorArray& v() const { return *m_v; }
    MIntArray& i() const { return *m_i; }

    unsigned length() const {
        switch (kind) {
            case ArrayKind::Vector:
                return m_v->length();
            case ArrayKind::Int:
                return m_i->length();
            default:
                return m_d->length();
        }
    }
    void resize(unsigned n) {
        unsigned old = length();
        switch (kind) {
            case ArrayKind::Vector:
                m_v->setLength(n);
                for (unsigned k = old; k < n; ++k)
                    (*m_v)[k] = MVector(fill, fill, fill);
                break;
            case ArrayKind::Int:
                m_i->setLength(n);
                for (unsigned k = old; k < n; ++k)
                    (*m_i)[k] = static_cast<int>(fill);
                break;
            default:
                m_d->setLength(n);
                for (unsigned k = old; k < n; ++k)
                    (*m_d)[k] = fill;
        }
    }
    // Keeps the elements whose flag is set, in order.
    void keep(const std::vector<char>& alive) {
        unsigned out = 0;
        for (unsigned k = 0; k < alive.size(); ++k) {
            if (!alive[k])
                continue;
            switch (kind) {
                case ArrayKind::Vector:
                    (*m_v)[out] = (*m_v)[k];
                    break;
                case ArrayKind::Int:
                    (*m_i)[out] = (*m_i)[k];
                    break;
                default:
                    (*m_d)[out] = (*m_d)[k];
            }
            ++out;
        }
        resize(out);
    }
    // Takes the array in `value`; none when it holds another kind. In place,
    // the column works on the stored array itself when nothing else holds
    // it, so that a frame copies nothing; it is then to be published.
    void read(const Value& value, bool inPlace = false) {
        switch (kind) {
            case ArrayKind::Vector:
                take<VectorArrayData>(value, inPlace, m_v);
                break;
            case ArrayKind::Int:
                take<IntArrayData>(value, inPlace, m_i);
                break;
            default:
                take<DoubleArrayData>(value, inPlace, m_d);
        }
    }
    // A copy of the values, to be stored elsewhere.
    Value value() const {
        switch (kind) {
            case ArrayKind::Vector:
                return dataValue<VectorArrayData>(*m_v);
            case ArrayKind::Int:
                return dataValue<IntArrayData>(*m_i);
            default:
                return dataValue<DoubleArrayData>(*m_d);
        }
    }
    // The values themselves, for the shape to store: the column is done with.
    Value handOver() { return std::move(m_data); }

private:
    template <class T, class Array>
    void take(const Value& value, bool inPlace, Array*& array) {
        T* data = dataOf<T>(value);
        if (!data)
            return;
        const auto& held = std::get<std::shared_ptr<Data>>(value);
        if (inPlace && held.use_count() == 1) {
            m_data = held;
            array = &data->value;
        } else {
            *array = data->value;
        }
    }
    template <class T>
    decltype(T::value)* made() {
        auto data = std::make_shared<T>();
        auto* values = &data->value;
        m_data = std::move(data);
        return values;
    }

    std::shared_ptr<Data> m_data;
    MDoubleArray* m_d = nullptr;
    MVectorArray* m_v = nullptr;
    MIntArray* m_i = nullptr;
};

enum Role { kPosition, kVelocity, kAcceleration, kMass, kId, kBirth, kRoles };

struct State {
    std::vector<Column> columns;
    long nextId = 0;
    // The column of the "lifespanPP" a user added, or -1.
    int lifespanColumn = -1;
    Column* lifespanPP() {
        return lifespanColumn < 0 ? nullptr : &columns[static_cast<size_t>(lifespanColumn)];
    }
    unsigned count() const { return columns[kPosition].length(); }
    Column& operator[](Role role) { return columns[role]; }
};

// Where a shape's particles stand: how many frames past its start frame,
// and the clock that was counted with.
struct Record {
    std::weak_ptr<Object> owner;
    long step = 0;
    double start = 0.0;
    double frame = 0.0;
};

std::unordered_map<const Node*, Record>& records() {
    static std::unordered_map<const Node*, Record> all;
    return all;
}

Record* recordOf(Node& node) {
    auto it = records().find(&node);
    if (it == records().end())
        return nullptr;
    // A node made where a deleted one lived must not inherit its record.
    if (it->second.owner.lock().get() != &node) {
        records().erase(it);
        return nullptr;
    }
    return &it->second;
}

struct Clock {
    double start = 0.0;  // seconds
    double frame = 0.0;  // one frame of the UI unit, in seconds
    long stepAt(double seconds) const {
        if (seconds <= start)
            return 0;
        return static_cast<long>(std::floor((seconds - start) / frame + kFrameTolerance));
    }
    double timeOf(long step) const { return start + static_cast<double>(step) * frame; }
};

Clock clockOf(Node& shape) {
    const MTime::Unit unit = MTime::uiUnit();
    Clock clock;
    clock.start = MTime(number(shape, shapeAttributes().startFrame), unit).as(MTime::kSeconds);
    clock.frame = MTime(1.0, unit).as(MTime::kSeconds);
    return clock;
}

// The arrays users added: per-particle arrays that are not an initial-state
// twin. Marking them computed sends their reads through the solver, and
// making each one affect itself keeps it from being taken as up to date
// after a setAttr, so that a later time change reaches it too.
std::vector<Attribute*> userColumns(Node& shape) {
    std::vector<Attribute*> found;
    for (const AttributePtr& a : shape.dynamicAttributes()) {
        if (perParticleKind(shape, a.get()) == ArrayKind::None || isInitialTwin(shape, a.get()))
            continue;
        a->perParticle = true;
        a->computed = true;
        if (std::find(a->affects.begin(), a->affects.end(), a.get()) == a->affects.end())
            a->affects.push_back(a.get());
        found.push_back(a.get());
    }
    return found;
}

}  // namespace

bool isInitialTwin(const Node& shape, const Attribute* attribute) {
    const ShapeAttributes& s = shapeAttributes();
    for (const Attribute* a :
         {s.position0, s.velocity0, s.acceleration0, s.mass0, s.particleId0, s.birthTime0})
        if (a == attribute)
            return true;
    const std::string& name = attribute->longName;
    if (name.size() < 2 || name.back() != '0')
        return false;
    const Attribute* base = shape.findAttribute(name.substr(0, name.size() - 1));
    return base && perParticleKind(shape, base) == perParticleKind(shape, attribute);
}

namespace {

// The "lifespan" a user added, or the application's default of one second.
double constantLifespan(Node& shape) {
    const Attribute* a = shape.findAttribute("lifespan");
    return a && a->kind == Attribute::Kind::Numeric && !a->array ? number(shape, a) : 1.0;
}

// How long the particles live by the mode: all the constant, each its own
// (lifespanPP), or forever, which is also what lifespanPP only comes to
// without a lifespanPP.
struct Lifespans {
    bool forever = true;
    double constant = 1.0;
    const MDoubleArray* own = nullptr;
    double of(unsigned k) const { return own ? (*own)[k] : constant; }
};

Lifespans lifespansOf(Node& shape, State& state) {
    const long mode = valueAsLong(evaluate(plugOf(shape, shapeAttributes().lifespanMode)));
    const Column* perParticle = state.lifespanPP();
    Lifespans lives;
    if (mode == 1 || (mode == 2 && !perParticle)) {
        lives.forever = false;
        lives.constant = constantLifespan(shape);
    } else if ((mode == 2 || mode == 3) && perParticle) {
        lives.forever = false;
        lives.own = &perParticle->d();
    }
    return lives;
}

State emptyState(Node& shape, const Clock& clock) {
    const ShapeAttributes& s = shapeAttributes();
    State state;
    auto add = [&](const Attribute* current, const Attribute* initial, double fill) {
        state.columns.emplace_back(current, initial, perParticleKind(shape, current), fill);
    };
    add(s.position, s.position0, 0.0);
    add(s.velocity, s.velocity0, 0.0);
    add(s.acceleration, s.acceleration0, 0.0);
    add(s.mass, s.mass0, 1.0);
    add(s.particleId, s.particleId0, 0.0);
    add(s.birthTime, s.birthTime0, clock.start);
    for (Attribute* a : userColumns(shape)) {
        Attribute* twin = shape.findAttribute(a->longName + "0");
        const bool lifespan =
            a->longName == "lifespanPP" && perParticleKind(shape, a) == ArrayKind::Double;
        if (lifespan)
            state.lifespanColumn = static_cast<int>(state.columns.size());
        // Particles made without a lifespan of their own get the constant one.
        add(a, twin && isInitialTwin(shape, twin) ? twin : nullptr,
            lifespan ? constantLifespan(shape) : 0.0);
    }
    return state;
}

// Gives every column the particle count and every particle an id.
void normalize(State& state, long firstFreeId) {
    unsigned n = state.count();
    Column& ids = state[kId];
    bool idsValid = ids.length() == n;
    for (Column& c : state.columns)
        c.resize(n);
    long next = firstFreeId;
    for (unsigned k = 0; k < n; ++k) {
        if (!idsValid)
            ids.d()[k] = static_cast<double>(k);
        next = std::max(next, static_cast<long>(ids.d()[k]) + 1);
    }
    state.nextId = std::max(state.nextId, next);
}

State initialState(Node& shape, const Clock& clock) {
    State state = emptyState(shape, clock);
    for (Column& c : state.columns)
        if (c.initial)
            c.read(evaluate(plugOf(shape, c.initial)));
    state.nextId = static_cast<long>(number(shape, shapeAttributes().nextId0));
    normalize(state, 0);
    return state;
}

// The state as the shape holds it. In place, the state works on the shape's
// own arrays where it can, and is to be published.
State currentState(Node& shape, const Clock& clock, bool inPlace = false) {
    State state = emptyState(shape, clock);
    for (Column& c : state.columns)
        if (const PlugValue* pv = shape.stored(plugOf(shape, c.attribute).path))
            c.read(pv->value, inPlace);
    if (const PlugValue* pv = shape.stored(plugOf(shape, shapeAttributes().nextId).path))
        state.nextId = valueAsLong(pv->value);
    normalize(state, 0);
    return state;
}

MMatrix worldMatrixOf(Node& node) {
    return dag::inclusiveMatrix(dag::firstPath(node));
}

// The nodes feeding the elements of an array input, by element index.
std::vector<Node*> feeders(Node& node, const Attribute* arrayInput) {
    std::vector<Node*> found;
    for (const auto& in : node.inputs)
        if (in.first.attribute == arrayInput && in.second.node && in.second.node->inScene)
            found.push_back(in.second.node);
    return found;
}

MVector readVector(Node& node, const Attribute* compound) {
    double v[3];
    dag::readDouble3(node, const_cast<Attribute*>(compound), v);
    return MVector(v[0], v[1], v[2]);
}

void appendParticle(State& state, const MVector& position, const MVector& velocity, double birth,
                    double lifespan) {
    unsigned n = state.count();
    for (Column& c : state.columns)
        c.resize(n + 1);
    state[kPosition].v()[n] = position;
    state[kVelocity].v()[n] = velocity;
    state[kAcceleration].v()[n] = MVector::zero;
    state[kId].d()[n] = static_cast<double>(state.nextId++);
    state[kBirth].d()[n] = birth;
    if (Column* life = state.lifespanPP())
        life->d()[n] = lifespan;
}

void emit(Node& shape, State& state, const Clock& clock, long step, const MMatrix& toShape) {
    const ShapeAttributes& s = shapeAttributes();
    const long mode = valueAsLong(evaluate(plugOf(shape, s.lifespanMode)));
    const double lifespan = constantLifespan(shape);
    const double lifespanRandom = number(shape, s.lifespanRandom);
    const long maxCount = static_cast<long>(number(shape, s.maxCount));
    const double birth = clock.timeOf(step + 1);
    for (Node* emitter : feeders(shape, s.newParticles)) {
        if (!emitter->type().hasFn(MFn::kEmitter))
            continue;
        const Emission emission(*emitter);
        long births = emission.birthsAfter(step, clock.frame);
        if (maxCount >= 0)
            births = std::min(births, std::max(0L, maxCount - static_cast<long>(state.count())));
        for (long b = 0; b < births; ++b) {
            MPoint position;
            MVector velocity;
            const long key = emission.randomKey(step, b, state.nextId);
            emission.birth(key, position, velocity);
            double life = lifespan;
            if (mode == 2)
                life += lifespanRandom * (Random(emission.seed(), key).uniform(3) - 0.5);
            const MPoint local = position * toShape;
            appendParticle(state, MVector(local.x, local.y, local.z), velocity * toShape, birth,
                           life);
        }
    }
}

// Moves the particles from frame `step` to the next one: forces, then
// deaths, then births (which neither move nor die in the frame they appear).
void advance(Node& shape, State& state, const Clock& clock, long step) {
    const ShapeAttributes& s = shapeAttributes();
    const FieldAttributes& f = fieldAttributes();
    const MMatrix toShape = worldMatrixOf(shape).inverse();
    const double dt = clock.frame;
    const unsigned n = state.count();
    if (valueAsLong(evaluate(plugOf(shape, s.isDynamic))) != 0) {
        MVector force;
        for (Node* field : feeders(shape, s.inputForce)) {
            if (!field->type().hasFn(MFn::kGravity))
                continue;
            MVector direction = readVector(*field, f.direction);
            if (direction.length() > 0.0)
                force += direction.normal() * number(*field, f.magnitude);
        }
        const MVector acceleration = force * toShape;
        const double conserve = number(shape, s.conserve);
        for (unsigned k = 0; k < n; ++k) {
            MVector& v = state[kVelocity].v()[k];
            v = v * conserve + acceleration * dt;
            state[kPosition].v()[k] += v * dt;
            state[kAcceleration].v()[k] = acceleration;
        }
    }
    const Lifespans lives = lifespansOf(shape, state);
    if (!lives.forever) {
        const double end = clock.timeOf(step + 1);
        std::vector<char> alive(n, 1);
        bool anyDead = false;
        for (unsigned k = 0; k < n; ++k) {
            if (end - state[kBirth].d()[k] > lives.of(k) + kLifeTolerance) {
                alive[k] = 0;
                anyDead = true;
            }
        }
        if (anyDead)
            for (Column& c : state.columns)
                c.keep(alive);
    }
    emit(shape, state, clock, step, toShape);
}

std::vector<PlugPath> derivedPaths() {
    const ShapeAttributes& s = shapeAttributes();
    std::vector<PlugPath> paths;
    for (Attribute* a : {s.position, s.velocity, s.acceleration, s.mass, s.particleId, s.birthTime,
                         s.nextId, s.count, s.age, s.worldPosition, s.sortedId, s.idIndex})
        paths.push_back(PlugPath{a, {}});
    return paths;
}

void store(Node& shape, const Attribute* attribute, Value value) {
    shape.storage(plugOf(shape, attribute).path).value = std::move(value);
}

// Array data of n elements for the attribute, to be filled where it is
// stored so that each array is written once: the stored data itself when
// nothing else holds it, else new data.
template <class T>
std::shared_ptr<T> dataOfLength(Node& shape, const Attribute* attribute, unsigned n) {
    std::shared_ptr<T> data;
    if (const PlugValue* pv = shape.stored(plugOf(shape, attribute).path)) {
        const auto* held = std::get_if<std::shared_ptr<Data>>(&pv->value);
        if (held && held->use_count() == 1)
            data = std::dynamic_pointer_cast<T>(*held);
    }
    if (!data)
        data = std::make_shared<T>();
    data->value.setLength(n);
    return data;
}

// Writes the state and what follows from it, taking the state's arrays as
// they are; the built-in outputs are then up to date until time or one of
// the arrays changes.
void publish(Node& shape, State&& state, double time) {
    const ShapeAttributes& s = shapeAttributes();
    const unsigned n = state.count();
    auto age = dataOfLength<DoubleArrayData>(shape, s.age, n);
    auto world = dataOfLength<VectorArrayData>(shape, s.worldPosition, n);
    auto sorted = dataOfLength<IntArrayData>(shape, s.sortedId, n);
    auto index = dataOfLength<IntArrayData>(shape, s.idIndex, n);
    const MMatrix toWorld = worldMatrixOf(shape);
    std::vector<std::pair<int, int>> byId(n);
    const MDoubleArray& ids = state[kId].d();
    const MDoubleArray& births = state[kBirth].d();
    const MVectorArray& positions = state[kPosition].v();
    for (unsigned k = 0; k < n; ++k) {
        age->value[k] = std::max(0.0, time - births[k]);
        MPoint p = MPoint(positions[k]) * toWorld;
        world->value[k] = MVector(p.x, p.y, p.z);
        byId[k] = {foundation::truncToInt(ids[k]), static_cast<int>(k)};
    }
    std::sort(byId.begin(), byId.end());
    for (unsigned k = 0; k < n; ++k) {
        sorted->value[k] = byId[k].first;
        index->value[k] = byId[k].second;
    }
    store(shape, s.age, std::shared_ptr<Data>(std::move(age)));
    store(shape, s.worldPosition, std::shared_ptr<Data>(std::move(world)));
    store(shape, s.sortedId, std::shared_ptr<Data>(std::move(sorted)));
    store(shape, s.idIndex, std::shared_ptr<Data>(std::move(index)));
    store(shape, s.count, static_cast<long>(n));
    store(shape, s.nextId, state.nextId);
    for (Column& c : state.columns)
        store(shape, c.attribute, c.handOver());
    for (const PlugPath& p : derivedPaths())
        shape.markClean(p);
}

bool upToDate(Node& shape) {
    if (!recordOf(shape))
        return false;
    for (const PlugPath& p : derivedPaths())
        if (!shape.isClean(p))
            return false;
    return true;
}

void runTo(Node& shape, long target, bool fromStart) {
    const Clock clock = clockOf(shape);
    Record* record = recordOf(shape);
    const bool restart = fromStart || !record || record->start != clock.start ||
                         record->frame != clock.frame || record->step > target;
    long step = restart ? 0 : record->step;
    State state = restart ? initialState(shape, clock) : currentState(shape, clock, true);
    try {
        for (; step < target; ++step)
            advance(shape, state, clock, step);
        publish(shape, std::move(state), clock.timeOf(step));
    } catch (...) {
        // The shape's arrays may be part way through: with no record, the
        // next look at them starts over.
        records().erase(&shape);
        throw;
    }
    Record& r = records()[&shape];
    r.owner = shape.weak_from_this();
    r.step = step;
    r.start = clock.start;
    r.frame = clock.frame;
}

bool isDagMatrix(const Attribute* attribute) {
    const dag::DagAttributes& d = dag::attributes();
    for (const Attribute* a : {d.matrix, d.inverseMatrix, d.worldMatrix, d.worldInverseMatrix,
                               d.parentMatrix, d.parentInverseMatrix})
        if (a == attribute)
            return true;
    return false;
}

// The array data of a per-particle attribute of the given kind, read where
// the shape keeps it; `copy` holds the value when it has to be evaluated
// (a fed attribute). Null for another kind or no data.
template <class T>
const T* arrayData(Node& shape, const Attribute* attribute, ArrayKind kind, Value& copy) {
    if (perParticleKind(shape, attribute) != kind)
        return nullptr;
    update(shape);
    const PlugRef plug = plugOf(shape, attribute);
    const Value* value = evaluateInPlace(plug);
    if (!value) {
        copy = evaluate(plug);
        value = &copy;
    }
    return dataOf<T>(*value);
}

template <class T, class Array>
Array arrayOf(Node& shape, const Attribute* attribute, ArrayKind kind) {
    Value copy;
    const T* data = arrayData<T>(shape, attribute, kind, copy);
    return data ? data->value : Array();
}

template <class T>
bool elementOf(Node& shape, const Attribute* attribute, ArrayKind kind, unsigned index,
               std::array<double, 3>& out) {
    Value copy;
    const T* data = arrayData<T>(shape, attribute, kind, copy);
    if (!data || index >= data->value.length())
        return false;
    if constexpr (std::is_same_v<T, VectorArrayData>) {
        const MVector& v = data->value[index];
        out = {v.x, v.y, v.z};
    } else {
        out = {static_cast<double>(data->value[index]), 0.0, 0.0};
    }
    return true;
}

template <class T, class Array>
bool setArray(Node& shape, const Attribute* attribute, ArrayKind kind, const Array& values) {
    if (perParticleKind(shape, attribute) != kind || attribute == shapeAttributes().age ||
        attribute == shapeAttributes().worldPosition)
        return false;
    update(shape);
    if (!isInitialTwin(shape, attribute) && values.length() != count(shape))
        return false;
    return assign(plugOf(shape, attribute), dataValue<T>(values));
}

}  // namespace

bool computeShape(Node& shape, const PlugPath& plug) {
    if (isDagMatrix(plug.attribute))
        return dag::computeMatrices(shape, plug);
    update(shape);
    return !shape.isDynamic(plug.attribute);
}

bool isShape(const Node& node) {
    return node.type().hasFn(MFn::kParticle);
}

Node* shapeOf(Node* node) {
    if (!node)
        return nullptr;
    if (isShape(*node))
        return node;
    if (!node->type().hasFn(MFn::kTransform))
        return nullptr;
    for (Node* child : node->children)
        if (isShape(*child) &&
            !valueAsLong(evaluate(plugOf(*child, dag::attributes().intermediateObject))))
            return child;
    return nullptr;
}

ArrayKind perParticleKind(const Node& shape, const Attribute* attribute) {
    if (!attribute || !isShape(shape) || attribute->parent || attribute->array ||
        attribute->kind != Attribute::Kind::Typed)
        return ArrayKind::None;
    return kindOfData(attribute->dataType);
}

void update(Node& shape) {
    if (upToDate(shape))
        return;
    runTo(shape, clockOf(shape).stepAt(number(shape, shapeAttributes().currentTime)), false);
}

void evaluateAt(Node& shape, const MTime& time, bool runupFromStart) {
    runTo(shape, clockOf(shape).stepAt(time.as(MTime::kSeconds)), runupFromStart);
}

void saveInitialState(Node& shape) {
    update(shape);
    const Clock clock = clockOf(shape);
    State state = currentState(shape, clock);
    for (const Column& c : state.columns)
        if (c.initial)
            assign(plugOf(shape, c.initial), c.value());
    assign(plugOf(shape, shapeAttributes().nextId0), state.nextId);
}

void addParticles(Node& shape, const MVectorArray& positions, const MVectorArray& velocities) {
    update(shape);
    const Clock clock = clockOf(shape);
    State state = currentState(shape, clock);
    const double now = clock.timeOf(recordOf(shape)->step);
    const double lifespan = constantLifespan(shape);
    for (unsigned k = 0; k < positions.length(); ++k)
        appendParticle(state, positions[k], k < velocities.length() ? velocities[k] : MVector::zero,
                       now, lifespan);
    publish(shape, std::move(state), now);
    Scene::current().propagateDirty(shape, shapeAttributes().position);
    for (const PlugPath& p : derivedPaths())
        shape.markClean(p);
}

bool particleValue(Node& shape, const Attribute* attribute, unsigned index,
                   std::array<double, 3>& out) {
    switch (perParticleKind(shape, attribute)) {
        case ArrayKind::Double:
            return elementOf<DoubleArrayData>(shape, attribute, ArrayKind::Double, index, out);
        case ArrayKind::Vector:
            return elementOf<VectorArrayData>(shape, attribute, ArrayKind::Vector, index, out);
        case ArrayKind::Int:
            return elementOf<IntArrayData>(shape, attribute, ArrayKind::Int, index, out);
        default:
            return false;
    }
}

MDoubleArray lifespans(Node& shape) {
    update(shape);
    State state = currentState(shape, clockOf(shape));
    const Lifespans lives = lifespansOf(shape, state);
    MDoubleArray out;
    if (!lives.forever)
        for (unsigned k = 0; k < state.count(); ++k)
            out.append(lives.of(k));
    return out;
}

MDoubleArray doubles(Node& shape, const Attribute* attribute) {
    return arrayOf<DoubleArrayData, MDoubleArray>(shape, attribute, ArrayKind::Double);
}
MVectorArray vectors(Node& shape, const Attribute* attribute) {
    return arrayOf<VectorArrayData, MVectorArray>(shape, attribute, ArrayKind::Vector);
}
MIntArray ints(Node& shape, const Attribute* attribute) {
    return arrayOf<IntArrayData, MIntArray>(shape, attribute, ArrayKind::Int);
}
bool setDoubles(Node& shape, const Attribute* attribute, const MDoubleArray& values) {
    return setArray<DoubleArrayData>(shape, attribute, ArrayKind::Double, values);
}
bool setVectors(Node& shape, const Attribute* attribute, const MVectorArray& values) {
    return setArray<VectorArrayData>(shape, attribute, ArrayKind::Vector, values);
}

unsigned count(Node& shape) {
    update(shape);
    return static_cast<unsigned>(number(shape, shapeAttributes().count));
}

int indexOfId(Node& shape, int id) {
    update(shape);
    const ShapeAttributes& s = shapeAttributes();
    Value sortedValue = evaluate(plugOf(shape, s.sortedId));
    Value indexValue = evaluate(plugOf(shape, s.idIndex));
    auto* sorted = dataOf<IntArrayData>(sortedValue);
    auto* index = dataOf<IntArrayData>(indexValue);
    if (!sorted || !index || sorted->value.length() != index->value.length())
        return -1;
    const MIntArray& ids = sorted->value;
    unsigned lo = 0, hi = ids.length();
    while (lo < hi) {
        unsigned mid = (lo + hi) / 2;
        if (ids[mid] < id)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < ids.length() && ids[lo] == id ? index->value[lo] : -1;
}

std::vector<std::pair<std::string, std::string>> attributeMapping(Node& shape, unsigned element) {
    const ShapeAttributes& s = shapeAttributes();
    Value value = evaluate(PlugRef{&shape, PlugPath{s.instanceAttributeMapping, {element}}});
    std::vector<std::pair<std::string, std::string>> pairs;
    if (auto* data = dataOf<StringArrayData>(value))
        for (unsigned k = 0; k + 1 < data->value.length(); k += 2)
            pairs.emplace_back(data->value[k].asChar(), data->value[k + 1].asChar());
    return pairs;
}

std::string mappedAttribute(Node& shape, unsigned element, const std::string& option) {
    for (const auto& pair : attributeMapping(shape, element))
        if (pair.first == option)
            return pair.second;
    return std::string();
}

}  // namespace particles
}  // namespace host
