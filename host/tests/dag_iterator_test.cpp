// Walking the DAG.
#include "dag_fixture.h"

#include <maya/MItDag.h>

#include <vector>

namespace host::dag::testing {
namespace {

class DagWalk : public DagTest {
protected:
    // a{a1{a1Shape}, a2}, b{bShape}
    void SetUp() override {
        DagTest::SetUp();
        a = &make("transform", "a");
        a1 = &make("transform", "a1", a);
        make("locator", "a1Shape", a1);
        make("transform", "a2", a);
        b = &make("transform", "b");
        make("locator", "bShape", b);
    }
    static std::vector<std::string> walk(MItDag& it, bool withDepth = false) {
        std::vector<std::string> seen;
        for (; !it.isDone(); it.next()) {
            std::string name = it.partialPathName().asChar();
            if (withDepth)
                name += ":" + std::to_string(it.depth());
            seen.push_back(name);
        }
        return seen;
    }
    Node* a = nullptr;
    Node* a1 = nullptr;
    Node* b = nullptr;
};

using Names = std::vector<std::string>;

TEST_F(DagWalk, DepthFirstFromTheWorldVisitsEachNodeThenItsChildren) {
    MStatus status;
    MItDag it(MItDag::kDepthFirst, MFn::kInvalid, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(it.item().apiType(), MFn::kWorld);
    it.next();
    EXPECT_EQ(walk(it, true), (Names{"a:1", "a1:2", "a1Shape:3", "a2:2", "b:1", "bShape:2"}));
}

TEST_F(DagWalk, BreadthFirstGoesLevelByLevel) {
    MItDag it(MItDag::kBreadthFirst);
    it.next();  // the world
    EXPECT_EQ(walk(it), (Names{"a", "b", "a1", "a2", "bShape", "a1Shape"}));
}

TEST_F(DagWalk, FilterReportsMatchesButStillDescends) {
    MItDag it(MItDag::kDepthFirst, MFn::kShape);
    EXPECT_EQ(walk(it), (Names{"a1Shape", "bShape"}));
    ASSERT_TRUE(it.reset(object(*a), MItDag::kDepthFirst, MFn::kShape));
    EXPECT_EQ(walk(it), (Names{"a1Shape"}));
}

TEST_F(DagWalk, ResetAtAPathStartsThereAndPruneSkipsBelow) {
    MItDag it;
    ASSERT_TRUE(it.reset(pathTo(*a)));
    EXPECT_EQ(it.depth(), 0u);
    EXPECT_EQ(it.root(), object(*a));
    Names seen;
    for (; !it.isDone(); it.next()) {
        seen.push_back(it.partialPathName().asChar());
        if (it.item() == object(*a1))
            it.prune();
    }
    EXPECT_EQ(seen, (Names{"a", "a1", "a2"}));
    EXPECT_FALSE(it.next());
    MStatus status;
    it.item(&status);
    EXPECT_FALSE(status);
}

TEST_F(DagWalk, InstancedNodesComeOncePerPath) {
    instance(*a1, *b);
    MItDag it(MItDag::kDepthFirst, MFn::kLocator);
    Names seen = walk(it);
    // a1 went under b after bShape.
    EXPECT_EQ(seen, (Names{"a|a1|a1Shape", "bShape", "b|a1|a1Shape"}));
    it.reset();
    MDagPath second;
    it.next();
    it.next();
    ASSERT_TRUE(it.getPath(second));
    EXPECT_EQ(second.instanceNumber(), 1u);
    EXPECT_EQ(it.instanceCount(true), 2u);
    // Its one parent is what is instanced.
    EXPECT_EQ(it.instanceCount(false), 1u);
    // A finished walk answers for no node, not for the last one it passed.
    while (!it.isDone())
        it.next();
    MStatus status;
    EXPECT_EQ(it.instanceCount(true, &status), 0u);
    EXPECT_FALSE(status);
    EXPECT_FALSE(it.isInstanced(true, &status));
    EXPECT_FALSE(status);
}

TEST_F(DagWalk, ResetOnANonDagNodeFails) {
    MItDag it;
    Node& time = *Scene::current().nodesNamed("time1").front();
    EXPECT_FALSE(it.reset(object(time)));
    EXPECT_TRUE(it.isDone());
}

}  // namespace
}  // namespace host::dag::testing
