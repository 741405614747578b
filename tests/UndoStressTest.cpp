// Long random runs (fixed seeds) of the module's changing commands mixed
// with the host's own edits, undos and redos: after every step the scene
// and the module's maps must be what the undo queue promises, and the scene
// at the end must come back whole from its file.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"
#include "files/SceneDump.h"
#include "host/tests/undo_random_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

using dktest::evalStrings;
using Names = std::vector<std::string>;

// Maps and keys the runs use; maps made without a name take the first
// free of map0, map1 ..., so a run never makes more than these.
const char* const kMaps[] = {"m0", "m1", "map0", "map1", "map2", "map3"};
const char* const kKeys[] = {"k0", "k1", "k2"};

// Nodes of the starting scene the run leaves alone, so the uninstancer
// keeps something to bake.
const std::set<std::string> kKept = {"a", "b", "dots", "instancer1"};

class UndoStressTest : public dktest::PluginTest {
protected:
    void TearDown() override {
        // Veils keep the module loaded.
        dktest::run("file -f -new");
        dktest::PluginTest::TearDown();
    }

    // Two meshes of one layout drawn in turn by three still particles, so
    // the animation bake makes blend shapes; a material for the veils to
    // hold; the time at the end of every bake range, where bakes leave it.
    static void buildScene() {
        // Maps outlive scenes; an earlier run's would show in this one.
        dktest::run("dkMap -dam");
        ASSERT_TRUE(dktest::run(
            "polyCube -n a; polyCube -n b -w 2; setAttr b.tx 3;"
            "particle -p 0 0 0 -p 2 0 0 -p 4 1 0 -n dots;"
            "particleInstancer -obj a -obj b -c sequential -cs 1 -csu frames -n instancer1 "
            "dotsShape;"
            "createNode lambert -n skin; createNode transform -n t0;"
            "createNode locator -n s0 -p t0; currentTime 3"));
    }

    // The maps by name, with the keys they hold, for the state compared.
    static std::string mapState() {
        std::string text;
        for (const char* map : kMaps) {
            if (dktest::evalString(std::string("dkMap -ex ") + map) != "1")
                continue;
            text += std::string("map ") + map + ":";
            for (const char* key : kKeys)
                text += std::string(" ") + key + "=" +
                        dktest::evalString(std::string("dkMap -f ") + key + " " + map);
            text += "\n";
        }
        return text;
    }
    static std::string state() { return host::files::dumpScene() + mapState(); }

    size_t pick(size_t n) { return m_run->pick(n); }
    template <size_t N>
    const char* oneOf(const char* const (&values)[N]) {
        return values[pick(N)];
    }
    std::string anyOf(const Names& names) { return names[pick(names.size())]; }

    // The run's own transforms (the uninstancer's copies too), and others.
    Names made(const char* type) const {
        Names found;
        for (const std::string& node : evalStrings(std::string("ls -type ") + type))
            if (!kKept.count(node))
                found.push_back(node);
        return found;
    }

    std::string plugOf(const Names& transforms, const Names& veils) {
        static const char* const channels[] = {"tx", "ry", "sz", "t", "v", "dyn", "pre_dyn"};
        static const char* const veilAttributes[] = {"rhst", "show", "ii"};
        if (!veils.empty() && pick(4) == 0)
            return anyOf(veils) + "." + oneOf(veilAttributes);
        return anyOf(transforms) + "." + oneOf(channels);
    }

    std::string mapCommand() {
        const std::string map = oneOf(kMaps);
        const std::string key = oneOf(kKeys);
        static const char* const values[] = {"x", "hero v2", "", "0"};
        switch (pick(6)) {
            case 0:
                return "dkMap";
            case 1:
                return "dkMap " + map;
            case 2:
            case 3:
                return "dkMap -i " + key + " \"" + oneOf(values) + "\" " + map;
            case 4:
                return "dkMap -er " + key + " " + map;
            default:
                return pick(4) ? "dkMap -dm " + map : "dkMap -dam";
        }
    }

    std::string uninstancerCommand() {
        static const char* const targets[] = {"instancer1", "dotsShape", "dotsShape.pt[1:2]"};
        const std::string range = " -sf " + std::to_string(1 + pick(3)) + " -ef 3";
        if (pick(2))
            return std::string("dkUninstancer -bt animation") + range + " " + oneOf(targets);
        return std::string("dkUninstancer -bt geometry") + (pick(2) ? range : "") +
               (pick(3) ? "" : " -cai true") + " " + oneOf(targets);
    }

    std::string veilCommand(const Names& veils, const Names& transforms, const std::string& fresh) {
        if (veils.empty() || pick(6) == 0)
            return "createNode dkHyperVeil -n v" + fresh;
        const std::string veil = anyOf(veils);
        const std::string member = pick(2) ? "skin" : anyOf(transforms);
        switch (pick(6)) {
            case 0:
                return "setAttr " + veil + ".rhst " + std::to_string(pick(2));
            case 1:
                return "setAttr " + veil + ".show " + std::to_string(pick(2));
            case 2:
                return "setAttr -type \"string\" " + veil + ".ii \"look " + fresh + "\"";
            case 3:
                return "sets -add " + veil + " " + member;
            case 4:
                return "sets -rm " + veil + " " + member;
            default:
                return "connectAttr " + member + ".message " + veil + ".in[" +
                       std::to_string(pick(3)) + "]";
        }
    }

    std::string command(unsigned& serial) {
        const std::string fresh = std::to_string(++serial);
        const Names transforms = made("transform");
        const Names veils = made("dkHyperVeil");
        if (transforms.size() < 2)
            return "createNode transform -n t" + fresh;
        static const char* const numbers[] = {"0", "1", "-2.5", "0.1", "100"};
        switch (pick(14)) {
            case 0:
            case 1:
                return mapCommand();
            case 2:
            case 3:
                return "dkCopyPlugValue " + plugOf(transforms, veils) + " " +
                       plugOf(transforms, veils);
            case 4: {
                static const char* const flags[] = {"", " -p pre", " -p pre -cap true", " -h true",
                                                    " -w false"};
                return "dkCopyAttr -a " + plugOf(transforms, veils) + oneOf(flags) + " " +
                       anyOf(transforms);
            }
            case 5:
                return uninstancerCommand();
            case 6:
            case 7:
                return veilCommand(veils, transforms, fresh);
            case 8:
                return pick(2) ? "createNode transform -n t" + fresh + " -p " + anyOf(transforms)
                               : "addAttr -ln dyn -at double " + anyOf(transforms);
            case 9:
                return "setAttr " + plugOf(transforms, {}) + " " + oneOf(numbers);
            case 10:
                return "connectAttr " + plugOf(transforms, veils) + " " + plugOf(transforms, veils);
            case 11:
                return "delete " + anyOf(pick(4) || veils.empty() ? transforms : veils);
            case 12:
                return "rename " + anyOf(transforms) + " r" + fresh;
            default:
                return pick(3) ? "parent " + anyOf(transforms) + " " + anyOf(transforms)
                               : "parent -w " + anyOf(transforms);
        }
    }

    static std::string lastError() {
        return dktest::errors().empty() ? std::string() : dktest::errors().back();
    }

    void stress(unsigned seed, size_t length) {
        buildScene();
        host::testing::RandomUndoRun run(seed, state);
        m_run = &run;
        unsigned serial = 0;
        for (size_t i = 0; i < length && !HasFailure(); ++i)
            run.step([&] { return command(serial); });
        m_run = nullptr;
        if (HasFailure())
            return;

        const std::string path =
            ::testing::TempDir() + "undo_stress_" + std::to_string(seed) + ".ma";
        const std::string before = host::files::dumpScene();
        ASSERT_TRUE(dktest::run("file -rename \"" + path + "\"; file -save -type \"mayaAscii\""))
            << lastError() << "\n"
            << run.trace();
        ASSERT_TRUE(dktest::run("file -f -new; file -o \"" + path + "\"")) << lastError() << "\n"
                                                                           << run.trace();
        EXPECT_EQ(host::files::dumpScene(), before) << "saved and opened at " << run.trace();
        std::remove(path.c_str());
    }

private:
    host::testing::RandomUndoRun* m_run = nullptr;  // the run being made
};

TEST_F(UndoStressTest, EveryStepKeepsWhatUndoAndRedoPromise) {
    for (unsigned seed : {11u, 2024u, 31337u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ASSERT_TRUE(dktest::run("file -f -new"));
        stress(seed, 250);
        if (HasFailure())
            break;
    }
}

}  // namespace
