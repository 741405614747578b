#pragma once
// A fresh scene for each DAG and selection test, with helpers to build
// hierarchies by name.

#include <gtest/gtest.h>

#include "dag/Dag.h"
#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MLibrary.h>

#include <string>

namespace host::dag::testing {

class DagTest : public ::testing::Test {
protected:
    void SetUp() override {
        MLibrary::initialize(false, "dag_tests");
        Scene& scene = Scene::current();
        if (scene.nodesNamed("world").empty())
            scene.createNode("world", "world");
        scene.clear();
        MGlobal::clearSelectionList();
    }

    static Node& make(const std::string& type, const std::string& name, Node* parent = nullptr) {
        NodePtr node = Scene::current().createNode(type, name, parent);
        EXPECT_TRUE(node) << type << " " << name;
        EXPECT_EQ(node->name(), name);
        return *node;
    }
    static MObject object(Node& node) { return Scene::current().object(&node); }
    static MDagPath pathTo(Node& node) {
        MDagPath path;
        EXPECT_TRUE(MDagPath::getAPathTo(object(node), path));
        return path;
    }
    // Puts `child` under `parent` as one more instance.
    static void instance(Node& child, Node& parent) {
        MObject c = object(child);
        ASSERT_TRUE(MFnDagNode(object(parent)).addChild(c, MFnDagNode::kNextPos, true));
    }
    static void setTranslate(Node& node, double x, double y, double z) {
        ASSERT_TRUE(
            MFnTransform(object(node)).setTranslation(MVector(x, y, z), MSpace::kTransform));
    }
    static MMatrix plugMatrix(Node& node, const char* attribute, unsigned instance) {
        Value v = evaluate(PlugRef{&node, PlugPath{node.findAttribute(attribute), {instance}}});
        auto* data = std::get_if<std::shared_ptr<Data>>(&v);
        auto* matrix = data ? dynamic_cast<MatrixData*>(data->get()) : nullptr;
        EXPECT_TRUE(matrix) << attribute;
        return matrix ? matrix->value : MMatrix();
    }
};

inline MVector translationOf(const MMatrix& m) {
    return MVector(m(3, 0), m(3, 1), m(3, 2));
}

}  // namespace host::dag::testing
