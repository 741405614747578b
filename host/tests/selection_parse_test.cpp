// Selection strings: names, paths, wildcards, plugs and components.
#include "dag_fixture.h"
#include "selection/Component.h"

#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

namespace host::dag::testing {

// A particle-like shape whose "count" says how many points "[*]" means.
inline NodeType& pointShapeType() {
    static NodeType* type = [] {
        NodeTypeRegistry& registry = NodeTypeRegistry::instance();
        NodeType& t = registry.addBuiltin("selectionTestPoints", "shape", MFn::kParticle);
        auto count = std::make_shared<Attribute>(Attribute::Kind::Numeric, "count", "cnt");
        count->numericType = MFnNumericData::kLong;
        count->defaultValue = 0L;
        t.addAttribute(count);
        return &t;
    }();
    return *type;
}

inline std::vector<std::string> strings(const MSelectionList& list) {
    MStringArray all;
    list.getSelectionStrings(all);
    std::vector<std::string> out;
    for (unsigned i = 0; i < all.length(); ++i)
        out.push_back(all[i].asChar());
    return out;
}

namespace {

using Names = std::vector<std::string>;

class SelectionParse : public DagTest {
protected:
    void SetUp() override {
        DagTest::SetUp();
        top = &make("transform", "top");
        make("transform", "child", top);
        Node& other = make("transform", "other");
        make("transform", "child", &other);
        make("transform", "tip1");
        make("transform", "tip22");
    }
    static Names named(const char* text) {
        MSelectionList list;
        EXPECT_TRUE(list.add(text)) << text;
        return strings(list);
    }
    Node* top = nullptr;
};

TEST_F(SelectionParse, NamesAndPaths) {
    EXPECT_EQ(named("top"), (Names{"top"}));
    EXPECT_EQ(named("|top|child"), (Names{"top|child"}));
    EXPECT_EQ(named("top|child"), (Names{"top|child"}));
    // A name shared by two nodes names both.
    EXPECT_EQ(named("child"), (Names{"top|child", "other|child"}));
    // The name of a DAG path written inside quotes may carry blanks.
    EXPECT_EQ(named(" |top|child "), (Names{"top|child"}));
    EXPECT_EQ(named("time1"), (Names{"time1"}));
}

TEST_F(SelectionParse, AnInstancedNodeByNameIsEveryInstance) {
    Node& shape = make("locator", "inst", top);
    instance(shape, *Scene::current().nodesNamed("other").front());
    EXPECT_EQ(named("inst"), (Names{"top|inst", "other|inst"}));
    EXPECT_EQ(named("other|inst"), (Names{"other|inst"}));
}

TEST_F(SelectionParse, Wildcards) {
    EXPECT_EQ(named("tip*"), (Names{"tip1", "tip22"}));
    EXPECT_EQ(named("tip?"), (Names{"tip1"}));
    EXPECT_EQ(named("*|ch*"), (Names{"top|child", "other|child"}));
    EXPECT_EQ(named("|o*|child"), (Names{"other|child"}));
}

TEST_F(SelectionParse, WhatMatchesNothingFailsAndLeavesTheListAlone) {
    MSelectionList list;
    list.add("top");
    for (const char* bad : {"nothing", "", "   ", "top|nothing", "|child", "child|top", "x*z",
                            "top|", "top.nothing", "top.t[0]", "top.tx[", "world", "top..tx"}) {
        MStatus status = list.add(bad);
        EXPECT_EQ(status, MS::kInvalidParameter) << bad;
    }
    EXPECT_EQ(list.length(), 1u);
}

TEST_F(SelectionParse, PlugsByLongShortAndChildNames) {
    for (const char* text : {"top.translateX", "top.tx", "top.t.tx", "top.translate.translateX"}) {
        MSelectionList list;
        ASSERT_TRUE(list.add(text)) << text;
        MPlug plug;
        ASSERT_TRUE(list.getPlug(0, plug)) << text;
        EXPECT_EQ(plug.partialName(false, false, false, false, false, true), MString("translateX"))
            << text;
        MObject node;
        list.getDependNode(0, node);
        EXPECT_EQ(node, object(*top));
    }
}

TEST_F(SelectionParse, PlugIndicesAndWholeArrays) {
    MSelectionList list;
    ASSERT_TRUE(list.add("top.wm[1]"));
    ASSERT_TRUE(list.add("top.worldMatrix"));
    ASSERT_TRUE(list.add("top.iog[0].og[2].gid"));
    MPlug element, array, deep;
    list.getPlug(0, element);
    list.getPlug(1, array);
    list.getPlug(2, deep);
    EXPECT_TRUE(element.isElement());
    EXPECT_EQ(element.logicalIndex(), 1u);
    EXPECT_TRUE(array.isArray());
    EXPECT_EQ(PlugAccess::indices(deep), (std::vector<unsigned>{0, 2}));
    // An array above the plug must be given its index.
    EXPECT_FALSE(list.add("top.og[2]"));
    EXPECT_FALSE(list.add("top.iog.og[2].gid"));
    EXPECT_FALSE(list.add("top.wm[x]"));
}

class SelectionComponents : public DagTest {
protected:
    void SetUp() override {
        DagTest::SetUp();
        holder = &make("transform", "cloud");
        points = Scene::current().createNode(pointShapeType(), "cloudShape", holder).get();
        ASSERT_TRUE(
            assign(PlugRef{points, PlugPath{points->findAttribute("count"), {}}}, Value{4L}));
    }
    static std::vector<int> elements(const char* text, MFn::Type* type = nullptr) {
        MSelectionList list;
        EXPECT_TRUE(list.add(text)) << text;
        MDagPath path;
        MObject component;
        EXPECT_TRUE(list.getDagPath(0, path, component));
        if (type)
            *type = component.apiType();
        MIntArray found;
        MFnSingleIndexedComponent(component).getElements(found);
        std::vector<int> out;
        for (unsigned i = 0; i < found.length(); ++i)
            out.push_back(found[i]);
        return out;
    }
    Node* holder = nullptr;
    Node* points = nullptr;
};

TEST_F(SelectionComponents, RangesSinglesAndAll) {
    MFn::Type type = MFn::kInvalid;
    EXPECT_EQ(elements("cloudShape.pt[1:3]", &type), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(type, MFn::kDynParticleSetComponent);
    EXPECT_EQ(elements("cloudShape.pt[2]"), (std::vector<int>{2}));
    EXPECT_EQ(elements("cloudShape.pt[*]"), (std::vector<int>{0, 1, 2, 3}));
    // Named through its transform, the component is the shape's.
    EXPECT_EQ(elements("cloud.pt[0]"), (std::vector<int>{0}));
}

TEST_F(SelectionComponents, ComponentPathIsTheShapes) {
    MSelectionList list;
    ASSERT_TRUE(list.add("cloud.pt[0:1]"));
    MDagPath path;
    MObject component;
    list.getDagPath(0, path, component);
    EXPECT_EQ(path.node(), object(*points));
    EXPECT_TRUE(component.hasFn(MFn::kSingleIndexedComponent));
    EXPECT_TRUE(component.hasFn(MFn::kComponent));
    EXPECT_EQ(strings(list), (Names{"cloud.pt[0:1]"}));
    MDagPath whole;
    EXPECT_TRUE(list.getDagPath(0, whole));
    EXPECT_TRUE(MObject::kNullObj.isNull());
}

TEST_F(SelectionComponents, BadComponentsFail) {
    MSelectionList list;
    for (const char* bad : {"cloudShape.pt[3:1]", "cloudShape.pt[a]", "cloudShape.pt[-1]",
                            "cloudShape.vtx[0]", "top.pt[0]", "cloudShape.pt"})
        EXPECT_FALSE(list.add(bad)) << bad;
    EXPECT_TRUE(list.isEmpty());
}

}  // namespace
}  // namespace host::dag::testing
