// The built-in DAG node types and the evaluation of their matrices.
#include "Startup.h"
#include "dag/Dag.h"
#include "graph/Data.h"
#include "graph/NodeType.h"

#include <maya/MFnEnumAttribute.h>

#include <initializer_list>

namespace host {
namespace dag {

namespace {

DagAttributes& mutableAttributes() {
    static DagAttributes attributes;
    return attributes;
}

AttributePtr numeric(const char* longName, const char* shortName, MFnNumericData::Type type,
                     Value defaultValue) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Numeric, longName, shortName);
    a->numericType = type;
    a->defaultValue = std::move(defaultValue);
    return a;
}

AttributePtr boolean(const char* longName, const char* shortName, bool defaultValue) {
    return numeric(longName, shortName, MFnNumericData::kBoolean, Value{defaultValue});
}

AttributePtr unit(const char* longName, const char* shortName, MFnUnitAttribute::Type type) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Unit, longName, shortName);
    a->unitType = type;
    a->defaultValue = 0.0;
    return a;
}

enum class Component { Distance, Angle, Plain };

// A double3 compound such as translate (t) with children translateX (tx)...
AttributePtr triple(const char* longName, const char* shortName, Component kind,
                    const char* const childLong[3], const char* const childShort[3],
                    double defaultValue = 0.0, bool keyableChildren = false) {
    auto parent = numeric(longName, shortName, MFnNumericData::k3Double, Value{});
    for (int i = 0; i < 3; ++i) {
        AttributePtr child;
        switch (kind) {
            case Component::Distance:
                child = unit(childLong[i], childShort[i], MFnUnitAttribute::kDistance);
                break;
            case Component::Angle:
                child = unit(childLong[i], childShort[i], MFnUnitAttribute::kAngle);
                break;
            case Component::Plain:
                child = numeric(childLong[i], childShort[i], MFnNumericData::kDouble, Value{0.0});
                break;
        }
        child->defaultValue = defaultValue;
        child->keyable = keyableChildren;
        parent->addChild(child);
    }
    return parent;
}

// The names of a double3 whose children add X, Y and Z to its names.
struct XYZ {
    std::string longs[3], shorts[3];
    const char* l[3];
    const char* s[3];
    XYZ(const std::string& longName, const std::string& shortName) {
        const char* axes[3] = {"X", "Y", "Z"};
        const char* small[3] = {"x", "y", "z"};
        for (int i = 0; i < 3; ++i) {
            longs[i] = longName + axes[i];
            shorts[i] = shortName + small[i];
            l[i] = longs[i].c_str();
            s[i] = shorts[i].c_str();
        }
    }
};

AttributePtr xyz(const char* longName, const char* shortName, Component kind,
                 double defaultValue = 0.0, bool keyableChildren = false) {
    XYZ names(longName, shortName);
    return triple(longName, shortName, kind, names.l, names.s, defaultValue, keyableChildren);
}

AttributePtr matrix(const char* longName, const char* shortName, bool perInstance) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Matrix, longName, shortName);
    a->defaultValue = std::shared_ptr<Data>(std::make_shared<MatrixData>());
    a->writable = false;
    a->storable = false;
    a->computed = true;
    a->array = perInstance;
    a->worldSpace = perInstance;
    return a;
}

Attribute* add(NodeType& type, const AttributePtr& attribute) {
    type.addAttribute(attribute);
    return attribute.get();
}

AttributePtr instObjGroups() {
    // Where shading groups attach per instance; sets record their members
    // through it.
    auto groupComponents =
        std::make_shared<Attribute>(Attribute::Kind::Typed, "objectGrpCompList", "gcl");
    groupComponents->dataType = MFnData::kComponentList;
    auto groupId = numeric("objectGroupId", "gid", MFnNumericData::kLong, Value{0L});
    auto groupColor = numeric("objectGrpColor", "gco", MFnNumericData::kShort, Value{0L});
    auto groups = std::make_shared<Attribute>(Attribute::Kind::Compound, "objectGroups", "og");
    groups->array = true;
    groups->addChild(groupComponents);
    groups->addChild(groupId);
    groups->addChild(groupColor);
    auto instances = std::make_shared<Attribute>(Attribute::Kind::Compound, "instObjGroups", "iog");
    instances->array = true;
    instances->worldSpace = true;
    instances->addChild(groups);
    return instances;
}

void registerDagNode(NodeTypeRegistry& registry) {
    DagAttributes& a = mutableAttributes();
    NodeType& dag = registry.addBuiltin("dagNode", "dependNode", MFn::kDagNode);
    dag.dag = true;
    dag.abstract = true;
    dag.compute = computeMatrices;
    auto visibility = boolean("visibility", "v", true);
    visibility->keyable = true;
    a.visibility = add(dag, visibility);
    add(dag, boolean("template", "tmp", false));
    a.intermediateObject = add(dag, boolean("intermediateObject", "io", false));
    add(dag, instObjGroups());
    a.matrix = add(dag, matrix("matrix", "m", false));
    a.inverseMatrix = add(dag, matrix("inverseMatrix", "im", false));
    a.worldMatrix = add(dag, matrix("worldMatrix", "wm", true));
    a.worldInverseMatrix = add(dag, matrix("worldInverseMatrix", "wim", true));
    a.parentMatrix = add(dag, matrix("parentMatrix", "pm", true));
    a.parentInverseMatrix = add(dag, matrix("parentInverseMatrix", "pim", true));
}

void registerTransform(NodeTypeRegistry& registry) {
    DagAttributes& a = mutableAttributes();
    NodeType& transform = registry.addBuiltin("transform", "dagNode", MFn::kTransform, 0x5846524D);
    transform.compute = computeMatrices;
    a.translate = add(transform, xyz("translate", "t", Component::Distance, 0.0, true));
    a.rotate = add(transform, xyz("rotate", "r", Component::Angle, 0.0, true));
    auto order = std::make_shared<Attribute>(Attribute::Kind::Enum, "rotateOrder", "ro");
    order->enumFields = {{"xyz", 0}, {"yzx", 1}, {"zxy", 2}, {"xzy", 3}, {"yxz", 4}, {"zyx", 5}};
    order->defaultValue = 0L;
    a.rotateOrder = add(transform, order);
    a.scale = add(transform, xyz("scale", "s", Component::Plain, 1.0, true));
    const char* shearLong[3] = {"shearXY", "shearXZ", "shearYZ"};
    const char* shearShort[3] = {"shxy", "shxz", "shyz"};
    a.shear = add(transform, triple("shear", "sh", Component::Plain, shearLong, shearShort));
    a.rotateAxis = add(transform, xyz("rotateAxis", "ra", Component::Angle));
    a.rotatePivot = add(transform, xyz("rotatePivot", "rp", Component::Distance));
    a.rotatePivotTranslate =
        add(transform, xyz("rotatePivotTranslate", "rpt", Component::Distance));
    a.scalePivot = add(transform, xyz("scalePivot", "sp", Component::Distance));
    a.scalePivotTranslate = add(transform, xyz("scalePivotTranslate", "spt", Component::Distance));
    a.inheritsTransform = add(transform, boolean("inheritsTransform", "it", true));
    add(transform, boolean("displayHandle", "dh", false));
    add(transform, boolean("displayScalePivot", "dsp", false));
    add(transform, boolean("displayRotatePivot", "drp", false));
    add(transform, boolean("displayLocalAxis", "dla", false));

    // Every attribute that shapes the local matrix moves the node and all
    // below it.
    Attribute* local[] = {a.translate,
                          a.rotate,
                          a.rotateOrder,
                          a.scale,
                          a.shear,
                          a.rotateAxis,
                          a.rotatePivot,
                          a.rotatePivotTranslate,
                          a.scalePivot,
                          a.scalePivotTranslate,
                          a.inheritsTransform};
    for (Attribute* input : local) {
        input->affectsWorldSpace = true;
        for (Attribute* output : {a.matrix, a.inverseMatrix, a.worldMatrix, a.worldInverseMatrix})
            input->affects.push_back(output);
    }
}

void registerShapes(NodeTypeRegistry& registry) {
    NodeType& shape = registry.addBuiltin("shape", "dagNode", MFn::kShape);
    shape.shape = true;
    shape.abstract = true;
    shape.compute = computeMatrices;
    NodeType& locator = registry.addBuiltin("locator", "shape", MFn::kLocator);
    locator.compute = computeMatrices;
    add(locator, xyz("localPosition", "lp", Component::Distance));
    add(locator, xyz("localScale", "ls", Component::Plain, 1.0));
}

void store(Node& node, const PlugPath& plug, const MMatrix& m) {
    node.storage(plug).value = std::shared_ptr<Data>(std::make_shared<MatrixData>(m));
}

}  // namespace

const DagAttributes& attributes() {
    return mutableAttributes();
}

bool computeMatrices(Node& node, const PlugPath& plug) {
    const DagAttributes& a = attributes();
    const Attribute* at = plug.attribute;
    if (at == a.matrix || at == a.inverseMatrix) {
        MMatrix local = transformationOf(node).asMatrix();
        store(node, plug, at == a.matrix ? local : local.inverse());
        return true;
    }
    bool world = at == a.worldMatrix || at == a.worldInverseMatrix;
    bool parent = at == a.parentMatrix || at == a.parentInverseMatrix;
    if ((!world && !parent) || plug.indices.size() != 1)
        return false;
    std::vector<NodePath> paths = allPaths(node);
    unsigned instance = plug.indices[0];
    if (instance >= paths.size())
        return false;
    MMatrix m = world ? inclusiveMatrix(paths[instance]) : exclusiveMatrix(paths[instance]);
    if (at == a.worldInverseMatrix || at == a.parentInverseMatrix)
        m = m.inverse();
    store(node, plug, m);
    // A change above the node (an ancestor moved, a parent changed) does not
    // reach this node's dirty state, so a world-space value is never kept:
    // reporting it as not computed leaves it unmarked and the next read
    // computes it again from the hierarchy as it is then.
    return false;
}

}  // namespace dag

void registerDagNodeTypes() {
    NodeTypeRegistry& registry = NodeTypeRegistry::instance();
    dag::registerDagNode(registry);
    NodeType& world = registry.addBuiltin("world", "dagNode", MFn::kWorld);
    world.compute = dag::computeMatrices;
    dag::registerTransform(registry);
    dag::registerShapes(registry);
    // Stand-ins for DAG nodes of types nobody registered, read from files.
    registry.addBuiltin("unknownDag", "dagNode", MFn::kDagNode).compute = dag::computeMatrices;
    registry.addBuiltin("unknownTransform", "transform", MFn::kTransform).compute =
        dag::computeMatrices;
}

}  // namespace host
