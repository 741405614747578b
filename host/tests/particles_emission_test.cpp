// Surface and volume emitters: how many particles they make, and that each is born on
// the mesh or inside the volume, moving the way the emitter sends it.
#include "particles_fixture.h"

#include <maya/MVectorArray.h>

#include <cmath>
#include <functional>

namespace host::particles::testing {
namespace {

class EmitterTypes : public ParticleTest {
protected:
    MVectorArray positions() { return vectorsOf("pShape", "position"); }
    MVectorArray velocities() { return vectorsOf("pShape", "velocity"); }
    MVectorArray vectorsOf(const std::string& particles, const char* attribute) {
        MVectorArray values;
        MString name(attribute);
        shape(particles).getPerParticleAttribute(name, values);
        return values;
    }
    // Every particle's place meets the test; at least one particle is there to test.
    void expectEvery(const std::function<bool(const MVector&)>& inside, const char* what) {
        const MVectorArray p = positions();
        ASSERT_GT(p.length(), 0u) << what;
        for (unsigned k = 0; k < p.length(); ++k)
            ASSERT_TRUE(inside(p[k]))
                << what << " particle " << k << ": " << p[k].x << " " << p[k].y << " " << p[k].z;
    }
    // Back to the start frame, where the particles begin again, and on to the next.
    void replay() {
        frame(1);
        shape("pShape").count();
        frame(2);
    }
    // A volume emitter of the given flags at 1 2 3, 100 particles a frame, run one frame.
    void volume(const std::string& flags) {
        run("particle -n p; emitter -n em -type volume -r 2400 -pos 1 2 3 " + flags +
            "; connectDynamic -em em p");
        frame(2);
    }
};

double ring(const MVector& v) {
    return std::sqrt(v.x * v.x + v.z * v.z);
}

TEST_F(EmitterTypes, SurfaceEmissionIsOnTheFacesByArea) {
    run("particle -n p; polyCube -w 2 -h 2 -d 2 -n box; move 3 0 0 box;"
        "emitter -type surface -r 10 -spd 2 -nsp 1 -tsp 0 -n em box; connectDynamic -em em p");
    // The rate is per square unit: 10 x 24 a second, 10 a frame.
    frame(2);
    EXPECT_EQ(shape("pShape").count(), 10u);
    frame(3);
    EXPECT_EQ(shape("pShape").count(), 20u);
    const MVectorArray p = positions(), v = velocities();
    for (unsigned k = 0; k < p.length(); ++k) {
        // Born on the box's surface (those of the first frame have moved on since).
        const MVector local = p[k] - MVector(3, 0, 0) - v[k] / 24.0 * (k < 10 ? 1 : 0);
        EXPECT_NEAR(std::max({std::fabs(local.x), std::fabs(local.y), std::fabs(local.z)}), 1.0,
                    1e-9)
            << k;
        // Leaving straight out of the face at the speed given.
        EXPECT_NEAR(v[k].length(), 2.0, 1e-9) << k;
        EXPECT_NEAR(
            v[k].normal() * local.normal(),
            std::max({std::fabs(local.x), std::fabs(local.y), std::fabs(local.z)}) / local.length(),
            1e-9)
            << k;
    }
}

TEST_F(EmitterTypes, SurfaceFacesAreChosenByAreaAndTheSeedDecides) {
    // Four long faces of area 4 and two ends of area 1: an end one time in nine.
    run("particle -n p; polyCube -w 4 -h 1 -d 1 -n bar; "
        "emitter -type surface -sro 0 -r 21600 -spd 0 -n em bar; connectDynamic -em em p");
    frame(2);
    const MVectorArray first = positions();
    ASSERT_EQ(first.length(), 900u);
    int ends = 0;
    for (unsigned k = 0; k < first.length(); ++k)
        ends += std::fabs(std::fabs(first[k].x) - 2.0) < 1e-9 ? 1 : 0;
    EXPECT_NEAR(ends, 100, 35);
    // Played again, the same places; another seed, others.
    replay();
    const MVectorArray again = positions();
    for (unsigned k = 0; k < first.length(); ++k)
        ASSERT_EQ(again[k], first[k]) << k;
    run("setAttr em.seed 5");
    replay();
    EXPECT_NE(positions()[0], first[0]);
}

TEST_F(EmitterTypes, VolumeShapesHoldTheirParticles) {
    const MVector centre(1, 2, 3);
    volume("-vsh sphere");
    EXPECT_EQ(shape("pShape").count(), 100u);
    expectEvery([&](const MVector& p) { return (p - centre).length() <= 1 + 1e-9; }, "sphere");
    // Away from the centre at unit speed (the default terms).
    const MVectorArray p = positions(), v = velocities();
    for (unsigned k = 0; k < p.length(); ++k) {
        EXPECT_NEAR(v[k].length(), 1.0, 1e-9);
        EXPECT_NEAR(v[k] * (p[k] - centre).normal(), 1.0, 1e-9);
    }
    struct Case {
        const char* flags;
        std::function<bool(const MVector&)> inside;
    };
    const Case cases[] = {
        {"-vsh cube",
         [](const MVector& q) {
             return std::max({std::fabs(q.x), std::fabs(q.y), std::fabs(q.z)}) <= 0.5;
         }},
        {"-vsh cylinder", [](const MVector& q) { return ring(q) <= 1 && std::fabs(q.y) <= 1; }},
        {"-vsh cone", [](const MVector& q) { return q.y >= 0 && q.y <= 1 && ring(q) <= q.y; }},
        {"-vsh torus -tsr 0.25",
         [](const MVector& q) {
             return (ring(q) - 1) * (ring(q) - 1) + q.y * q.y <= 0.0625 + 1e-9;
         }},
        // A quarter sweep keeps to the quarter from +x to -z.
        {"-vsh cylinder -vsw 90",
         [](const MVector& q) { return q.x >= -1e-9 && q.z <= 1e-9 && ring(q) <= 1; }},
        {"-vsh cube -vof 0 5 0",
         [](const MVector& q) {
             return std::max({std::fabs(q.x), std::fabs(q.y - 5), std::fabs(q.z)}) <= 0.5;
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        volume(c.flags);
        expectEvery([&](const MVector& q) { return c.inside(q - centre); }, c.flags);
    }
}

TEST_F(EmitterTypes, VolumeSpeedTermsAndTheEmittersScale) {
    volume("-vsh sphere -afc 0 -alx 3");
    for (const MVector& v : {velocities()[0], velocities()[99]})
        EXPECT_NEAR((v - MVector(0, 3, 0)).length(), 0, 1e-9);
    // Scaled, the sphere grows; speeds keep their size unless -ssz says otherwise.
    SetUp();
    volume("-vsh sphere -ssz 0");
    run("scale 2 2 2 em");
    replay();
    expectEvery([](const MVector& q) { return (q - MVector(1, 2, 3)).length() <= 2 + 1e-9; },
                "scaled sphere");
    EXPECT_NEAR(velocities()[0].length(), 1.0, 1e-9);
    run("setAttr em.scaleSpeedBySize 1");
    replay();
    EXPECT_NEAR(velocities()[0].length(), 2.0, 1e-9);
    // Around the axis: square to both the axis and the way out from it.
    run("setAttr em.awayFromCenter 0; setAttr em.aroundAxis 1");
    replay();
    const MVector p = positions()[0] - MVector(1, 2, 3), v = velocities()[0];
    EXPECT_NEAR(v.y, 0, 1e-9);
    EXPECT_NEAR(v.x * p.x + v.z * p.z, 0, 1e-9);
}

TEST_F(EmitterTypes, RefusalsAndHugeRates) {
    run("particle -n p; spaceLocator -n loc; polyCube -n box");
    EXPECT_NE(failure("emitter -type curve box")
                  .find("emitter: curve emission needs a NURBS curve; NURBS curves are not "
                        "built in this host."),
              std::string::npos);
    EXPECT_NE(failure("emitter -type surface")
                  .find("emitter: a surface emitter needs the object it emits from."),
              std::string::npos);
    EXPECT_NE(failure("emitter -type surface box loc")
                  .find("emitter: 'loc' has no polygon mesh to emit from."),
              std::string::npos);
    EXPECT_NE(failure("emitter -type volume -vsh pyramid")
                  .find("emitter: invalid volume shape: pyramid (none, cube, sphere, cylinder, "
                        "cone or torus)."),
              std::string::npos);
    EXPECT_NE(failure("emitter -r 1e9")
                  .find("emitter: a rate of 1e+09 makes more than 1000000 particles in a frame."),
              std::string::npos);
    EXPECT_EQ(run("ls -type pointEmitter").toStringList().size(), 0u);
    // A rate set past the bound afterwards makes the bound's worth, and says so.
    run("emitter -n em -type volume -vsh cube; connectDynamic -em em p;"
        "setAttr pShape.maxCount 10; setAttr em.rate 1e300");
    frame(2);
    EXPECT_EQ(shape("pShape").count(), 10u);
    EXPECT_EQ(lastError(),
              "em: its rate would make more than 1000000 particles in one frame; "
              "it makes that many.");
}

TEST_F(EmitterTypes, EditAndQuery) {
    run("particle -n p; emitter -n em -type volume -vsh sphere -vsw 180 -vof 0 1 0 -r 24 -pos 1 2 "
        "3");
    EXPECT_EQ(text("emitter -q -typ em"), "volume");
    EXPECT_EQ(text("emitter -q -vsh em"), "sphere");
    EXPECT_EQ(text("emitter -q -vsw em"), "180");
    EXPECT_EQ(text("emitter -q -vof em"), "0 1 0");
    EXPECT_EQ(text("emitter -q -pos em"), "1 2 3");
    EXPECT_EQ(text("emitter -q -afc em"), "1");
    EXPECT_EQ(text("emitter -q -ssz em"), "0");
    run("emitter -e -typ dir -r 48 -dx 0 -dy 1 -sd 3 em");
    EXPECT_EQ(text("emitter -q -typ em"), "direction");
    EXPECT_EQ(text("emitter -q -r em"), "48");
    EXPECT_EQ(text("emitter -q -dy em"), "1");
    EXPECT_EQ(text("emitter -q -sd em"), "3");
    run("undo");
    EXPECT_EQ(text("emitter -q -typ em"), "volume");
    EXPECT_EQ(text("emitter -q -r em"), "24");
    EXPECT_NE(
        failure("emitter -e -typ curve em").find("emitter: curve emission needs a NURBS curve"),
        std::string::npos);
    EXPECT_NE(failure("emitter -e -typ surface em")
                  .find("emitter: a surface emitter needs the object it emits from."),
              std::string::npos);
    EXPECT_NE(failure("emitter -q -r p").find("emitter: 'p' is not an emitter."),
              std::string::npos);
    EXPECT_NE(failure("emitter -e -r 5").find("emitter: name the emitter to edit or query."),
              std::string::npos);
    EXPECT_EQ(text("emitter -q -typ em"), "volume");
}

// Cycled emission draws the same numbers every cyi frames, so the births repeat;
// without it every particle draws its own.
TEST_F(EmitterTypes, CycledEmissionRepeatsItsBirths) {
    run("particle -n p; emitter -n em -type omni -r 240 -spd 2 -srn 1 -mxd 1 -pos 1 2 3 "
        "-cye frame -cyi 2; connectDynamic -em em p; addAttr -ln lifespanPP -dt doubleArray pShape;"
        "setAttr pShape.lifespanMode 2;"
        "setAttr pShape.lifespanRandom 1");
    frame(4);  // three frames of ten births each
    auto same = [&](unsigned from, unsigned to) {
        const MVectorArray v = velocities();
        const std::vector<double> life = doublesOf("pShape", "lifespanPP");
        for (unsigned k = 0; k < 10; ++k)
            if (!(v[from + k] - v[to + k]).isEquivalent(MVector(), 1e-12) ||
                life[from + k] != life[to + k])
                return false;
        return true;
    };
    ASSERT_EQ(shape("pShape").count(), 30u);
    EXPECT_TRUE(same(0, 20));
    EXPECT_FALSE(same(0, 10));
    run("setAttr em.cycleInterval 1");
    frame(1);
    shape("pShape").count();
    frame(4);
    EXPECT_TRUE(same(0, 10));
    run("emitter -e -cye none em");
    frame(1);
    shape("pShape").count();
    frame(4);
    EXPECT_FALSE(same(0, 20));
    EXPECT_EQ(text("emitter -q -cye em"), "none");
}

// A fountain as a user's script builds it: spray from a basin's mesh, mist
// rising in a cylinder above it, both into one particle object pulled down by gravity,
// played through a second.
TEST_F(EmitterTypes, FountainScript) {
    run(R"(
proc string makeFountain(string $name, float $height) {
    string $basin[] = `polyCube -w 4 -h 0.5 -d 4 -n ($name + "Basin")`;
    string $spray[] = `emitter -type surface -r 5 -nsp 1 -spd 3 -sd 11 -n ($name + "Spray") $basin[0]`;
    string $mist[] = `emitter -type volume -vsh cylinder -r 48 -afc 0 -alx 1 -pos 0 $height 0
                             -n ($name + "Mist")`;
    setAttr ($mist[0] + ".scale") 0.5 0.25 0.5;
    string $drops[] = `particle -n ($name + "Drops")`;
    connectDynamic -em $spray[1] -em $mist[0] $drops[0];
    string $pull[] = `gravity -m 9.8 -n ($name + "Pull")`;
    connectDynamic -f $pull[0] $drops[0];
    setAttr ($drops[1] + ".lifespanMode") 1;
    addAttr -ln "lifespan" -at "double" $drops[1];
    setAttr ($drops[1] + ".lifespan") 5;
    return $drops[1];
}
string $shape = makeFountain("fountain", 6);
for ($f = 1; $f <= 25; $f++)
    currentTime $f;
)");
    // The basin's area is 40 square units: 200 a second from it, 48 from the mist.
    EXPECT_EQ(run("particle -q -ct fountainDropsShape").asInt(), 248);
    EXPECT_EQ(text("getAttr fountainSpray.emitterType"), "2");
    // Nothing but mist rises above the basin's spray, and the mist only moves up and
    // down: whatever is up there is over the mist's circle.
    const MVectorArray p = vectorsOf("fountainDropsShape", "position");
    ASSERT_EQ(p.length(), 248u);
    unsigned high = 0;
    for (unsigned k = 0; k < p.length(); ++k)
        if (p[k].y > 1) {
            ++high;
            EXPECT_LE(ring(p[k]), 0.5 + 1e-9) << k;
        }
    EXPECT_GT(high, 10u);
}

}  // namespace
}  // namespace host::particles::testing
