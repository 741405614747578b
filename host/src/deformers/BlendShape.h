#ifndef HOST_DEFORMERS_BLENDSHAPE_H
#define HOST_DEFORMERS_BLENDSHAPE_H
// The blendShape deformer: the geometryFilter and blendShape node types, how
// a blend shape moves its base points, and the scene edits that attach one
// to meshes and give it targets.

#include "commands/Support.h"
#include "graph/Node.h"

#include <maya/MStatus.h>

#include <string>
#include <vector>

namespace host {
namespace deformers {

struct BlendShapeAttributes {
    // geometryFilter
    Attribute* input = nullptr;           // "input" (ip): one element per deformed geometry
    Attribute* inputGeometry = nullptr;   //   "inputGeometry" (ig)
    Attribute* groupId = nullptr;         //   "groupId" (gi)
    Attribute* outputGeometry = nullptr;  // "outputGeometry" (og), computed
    Attribute* envelope = nullptr;        // "envelope" (en)
    // blendShape
    Attribute* weight = nullptr;             // "weight" (w): one per target group
    Attribute* inputTarget = nullptr;        // "inputTarget" (it): per geometry
    Attribute* inputTargetGroup = nullptr;   //   "inputTargetGroup" (itg): per target
    Attribute* inputTargetItem = nullptr;    //     "inputTargetItem" (iti): per full weight
    Attribute* inputGeomTarget = nullptr;    //       "inputGeomTarget" (igt): a live target
    Attribute* inputPointsTarget = nullptr;  //       "inputPointsTarget" (ipt): kept deltas
    Attribute* origin = nullptr;             // "origin" (or): 0 local, 1 world
};
const BlendShapeAttributes& blendShapeAttributes();

void registerBlendShapeType();

// Target items are kept at index 5000 + 1000 × their full weight.
unsigned itemIndex(double fullWeight);
double itemWeight(unsigned itemIndex);

// The mesh shape a node stands for: the mesh itself, or the first mesh
// below a transform that is not an intermediate object. Null for others.
Node* meshShapeOf(Node& node);

// Every edit below is carried out at once and recorded in edits, so that a
// command can undo it; API callers that do not undo drop the record.

// Makes a blendShape deforming the meshes (geometry index = position):
// each mesh's current geometry becomes the deformer's input, through the
// mesh's upstream connection when it has one, else through an intermediate
// copy "<shape>Orig" under the same transform; the deformer's output then
// feeds the mesh (deformers stack: a mesh fed by one already gets the new
// one after it). Null with status for a base that is not a mesh.
NodePtr attachBlendShape(const std::vector<Node*>& bases, int origin, const std::string& name,
                         commands::Edits& edits, MStatus* status);
// Deforms one more mesh with an existing blendShape, at the next geometry index.
MStatus addBase(Node& deformer, Node& base, commands::Edits& edits);

// The geometry index the deformer deforms the mesh at, or -1.
int geometryIndex(Node& deformer, Node& base);
// The meshes the deformer's outputs feed, by geometry index.
std::vector<Node*> baseShapes(Node& deformer);

// Adds the target mesh as the item of target group targetIndex at
// fullWeight (an in-between when the group has items already); the target
// stays live through a connection and its deltas are kept besides, so the
// shape survives the target's deletion. A new group's weight starts at 0.
MStatus addTarget(Node& deformer, Node& base, unsigned targetIndex, Node& target, double fullWeight,
                  commands::Edits& edits);
// The target meshes connected to one group of one base, by item index.
std::vector<Node*> targetShapes(Node& deformer, unsigned geometry, unsigned targetIndex);
// The item indices of a group of one base.
std::vector<unsigned> itemIndices(Node& deformer, unsigned geometry, unsigned targetIndex);
// Indices of the weights in use: those set and those of every target group.
std::vector<unsigned> weightIndices(Node& deformer);

// Sets weight[index] (through edits).
bool setWeight(Node& deformer, unsigned index, double weight, commands::Edits& edits);

// The blendShape command.
void registerBlendShapeCommand();

}  // namespace deformers
}  // namespace host

#endif
