// The animation bake of dkUninstancer: one copy per particle for the whole
// range, its transform channels keyed at every sampled frame and its
// visibility keyed so that it shows only while its particle lives. When a
// particle shows another object than its copy was made from, the change of
// shape goes into blend shapes on the copy, whose weight picks the object.

#include "commands/uninstancer/DKroundToPlaces.h"
#include "commands/uninstancer/DKuninstancerCmd.h"
#include "plugin/DKexception.h"

#include <maya/MFn.h>
#include <maya/MFnAnimCurve.h>
#include <maya/MFnBlendShapeDeformer.h>
#include <maya/MFnMesh.h>
#include <maya/MFnTransform.h>
#include <maya/MPlug.h>
#include <maya/MTransformationMatrix.h>

#include <string>

namespace {

const char* const kChannelNames[DKanimatedGeometry::kChannelCount] = {
    "translateX", "translateY", "translateZ", "rotateX", "rotateY",
    "rotateZ",    "scaleX",     "scaleY",     "scaleZ",  "visibility"};

// Visibility switches, it never fades.
void keyVisibility(const DKanimatedGeometry& record, const MTime& time, double value) {
    MFnAnimCurve(record.curves[DKanimatedGeometry::kVisibility])
        .addKeyframe(time, value, MFnAnimCurve::kTangentStep, MFnAnimCurve::kTangentStep);
}

// The keys decompose the drawn matrix in XYZ order about the origin, so
// the copy must compose its channels the same way: the rotate order,
// pivots, rotate axis and shear it took from its source would put it
// elsewhere than the instancer draws it.
void clearTransformation(const MObject& transform) {
    MFnTransform fn(transform);
    checkStatus(fn.set(MTransformationMatrix()), "Unable to apply particle transform to duplicate");
    checkStatus(fn.setRotationOrder(MTransformationMatrix::kXYZ, false),
                "Unable to apply particle transform to duplicate");
}

bool sameShape(const MObject& a, const MObject& b) {
    if (a.apiType() != b.apiType()) {
        return false;
    }
    return !a.hasFn(MFn::kMesh) || MFnMesh(a).numVertices() == MFnMesh(b).numVertices();
}

}  // namespace

void DKuninstancerCmd::prepareAnimationBake() {
    if (hierarchyCount_ <= 1) {
        return;
    }
    // A mapped objectIndex decides over cycling.
    const bool indexed = objectIndexAttribute().length() != 0;
    blendShapeBake_ = indexed || cycle_ == 1;
    // An instance shares its source's shapes: blend shapes on it would
    // deform the source and everything the instancer draws with it.
    if (copyAsInstance_ && indexed) {
        throw DKexception(
            "Can't copy as instance when baking animation to blendshapes. Please set "
            "copyAsInstance to false, or remove the objectIndex mapping.");
    }
    if (copyAsInstance_ && blendShapeBake_) {
        throw DKexception(
            "Can't copy as instance when baking animation to blendshapes. Please set "
            "copyAsInstance to false, or turn off instance cycling.");
    }
    // Under cycling every object takes its turn, so a layout that can not
    // be blended is refused before anything is made; a mapped index says
    // nothing of which objects will be shown.
    if (!usesCycling()) {
        return;
    }
    const DKinstancedObject* reference = nullptr;
    for (std::size_t k = 0; k < instancedObjects_.size(); ++k) {
        if (!reference) {
            reference = instancedObjects_[k].path.isValid() ? &instancedObjects_[k] : nullptr;
        } else {
            checkShapeLayout(*reference, static_cast<int>(k));
        }
    }
}

// The i-th shape of the copy blends into the i-th shape of the object
// shown, so both need the same shapes in the same order.
void DKuninstancerCmd::checkShapeLayout(const DKinstancedObject& copy, int objectIndex) const {
    const DKinstancedObject& object = instancedObjects_[static_cast<std::size_t>(objectIndex)];
    if (!copy.path.isValid() || !object.path.isValid()) {
        return;
    }
    bool same = copy.shapes.length() == object.shapes.length();
    for (unsigned int i = 0; same && i < copy.shapes.length(); ++i) {
        same = sameShape(copy.shapes[i], object.shapes[i]);
    }
    if (!same) {
        throw DKexception(std::string("The shapes of ") + copy.path.partialPathName().asChar() +
                          " and " + object.path.partialPathName().asChar() +
                          " differ in number, type or point count, so one can't be blended into "
                          "the other. Please give every instanced object the same shape layout.");
    }
}

std::uint32_t DKuninstancerCmd::recordFor(int id, int objectIndex, const MTime& time) {
    std::uint32_t number = recordIndex_.find(id);
    if (number != DKrecordIndex::kNone) {
        return number;
    }
    number = static_cast<std::uint32_t>(records_.size());
    DKanimatedGeometry& record = records_.emplace_back();
    // Its transformation comes from the keys alone.
    copyInstancedObject(objectIndex, record.copy.path);
    collectShapes(record.copy.shapes, record.copy.path);
    clearTransformation(record.copy.path.transform());

    MFnTransform transform(record.copy.path.transform());
    for (int channel = 0; channel < DKanimatedGeometry::kChannelCount; ++channel) {
        MPlug plug = transform.findPlug(kChannelNames[channel], true);
        record.curves[channel] = MFnAnimCurve().create(plug, NULL);
        bakedNodes_.push_back(record.curves[channel]);
    }
    // Hidden before the particle's birth, shown from it. The off key goes
    // at a time before any usual range, unless the range starts there.
    MTime hidden(1.0, MTime::kFilm);
    if (!(hidden < time)) {
        hidden = MTime(time.value() - 1.0, time.unit());
    }
    keyVisibility(record, hidden, 0.0);
    keyVisibility(record, time, 1.0);

    record.objectIndex = objectIndex;
    // Filed once whole: should the copy fail, the bake stops and no later
    // frame finds a half-made record.
    recordIndex_.insert(id, number);
    showing_.push_back(number);
    return number;
}

void DKuninstancerCmd::keyRecord(std::uint32_t number, const MTime& time, const MMatrix& matrix,
                                 int objectIndex) {
    DKanimatedGeometry& record = records_[number];
    const MTransformationMatrix transformation(matrix);
    const MVector translation = transformation.getTranslation(MSpace::kTransform);
    MEulerRotation rotation = transformation.eulerRotation();
    if (record.rotationKeyed) {
        rotation = rotation.closestSolution(record.keyedRotation);
    }
    record.keyedRotation = rotation;
    record.rotationKeyed = true;
    double scale[3];
    transformation.getScale(scale, MSpace::kTransform);

    const double values[DKanimatedGeometry::kVisibility] = {
        translation.x, translation.y, translation.z, rotation.x, rotation.y,
        rotation.z,    scale[0],      scale[1],      scale[2]};
    heldKeys_.hold(number, time, values);

    if (objectIndex != record.objectIndex) {
        addBlendTarget(record, time, objectIndex);
    }
    for (unsigned int i = 0; i < record.weightCurves.length(); ++i) {
        MFnAnimCurve(record.weightCurves[i]).addKeyframe(time, blendWeight(objectIndex));
    }
    record.objectIndex = objectIndex;
}

// A particle drawn again after its copy was hidden is followed again by
// the frame ends, which key the copy hidden once more when it goes.
void DKuninstancerCmd::markSeen(std::uint32_t number) {
    DKanimatedGeometry& record = records_[number];
    if (record.frameState == DKanimatedGeometry::kGone) {
        showing_.push_back(number);
    }
    record.frameState = DKanimatedGeometry::kSeen;
}

// A copy whose particle was not drawn at this frame is gone for good: it
// is hidden from here on, even if its particle shows again.
void DKuninstancerCmd::closeFrame(const MTime& time) {
    std::size_t kept = 0;
    for (const std::uint32_t number : showing_) {
        DKanimatedGeometry& record = records_[number];
        if (record.frameState == DKanimatedGeometry::kSeen) {
            record.frameState = DKanimatedGeometry::kUnseen;
        } else if (record.frameState == DKanimatedGeometry::kUnseen) {
            record.frameState = DKanimatedGeometry::kGone;
            keyVisibility(record, time, 0.0);
            continue;
        }
        showing_[kept++] = number;
    }
    showing_.resize(kept);
}

void DKuninstancerCmd::setupBlendShapes(DKanimatedGeometry& record) {
    const unsigned int count = record.copy.shapes.length();
    record.blendShapes.setLength(count);
    record.weightCurves.setLength(count);
    for (unsigned int i = 0; i < count; ++i) {
        MStatus status;
        MFnBlendShapeDeformer deformer;
        record.blendShapes[i] =
            deformer.create(record.copy.shapes[i], MFnBlendShapeDeformer::kLocalOrigin, &status);
        checkStatus(status, "Error creating blendshape");
        bakedNodes_.push_back(record.blendShapes[i]);
        MPlug weights = deformer.findPlug("weight", false, &status);
        checkStatus(status, "Error getting blendShape weight plug");
        MPlug weight = weights.elementByLogicalIndex(0, &status);
        checkStatus(status, "Error getting element of blendShape weight plug");
        record.weightCurves[i] = MFnAnimCurve().create(weight, NULL);
        bakedNodes_.push_back(record.weightCurves[i]);
    }
    record.targetAdded.assign(static_cast<std::size_t>(hierarchyCount_), false);
}

// Every object the particle shows becomes an in-between of the one target,
// at its own full weight; the copy keeps its own shape until the frame
// before the first change.
void DKuninstancerCmd::addBlendTarget(DKanimatedGeometry& record, const MTime& time,
                                      int objectIndex) {
    checkShapeLayout(record.copy, objectIndex);
    if (record.blendShapes.length() == 0) {
        setupBlendShapes(record);
        const MTime before(time.value() - 1.0, MTime::uiUnit());
        for (unsigned int i = 0; i < record.weightCurves.length(); ++i) {
            MFnAnimCurve(record.weightCurves[i]).addKeyframe(before, 0.0);
        }
    }
    if (record.targetAdded[static_cast<std::size_t>(objectIndex)]) {
        return;
    }
    const DKinstancedObject& object = instancedObjects_[static_cast<std::size_t>(objectIndex)];
    for (unsigned int i = 0; i < record.blendShapes.length(); ++i) {
        checkStatus(
            MFnBlendShapeDeformer(record.blendShapes[i])
                .addTarget(record.copy.shapes[i], 0, object.shapes[i], blendWeight(objectIndex)),
            "Error adding blend shape target");
    }
    record.targetAdded[static_cast<std::size_t>(objectIndex)] = true;
}

double DKuninstancerCmd::blendWeight(int objectIndex) const {
    return roundToPlaces(static_cast<unsigned int>(objectIndex + 1) * (1.0 / hierarchyCount_), 3);
}
