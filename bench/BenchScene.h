#ifndef DK_BENCH_BENCHSCENE_H
#define DK_BENCH_BENCHSCENE_H

// The production-like scene the bakes are measured on, and the few host
// calls the benchmarks share.

#include <maya/MMatrix.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <cstddef>
#include <string>
#include <vector>

namespace dkbench {

// An emitter keeping about `alive` particles alive per frame (lifespans
// spread evenly over 0 to 3 seconds), drawn by instancer1 as one of three
// objects chosen by lifespanPP, turned by velocity and scaled by position.
struct BakeScene {
    int alive = 1000;
    int frames = 50;

    // The sampled range: it starts once the emitter has reached its steady
    // count, so every frame has about `alive` particles.
    int startFrame() const { return 73; }
    int endFrame() const { return startFrame() + frames - 1; }

    // Makes the scene in a new, empty one.
    void build() const;
};

// Starts the host, loads the plug-in and sources the script-way baker;
// exits the program with a message when any of it fails.
void startHost();

// Runs MEL; exits the program with the text when it fails, since a
// benchmark of a failing command measures nothing.
void mel(const std::string& text);
MStringArray melStrings(const std::string& text);

// A new scene with an empty undo queue.
void newScene();

// Heap bytes in use now, to measure what the copies cost.
std::size_t heapInUse();

// One copy a bake made: its transform's name and world matrix.
struct Copy {
    std::string name;
    MMatrix world;
};
std::vector<Copy> copiesNamed(const MStringArray& names);

// What the instancer draws over the range, frame by frame: for each
// particle, the frame, the source transform's full path, the names a copy
// takes and the world matrix of the copy to make.
struct Placement {
    int frame;
    MString source;
    MString sourceName;
    MString shapeName;
    MMatrix world;
};
std::vector<Placement> drawnOver(const BakeScene& scene);

// The benchmarks at production sizes, or small ones for a smoke run.
void registerBakeBenchmarks(bool small);
void registerHostBenchmarks(bool small);
void registerAfterBakeBenchmarks(bool small);

}  // namespace dkbench

#endif
