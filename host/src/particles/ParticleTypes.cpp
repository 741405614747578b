// The particle shape, the emitter, the gravity field and the instancer.
#include "Startup.h"
#include "dag/Dag.h"
#include "graph/AttributeBuilder.h"
#include "graph/NodeType.h"
#include "particles/Instancer.h"
#include "particles/Particles.h"
#include "particles/Simulation.h"

namespace host {
namespace particles {

namespace {

ShapeAttributes& shapeAttrs() {
    static ShapeAttributes a;
    return a;
}
EmitterAttributes& emitterAttrs() {
    static EmitterAttributes a;
    return a;
}
FieldAttributes& fieldAttrs() {
    static FieldAttributes a;
    return a;
}
InstancerAttributes& instancerAttrs() {
    static InstancerAttributes a;
    return a;
}

Attribute* add(NodeType& type, const AttributePtr& attribute) {
    type.addAttribute(attribute);
    return attribute.get();
}

// What the shape computes from time: written by the solver, never saved
// (a scene recomputes it by run-up from the initial state).
AttributePtr output(AttributePtr a) {
    a->storable = false;
    a->computed = true;
    for (auto& c : a->children) {
        c->storable = false;
        c->computed = true;
    }
    return a;
}

AttributePtr perParticle(const std::string& longName, const std::string& shortName,
                         MFnData::Type type) {
    auto a = attrs::typed(longName, shortName, type);
    a->perParticle = true;
    return a;
}

AttributePtr vector3(const std::string& longName, const std::string& shortName, double x, double y,
                     double z) {
    auto child = attrs::numeric(longName + "X", shortName + "x", MFnNumericData::kDouble);
    auto a = attrs::triple(longName, shortName, "XYZ", child);
    const double values[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        a->children[i]->defaultValue = values[i];
        a->children[i]->shortName = shortName + "xyz"[i];
    }
    return a;
}

void registerShape(NodeTypeRegistry& registry) {
    ShapeAttributes& a = shapeAttrs();
    NodeType& type = registry.addBuiltin("particle", "shape", MFn::kParticle);
    type.compute = computeShape;

    a.currentTime = add(type, attrs::unit("currentTime", "cti", MFnUnitAttribute::kTime));
    a.startFrame = add(type, attrs::numeric("startFrame", "stf", MFnNumericData::kDouble, 1.0));
    a.isDynamic = add(type, attrs::boolean("isDynamic", "isd", true));
    a.conserve = add(type, attrs::numeric("conserve", "con", MFnNumericData::kDouble, 1.0));
    a.maxCount = add(type, attrs::numeric("maxCount", "mxc", MFnNumericData::kLong, -1));
    a.lifespanMode =
        add(type,
            attrs::enumeration(
                "lifespanMode", "lfm",
                {{"liveForever", 0}, {"constant", 1}, {"randomRange", 2}, {"lifespanPPOnly", 3}}));
    a.lifespanRandom =
        add(type, attrs::numeric("lifespanRandom", "lfr", MFnNumericData::kDouble, 0.0));

    auto count = output(attrs::numeric("count", "cnt", MFnNumericData::kLong));
    count->writable = false;
    a.count = add(type, count);
    a.nextId = add(type, output(attrs::numeric("nextId", "nid", MFnNumericData::kLong)));
    a.nextId0 = add(type, attrs::numeric("nextId0", "nid0", MFnNumericData::kLong));

    struct Pair {
        Attribute** current;
        Attribute** initial;
        const char* longName;
        const char* shortName;
        MFnData::Type type;
    };
    const Pair state[] = {
        {&a.position, &a.position0, "position", "pos", MFnData::kVectorArray},
        {&a.velocity, &a.velocity0, "velocity", "vel", MFnData::kVectorArray},
        {&a.acceleration, &a.acceleration0, "acceleration", "acc", MFnData::kVectorArray},
        {&a.mass, &a.mass0, "mass", "mas", MFnData::kDoubleArray},
        {&a.particleId, &a.particleId0, "particleId", "id", MFnData::kDoubleArray},
        {&a.birthTime, &a.birthTime0, "birthTime", "bt", MFnData::kDoubleArray},
    };
    for (const Pair& p : state) {
        *p.current = add(type, output(perParticle(p.longName, p.shortName, p.type)));
        *p.initial = add(type, perParticle(std::string(p.longName) + "0",
                                           std::string(p.shortName) + "0", p.type));
    }
    auto age = output(perParticle("age", "ag", MFnData::kDoubleArray));
    age->writable = false;
    a.age = add(type, age);
    auto world = output(perParticle("worldPosition", "wps", MFnData::kVectorArray));
    world->writable = false;
    a.worldPosition = add(type, world);

    auto sortedId = attrs::typed("sortedId", "sid", MFnData::kIntArray);
    auto idIndex = attrs::typed("idIndex", "idix", MFnData::kIntArray);
    auto idMapping = output(attrs::compound("idMapping", "idm", {sortedId, idIndex}));
    for (auto& c : idMapping->children)
        c->writable = false;
    a.idMapping = add(type, idMapping);
    a.sortedId = sortedId.get();
    a.idIndex = idIndex.get();

    auto pointData = output(attrs::typed("instancePointData", "ipd", MFnData::kDynArrayAttrs));
    pointData->writable = false;
    auto mapping = attrs::typed("instanceAttributeMapping", "iam", MFnData::kStringArray);
    auto instanceData = attrs::compound("instanceData", "idt", {pointData, mapping});
    instanceData->array = true;
    a.instanceData = add(type, instanceData);
    a.instancePointData = pointData.get();
    a.instanceAttributeMapping = mapping.get();

    auto newParticles = attrs::typed("newParticles", "npt", MFnData::kDynArrayAttrs);
    newParticles->array = true;
    newParticles->storable = false;
    a.newParticles = add(type, newParticles);
    auto inputForce = attrs::typed("inputForce", "ifc", MFnData::kVectorArray);
    inputForce->array = true;
    inputForce->storable = false;
    a.inputForce = add(type, inputForce);

    // Time moves the particles; an edit of one array can change what is
    // derived from the others (count, age, ids, world positions).
    Attribute* computedState[] = {a.position,   a.velocity,  a.acceleration, a.mass,
                                  a.particleId, a.birthTime, a.nextId};
    Attribute* derived[] = {a.count, a.age, a.worldPosition, a.idMapping, a.instancePointData};
    for (Attribute* s : computedState)
        a.currentTime->affects.push_back(s);
    for (Attribute* d : derived) {
        a.currentTime->affects.push_back(d);
        for (Attribute* s : computedState)
            s->affects.push_back(d);
    }
}

void registerEmitter(NodeTypeRegistry& registry) {
    EmitterAttributes& a = emitterAttrs();
    NodeType& type = registry.addBuiltin("pointEmitter", "transform", MFn::kEmitter);
    type.compute = dag::computeMatrices;
    a.emitterType = add(
        type, attrs::enumeration(
                  "emitterType", "emt",
                  {{"direction", 0}, {"omni", 1}, {"surface", 2}, {"curve", 3}, {"volume", 4}}, 1));
    a.rate = add(type, attrs::numeric("rate", "rat", MFnNumericData::kDouble, 100.0));
    a.speed = add(type, attrs::numeric("speed", "spd", MFnNumericData::kDouble, 1.0));
    a.speedRandom = add(type, attrs::numeric("speedRandom", "srnd", MFnNumericData::kDouble));
    a.direction = add(type, vector3("direction", "d", 1.0, 0.0, 0.0));
    a.spread = add(type, attrs::numeric("spread", "spr", MFnNumericData::kDouble));
    a.seed = add(type, attrs::numeric("seed", "sd", MFnNumericData::kLong));
    a.maxDistance = add(type, attrs::numeric("maxDistance", "max", MFnNumericData::kDouble));
    a.minDistance = add(type, attrs::numeric("minDistance", "min", MFnNumericData::kDouble));
    a.normalSpeed = add(type, attrs::numeric("normalSpeed", "nsp", MFnNumericData::kDouble, 1.0));
    a.tangentSpeed = add(type, attrs::numeric("tangentSpeed", "tsp", MFnNumericData::kDouble));
    a.scaleRateByObjectSize = add(type, attrs::boolean("scaleRateByObjectSize", "sro", true));
    a.volumeShape = add(
        type,
        attrs::enumeration(
            "volumeShape", "vol",
            {{"none", 0}, {"cube", 1}, {"sphere", 2}, {"cylinder", 3}, {"cone", 4}, {"torus", 5}}));
    a.volumeOffset = add(type, vector3("volumeOffset", "vof", 0.0, 0.0, 0.0));
    a.volumeSweep = add(type, attrs::unit("volumeSweep", "vsw", MFnUnitAttribute::kAngle,
                                          2.0 * 3.14159265358979323846));
    a.sectionRadius =
        add(type, attrs::numeric("sectionRadius", "sra", MFnNumericData::kDouble, 0.5));
    a.awayFromCenter =
        add(type, attrs::numeric("awayFromCenter", "afc", MFnNumericData::kDouble, 1.0));
    a.awayFromAxis = add(type, attrs::numeric("awayFromAxis", "afa", MFnNumericData::kDouble));
    a.alongAxis = add(type, attrs::numeric("alongAxis", "alx", MFnNumericData::kDouble));
    a.aroundAxis = add(type, attrs::numeric("aroundAxis", "arx", MFnNumericData::kDouble));
    a.randomDirection =
        add(type, attrs::numeric("randomDirection", "rnd", MFnNumericData::kDouble));
    a.directionalSpeed =
        add(type, attrs::numeric("directionalSpeed", "drs", MFnNumericData::kDouble));
    a.scaleSpeedBySize = add(type, attrs::boolean("scaleSpeedBySize", "ssz", false));
    a.needParentUV = add(type, attrs::boolean("needParentUV", "nuv", false));
    a.cycleEmission =
        add(type, attrs::enumeration("cycleEmission", "cye", {{"none", 0}, {"frame", 1}}));
    a.cycleInterval = add(type, attrs::numeric("cycleInterval", "cyi", MFnNumericData::kLong, 1));
    auto out = attrs::typed("output", "ot", MFnData::kDynArrayAttrs);
    out->array = true;
    out->storable = false;
    out->writable = false;
    a.output = add(type, out);
}

void registerField(NodeTypeRegistry& registry) {
    FieldAttributes& a = fieldAttrs();
    NodeType& field = registry.addBuiltin("field", "transform", MFn::kField);
    field.abstract = true;
    field.compute = dag::computeMatrices;
    a.magnitude = add(field, attrs::numeric("magnitude", "mag", MFnNumericData::kDouble, 1.0));
    auto force = attrs::typed("outputForce", "of", MFnData::kVectorArray);
    force->array = true;
    force->storable = false;
    force->writable = false;
    a.outputForce = add(field, force);
    NodeType& gravity = registry.addBuiltin("gravityField", "field", MFn::kGravity);
    gravity.compute = dag::computeMatrices;
    a.direction = add(gravity, vector3("direction", "d", 0.0, -1.0, 0.0));
}

void registerInstancer(NodeTypeRegistry& registry) {
    InstancerAttributes& a = instancerAttrs();
    NodeType& type = registry.addBuiltin("instancer", "transform", MFn::kInstancer);
    type.compute = computeInstancer;
    auto points = attrs::typed("inputPoints", "inp", MFnData::kDynArrayAttrs);
    points->storable = false;
    a.inputPoints = add(type, points);
    auto hierarchy = attrs::matrix("inputHierarchy", "inh");
    hierarchy->array = true;
    hierarchy->storable = false;
    a.inputHierarchy = add(type, hierarchy);
    auto count = attrs::numeric("hierarchyCount", "hc", MFnNumericData::kLong);
    count->writable = false;
    count->storable = false;
    count->computed = true;
    a.hierarchyCount = add(type, count);
    a.inputHierarchy->affects.push_back(a.hierarchyCount);
    a.cycle = add(type, attrs::enumeration("cycle", "cyc", {{"none", 0}, {"sequential", 1}}));
    a.cycleStep = add(type, attrs::numeric("cycleStep", "cs", MFnNumericData::kDouble, 1.0));
    a.cycleStepUnit =
        add(type, attrs::enumeration("cycleStepUnit", "csu", {{"frames", 0}, {"seconds", 1}}));
    a.levelOfDetail =
        add(type, attrs::enumeration("levelOfDetail", "lod",
                                     {{"geometry", 0}, {"boundingBoxes", 1}, {"boundingBox", 2}}));
    a.rotationAngleUnits = add(
        type, attrs::enumeration("rotationAngleUnits", "rau", {{"degrees", 0}, {"radians", 1}}));
    a.rotationOrder =
        add(type, attrs::enumeration(
                      "rotationOrder", "rod",
                      {{"xyz", 0}, {"yzx", 1}, {"zxy", 2}, {"xzy", 3}, {"yxz", 4}, {"zyx", 5}}));
}

}  // namespace

const ShapeAttributes& shapeAttributes() {
    return shapeAttrs();
}
const EmitterAttributes& emitterAttributes() {
    return emitterAttrs();
}
const FieldAttributes& fieldAttributes() {
    return fieldAttrs();
}
const InstancerAttributes& instancerAttributes() {
    return instancerAttrs();
}

void registerNodeTypes() {
    NodeTypeRegistry& registry = NodeTypeRegistry::instance();
    registerShape(registry);
    registerEmitter(registry);
    registerField(registry);
    registerInstancer(registry);
}

}  // namespace particles

void registerParticleNodeTypes() {
    particles::registerNodeTypes();
    particles::registerCommands();
}

}  // namespace host
