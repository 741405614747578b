// The API's edits are not undoable by themselves (a command that uses them
// undoes them its own way), so each call drops the record of its edits.
#include "deformers/BlendShape.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MFnBlendShapeDeformer.h>

using host::Node;
using host::deformers::blendShapeAttributes;

namespace {

void report(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

Node* deformerOf(const MObject& object) {
    Node* node = host::nodeOf(object);
    return node && node->inScene && node->type().isA("blendShape") ? node : nullptr;
}

Node* meshOf(const MObject& object) {
    Node* node = host::nodeOf(object);
    return node && node->inScene ? host::deformers::meshShapeOf(*node) : nullptr;
}

host::PlugRef plugAt(Node* node, host::Attribute* attribute, std::vector<unsigned> indices = {}) {
    return host::PlugRef{node, host::PlugPath{attribute, std::move(indices)}};
}

MObject objectOf(Node* node) {
    return host::Scene::current().object(node);
}

}  // namespace

MFnBlendShapeDeformer::MFnBlendShapeDeformer() = default;
MFnBlendShapeDeformer::MFnBlendShapeDeformer(MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, attach(object));
}
MFnBlendShapeDeformer::MFnBlendShapeDeformer(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, attach(object));
}
MFnBlendShapeDeformer::~MFnBlendShapeDeformer() = default;

MFn::Type MFnBlendShapeDeformer::type() const {
    return MFn::kBlendShape;
}
const char* MFnBlendShapeDeformer::className() const {
    return "MFnBlendShapeDeformer";
}

bool MFnBlendShapeDeformer::acceptsObject(const MObject& object) const {
    return deformerOf(object) != nullptr;
}

MObject MFnBlendShapeDeformer::create(MObject baseObject, Origin originSpace,
                                      MStatus* ReturnStatus) {
    const std::vector<Node*> bases{meshOf(baseObject)};
    host::commands::Edits edits;
    host::NodePtr deformer =
        host::deformers::attachBlendShape(bases, originSpace, "", edits, ReturnStatus);
    if (!deformer)
        return MObject();
    MObject object = host::toMObject(deformer);
    attach(object);
    return object;
}

MStatus MFnBlendShapeDeformer::addBaseObject(MObject& object) {
    Node* deformer = deformerOf(m_object);
    Node* base = meshOf(object);
    if (!deformer || !base)
        return MS::kInvalidParameter;
    host::commands::Edits edits;
    return host::deformers::addBase(*deformer, *base, edits);
}

MStatus MFnBlendShapeDeformer::getBaseObjects(MObjectArray& objects) const {
    Node* deformer = deformerOf(m_object);
    if (!deformer)
        return MS::kInvalidParameter;
    objects.setLength(0);
    for (Node* base : host::deformers::baseShapes(*deformer))
        objects.append(objectOf(base));
    return MS::kSuccess;
}

MStatus MFnBlendShapeDeformer::addTarget(const MObject& baseObject, int weightIndex,
                                         const MObject& newTarget, double fullWeight) {
    Node* deformer = deformerOf(m_object);
    Node* base = meshOf(baseObject);
    Node* target = meshOf(newTarget);
    if (!deformer || !base || !target || weightIndex < 0)
        return MS::kInvalidParameter;
    host::commands::Edits edits;
    return host::deformers::addTarget(*deformer, *base, static_cast<unsigned>(weightIndex), *target,
                                      fullWeight, edits);
}

MStatus MFnBlendShapeDeformer::getTargets(MObject baseObject, int weightIndex,
                                          MObjectArray& targetObjects) const {
    Node* deformer = deformerOf(m_object);
    Node* base = meshOf(baseObject);
    const int g = deformer && base ? host::deformers::geometryIndex(*deformer, *base) : -1;
    if (g < 0 || weightIndex < 0)
        return MS::kInvalidParameter;
    targetObjects.setLength(0);
    for (Node* target : host::deformers::targetShapes(*deformer, static_cast<unsigned>(g),
                                                      static_cast<unsigned>(weightIndex)))
        targetObjects.append(objectOf(target));
    return MS::kSuccess;
}

MStatus MFnBlendShapeDeformer::targetItemIndexList(unsigned int targetIndex, MObject baseObject,
                                                   MIntArray& inbetweens) const {
    Node* deformer = deformerOf(m_object);
    Node* base = meshOf(baseObject);
    const int g = deformer && base ? host::deformers::geometryIndex(*deformer, *base) : -1;
    if (g < 0)
        return MS::kInvalidParameter;
    inbetweens.setLength(0);
    for (unsigned i :
         host::deformers::itemIndices(*deformer, static_cast<unsigned>(g), targetIndex))
        inbetweens.append(static_cast<int>(i));
    return MS::kSuccess;
}

unsigned int MFnBlendShapeDeformer::numWeights(MStatus* ReturnStatus) const {
    Node* deformer = deformerOf(m_object);
    report(ReturnStatus, deformer ? MS::kSuccess : MS::kInvalidParameter);
    return deformer ? static_cast<unsigned>(host::deformers::weightIndices(*deformer).size()) : 0;
}

MStatus MFnBlendShapeDeformer::weightIndexList(MIntArray& indexList) const {
    Node* deformer = deformerOf(m_object);
    if (!deformer)
        return MS::kInvalidParameter;
    indexList.setLength(0);
    for (unsigned i : host::deformers::weightIndices(*deformer))
        indexList.append(static_cast<int>(i));
    return MS::kSuccess;
}

float MFnBlendShapeDeformer::weight(unsigned int index, MStatus* ReturnStatus) const {
    Node* deformer = deformerOf(m_object);
    report(ReturnStatus, deformer ? MS::kSuccess : MS::kInvalidParameter);
    if (!deformer)
        return 0.0f;
    return static_cast<float>(host::valueAsDouble(
        host::evaluate(plugAt(deformer, blendShapeAttributes().weight, {index}))));
}

MStatus MFnBlendShapeDeformer::setWeight(unsigned int index, float weight) {
    Node* deformer = deformerOf(m_object);
    if (!deformer)
        return MS::kInvalidParameter;
    return host::assign(plugAt(deformer, blendShapeAttributes().weight, {index}),
                        static_cast<double>(weight));
}

float MFnBlendShapeDeformer::envelope(MStatus* ReturnStatus) const {
    Node* deformer = deformerOf(m_object);
    report(ReturnStatus, deformer ? MS::kSuccess : MS::kInvalidParameter);
    if (!deformer)
        return 0.0f;
    return static_cast<float>(
        host::valueAsDouble(host::evaluate(plugAt(deformer, blendShapeAttributes().envelope))));
}

MStatus MFnBlendShapeDeformer::setEnvelope(float envelope) {
    Node* deformer = deformerOf(m_object);
    if (!deformer)
        return MS::kInvalidParameter;
    return host::assign(plugAt(deformer, blendShapeAttributes().envelope),
                        static_cast<double>(envelope));
}

MFnBlendShapeDeformer::Origin MFnBlendShapeDeformer::origin(MStatus* ReturnStatus) const {
    Node* deformer = deformerOf(m_object);
    report(ReturnStatus, deformer ? MS::kSuccess : MS::kInvalidParameter);
    if (!deformer)
        return kLocalOrigin;
    return host::valueAsLong(host::evaluate(plugAt(deformer, blendShapeAttributes().origin))) == 1
               ? kWorldOrigin
               : kLocalOrigin;
}

MStatus MFnBlendShapeDeformer::setOrigin(Origin space) {
    Node* deformer = deformerOf(m_object);
    if (!deformer)
        return MS::kInvalidParameter;
    return host::assign(plugAt(deformer, blendShapeAttributes().origin), static_cast<long>(space));
}
