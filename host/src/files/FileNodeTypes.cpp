// The node types and attributes that scene files of the application hold
// and the host keeps as data: settings of startup cameras, layer and render
// bookkeeping, the default nodes' own types. What the host computes lives
// with its concern; this is what a file may set and expects to read back.

#include "Startup.h"
#include "graph/AttributeBuilder.h"
#include "graph/Node.h"
#include "graph/NodeType.h"
#include "graph/PlugAccess.h"

#include <maya/MFnNumericData.h>

#include <sstream>
#include <stdexcept>
#include <vector>

namespace host {

namespace {

// One attribute from "longName shortName kind [default]"; a kind ending in
// "[]" makes a multi. Kinds: bool, byte, short, long, enum, float, double,
// distance, angle, time, string, message, matrix, double2/3, float2/3,
// long2/3, doubleArray, vectorArray, Int32Array, stringArray,
// componentList.
AttributePtr attribute(const std::string& description) {
    std::istringstream in(description);
    std::string ln, sn, kind;
    double value = 0.0;
    in >> ln >> sn >> kind >> value;
    const bool multi = kind.size() > 2 && kind.compare(kind.size() - 2, 2, "[]") == 0;
    if (multi)
        kind.resize(kind.size() - 2);
    AttributePtr a;
    auto number = [&](MFnNumericData::Type type) { return attrs::numeric(ln, sn, type, value); };
    auto tuple = [&](MFnNumericData::Type child, const char* suffixes, MFnNumericData::Type whole) {
        return attrs::triple(ln, sn, suffixes, attrs::numeric("", "", child, value), whole);
    };
    if (kind == "bool")
        a = attrs::boolean(ln, sn, value != 0.0);
    else if (kind == "byte")
        a = number(MFnNumericData::kByte);
    else if (kind == "short" || kind == "enum")
        a = number(MFnNumericData::kShort);
    else if (kind == "long")
        a = number(MFnNumericData::kLong);
    else if (kind == "float")
        a = number(MFnNumericData::kFloat);
    else if (kind == "double")
        a = number(MFnNumericData::kDouble);
    else if (kind == "distance")
        a = attrs::unit(ln, sn, MFnUnitAttribute::kDistance, value);
    else if (kind == "angle")
        a = attrs::unit(ln, sn, MFnUnitAttribute::kAngle, value);
    else if (kind == "time")
        a = attrs::unit(ln, sn, MFnUnitAttribute::kTime, value);
    else if (kind == "string")
        a = attrs::typed(ln, sn, MFnData::kString);
    else if (kind == "message")
        a = attrs::message(ln, sn);
    else if (kind == "matrix")
        a = attrs::matrix(ln, sn);
    else if (kind == "double3")
        a = tuple(MFnNumericData::kDouble, "XYZ", MFnNumericData::k3Double);
    else if (kind == "float3")
        a = tuple(MFnNumericData::kFloat, "XYZ", MFnNumericData::k3Float);
    else if (kind == "long3")
        a = tuple(MFnNumericData::kLong, "XYZ", MFnNumericData::k3Long);
    else if (kind == "double2")
        a = tuple(MFnNumericData::kDouble, "XY", MFnNumericData::k2Double);
    else if (kind == "float2")
        a = tuple(MFnNumericData::kFloat, "XY", MFnNumericData::k2Float);
    else if (kind == "long2")
        a = tuple(MFnNumericData::kLong, "XY", MFnNumericData::k2Long);
    else if (kind == "doubleArray")
        a = attrs::typed(ln, sn, MFnData::kDoubleArray);
    else if (kind == "vectorArray")
        a = attrs::typed(ln, sn, MFnData::kVectorArray);
    else if (kind == "Int32Array")
        a = attrs::typed(ln, sn, MFnData::kIntArray);
    else if (kind == "stringArray")
        a = attrs::typed(ln, sn, MFnData::kStringArray);
    else if (kind == "componentList")
        a = attrs::typed(ln, sn, MFnData::kComponentList);
    else
        throw std::logic_error("attribute kind " + kind);
    a->array = multi;
    return a;
}

// A compound of attributes; "[]" on its short name makes it a multi.
AttributePtr compound(const std::string& ln, std::string sn,
                      const std::vector<const char*>& children) {
    const bool multi = sn.size() > 2 && sn.compare(sn.size() - 2, 2, "[]") == 0;
    if (multi)
        sn.resize(sn.size() - 2);
    auto a = std::make_shared<Attribute>(Attribute::Kind::Compound, ln, sn);
    for (const char* child : children)
        a->addChild(attribute(child));
    a->array = multi;
    return a;
}

NodeType& type(const char* name, const char* parent = "dependNode",
               MFn::Type api = MFn::kDependencyNode) {
    NodeTypeRegistry& registry = NodeTypeRegistry::instance();
    if (NodeType* known = registry.find(name))
        return *known;
    NodeType& made = registry.addBuiltin(name, parent, api);
    if (NodeType* base = registry.find(parent))
        made.compute = base->compute;
    return made;
}

// Adds what the type and the types derived from it do not have yet, so that
// a concern that already computes an attribute keeps its own.
void add(NodeType& base, const AttributePtr& a) {
    for (const NodeType* t : NodeTypeRegistry::instance().types())
        if (t->isA(base.name) && !t->findAttribute(a->longName) && !t->findAttribute(a->shortName))
            const_cast<NodeType*>(t)->addAttribute(a);
}

void add(NodeType& t, std::initializer_list<const char*> descriptions) {
    for (const char* description : descriptions)
        add(t, attribute(description));
}

// What a display layer gives its members' drawOverride.
const std::vector<const char*> kDrawOverride = {
    "overrideDisplayType ovdt enum", "overrideLevelOfDetail ovlod enum",
    "overrideShading ovs bool 1",    "overrideTexturing ovt bool 1",
    "overridePlayback ovp bool 1",   "overrideEnabled ove bool",
    "overrideVisibility ovv bool 1", "overrideColor ovc byte"};

void dagAttributes() {
    add(type("time"), {"unwarpedTime unw time"});
    add(type("dagNode"),
        {"objectColor oc short", "useObjectColor uoc bool", "lodVisibility lodv bool 1",
         "ghosting gh bool", "renderLayerInfo rlio short[]"});
    add(type("dagNode"), compound("drawOverride", "do", kDrawOverride));
    add(type("transform"), {"showManipDefault smd enum", "rotationInterpolation rin enum",
                            "minTransLimit mntl double3", "maxTransLimit mxtl double3"});
    NodeType& joint = type("joint", "transform", MFn::kTransform);
    add(joint, {"jointOrient jo double3",
                "segmentScaleCompensate ssc bool 1",
                "inverseScale is double3",
                "bindPose bps matrix",
                "radius radi double 1",
                "minRotLimit mnrl double3",
                "maxRotLimit mxrl double3",
                "preferredAngle pa double3",
                "type typ enum",
                "otherType otp string",
                "side sd enum",
                "drawLabel dl bool",
                "drawStyle ds enum",
                "stiffness stf double3",
                "jointTypeX jtx bool 1",
                "jointTypeY jty bool 1",
                "jointTypeZ jtz bool 1",
                "minRotLimitEnable mnrle long3",
                "maxRotLimitEnable mxrle long3",
                "lockInfluenceWeights liw bool"});
    add(type("dagPose"),
        {"worldMatrix wm matrix[]", "xformMatrix xm matrix[]", "members m message[]",
         "parents p message[]", "world w message", "global g bool[]", "bindPose bp bool"});
}

void cameraAttributes() {
    add(type("camera"), {"renderable rnd bool 1",
                         "centerOfInterest coi distance 5",
                         "overscan ovr double 1",
                         "imageName imn string",
                         "depthName den string",
                         "maskName man string",
                         "homeCommand hc string",
                         "tumblePivot tp double3",
                         "displayResolution dr bool",
                         "displayFilmGate dfg bool",
                         "focusDistance fd distance 5",
                         "bestFitClippingPlanes bfc bool 1",
                         "backgroundColor col float3",
                         "farClipPlane fcp distance 10000",
                         "filmFit ff enum 1",
                         "verticalFilmAperture vfa double 0.94488",
                         "cameraScale cs double 1",
                         "panZoomEnabled pze bool",
                         "renderPanZoom rpz bool",
                         "displayGateMask dgm bool 1",
                         "lensSqueezeRatio lsr double 1"});
}

void meshAttributes() {
    add(type("mesh"),
        {"visibleInReflections vir bool", "visibleInRefractions vif bool",
         "currentUVSet cuvs string", "currentColorSet ccls string", "displayColors dcol bool",
         "displayColorChannel dcc string", "dispResolution dr long", "displaySmoothMesh dsm enum",
         "smoothLevel lev long", "normals n float3[]", "castsShadows csh bool 1",
         "receiveShadows rcsh bool 1", "motionBlur mb bool 1", "primaryVisibility vis bool 1",
         "doubleSided ds bool 1", "opposite op bool", "smoothShading smo bool 1"});
    add(type("mesh"),
        compound("uvSet", "uvst[]", {"uvSetName uvsn string", "uvSetPoints uvsp float2[]"}));
    add(type("mesh"), compound("colorSet", "clst[]",
                               {"colorName clsn string", "colorSetPoints clsp float3[]",
                                "representation rprt enum 3", "clamped clam bool"}));
    for (const auto& [ln, sn] :
         {std::pair<const char*, const char*>{"collisionOffsetVelocityMultiplier", "covm[]"},
          {"collisionDepthVelocityMultiplier", "cdvm[]"}})
        add(type("mesh"),
            compound(ln, sn, {"position p float", "floatValue fv float", "interp i enum"}));
}

void shadingAttributes() {
    add(type("lambert"),
        {"diffuse dc float 0.8", "transparency it float3", "ambientColor ambc float3",
         "incandescence ic float3", "translucence tc float", "glowIntensity gi float"});
    add(type("blinn"), {"eccentricity ec float 0.3", "specularRollOff sro float 0.7",
                        "specularColor sc float3", "reflectivity rfl float 0.5"});
    add(type("phong"),
        {"cosinePower cp float 20", "specularColor sc float3", "reflectivity rfl float 0.5"});
    add(type("surfaceShader"), {"outColor oc float3", "outTransparency ot float3",
                                "outGlowColor ogc float3", "outMatteOpacity omo float3"});
    add(type("shadingEngine"), {"volumeShader vs float3", "displacementShader ds float3"});
    add(type("materialInfo"),
        {"shadingGroup sg message", "material m message", "texture t message[]"});
    add(type("groupId"), {"groupId id long"});
    add(type("light"), {"intensity in float 1", "decayRate de enum", "emitSpecular esp bool 1",
                        "emitDiffuse edi bool 1", "lightData ltd message"});
    add(type("spotLight", "light", MFn::kSpotLight),
        {"coneAngle ca angle 0.6981317", "penumbraAngle pa angle", "dropoff dro double"});
    type("ambientLight", "light", MFn::kAmbientLight);
    type("areaLight", "light", MFn::kLight);
}

void animationAttributes() {
    add(type("animCurve"), {"keyTanLocked ktl bool[]", "keyBreakdown kbd bool[]",
                            "preInfinity pre enum", "postInfinity pst enum"});
}

void dynamicsAttributes() {
    add(type("particle"), {"ghostFrames gf Int32Array",
                           "position0 pos0 vectorArray",
                           "velocity0 vel0 vectorArray",
                           "acceleration0 acc0 vectorArray",
                           "mass0 mas0 doubleArray",
                           "particleId0 id0 doubleArray",
                           "birthTime0 bt0 doubleArray",
                           "age0 ag0 doubleArray",
                           "useStartupCache usc bool",
                           "startupCachePath scp string",
                           "lifespanMode lfm enum",
                           "internalRuntimeBeforeDynamicsExpression irbx string",
                           "internalRuntimeAfterDynamicsExpression irax string",
                           "internalCreationExpression icx string",
                           "currentTimeSave cts time",
                           "currentSceneTime cst time",
                           "cacheHighWaterMark chw time",
                           "particleRenderType prt enum 3",
                           "depthSort ds bool",
                           "dynamicsWeight dw double 1",
                           "isFull ifl bool",
                           "timeStepSize tss time",
                           "inheritFactor inh double",
                           "startTime stt time",
                           "seeds sd long[]",
                           "fieldData fd double",
                           "ppFieldData ppfd double[]",
                           "expressionInput xi double[]",
                           "expressionOutput xo double[]"});
    add(type("pointEmitter"), {"currentTime ct time",
                               "emitterType emt enum 1",
                               "scaleRateByObjectSize sro bool 1",
                               "useRatePP urpp bool",
                               "direction d double3",
                               "awayFromCenter afc double 1",
                               "directionalSpeed drs double",
                               "scaleSpeedBySize ssz bool",
                               "cycleEmission cye enum",
                               "cycleInterval cyi long 1",
                               "isFull full bool[]",
                               "deltaTime dt time[]",
                               "inheritFactor inh double[]",
                               "startTime stt time[]",
                               "maxDistance max distance",
                               "minDistance min distance",
                               "volumeShape vsh enum 1",
                               "volumeOffset vof double3",
                               "volumeSweep vsw angle 6.283185307",
                               "sectionRadius sr double 0.5"});
    add(type("instancer"), {"rotationOrder rod enum"});
    NodeType& field = type("field");
    add(field, {"attenuation att double", "maxDistance max distance -1", "useMaxDistance umd bool",
                "inputData ind double[]", "ppData ppda double[]", "applyPerVertex apv bool",
                "volumeShape vol enum"});
    for (const char* name : {"turbulenceField", "vortexField", "newtonField", "dragField",
                             "radialField", "uniformField", "airField", "volumeAxisField"})
        type(name, "field", MFn::kField);
    add(type("turbulenceField"), {"frequency frq double 1", "phase phs double3"});
    add(type("dynGlobals"),
        {"overSamples os long 1", "useParticleDiskCache upd bool", "cacheDirectory cd string",
         "minFrameCached mnf long", "maxFrameCached mxf long", "confirmedPath cnp bool",
         "confirmSceneName csn bool"});
    NodeType& nucleus = type("nucleus", "transform", MFn::kTransform);
    add(nucleus, {"currentTime cti time", "startFrame stf double 1", "gravity grty double 9.8",
                  "gravityDirection grdi float3", "usePlane up bool", "inputActive niao message[]",
                  "inputActiveStart nias message[]", "outputObjects noao message[]",
                  "airDensity ady double 1", "windSpeed wspd double", "windDirection wdir float3",
                  "subSteps sstp long 3", "maxCollisionIterations mxci long 4",
                  "timeScale tmsc double 1", "spaceScale spsc double 1"});
    NodeType& nParticle = type("nParticle", "particle", MFn::kParticle);
    add(nParticle,
        {"currentState cust message", "startState stst message", "nextState nxst message",
         "collisionFlag cofl enum 1", "selfCollide scld bool", "ignoreSolverGravity igsg bool",
         "radiusScaleInput rci enum", "opacityScaleInput oci enum", "colorInput coi enum",
         "thickness thss double 0.1"});
}

void bookkeepingAttributes() {
    add(type("script"),
        {"before b string", "after a string", "scriptType st enum", "sourceType stp enum"});
    NodeType& linker = type("lightLinker");
    add(linker, compound("link", "lnk[]", {"light llnk message", "object olnk message"}));
    add(linker, compound("shadowLink", "slnk[]",
                         {"shadowLight sllk message", "shadowObject solk message"}));
    add(type("displayLayerManager"), {"currentDisplayLayer cdl long", "displayLayerId dli long[]"});
    NodeType& layer = type("displayLayer");
    add(layer, compound("drawInfo", "di", kDrawOverride));
    add(layer, {"identification id short", "displayType dt enum", "visibility v bool 1",
                "color c byte", "displayOrder do long", "shading s bool 1", "texturing t bool 1",
                "playback p bool 1", "levelOfDetail lod enum", "enabled e bool 1"});
    add(type("renderLayerManager"), {"currentRenderLayer crl long", "renderLayerId rlmi long[]"});
    NodeType& renderLayer = type("renderLayer");
    add(renderLayer, {"identification rlid long", "global g bool", "renderable rndr bool 1",
                      "displayOrder do long"});
    add(renderLayer, compound("adjustments", "adjs[]", {"plug plg message", "value val double"}));
    // The default nodes' own types: lists that files append to, and globals
    // that they set.
    add(type("partition"), {"sets st message[]", "environment en message"});
    add(type("defaultShaderList"), {"shaders s message[]"});
    add(type("postProcessList"), {"postProcesses p message[]"});
    add(type("defaultRenderUtilityList"), {"utilities u message[]"});
    add(type("defaultRenderingList"), {"rendering r message[]"});
    add(type("lightList"), {"lights l message[]", "linkNodes ln message[]"});
    add(type("defaultTextureList"), {"textures tx message[]"});
    add(type("defaultLightList"), {"lights l message[]"});
    type("renderGlobalsList");
    add(type("particleCloud"), {"color c float3", "transparency t float3"});
    add(type("renderGlobals"),
        {"currentRenderer ren string", "imageFormat outf long", "imfPluginKey imfkey string",
         "imageFilePrefix ifp string", "startFrame fs time", "endFrame ef time",
         "byFrameStep bfs time", "animation an bool", "extensionPadding pff long",
         "putFrameBeforeExt peie long"});
    type("renderQuality");
    add(type("resolution"),
        {"width w long 320", "height h long 240", "pixelAspect pa double 1",
         "deviceAspectRatio dar double 1.333", "lockDeviceAspectRatio ldar bool",
         "imageSizeUnits isu enum", "pixelDensityUnits pdu enum"});
    add(type("viewColorManager"), {"displayGamma dp double 1"});
    add(type("hwRenderGlobals"),
        {"colorTextureResolution ctrs long 256", "bumpTextureResolution btrs long 512",
         "filename fn string", "resolution res string"});
    add(type("ikSystem"), {"ikSolver sol message[]"});
    add(type("hyperGraphInfo"), {"hyperGraphLayout hgl message"});
    type("hyperLayout");
    type("globalCacheControl");
    type("dynController");
    type("strokeGlobals");
    type("shaderGlow");
    type("dof");
    type("sequenceManager");
    add(type("groupParts"), {"inputComponents ic componentList",
                             "inputRemoveComponent irc componentList", "groupId gi long"});
}

// A unit conversion scales its input by a factor between internal units.
void unitConversion() {
    NodeType& conversion = type("unitConversion");
    AttributePtr input = attribute("input i double");
    AttributePtr factor = attribute("conversionFactor cf double 1");
    AttributePtr output = attribute("output o double");
    output->writable = false;
    output->storable = false;
    for (const auto& a : {input, factor, output})
        conversion.addAttribute(a);
    attrs::affects(input, output);
    attrs::affects(factor, output);
    Attribute* in = input.get();
    Attribute* cf = factor.get();
    Attribute* out = output.get();
    conversion.compute = [in, cf, out](Node& node, const PlugPath& plug) {
        if (plug.attribute != out)
            return false;
        node.storage(plug).value = valueAsDouble(evaluate(PlugRef{&node, PlugPath{in, {}}})) *
                                   valueAsDouble(evaluate(PlugRef{&node, PlugPath{cf, {}}}));
        return true;
    };
}

}  // namespace

void registerFileNodeTypes() {
    dagAttributes();
    cameraAttributes();
    meshAttributes();
    shadingAttributes();
    animationAttributes();
    dynamicsAttributes();
    bookkeepingAttributes();
    unitConversion();
}

}  // namespace host
