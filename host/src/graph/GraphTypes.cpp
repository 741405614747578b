// The dependency-node types every scene is built from, and the default
// nodes each scene has.
#include "Startup.h"
#include "graph/AttributeBuilder.h"
#include "graph/NodeType.h"
#include "graph/Scene.h"

#include <maya/MPxNode.h>
#include <maya/MPxObjectSet.h>

namespace host {

void registerGraphNodeTypes() {
    auto& registry = NodeTypeRegistry::instance();

    NodeType& depend = registry.addBuiltin("dependNode", "", MFn::kDependencyNode);
    depend.abstract = true;
    auto message = attrs::message("message", "msg");
    message->storable = false;
    message->writable = false;
    auto historic = attrs::numeric("isHistoricallyInteresting", "ihi", MFnNumericData::kByte, 2);
    auto caching = attrs::boolean("caching", "cch");
    auto state = attrs::enumeration("nodeState", "nds",
                                    {{"normal", 0}, {"hasNoEffect", 1}, {"blocking", 2}});
    state->keyable = true;
    for (const auto& a : {message, caching, historic, state})
        depend.addAttribute(a);
    MPxNode::message = toMObject(message);
    MPxNode::isHistoricallyInteresting = toMObject(historic);
    MPxNode::caching = toMObject(caching);
    MPxNode::state = toMObject(state);

    NodeType& set = registry.addBuiltin("objectSet", "dependNode", MFn::kSet);
    auto dagMembers = attrs::message("dagSetMembers", "dsm");
    dagMembers->array = true;
    dagMembers->indexMatters = false;
    auto dnMembers = attrs::message("dnSetMembers", "dnsm");
    dnMembers->array = true;
    dnMembers->indexMatters = false;
    auto color = attrs::numeric("memberWireframeColor", "mwc", MFnNumericData::kShort, -1);
    auto annotation = attrs::typed("annotation", "an", MFnData::kString);
    auto isLayer = attrs::boolean("isLayer", "il");
    auto verts = attrs::boolean("verticesOnlySet", "vo");
    auto edges = attrs::boolean("edgesOnlySet", "eo");
    auto facets = attrs::boolean("facetsOnlySet", "fo");
    auto editPoints = attrs::boolean("editPointsOnlySet", "ep");
    auto renderable = attrs::boolean("renderableOnlySet", "ro");
    auto partition = attrs::message("partition", "pa");
    partition->array = true;
    partition->indexMatters = false;
    auto groupNodes = attrs::message("groupNodes", "gn");
    groupNodes->array = true;
    groupNodes->indexMatters = false;
    auto usedBy = attrs::message("usedBy", "ub");
    usedBy->array = true;
    for (const auto& a : {dagMembers, dnMembers, color, annotation, isLayer, verts, edges, facets,
                          editPoints, renderable, partition, groupNodes, usedBy})
        set.addAttribute(a);
    MPxObjectSet::dagSetMembers = toMObject(dagMembers);
    MPxObjectSet::dnSetMembers = toMObject(dnMembers);
    MPxObjectSet::memberWireframeColor = toMObject(color);
    MPxObjectSet::annotation = toMObject(annotation);
    MPxObjectSet::isLayer = toMObject(isLayer);
    MPxObjectSet::verticesOnlySet = toMObject(verts);
    MPxObjectSet::edgesOnlySet = toMObject(edges);
    MPxObjectSet::facetsOnlySet = toMObject(facets);
    MPxObjectSet::editPointsOnlySet = toMObject(editPoints);
    MPxObjectSet::renderableOnlySet = toMObject(renderable);
    MPxObjectSet::partition = toMObject(partition);
    MPxObjectSet::groupNodes = toMObject(groupNodes);
    MPxObjectSet::usedByNodes = toMObject(usedBy);

    // The stand-in for a dependency node of a type nobody registered, read
    // from a file; what the file said of it is kept as text (Node::kept).
    registry.addBuiltin("unknown", "dependNode", MFn::kDependencyNode);

    // The scene's clock: its output drives everything that changes with time.
    NodeType& time = registry.addBuiltin("time", "dependNode", MFn::kTime);
    auto outTime = attrs::unit("outTime", "o", MFnUnitAttribute::kTime);
    outTime->writable = true;
    outTime->storable = true;
    time.addAttribute(outTime);
}

void createDefaultNodes() {
    Scene& scene = Scene::current();
    if (NodeTypeRegistry::instance().find("world") && scene.nodesNamed("world").empty()) {
        NodePtr world = scene.createNode("world", "world");
        world->isDefault = true;
    }
    // Files name these without creating them; each is made once its type
    // is known.
    static const std::pair<const char*, const char*> kDefaults[] = {
        {"time1", "time"},
        {"sequenceManager1", "sequenceManager"},
        {"renderPartition", "partition"},
        {"renderGlobalsList1", "renderGlobalsList"},
        {"defaultLightList1", "defaultLightList"},
        {"defaultShaderList1", "defaultShaderList"},
        {"postProcessList1", "postProcessList"},
        {"defaultRenderUtilityList1", "defaultRenderUtilityList"},
        {"defaultRenderingList1", "defaultRenderingList"},
        {"lightList1", "lightList"},
        {"defaultTextureList1", "defaultTextureList"},
        {"lambert1", "lambert"},
        {"particleCloud1", "particleCloud"},
        {"initialShadingGroup", "shadingEngine"},
        {"initialParticleSE", "shadingEngine"},
        {"initialMaterialInfo", "materialInfo"},
        {"shaderGlow1", "shaderGlow"},
        {"dof1", "dof"},
        {"defaultRenderGlobals", "renderGlobals"},
        {"defaultRenderQuality", "renderQuality"},
        {"defaultResolution", "resolution"},
        {"defaultLightSet", "objectSet"},
        {"defaultObjectSet", "objectSet"},
        {"defaultViewColorManager", "viewColorManager"},
        {"hardwareRenderGlobals", "hwRenderGlobals"},
        {"defaultHardwareRenderGlobals", "hwRenderGlobals"},
        {"characterPartition", "partition"},
        {"ikSystem", "ikSystem"},
        {"hyperGraphInfo", "hyperGraphInfo"},
        {"hyperGraphLayout", "hyperLayout"},
        {"globalCacheControl", "globalCacheControl"},
        {"dynController1", "dynController"},
        {"strokeGlobals", "strokeGlobals"},
    };
    for (const auto& [name, type] : kDefaults) {
        if (!NodeTypeRegistry::instance().find(type) || !scene.nodesNamed(name).empty())
            continue;
        NodePtr node = scene.createNode(type, name);
        node->isDefault = true;
    }
}

}  // namespace host
