#include "commands/uninstancer/DKuninstancerCmd.h"

#include "commands/uninstancer/DKframeProgress.h"
#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"
#include "scene/DKfnParticleInstancer.h"
#include "scene/DKfnParticleSystem.h"
#include "scene/DKnumeric.h"

#include <maya/MAnimControl.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MPlug.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace {

const char* const kInstancerFlag = "ins";
const char* const kCopyAsInstanceFlag = "cai";
const char* const kStartFrameFlag = "sf";
const char* const kEndFrameFlag = "ef";
const char* const kFrameStepFlag = "fs";
const char* const kBakeTypeFlag = "bt";

const char* const kSelectionMessage =
    "Please select a single particle instancer, single particle system, or some number of "
    "individual particles.";

std::string nodeName(const MObject& node) {
    return MFnDependencyNode(node).name().asChar();
}

int intAttribute(const MObject& node, const char* attributeName) {
    MFnDependencyNode fn(node);
    int value = 0;
    MPlug(node, fn.attribute(attributeName)).getValue(value);
    return value;
}

}  // namespace

const char* const DKuninstancerCmd::commandName = "dkUninstancer";

void* DKuninstancerCmd::creator() {
    return new DKuninstancerCmd;
}

MSyntax DKuninstancerCmd::newSyntax() {
    MSyntax syntax;
    syntax.addFlag(kInstancerFlag, "instancer", MSyntax::kString);
    syntax.addFlag(kCopyAsInstanceFlag, "copyAsInstance", MSyntax::kBoolean);
    syntax.addFlag(kStartFrameFlag, "startFrame", MSyntax::kLong);
    syntax.addFlag(kEndFrameFlag, "endFrame", MSyntax::kLong);
    syntax.addFlag(kFrameStepFlag, "frameStep", MSyntax::kLong);
    syntax.addFlag(kBakeTypeFlag, "bakeType", MSyntax::kString);
    syntax.setObjectType(MSyntax::kSelectionList, 1);
    syntax.useSelectionAsDefault(true);
    return syntax;
}

DKuninstancerCmd::DKuninstancerCmd() = default;
DKuninstancerCmd::~DKuninstancerCmd() = default;

void DKuninstancerCmd::parseArgs(const MArgList& args) {
    MStatus status;
    MArgDatabase database(syntax(), args, &status);
    if (status != MS::kSuccess) {
        throw DKsilentException();
    }
    parseTargets(database);

    cycle_ = intAttribute(instancerNode_, "cycle");

    bakeType_ = kGeometryBake;
    if (database.isFlagSet(kBakeTypeFlag)) {
        MString bakeType;
        checkStatus(database.getFlagArgument(kBakeTypeFlag, 0, bakeType));
        if (bakeType == "geometry") {
            bakeType_ = kGeometryBake;
        } else if (bakeType == "animation") {
            bakeType_ = kAnimationBake;
        } else {
            std::stringstream message;
            message << bakeType.asChar()
                    << " is not a valid bake type. Please use one of \"geometry\" or "
                       "\"animation\".";
            throw DKbadArgumentException(message.str());
        }
    }

    hierarchyCount_ = intAttribute(instancerNode_, "hierarchyCount");
    gatherInstancedObjects();
    if (hierarchyCount_ < 1) {
        throw DKexception("No shape associated with the instancer.");
    }
    // Refused now rather than at the first sampled frame, so that a bad
    // cycle setting makes nothing.
    if (usesCycling()) {
        cycleStepSeconds();
    }

    startFrame_ = endFrame_ = truncateToInt(MAnimControl::currentTime().value());
    if (database.isFlagSet(kStartFrameFlag)) {
        checkStatus(database.getFlagArgument(kStartFrameFlag, 0, startFrame_));
    }
    if (database.isFlagSet(kEndFrameFlag)) {
        checkStatus(database.getFlagArgument(kEndFrameFlag, 0, endFrame_));
    }
    if (database.isFlagSet(kFrameStepFlag)) {
        checkStatus(database.getFlagArgument(kFrameStepFlag, 0, frameStep_));
    }
    if (database.isFlagSet(kCopyAsInstanceFlag)) {
        checkStatus(database.getFlagArgument(kCopyAsInstanceFlag, 0, copyAsInstance_));
    }
    if (frameStep_ == 0) {
        throw DKbadArgumentException(
            "A frameStep of 0 is not valid. Please use a frameStep of 1 or more.");
    }

    if (bakeType_ == kAnimationBake) {
        prepareAnimationBake();
    }
}

void DKuninstancerCmd::parseTargets(const MArgDatabase& database) {
    MSelectionList list;
    checkStatus(database.getObjects(list));

    MPlug plug;
    list.getPlug(0, plug);
    if (!plug.isNull()) {
        throw DKbadArgumentException(kSelectionMessage);
    }
    MObject node;
    checkStatus(list.getDependNode(0, node));

    if (node.hasFn(MFn::kInstancer)) {
        if (database.isFlagSet(kInstancerFlag)) {
            // "particel" is the module's own text, which users' scripts match:
            // kept as it has always been, not corrected.
            throw DKbadArgumentException(
                "The instancer flag can only be used with a particle system or particel command "
                "target.");
        }
        instancerNode_ = node;
        if (list.length() >= 2) {
            throw DKbadArgumentException(kSelectionMessage);
        }
        instancerSlot_ = static_cast<std::int32_t>(
            DKfnParticleInstancer(instancerNode_).particleSystem(particleShape_));
        if (!particleShape_.hasFn(MFn::kParticle)) {
            throw DKexception("No particle system associated with the instancer.");
        }
    } else {
        if (!node.hasFn(MFn::kParticle)) {
            throw DKbadArgumentException(kSelectionMessage);
        }
        particleShape_ = node;

        if (database.isFlagSet(kInstancerFlag)) {
            MString name;
            checkStatus(database.getFlagArgument(kInstancerFlag, 0, name));
            MSelectionList named;
            checkStatus(MGlobal::getSelectionListByName(name, named));
            checkStatus(named.getDependNode(0, instancerNode_));
            if (!instancerNode_.hasFn(MFn::kInstancer)) {
                throw DKexception(nodeName(instancerNode_) + " is not a particle instancer node.");
            }
            MObject fed;
            instancerSlot_ = static_cast<std::int32_t>(
                DKfnParticleInstancer(instancerNode_).particleSystem(fed));
            if (fed != particleShape_) {
                throw DKexception(nodeName(instancerNode_) + " is not associated with " +
                                  nodeName(particleShape_) + ".");
            }
        } else {
            instancerSlot_ = 0;
            instancerNode_ = DKfnParticleSystem(particleShape_).instancer();
        }

        MDagPath path;
        MObject component;
        checkStatus(list.getDagPath(0, path, component));
        if (!component.isNull()) {
            parseSelectedParticles(list);
        } else if (list.length() > 1) {
            throw DKbadArgumentException(kSelectionMessage);
        }
    }

    instancerId_ = DKfnParticleInstancer(instancerNode_).instancerId();
}

// Component indices name particles as the shape numbers them now; they
// become ids here, since ids are what the frames have in common.
void DKuninstancerCmd::parseSelectedParticles(const MSelectionList& list) {
    particlesSelected_ = true;
    idMapper_.update(particleShape_);
    for (unsigned int i = 0; i < list.length(); ++i) {
        MDagPath path;
        MObject component;
        checkStatus(list.getDagPath(i, path, component));
        if (component.isNull() || !component.hasFn(MFn::kDynParticleSetComponent)) {
            throw DKbadArgumentException(kSelectionMessage);
        }
        if (path.node() != particleShape_) {
            throw DKbadArgumentException(
                "All selected particles must be from the same particle system.");
        }
        MIntArray elements;
        MFnSingleIndexedComponent(component).getElements(elements);
        for (unsigned int e = 0; e < elements.length(); ++e) {
            // An index past the last particle names nobody.
            const int id = elements[e] < 0 ? -1 : idMapper_.idAt(elements[e]);
            if (id >= 0) {
                selectedIds_.push_back(id);
            }
        }
    }
    std::sort(selectedIds_.begin(), selectedIds_.end());
}

void DKuninstancerCmd::seekInstancer(MItInstancer& iterator) const {
    iterator.reset();
    while (!iterator.isDone() && iterator.instancerId() != instancerId_) {
        checkStatus(iterator.nextInstancer());
    }
}

void DKuninstancerCmd::bakeFrame(MItInstancer& iterator, const MTime& time) {
    prepareFrame();
    seekInstancer(iterator);
    while (!iterator.isDone() && iterator.instancerId() == instancerId_) {
        int objectIndex = 0;
        if (acceptParticle(static_cast<int>(iterator.particleId()), objectIndex)) {
            // The object's own world matrix first, then the particle's.
            MMatrix matrix;
            matrix.setToProduct(sources_[objectIndex].matrix, iterator.matrix());
            if (bakeType_ == kAnimationBake) {
                const std::uint32_t record =
                    recordFor(static_cast<int>(iterator.particleId()), objectIndex, time);
                markSeen(record);
                keyRecord(record, time, matrix, objectIndex);
            } else {
                placeCopy(objectIndex, matrix);
            }
        }
        iterator.nextParticle();
    }
    if (bakeType_ == kAnimationBake) {
        closeFrame(time);
    }
}

// A stopped bake is a whole one over a shorter range: what it made is its
// result and goes with one undo. Returns the last frame made current.
std::int64_t DKuninstancerCmd::bakeFrames() {
    MItInstancer iterator;
    DKframeProgress progress(commandName, startFrame_, endFrame_);
    // Wide enough that neither the last frame nor the distance from the
    // first can overflow.
    const std::int64_t first = startFrame_;
    std::int64_t last = endFrame_;
    // The keys still held go onto their curves however the loop ends: a
    // failed bake leaves its copies in the scene, keyed as far as it got.
    try {
        for (std::int64_t frame = first; frame <= endFrame_; ++frame) {
            // Every frame is made current, sampled or not, so that the
            // dynamics advance one frame at a time.
            const MTime time(static_cast<double>(frame), MTime::uiUnit());
            MAnimControl::setCurrentTime(time);
            if ((frame - first) % frameStep_ == 0) {
                bakeFrame(iterator, time);
            }
            if (progress.frameDone(frame) && frame < endFrame_) {
                last = frame;
                break;
            }
        }
    } catch (...) {
        heldKeys_.write();
        throw;
    }
    heldKeys_.write();
    return last;
}

MStatus DKuninstancerCmd::doIt(const MArgList& args) {
    return errorFrame(commandName, [&] {
        clearResult();
        parseArgs(args);
        DKfnParticleSystem(particleShape_).evaluateDynamicsBefore(startFrame_);

        const std::int64_t stoppedAfter = bakeFrames();
        // The records serve the bake alone, and the command stays in the
        // undo queue: they would keep half a kilobyte a copy till it goes.
        records_ = std::vector<DKanimatedGeometry>();
        recordIndex_.release();
        showing_ = std::vector<std::uint32_t>();
        heldKeys_.release();
        // Told once the progress is gone, so that the line stands alone.
        if (stoppedAfter < endFrame_) {
            MString note(commandName);
            note += ": stopped after frame ";
            note += static_cast<int>(stoppedAfter);
            note += " at the user's request; the copies made so far are kept.";
            MGlobal::displayWarning(note);
        }
        setResult(createdNames_);
        return MStatus(MS::kSuccess);
    });
}
