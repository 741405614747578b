// playblast, camera and lookThru: pictures of small fixed scenes held
// against reference images, the files a range writes, and the comparison
// of two node sets.
#include "particles_fixture.h"
#include "render_support.h"

#include <filesystem>

namespace host::render::testing {
namespace {

namespace fs = std::filesystem;

const std::string kReferences = std::string(HOST_TEST_DATA_DIR) + "/render/";

// A turned box and a ball beside it, seen by a camera aimed at the origin.
const char* const kStillLife =
    "polyCube -n box; setAttr box.rotateY 70;"
    "polySphere -r 0.6 -sx 12 -sy 8 -n ball; setAttr ball.translate 1.5 0.6 0;"
    "camera -p 4 3 6 -wci 0 0 0;";

// Three particles showing a small box; the original box at the origin is
// hidden, and the instancer draws it at the particles all the same.
const char* const kInstanced =
    "particle -p 1 0 0 -p 3 1 0 -p 5 0 1 -n dots;"
    "polyCube -n box -w 0.5 -h 0.5 -d 0.5; setAttr box.visibility 0;"
    "particleInstancer -obj box -n inst1 dotsShape;";

class PlayblastTest : public particles::testing::ParticleTest {
protected:
    void SetUp() override {
        ParticleTest::SetUp();
        folder = imageFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // Plays frame 1 small and whole into <folder>/<name>.0001.png.
    std::string blast(const std::string& name, const std::string& flags) {
        run("playblast -fr 1 -wh 160 120 -p 100 -v off -f \"" + folder + "/" + name + "\" " +
            flags);
        return folder + "/" + name + ".0001.png";
    }
    std::string folder;
};

TEST_F(PlayblastTest, ShadedAndWireframeStillLifeMatchReferences) {
    run(kStillLife);
    expectMatchesReference(blast("shaded", "-cam camera1"), kReferences + "still_shaded.png");
    expectMatchesReference(blast("wire", "-cam camera1 -da wireframe"),
                           kReferences + "still_wireframe.png");
}

TEST_F(PlayblastTest, InstancerDrawsItsObjectAtEachParticleInTheDefaultView) {
    run(kInstanced);
    expectMatchesReference(blast("instanced", ""), kReferences + "instanced.png");
}

TEST_F(PlayblastTest, WritesOneNumberedImagePerFrameAndPutsTheTimeBack) {
    run(kStillLife);
    frame(7);
    EXPECT_EQ(text("playblast -st 2 -et 4 -v off -f \"" + folder + "/shot\""),
              folder + "/shot.####.png");
    for (const char* name : {"shot.0002.png", "shot.0003.png", "shot.0004.png"})
        EXPECT_TRUE(fs::exists(folder + "/" + name)) << name;
    EXPECT_FALSE(fs::exists(folder + "/shot.0001.png"));
    EXPECT_FALSE(fs::exists(folder + "/shot.0005.png"));
    EXPECT_EQ(text("currentTime -q"), "7");
    // The default size is 640 x 480 at the host's default 50 percent.
    EXPECT_EQ(loadPng(folder + "/shot.0002.png").width(), 320);

    run("playblast -fr 5 -fr 12 -fp 2 -wh 100 80 -p 100 -f \"" + folder + "/few\"");
    EXPECT_TRUE(fs::exists(folder + "/few.05.png"));
    EXPECT_TRUE(fs::exists(folder + "/few.12.png"));
    EXPECT_EQ(loadPng(folder + "/few.05.png").height(), 80);
}

TEST_F(PlayblastTest, FrameNumberIsWrittenInTheBottomRightCornerOnly) {
    run(kStillLife);
    run("playblast -st 1 -et 2 -wh 160 120 -p 100 -f \"" + folder + "/a\"");
    run("playblast -fr 1 -orn false -wh 160 120 -p 100 -f \"" + folder + "/plain\"");
    const Image one = loadPng(folder + "/a.0001.png"), two = loadPng(folder + "/a.0002.png"),
                plain = loadPng(folder + "/plain.0001.png");
    int changed = 0, outsideCorner = 0, labelled = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) {
            const bool corner = x > one.width() * 3 / 4 && y > one.height() * 3 / 4;
            if (one.at(x, y) != two.at(x, y)) {
                ++changed;
                outsideCorner += !corner;
            }
            labelled += one.at(x, y) != plain.at(x, y);
        }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(outsideCorner, 0);
    EXPECT_GT(labelled, 0);
}

TEST_F(PlayblastTest, RefusesWhatItCannotWriteAndWritesNothing) {
    run(kStillLife);
    const std::string file = " -fr 1 -f \"" + folder + "/x\"";
    const std::pair<const char*, const char*> refused[] = {
        {"-fmt movie", "Only -format image is supported here; movie cannot be written."},
        {"-c jpg", "Image format jpg is not supported; use png."},
        {"-cam box", "box is not a camera."},
        {"-cmp box nothing", "No object matches name: nothing"},
        {"-da hidden", "hidden is not a display appearance"},
        {"-cml diagonal -cmp box ball", "diagonal is not a compare layout"},
        {"-wh -5 10", "The width and height must not be negative."}};
    for (const auto& [flags, message] : refused) {
        EXPECT_NE(failure(std::string("playblast ") + flags + file).find(message),
                  std::string::npos)
            << flags;
    }
    EXPECT_NE(failure("playblast -st 5 -et 2 -f \"" + folder + "/x\"")
                  .find("start time is after the end time"),
              std::string::npos);
    EXPECT_NE(failure("playblast -f \"" + folder + "/missing/x\" -fr 1").find("missing/x.0001.png"),
              std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(PlayblastTest, LookThruChoosesTheCameraUntilItIsDeleted) {
    run(kStillLife);
    EXPECT_EQ(text("lookThru -q"), "");
    run("lookThru camera1");
    EXPECT_EQ(text("lookThru -q"), "camera1");
    const Image through = loadPng(blast("through", ""));
    const Image chosen = loadPng(blast("chosen", "-cam cameraShape1"));
    run("delete camera1");
    EXPECT_EQ(text("lookThru -q"), "");
    const Image framing = loadPng(blast("framing", ""));
    EXPECT_NE(failure("lookThru box").find("box is not a camera."), std::string::npos);

    int same = 0, differ = 0;
    for (int y = 0; y < through.height(); ++y)
        for (int x = 0; x < through.width(); ++x) {
            same += through.at(x, y) == chosen.at(x, y);
            differ += through.at(x, y) != framing.at(x, y);
        }
    EXPECT_EQ(same, through.width() * through.height());
    EXPECT_GT(differ, 0);
}

TEST_F(PlayblastTest, OrthographicCameraShowsTheSceneToScale) {
    // Looking straight down, 8 units across 160 pixels: the unit box at x = 1
    // covers pixels 90 to 109 across and 50 to 69 down.
    run("polyCube -n box; setAttr box.translateX 1; camera -p 0 10 0 -rot -90 0 0 -o on -ow 8;");
    const Image shown = loadPng(blast("shown", "-cam camera1"));
    run("setAttr box.visibility 0");
    const Image hidden = loadPng(blast("hidden", "-cam camera1"));
    int inside = 0, outside = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.at(x, y) == hidden.at(x, y))
                continue;
            const bool box = x >= 89 && x <= 110 && y >= 49 && y <= 70;
            ++(box ? inside : outside);
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GE(inside, 19 * 19);
}

TEST_F(PlayblastTest, CameraIsUndoneAndTakesItsLens) {
    EXPECT_EQ(text("camera -p 0 0 10 -o true -ow 4"), "camera1 cameraShape1");
    EXPECT_EQ(text("getAttr cameraShape1.orthographic"), "1");
    EXPECT_EQ(text("getAttr cameraShape1.orthographicWidth"), "4");
    EXPECT_EQ(text("getAttr camera1.translateZ"), "10");
    run("undo");
    EXPECT_EQ(text("objExists camera1"), "0");
    EXPECT_NE(failure("camera -rot 0 0 0 -wci 1 1 1").find("not both"), std::string::npos);
}

TEST_F(PlayblastTest, ComparedSetsShowWhereTheyDiffer) {
    // The instancer against copies placed by hand at its particles.
    run(kInstanced);
    run("polyCube -n c1 -w 0.5 -h 0.5 -d 0.5; setAttr c1.translate 1 0 0;"
        "polyCube -n c2 -w 0.5 -h 0.5 -d 0.5; setAttr c2.translate 3 1 0;"
        "polyCube -n c3 -w 0.5 -h 0.5 -d 0.5; setAttr c3.translate 5 0 1;"
        "sets -n copies c1 c2 c3;");
    const Image matching = loadPng(blast("matching", "-cmp inst1 copies -cml overlay"));
    EXPECT_EQ(coverage(matching).first, 0);
    EXPECT_EQ(coverage(matching).second, 0);

    run("setAttr c2.translateY 2");
    const Image moved = loadPng(blast("moved", "-cmp inst1 copies -cml overlay"));
    EXPECT_GT(coverage(moved).first, 20);
    EXPECT_GT(coverage(moved).second, 20);

    // Side by side, each set in its own half and colour.
    const Image halves = loadPng(blast("halves", "-cmp inst1 copies"));
    const Coverage left = coverage(halves, 0, 80), right = coverage(halves, 80);
    EXPECT_GT(left.first, 20);
    EXPECT_EQ(left.second, 0);
    EXPECT_EQ(right.first, 0);
    EXPECT_GT(right.second, 20);
}

TEST_F(PlayblastTest, ExistingImagesAreKeptUnlessForced) {
    const std::string file = "-fr 1 -w 90 -h 60 -p 100 -f \"" + folder + "/once\"";
    run("playblast " + file);
    EXPECT_EQ(loadPng(folder + "/once.0001.png").width(), 90);
    EXPECT_NE(failure("playblast " + file).find("already exists; use -forceOverwrite"),
              std::string::npos);
    run("playblast -fo -wh 40 30 " + file);
    EXPECT_EQ(loadPng(folder + "/once.0001.png").height(), 60);
    // A size past the largest window is clamped to it, not allocated.
    run("playblast -fo -fr 1 -w 2000000000 -h 1 -p 10 -f \"" + folder + "/wide\"");
    EXPECT_EQ(loadPng(folder + "/wide.0001.png").width(), 819);
}

}  // namespace
}  // namespace host::render::testing
