#ifndef DK_COMMANDS_UNINSTANCER_DKUNINSTANCERCMD_H
#define DK_COMMANDS_UNINSTANCER_DKUNINSTANCERCMD_H

#include "commands/uninstancer/DKanimatedGeometry.h"
#include "commands/uninstancer/DKheldKeys.h"
#include "commands/uninstancer/DKinstancedObject.h"
#include "commands/uninstancer/DKrecordIndex.h"
#include "operations/DKmayaModifier.h"
#include "scene/DKmayaObject.h"
#include "scene/DKparticleIdMapper.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MDagModifier.h>
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MItDag.h>
#include <maya/MItInstancer.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MObjectArray.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MTime.h>

#include <cstdint>
#include <deque>
#include <vector>

// dkUninstancer: turns what a particle instancer draws into real scene
// objects. The copies are made by script commands run with undo off, so the
// host records none of it; the command registers every copy's transform
// instead, undo deletes exactly those and redo brings them back.
//
// The work of one run, in the order doIt calls it:
//   parseArgs / parseTargets      the target, the options and their checks
//   gatherInstancedObjects         the table of objects the instancer places
//   bakeFrames, the frame loop, which the user may stop after any frame;
//   per sampled frame (bakeFrame): prepareFrame, then for each particle the
//   instancer draws, acceptParticle and the bake of that particle.
// bakeFrame is the one place where a bake type joins: the geometry bake
// places a fresh copy per particle and frame, the animation bake keys one
// copy per particle id and closes each frame by hiding the copies whose
// particles are gone. Its transform keys are held back a few frames at a
// time (DKheldKeys) and written onto their curves before bakeFrames ends.
class DKuninstancerCmd : public MPxCommand {
public:
    static const char* const commandName;

    static void* creator();
    static MSyntax newSyntax();

    DKuninstancerCmd();
    ~DKuninstancerCmd() override;

    MStatus doIt(const MArgList& args) override;
    MStatus undoIt() override;
    MStatus redoIt() override;
    bool isUndoable() const override { return true; }

private:
    enum BakeType { kGeometryBake = 0, kAnimationBake = 2 };

    // Arguments and targets (DKuninstancerCmd.cpp).
    void parseArgs(const MArgList& args);
    void parseTargets(const MArgDatabase& database);
    void parseSelectedParticles(const MSelectionList& list);
    void seekInstancer(MItInstancer& iterator) const;
    std::int64_t bakeFrames();
    void bakeFrame(MItInstancer& iterator, const MTime& time);

    // Instance extraction (DKinstanceExtraction.cpp).
    void gatherInstancedObjects();
    void collectShapes(MObjectArray& shapes, const MDagPath& root);
    void prepareFrame();
    void computeSources();
    void computeObjectIndices();
    void computeCycleIndices();
    MString objectIndexAttribute();
    bool usesCycling();
    double cycleStepSeconds();
    bool acceptParticle(int id, int& objectIndex);
    int objectIndexOf(int id) const;
    const DKsourceFrame& namedSource(int objectIndex);
    void copyInstancedObject(int objectIndex, MDagPath& copy);
    void renameCopy(const MDagPath& copy, const MStringArray& names);
    void placeCopy(int objectIndex, const MMatrix& matrix);

    // Animation and blend-shape bake (DKanimationBake.cpp).
    void prepareAnimationBake();
    void checkShapeLayout(const DKinstancedObject& copy, int objectIndex) const;
    std::uint32_t recordFor(int id, int objectIndex, const MTime& time);
    void keyRecord(std::uint32_t number, const MTime& time, const MMatrix& matrix, int objectIndex);
    void markSeen(std::uint32_t number);
    void closeFrame(const MTime& time);
    void setupBlendShapes(DKanimatedGeometry& record);
    void addBlendTarget(DKanimatedGeometry& record, const MTime& time, int objectIndex);
    double blendWeight(int objectIndex) const;

    MObject instancerNode_;
    MObject particleShape_;
    // Sorted ascending; only consulted while particlesSelected_ is set, so
    // that a selection naming no live particle copies nothing rather than
    // everything.
    std::vector<std::int32_t> selectedIds_;
    bool particlesSelected_ = false;
    std::uintptr_t instancerId_ = 0;
    std::int32_t instancerSlot_ = -1;
    std::int32_t hierarchyCount_ = -1;
    std::vector<DKinstancedObject> instancedObjects_;
    bool copyAsInstance_ = false;
    std::int32_t bakeType_ = kGeometryBake;
    std::int32_t startFrame_ = -1;
    std::int32_t endFrame_ = -1;
    std::int32_t frameStep_ = 1;
    MStringArray createdNames_;
    std::int32_t cycle_ = 0;
    bool blendShapeBake_ = false;
    std::int32_t particleCount_ = -1;
    MIntArray objectIndices_;
    std::vector<DKsourceFrame> sources_;
    // The walk that names each copy, reset at every copy: setting one up
    // anew costs as much as the walk itself.
    MItDag copyWalk_;
    DKparticleIdMapper idMapper_;
    // Animation bake: one record per particle id, numbered in the order
    // made and found by id through recordIndex_. Side by side, the records
    // a frame visits stay close in memory however large the bake grows.
    std::vector<DKanimatedGeometry> records_;
    DKrecordIndex recordIndex_;
    // The records whose copy is not gone yet, in the order they were made:
    // the ones each frame's end looks at.
    std::vector<std::uint32_t> showing_;
    DKheldKeys heldKeys_{records_};
    // The curves and deformers the animation bake made; undo deletes them
    // with the copies, since they are no part of a copy's hierarchy.
    std::vector<MObject> bakedNodes_;

    // Undo (DKuninstancerUndo.cpp).
    MDagModifier deleteModifier_;
    DKmayaModifier childModifier_;
    bool undoPrepared_ = false;
    // A deque: a bake's hundreds of thousands of copies are never moved
    // as it grows.
    std::deque<DKmayaObject> createdObjects_;
};

#endif
