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

bool sameShape(const MObject& a, const MObject& b) {
    if (a.apiType() != b.apiType()) {
        return false;
    }
    return !a.hasFn(MFn::kMesh) || MFnMesh(a).numVertices() == MFnMesh(b).numVertices();
}

}  // namespace

void DKuninstancerCmd::prepareAnimationBake() {
    // Under cycling every object takes its turn, so a layout that can not
    // be blended is refused before anything is made.
    if (!blendShapeBake_) {
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

DKanimatedGeometry& DKuninstancerCmd::recordFor(int id, int objectIndex, const MTime& time) {
    DKanimatedGeometry& record = records_[id];
    if (record.created) {
        return record;
    }
    // Its transformation comes from the keys alone.
    copyInstancedObject(instancedObjects_[static_cast<std::size_t>(objectIndex)], record.copy.path);
    collectShapes(record.copy.shapes, record.copy.path);

    MFnTransform transform(record.copy.path.transform());
    for (int channel = 0; channel < DKanimatedGeometry::kChannelCount; ++channel) {
        MPlug plug = transform.findPlug(kChannelNames[channel], true);
        record.curves[channel] = MFnAnimCurve().create(plug, NULL);
        bakedNodes_.push_back(record.curves[channel]);
    }
    // Hidden from the start of time, shown from the particle's birth.
    keyVisibility(record, MTime(1.0, MTime::kFilm), 0.0);
    keyVisibility(record, time, 1.0);

    record.objectIndex = objectIndex;
    record.created = true;
    return record;
}

void DKuninstancerCmd::keyRecord(DKanimatedGeometry& record, const MTime& time,
                                 const MMatrix& matrix, int objectIndex) {
    const MTransformationMatrix transformation(matrix);
    const MVector translation = transformation.getTranslation(MSpace::kTransform);
    double rotation[3];
    MTransformationMatrix::RotationOrder order;
    transformation.getRotation(rotation, order);
    double scale[3];
    transformation.getScale(scale, MSpace::kTransform);

    const double values[DKanimatedGeometry::kVisibility] = {
        translation.x, translation.y, translation.z, rotation[0], rotation[1],
        rotation[2],   scale[0],      scale[1],      scale[2]};
    for (int channel = 0; channel < DKanimatedGeometry::kVisibility; ++channel) {
        MFnAnimCurve(record.curves[channel]).addKeyframe(time, values[channel]);
    }

    if (objectIndex != record.objectIndex) {
        addBlendTarget(record, time, objectIndex);
    }
    for (unsigned int i = 0; i < record.weightCurves.length(); ++i) {
        MFnAnimCurve(record.weightCurves[i]).addKeyframe(time, blendWeight(objectIndex));
    }
    record.objectIndex = objectIndex;
}

// A copy whose particle was not drawn at this frame is gone for good: it
// is hidden from here on, even if its particle shows again.
void DKuninstancerCmd::closeFrame(const MTime& time) {
    for (auto& entry : records_) {
        DKanimatedGeometry& record = entry.second;
        if (!record.created) {
            continue;
        }
        if (record.frameState == DKanimatedGeometry::kSeen) {
            record.frameState = DKanimatedGeometry::kUnseen;
        } else if (record.frameState == DKanimatedGeometry::kUnseen) {
            record.frameState = DKanimatedGeometry::kGone;
            keyVisibility(record, time, 0.0);
        }
    }
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
