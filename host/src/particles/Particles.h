#ifndef HOST_PARTICLES_PARTICLES_H
#define HOST_PARTICLES_PARTICLES_H

// Particle shapes, the emitters and fields that drive them, and the
// instancer that draws objects at their particles.
//
// A shape's current particles live in its per-particle array plugs
// ("position", "velocity", ... and the arrays users add), so edits made with
// setAttr or setParticleAttr carry into the next step. Those plugs are
// computed from "currentTime": reading one brings the particles to the
// current time, stepping one frame of the UI time unit at a time from where
// they stand, or from the initial state ("position0", ...) at "startFrame"
// when time went back. Evaluating frame N from scratch therefore gives the
// same particles as stepping there frame by frame.

#include "graph/Node.h"

#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MTime.h>
#include <maya/MVectorArray.h>

#include <array>
#include <string>
#include <vector>

namespace host {
namespace particles {

struct ShapeAttributes {
    Attribute* currentTime = nullptr;
    Attribute* startFrame = nullptr;
    Attribute* isDynamic = nullptr;
    Attribute* conserve = nullptr;
    Attribute* maxCount = nullptr;
    // 0 live forever, 1 constant, 2 random range, 3 lifespanPP only. The
    // "lifespan" and "lifespanPP" the modes read are attributes users add.
    Attribute* lifespanMode = nullptr;
    Attribute* lifespanRandom = nullptr;
    Attribute* count = nullptr;
    Attribute* nextId = nullptr;
    Attribute* nextId0 = nullptr;
    // The particles' state, each with its initial-state twin.
    Attribute* position = nullptr;
    Attribute* velocity = nullptr;
    Attribute* acceleration = nullptr;
    Attribute* mass = nullptr;
    Attribute* particleId = nullptr;
    Attribute* birthTime = nullptr;
    Attribute* position0 = nullptr;
    Attribute* velocity0 = nullptr;
    Attribute* acceleration0 = nullptr;
    Attribute* mass0 = nullptr;
    Attribute* particleId0 = nullptr;
    Attribute* birthTime0 = nullptr;
    // Derived from the state.
    Attribute* age = nullptr;
    Attribute* worldPosition = nullptr;
    Attribute* idMapping = nullptr;
    Attribute* sortedId = nullptr;
    Attribute* idIndex = nullptr;
    // Links to the nodes around the shape.
    Attribute* instanceData = nullptr;
    Attribute* instancePointData = nullptr;
    Attribute* instanceAttributeMapping = nullptr;
    Attribute* newParticles = nullptr;
    Attribute* inputForce = nullptr;
};
struct EmitterAttributes {
    Attribute* emitterType = nullptr;  // EmitterType (particles/Emission.h)
    Attribute* rate = nullptr;
    Attribute* speed = nullptr;
    Attribute* speedRandom = nullptr;
    Attribute* direction = nullptr;
    Attribute* spread = nullptr;
    Attribute* seed = nullptr;
    Attribute* maxDistance = nullptr;
    Attribute* minDistance = nullptr;
    // surface emission
    Attribute* normalSpeed = nullptr;
    Attribute* tangentSpeed = nullptr;
    Attribute* scaleRateByObjectSize = nullptr;
    // volume emission
    Attribute* volumeShape = nullptr;  // VolumeShape (particles/Emission.h)
    Attribute* volumeOffset = nullptr;
    Attribute* volumeSweep = nullptr;
    Attribute* sectionRadius = nullptr;
    Attribute* awayFromCenter = nullptr;
    Attribute* awayFromAxis = nullptr;
    Attribute* alongAxis = nullptr;
    Attribute* aroundAxis = nullptr;
    Attribute* randomDirection = nullptr;
    Attribute* directionalSpeed = nullptr;
    Attribute* scaleSpeedBySize = nullptr;
    // Kept for scripts and files; the host does not give particles parent UVs
    // or restart the random stream, so these change nothing.
    Attribute* needParentUV = nullptr;
    Attribute* cycleEmission = nullptr;  // 0 none, 1 frame
    Attribute* cycleInterval = nullptr;
    Attribute* output = nullptr;
};
struct FieldAttributes {
    Attribute* magnitude = nullptr;
    Attribute* direction = nullptr;
    Attribute* outputForce = nullptr;
};
struct InstancerAttributes {
    Attribute* inputPoints = nullptr;
    Attribute* inputHierarchy = nullptr;
    Attribute* hierarchyCount = nullptr;
    Attribute* cycle = nullptr;  // 0 none, 1 sequential
    Attribute* cycleStep = nullptr;
    Attribute* cycleStepUnit = nullptr;  // 0 frames, 1 seconds
    Attribute* levelOfDetail = nullptr;
    Attribute* rotationAngleUnits = nullptr;  // 0 degrees, 1 radians
    Attribute* rotationOrder = nullptr;
};
const ShapeAttributes& shapeAttributes();
const EmitterAttributes& emitterAttributes();
const FieldAttributes& fieldAttributes();
const InstancerAttributes& instancerAttributes();

void registerNodeTypes();
void registerCommands();

class SceneEdit;

// --- shapes

// Makes a particle shape whose currentTime follows the scene's clock, under
// parent, or under a new transform named `name` ("particle#" when empty).
Node* createShape(SceneEdit& edit, const std::string& name, Node* parent = nullptr);

bool isShape(const Node& node);
// The particle shape a name or node stands for: the shape itself, or a
// transform with a particle shape below it. Null otherwise.
Node* shapeOf(Node* node);

enum class ArrayKind { None, Double, Vector, Int };
// What kind of per-particle array the shape's attribute is: a top-level
// double, vector or int array attribute of a particle shape.
ArrayKind perParticleKind(const Node& shape, const Attribute* attribute);
// Whether the attribute holds the initial state of another ("position0").
bool isInitialTwin(const Node& shape, const Attribute* attribute);

// Brings the shape's particles to its current time.
void update(Node& shape);
// Brings them to `time` instead, from the initial state when runup is set
// or when they stand later than that.
void evaluateAt(Node& shape, const MTime& time, bool runupFromStart);
// Makes the current particles the initial state.
void saveInitialState(Node& shape);
// Adds particles to the current state, at positions in the shape's space.
void addParticles(Node& shape, const MVectorArray& positions, const MVectorArray& velocities);

// How long each particle lives, in seconds, by the shape's lifespan mode:
// empty when they live forever.
MDoubleArray lifespans(Node& shape);

// The current values of a per-particle attribute (after update). Empty
// when the attribute is not of that kind.
MDoubleArray doubles(Node& shape, const Attribute* attribute);
MVectorArray vectors(Node& shape, const Attribute* attribute);
MIntArray ints(Node& shape, const Attribute* attribute);
// One particle's value of a per-particle attribute (a vector's three
// components, or a number and two zeros), read without copying the array;
// false when the attribute is not per-particle or the index is out of range.
bool particleValue(Node& shape, const Attribute* attribute, unsigned index,
                   std::array<double, 3>& out);
// Replaces the current values; fails when the attribute is not a
// per-particle array of that kind or the length is not the count.
bool setDoubles(Node& shape, const Attribute* attribute, const MDoubleArray& values);
bool setVectors(Node& shape, const Attribute* attribute, const MVectorArray& values);

unsigned count(Node& shape);
// The array index of the particle with the id, or -1.
int indexOfId(Node& shape, int id);

// The "instanceData" option-to-attribute pairs of one element.
std::vector<std::pair<std::string, std::string>> attributeMapping(Node& shape, unsigned element);
// The attribute mapped to the option in that element, or empty.
std::string mappedAttribute(Node& shape, unsigned element, const std::string& option);

}  // namespace particles
}  // namespace host

#endif
