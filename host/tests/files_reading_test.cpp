// Reading scene files as the application writes them: going on after a
// failing statement, keeping what belongs to unregistered types, time
// curves without a clock connection, and the real files artists have.

#include "files_fixture.h"

#include "geometry/Mesh.h"

#include <maya/MAnimControl.h>

#include <sys/stat.h>
#include <algorithm>
#include <chrono>
#include <sstream>

namespace host::files::testing {
namespace {

class ReadingTest : public FilesTest {
protected:
    static double number(const std::string& plugName) {
        mel::Value v;
        EXPECT_TRUE(mel::Interpreter::instance().execute("getAttr " + plugName, &v)) << plugName;
        return v.asFloat();
    }
    static size_t count(const std::string& lsFlags) {
        mel::Value v;
        EXPECT_TRUE(mel::Interpreter::instance().execute("ls " + lsFlags, &v));
        return v.stringArray().size();
    }
    static void goTo(double frame) {
        ASSERT_TRUE(MAnimControl::setCurrentTime(MTime(frame, MTime::uiUnit())));
    }
    // A saved file without the lines that name the file or the time of the
    // save.
    std::string saved(const std::string& name) {
        const std::string p = path(name);
        setSceneName(p);
        EXPECT_TRUE(saveScene(""));
        std::istringstream in(readFile(p));
        std::string text, line;
        while (std::getline(in, line))
            if (line.rfind("//Name:", 0) != 0 && line.rfind("//Last modified:", 0) != 0 &&
                line.rfind("// End of", 0) != 0)
                text += line + "\n";
        return text;
    }
    // Saving, reopening and saving again gives the same file.
    void roundTrips() {
        const std::string first = saved("first.ma");
        ASSERT_TRUE(openScene(path("first.ma"), true));
        const std::string second = saved("second.ma");
        EXPECT_TRUE(first == second) << first.size() << " " << second.size();
    }
};

TEST_F(ReadingTest, AFailingStatementIsShownWithItsLineAndReadingGoesOn) {
    const std::string p = path("partly.ma");
    writeFile(p,
              "//Maya ASCII 2008 scene\n"
              "requires maya \"2008\";\n"
              "createNode transform -n \"a\";\n"
              "\tsetAttr \".noSuchAttribute\" 1;\n"
              "\tsetAttr \".tx\" 2;\n"
              "createNode transform -n \"b\" };\n"
              "createNode transform -n \"c\";\n"
              "setAttr \"c.ty\" 3");  // no closing ';', no trailer
    ASSERT_TRUE(openScene(p, true));
    const std::string out = Output::instance().captured();
    EXPECT_NE(out.find("file: " + p + " line 4: setAttr: No object matches name: .noSuchAttribute"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("file: " + p + " line 6: "), std::string::npos) << out;
    EXPECT_NE(out.find("file: " + p + " line 8: The file ends inside a statement."),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("3 of 7 statements of \"" + p + "\" failed"), std::string::npos) << out;
    EXPECT_EQ(number("a.tx"), 2.0);
    EXPECT_EQ(count("c"), 1u);
    EXPECT_EQ(sceneName(), p);
}

TEST_F(ReadingTest, UnregisteredTypesAndAbsentPluginsAreWrittenBackAsRead) {
    const std::string p = path("kept.ma");
    const std::string body =
        "createNode someRendererOptions -s -n \"options\";\n"
        "\taddAttr -ci true -sn \"extra\" -ln \"extra\" -at \"double\";\n"
        "\tsetAttr \".samples\" 4;\n"
        "\tsetAttr -s 2 \".outputs[0:1]\" -type \"string\" \"a\" \"b\";\n"
        "createNode transform -n \"holder\";\n"
        "createNode someLocator -n \"holderShape\" -p \"holder\";\n"
        "\tsetAttr \".size\" 2;\n";
    writeFile(p,
              "//Maya ASCII 2011 scene\nrequires maya \"2011\";\n"
              "requires \"someRenderer\" \"0.9.0\";\nrequires \"otherPlugin\" \"1.0\";\n"
              "currentUnit -l centimeter -a degree -t film;\n"
              "fileInfo \"application\" \"maya\";\nfileInfo \"product\" \"Maya 2011\";\n"
              "fileInfo \"version\" \"2011\";\n" +
                  body + "connectAttr \":time1.o\" \"options.seed\";\n// End of kept.ma\n");
    ASSERT_TRUE(openScene(p, true));
    EXPECT_NE(Output::instance().captured().find(
                  "Unrecognized node type 'someRendererOptions'; preserving node information"),
              std::string::npos);
    EXPECT_EQ(count("-type unknown"), 1u);
    EXPECT_EQ(count("-type unknownDag"), 1u);
    const std::string text = saved("kept-saved.ma");
    for (const std::string& part :
         {std::string("requires \"someRenderer\" \"0.9.0\";\nrequires \"otherPlugin\" \"1.0\";\n"),
          std::string("fileInfo \"application\" \"maya\";\nfileInfo \"product\" \"Maya 2011\";\n"
                      "fileInfo \"version\" \"2011\";\n"),
          std::string("\taddAttr -ci true -sn \"extra\" -ln \"extra\" -at \"double\";\n"
                      "\tsetAttr \".samples\" 4;\n"),
          std::string("createNode someLocator -n \"holderShape\" -p \"holder\";\n"
                      "\tsetAttr \".size\" 2;\n"),
          std::string("connectAttr \":time1.o\" \"options.seed\";\n")})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    roundTrips();
    ASSERT_TRUE(mel("delete options"));
    EXPECT_EQ(saved("kept-deleted.ma").find("options"), std::string::npos);
}

TEST_F(ReadingTest, HugeRangesFailAtOnceAndTheRestIsRead) {
    const std::string p = path("huge.ma");
    writeFile(p,
              "//Maya ASCII 2008 scene\nrequires maya \"2008\";\n"
              "createNode animCurveTL -n \"curve\";\n"
              "\tsetAttr -s 2000000000 \".ktv[0:1999999999]\" 1 2;\n"
              "\tsetAttr \".ktv[0:4000000000]\";\n"
              "createNode transform -n \"after\";\n");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(openScene(p, true));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_NE(lastError().find("line 5: setAttr: No object matches name: .ktv[0:4000000000]"),
              std::string::npos)
        << lastError();
    EXPECT_EQ(count("after"), 1u);
}

TEST_F(ReadingTest, TimeCurvesWithoutAClockConnectionFollowTheCurrentTime) {
    const std::string p = path("keyed.ma");
    writeFile(p,
              "//Maya ASCII 2008 scene\nrequires maya \"2008\";\n"
              "createNode transform -n \"free\";\ncreateNode transform -n \"clocked\";\n"
              "createNode animCurveTL -n \"free_tx\";\n\tsetAttr -s 2 \".ktv[0:1]\" 1 0 11 10;\n"
              "\tsetAttr \".tan\" 2;\n"
              "createNode animCurveTL -n \"clocked_tx\";\n\tsetAttr -s 2 \".ktv[0:1]\" 1 0 11 "
              "20;\n\tsetAttr \".tan\" 2;\n"
              "createNode unitConversion -n \"half\";\n\tsetAttr \".cf\" 0.5;\n"
              "connectAttr \"free_tx.o\" \"free.tx\";\n"
              "connectAttr \":time1.o\" \"clocked_tx.i\";\n"
              "connectAttr \"clocked_tx.o\" \"half.i\";\n"
              "connectAttr \"half.o\" \"clocked.tx\";\n");
    ASSERT_TRUE(openScene(p, true));
    goTo(6);
    EXPECT_NEAR(number("free.tx"), 5.0, 1e-9);
    EXPECT_NEAR(number("clocked.tx"), 5.0, 1e-9);
    goTo(11);
    EXPECT_NEAR(number("free.tx"), 10.0, 1e-9);
    EXPECT_NEAR(number("clocked.tx"), 10.0, 1e-9);
}

TEST_F(ReadingTest, ANewSceneHasTheDefaultNodesFilesName) {
    for (const char* name :
         {"renderPartition", "initialShadingGroup", "initialParticleSE", "defaultShaderList1",
          "lightList1", "defaultLightSet", "defaultRenderGlobals", "defaultResolution",
          "hardwareRenderGlobals", "defaultHardwareRenderGlobals", "lambert1", "time1"})
        EXPECT_EQ(count(name), 1u) << name;
    ASSERT_TRUE(mel("setAttr lambert1.dc 0.25; file -new -f"));
    EXPECT_NEAR(number("lambert1.dc"), 0.8, 1e-6);
    EXPECT_FALSE(isModified());
}

// ---------------------------------------------------------------- real files

struct RealScene {
    const char* file;
    size_t transforms;
    size_t curves;
    size_t particles;  // at `frame`; 0 for scenes without particles
    double frame;
    const char* mesh;  // one built by construction history, or ""
    unsigned vertices;
    unsigned faces;
};

class RealSceneTest : public ReadingTest, public ::testing::WithParamInterface<RealScene> {
protected:
    void SetUp() override {
        ReadingTest::SetUp();
        file = std::string(HOST_REAL_SCENES_DIR) + "/" + GetParam().file;
        struct stat info;
        if (stat(file.c_str(), &info) != 0)
            GTEST_SKIP() << "no real scene files at " << HOST_REAL_SCENES_DIR;
    }
    std::string file;
};

TEST_P(RealSceneTest, OpensEvaluatesAndRoundTrips) {
    ASSERT_TRUE(mel("file -open -f \"" + file + "\""));
    EXPECT_EQ(count("-type transform"), GetParam().transforms);
    EXPECT_EQ(count("-type animCurve"), GetParam().curves);
    if (GetParam().particles > 0) {
        goTo(GetParam().frame);
        EXPECT_EQ(
            number(count("particleShape1") ? "particleShape1.count" : "nParticleShape1.count"),
            static_cast<double>(GetParam().particles));
    }
    if (*GetParam().mesh) {
        const auto shapes = Scene::current().nodesNamed(GetParam().mesh);
        ASSERT_EQ(shapes.size(), 1u);
        const auto mesh = geometry::meshOf(*shapes[0]);
        EXPECT_EQ(mesh->vertexCount(), GetParam().vertices);
        EXPECT_EQ(mesh->faceCount(), GetParam().faces);
        EXPECT_TRUE(mesh->valid());
    }
    roundTrips();
}

INSTANTIATE_TEST_SUITE_P(
    Files, RealSceneTest,
    ::testing::Values(RealScene{"particles-7.0.ma", 5, 0, 25, 1, "", 0, 0},
                      RealScene{"skeleton-2008.ma", 71, 0, 0, 0, "", 0, 0},
                      RealScene{"coloured-plane-2009.ma", 5, 0, 0, 0, "", 0, 0},
                      RealScene{"mesh-camera-2011.ma", 6, 0, 0, 0, "pSphereShape1", 2452, 2500},
                      RealScene{"keyed-meshes-2011.ma", 9, 50, 0, 0, "pCubeShape1", 8, 6},
                      RealScene{"nparticles-2012.ma", 7, 0, 375, 10, "", 0, 0}),
    [](const auto& info) {
        std::string name = info.param.file;
        name = name.substr(0, name.find('.'));
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

TEST_F(ReadingTest, KeyedTransformsOfARealFileFollowTime) {
    const std::string file = std::string(HOST_REAL_SCENES_DIR) + "/keyed-meshes-2011.ma";
    struct stat info;
    if (stat(file.c_str(), &info) != 0)
        GTEST_SKIP() << "no real scene files at " << HOST_REAL_SCENES_DIR;
    ASSERT_TRUE(openScene(file, true));
    goTo(1);
    EXPECT_NEAR(number("pCube1.rx"), 0.0, 1e-9);
    goTo(5);
    EXPECT_NEAR(number("pCube1.rx"), 90.0, 1e-9);
    // A mesh without history, read from its vertices, edges and faces.
    const auto mesh = geometry::meshOf(*Scene::current().nodesNamed("pCubeShape2").at(0));
    EXPECT_EQ(mesh->vertexCount(), 8u);
    EXPECT_EQ(mesh->faceCount(), 6u);
}

// Bind poses hold each member's local transformation twice: composed as a
// matrix, and in parts (the "xform" form). A root joint's two must agree.
TEST_F(ReadingTest, MatricesGivenInPartsComposeAndAreWrittenBackInParts) {
    const std::string file = std::string(HOST_REAL_SCENES_DIR) + "/skeleton-2008.ma";
    struct stat info;
    if (stat(file.c_str(), &info) != 0)
        GTEST_SKIP() << "no real scene files at " << HOST_REAL_SCENES_DIR;
    ASSERT_TRUE(openScene(file, true));
    const std::string out = Output::instance().captured();
    EXPECT_NE(out.find("44 of 3588 statements"), std::string::npos) << out;
    mel::Value composed, given;
    ASSERT_TRUE(mel::Interpreter::instance().execute("getAttr FBX_AMFlexStance.xm[3]", &composed));
    ASSERT_TRUE(mel::Interpreter::instance().execute("getAttr FBX_AMFlexStance.wm[3]", &given));
    ASSERT_EQ(composed.floatArray().size(), 16u);
    for (size_t i = 0; i < 16; ++i)
        EXPECT_NEAR(composed.floatArray()[i], given.floatArray()[i], 1e-12) << i;
    // Which members are global is kept per member.
    EXPECT_EQ(number("FBX_AMFlexStance.g[2]"), 1.0);
    EXPECT_EQ(number("FBX_AMFlexStance.g[3]"), 0.0);
    // A rotate order, pivots and a scale that only counts when compensated.
    ASSERT_TRUE(
        mel("createNode dagPose -n pose; setAttr pose.xm[0] -type \"matrix\" \"xform\" "
            "2 2 2 0 0 1.5707963267948966 1 0 0 5 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0 "
            "0 0 0 1 0 0 0 1 0.5 0.5 0.5 no"));
    // Scaled by 2 about the origin, turned a quarter about z around (0 1 0),
    // then moved 5 along z: x goes to y, y to -x, the pivot stays put.
    mel::Value m;
    ASSERT_TRUE(mel::Interpreter::instance().execute("getAttr pose.xm[0]", &m));
    const std::vector<double> expected = {0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 1, 1, 5, 1};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(m.floatArray()[i], expected[i], 1e-12) << i;
    const std::string text = saved("parts.ma");
    EXPECT_NE(text.find("\"xform\" 2 2 2 0 0 1.5707963267948966 1 0 0 5"), std::string::npos);
    ASSERT_TRUE(mel("setAttr pose.xm[0] -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1"));
    EXPECT_EQ(saved("plain.ma").find("\"xform\" 2 2 2"), std::string::npos);
}

TEST_F(ReadingTest, MeshesInTheApplicationsLayoutGetTheirGeometry) {
    const std::string p = path("mesh.ma");
    const std::string head =
        "//Maya ASCII 2008 scene\nrequires maya \"2008\";\n"
        "createNode transform -n \"quad\";\ncreateNode mesh -n \"quadShape\" -p \"quad\";\n"
        "\tsetAttr -s 4 \".vt\";\n\tsetAttr \".vt[0:1]\" -type \"float3\" 0 0 0 1 0 0;\n"
        "\tsetAttr \".vt[2:3]\" 1 0 1 0 0 1;\n"
        "\tsetAttr -s 4 \".ed[0:3]\" 0 1 0 1 2 0 2 3 0 3 0 0;\n";
    // The last edge walked backwards gives its second vertex.
    writeFile(
        p, head + "\tsetAttr -s 1 \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 -4 mu 0 4 0 1 2 3;\n");
    ASSERT_TRUE(openScene(p, true));
    auto mesh = geometry::meshOf(*Scene::current().nodesNamed("quadShape").at(0));
    EXPECT_EQ(mesh->faceConnects, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(mesh->points[2], MPoint(1, 0, 1));
    roundTrips();

    writeFile(p, head +
                     "\tsetAttr \".fc[0]\" -type \"polyFaces\" f 4 0 1 2 9;\n"
                     "createNode mesh -n \"cutShape\" -p \"quad\";\n"
                     "\tsetAttr \".fc[0]\" -type \"polyFaces\" f 4 0 1;\n");
    ASSERT_TRUE(openScene(p, true));
    EXPECT_NE(lastError().find("The faces of quadShape name edges or vertices it does not have"),
              std::string::npos)
        << lastError();
    EXPECT_NE(
        Output::instance().captured().find("line 11: A polyFaces record of .fc[0] is cut short."),
        std::string::npos);
    EXPECT_EQ(geometry::meshOf(*Scene::current().nodesNamed("quadShape").at(0))->faceCount(), 0u);
}

}  // namespace
}  // namespace host::files::testing
