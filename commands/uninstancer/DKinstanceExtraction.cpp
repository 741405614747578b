// The part of dkUninstancer that leads from a particle the instancer draws
// to a real copy of what it shows: the table of placed objects, the
// per-frame data saying which object each particle shows and where, the
// test admitting a particle, and the making, naming and placing of a copy.

#include "commands/uninstancer/DKroundToPlaces.h"
#include "commands/uninstancer/DKuninstancerCmd.h"
#include "plugin/DKexception.h"
#include "scene/DKfnParticleInstancer.h"
#include "scene/DKfnParticleSystem.h"
#include "scene/DKnumeric.h"

#include <maya/MDagModifier.h>
#include <maya/MDoubleArray.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MPlug.h>
#include <maya/MTransformationMatrix.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// Whole multiples of the cycle step still count as reached when the
// division comes out a hair below them.
const double kCycleTolerance = 0.000001;

// What is copied for a hierarchy member: the member itself when it is a
// transform, else its transform.
MDagPath copiedPath(const DKinstancedObject& source) {
    if (source.path.node().hasFn(MFn::kTransform)) {
        return source.path;
    }
    MDagPath path;
    checkStatus(MDagPath::getAPathTo(source.path.transform(), path),
                "Error getting path to instanced object's transform");
    return path;
}

}  // namespace

void DKuninstancerCmd::gatherInstancedObjects() {
    instancedObjects_.clear();
    instancedObjects_.resize(hierarchyCount_ > 0 ? static_cast<std::size_t>(hierarchyCount_) : 0);
    DKfnParticleInstancer instancer(instancerNode_);
    for (std::size_t i = 0; i < instancedObjects_.size(); ++i) {
        const MObject object = instancer.hierarchyObject(static_cast<unsigned int>(i));
        // A member nothing feeds keeps an invalid path: the instancer draws
        // nothing for particles that choose it, and nor does the bake.
        if (object.isNull()) {
            continue;
        }
        DKinstancedObject& record = instancedObjects_[i];
        checkStatus(MDagPath::getAPathTo(object, record.path),
                    "Error getting DAG path for instanced object");
        collectShapes(record.shapes, record.path);
    }
}

void DKuninstancerCmd::collectShapes(MObjectArray& shapes, const MDagPath& root) {
    MStatus status;
    MItDag walk(MItDag::kDepthFirst, MFn::kShape, &status);
    checkStatus(status, "Error initializing instanced object dag iterator");
    checkStatus(walk.reset(root, MItDag::kDepthFirst, MFn::kShape), "Error resetting dag iterator");
    for (; !walk.isDone(); walk.next()) {
        MObject item = walk.currentItem();
        if (item.hasFn(MFn::kShape)) {
            shapes.append(item);
        }
    }
}

void DKuninstancerCmd::prepareFrame() {
    MFnDependencyNode shape(particleShape_);
    particleCount_ = 0;
    MPlug(particleShape_, shape.attribute("count")).getValue(particleCount_);
    idMapper_.update(particleShape_);
    computeSources();
    computeObjectIndices();
}

// Each object's world matrix along the path the host gives first: the
// local matrix, then the parents'.
void DKuninstancerCmd::computeSources() {
    sources_.assign(instancedObjects_.size(), DKsourceFrame());
    for (std::size_t i = 0; i < instancedObjects_.size(); ++i) {
        const DKinstancedObject& object = instancedObjects_[i];
        DKsourceFrame& source = sources_[i];
        source.live = object.path.isValid();
        if (source.live) {
            const MObject transform = object.path.transform();
            MFnTransform fn(transform);
            source.matrix = fn.transformation().asMatrix();
            if (!fn.parent(0).hasFn(MFn::kWorld)) {
                MDagPath path;
                MDagPath::getAPathTo(transform, path);
                source.matrix = source.matrix * path.exclusiveMatrix();
            }
        }
    }
}

MString DKuninstancerCmd::objectIndexAttribute() {
    return DKfnParticleSystem(particleShape_)
        .mappedAttribute("objectIndex", static_cast<unsigned int>(instancerSlot_));
}

bool DKuninstancerCmd::usesCycling() {
    return hierarchyCount_ > 1 && cycle_ != 0 && objectIndexAttribute().length() == 0;
}

void DKuninstancerCmd::computeObjectIndices() {
    objectIndices_.clear();
    if (usesCycling()) {
        computeCycleIndices();
        return;
    }
    if (hierarchyCount_ <= 1) {
        return;
    }
    const MString attribute = objectIndexAttribute();
    if (attribute.length() != 0) {
        DKfnParticleSystem(particleShape_).getPerParticleInts(objectIndices_, attribute);
    }
}

// The step as the instancer counts it: in seconds, to three places.
double DKuninstancerCmd::cycleStepSeconds() {
    if (cycle_ != 1) {
        throw DKunsupportedException(
            "The only supported instancer cycle types are None and Sequential.");
    }
    MStatus status;
    MFnDependencyNode instancer(instancerNode_, &status);
    checkStatus(status);
    double step = 0.0;
    int unit = 0;
    MPlug(instancerNode_, instancer.attribute("cycleStep")).getValue(step);
    MPlug(instancerNode_, instancer.attribute("cycleStepUnit")).getValue(unit);
    if (unit == 0) {
        step *= MTime(1.0, MTime::uiUnit()).as(MTime::kSeconds);
    }
    if (!(step > 0.0)) {
        std::stringstream message;
        message << "The cycleStep of " << instancer.name().asChar()
                << " must be greater than 0 for Sequential cycling.";
        throw DKbadArgumentException(message.str());
    }
    step = roundToPlaces(step, 3);
    if (!(step > 0.0)) {
        std::stringstream message;
        message << "The cycleStep of " << instancer.name().asChar()
                << " rounds to 0 seconds. Please use a cycleStep of at least 0.001 seconds for "
                   "Sequential cycling.";
        throw DKbadArgumentException(message.str());
    }
    return step;
}

// Sequential cycling as the instancer draws it: the start object, advanced
// by one for every whole cycle step in the particle's age, round the table.
// Age and step are counted in thousandths of a second, and a hair is added
// so that whole multiples count as reached.
void DKuninstancerCmd::computeCycleIndices() {
    const double step = cycleStepSeconds();
    DKfnParticleSystem shape(particleShape_);
    const unsigned int slot = static_cast<unsigned int>(instancerSlot_);

    MString ageName = shape.mappedAttribute("age", slot);
    if (ageName.length() == 0) {
        ageName = "age";
    }
    MDoubleArray ages;
    shape.getPerParticleDoubles(ages, ageName);
    const MString startName = shape.mappedAttribute("cycleStartObject", slot);
    MIntArray starts;
    if (startName.length() != 0) {
        shape.getPerParticleInts(starts, startName);
    }

    const unsigned int count = particleCount_ > 0 ? static_cast<unsigned int>(particleCount_) : 0;
    const std::int64_t objects = hierarchyCount_;
    objectIndices_.setLength(count);
    for (unsigned int p = 0; p < count; ++p) {
        // Arrays shorter than the count leave the rest at age 0, object 0.
        const double age = p < ages.length() ? ages[p] : 0.0;
        const std::int64_t start = p < starts.length() ? starts[p] : 0;
        // The rounded age is bounded, so the steps fit.
        const auto steps =
            static_cast<std::int64_t>(roundToPlaces(age, 3) / step + kCycleTolerance);
        // Counted round the table also when a negative start object or age
        // takes the sum below 0.
        std::int64_t index = (start + steps) % objects;
        if (index < 0) {
            index += objects;
        }
        objectIndices_[p] = static_cast<int>(index);
    }
}

bool DKuninstancerCmd::acceptParticle(int id, int& objectIndex) {
    if (particlesSelected_ && !std::binary_search(selectedIds_.begin(), selectedIds_.end(), id)) {
        return false;
    }
    objectIndex = objectIndexOf(id);
    return objectIndex >= 0 && sources_[static_cast<std::size_t>(objectIndex)].live;
}

// -1 when the particle's object can not be known: its id is not in the
// id mapping. Values outside the table show its first or last object.
int DKuninstancerCmd::objectIndexOf(int id) const {
    if (objectIndices_.length() == 0) {
        return 0;
    }
    const int index = idMapper_.indexOf(id);
    if (index < 0) {
        return -1;
    }
    // A per-particle array shorter than the particle count leaves the
    // particles beyond it at object 0, as the instancer shows them.
    const int value = static_cast<unsigned int>(index) < objectIndices_.length()
                          ? objectIndices_[static_cast<unsigned int>(index)]
                          : 0;
    return std::clamp(value, 0, hierarchyCount_ - 1);
}

// The frame's record of the object, with the names a copy of it takes
// read on its first copy.
const DKsourceFrame& DKuninstancerCmd::namedSource(int objectIndex) {
    const DKinstancedObject& object = instancedObjects_[static_cast<std::size_t>(objectIndex)];
    DKsourceFrame& source = sources_[static_cast<std::size_t>(objectIndex)];
    if (source.named) {
        return source;
    }
    MStatus status;
    object.path.transform(&status);
    checkStatus(status);
    const MDagPath copied = copiedPath(object);
    source.copiedName = copied.fullPathName(&status);
    checkStatus(status);

    MItDag walk(MItDag::kDepthFirst, MFn::kInvalid, &status);
    checkStatus(status, "Error initializing instanced object dag iterator");
    checkStatus(walk.reset(copied, MItDag::kDepthFirst, MFn::kInvalid),
                "Error resetting dag iterator");
    source.names.clear();
    for (; !walk.isDone(); walk.next()) {
        MFnDependencyNode node(walk.currentItem(), &status);
        checkStatus(status, "Error getting child of instanced hierarchy");
        source.names.append(node.name());
    }
    source.named = true;
    return source;
}

void DKuninstancerCmd::copyInstancedObject(int objectIndex, MDagPath& copy) {
    const DKsourceFrame& source = namedSource(objectIndex);
    const MString command =
        MString(copyAsInstance_ ? "instance " : "duplicate -rr ") + source.copiedName;
    MStringArray reply;
    checkStatus(MGlobal::executeCommand(command, reply, false, false));
    if (reply.length() == 0) {
        throw DKmayaException(std::string("No copy was made of ") + source.copiedName.asChar() +
                              ".");
    }
    MSelectionList made;
    checkStatus(MGlobal::getSelectionListByName(reply[0], made));
    checkStatus(made.getDagPath(0, copy));

    renameCopy(copy, source.names);
    if (!copy.node().hasFn(MFn::kTransform)) {
        throw DKunsupportedException("Currently only instanced transforms are supported.");
    }

    MObject transform = copy.transform();
    if (!MFnTransform(transform).parent(0).hasFn(MFn::kWorld)) {
        // Not recorded for undo: undo deletes the copy as a whole.
        MDagModifier toWorld;
        toWorld.reparentNode(transform, MObject::kNullObj);
        toWorld.doIt();
        MDagPath::getAPathTo(transform, copy);
    }

    const MString name = copy.partialPathName();
    createdObjects_.emplace_back(transform, name);
    createdNames_.append(name);
}

// Names every node of the copy after its counterpart in the source, with
// "_#" for the host to number. Nodes an "instance" copy shares with the
// source keep their names.
void DKuninstancerCmd::renameCopy(const MDagPath& copy, const MStringArray& names) {
    checkStatus(copyWalk_.reset(copy, MItDag::kDepthFirst, MFn::kInvalid),
                "Error resetting dag iterator");

    for (unsigned int i = 0; !copyWalk_.isDone(); copyWalk_.next(), ++i) {
        if (copyWalk_.instanceCount(true) >= 2) {
            continue;
        }
        const MObject node = copyWalk_.currentItem();
        // A copy has its source's shape, so this holds unless the source
        // changed under the bake; it fails as a lost counterpart would.
        if (i >= names.length()) {
            checkStatus(MS::kInvalidParameter, "Error getting child of instanced hierarchy");
        }
        MString command("rename ");
        if (!node.hasFn(MFn::kShape)) {
            command += "-ignoreShape ";
        }
        command += "\" ";
        command += copyWalk_.fullPathName();
        command += "\" \"";
        command += names[i];
        command += "_#\"";
        MString reply;
        checkStatus(MGlobal::executeCommand(command, reply, false, false),
                    "Error executing rename command");
    }
}

void DKuninstancerCmd::placeCopy(int objectIndex, const MMatrix& matrix) {
    MDagPath copy;
    copyInstancedObject(objectIndex, copy);
    MFnTransform transform(copy.transform());
    checkStatus(transform.set(MTransformationMatrix(matrix)),
                "Unable to apply particle transform to duplicate");
}
