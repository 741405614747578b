// The host's playblast held against an animation bake: the instancer and
// its baked copies, overlaid in their two colours, cover the same pixels
// inside the baked range and part where the bake has stopped following
// the particles.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"
#include "host/tests/render_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dktest::evalStrings;
using dktest::run;
using host::render::testing::coverage;
using host::render::testing::imageFolder;
using host::render::testing::loadPng;

class PlayblastBakeTest : public dktest::PluginTest {};

TEST_F(PlayblastBakeTest, OverlayShowsWhereTheBakeLeavesTheInstancer) {
    // Three boxes falling under gravity, baked over frames 1 to 10 only.
    ASSERT_TRUE(
        run("polyCube -n box -w 0.6 -h 0.6 -d 0.6;"
            "particle -p 0 4 0 -p 3 4 0 -p 6 4 0 -n drops;"
            "gravity -m 9.8 -n pull; connectDynamic -f pull drops;"
            "particleInstancer -obj box -n instancer1 dropsShape;"));
    const std::vector<std::string> copies =
        evalStrings("dkUninstancer -bt animation -sf 1 -ef 10 instancer1");
    ASSERT_EQ(copies.size(), 3u);
    std::string members;
    for (const std::string& copy : copies)
        members += " " + copy;
    ASSERT_TRUE(run("sets -n baked" + members));

    const std::string folder = imageFolder("PlayblastBake");
    ASSERT_TRUE(
        run("playblast -fr 6 -fr 24 -wh 200 150 -p 100 -cmp instancer1 baked "
            "-cml overlay -f \"" +
            folder + "/cmp\""));
    const auto within = coverage(loadPng(folder + "/cmp.0006.png"));
    const auto after = coverage(loadPng(folder + "/cmp.0024.png"));
    // Keys rebuild the drawn matrices to rounding, which may move an edge pixel.
    EXPECT_LE(within.first + within.second, 10);
    EXPECT_GT(after.first, 100);
    EXPECT_GT(after.second, 100);
}

}  // namespace
