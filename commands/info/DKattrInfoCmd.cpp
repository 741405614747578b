#include "commands/info/DKattrInfoCmd.h"

#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

#include <maya/MFn.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnParticleSystem.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>

namespace {

const char* const kAnyFlag = "any";
const char* const kAllFlag = "all";

bool isInstanced(const MPlug& plug) {
    const MObject node = plug.node();
    if (!node.hasFn(MFn::kDagNode)) {
        return false;
    }
    MFnDagNode dagNode(node);
    MFnAttribute attribute(plug.attribute());
    // An attribute below an instanced compound is instanced with it.
    MStatus status;
    while (status == MS::kSuccess) {
        const bool instanced = dagNode.isInstancedAttribute(attribute.object(), &status);
        checkStatus(status, "Unable to query instanced status of attribute.");
        if (instanced) {
            return true;
        }
        const MObject parent = attribute.parent(&status);
        if (status == MS::kSuccess) {
            attribute.setObject(parent);
        }
    }
    return false;
}

bool isPerParticle(const MPlug& plug) {
    const MObject node = plug.node();
    if (!node.hasFn(MFn::kParticle)) {
        return false;
    }
    MFnParticleSystem particles(node);
    const MString name = plug.partialName();
    return particles.isPerParticleIntAttribute(name) ||
           particles.isPerParticleDoubleAttribute(name) ||
           particles.isPerParticleVectorAttribute(name);
}

// A compound without children is how a generic attribute can be declared.
bool isGeneric(const MPlug& plug) {
    const MObject attribute = plug.attribute();
    if (attribute.hasFn(MFn::kCompoundAttribute)) {
        return MFnCompoundAttribute(attribute).numChildren() == 0;
    }
    return attribute.hasFn(MFn::kGenericAttribute);
}

bool isWritable(const MPlug& plug) {
    return MFnAttribute(plug.attribute()).isWritable();
}

bool isMessage(const MPlug& plug) {
    return plug.attribute().hasFn(MFn::kMessageAttribute);
}

bool isConnectable(const MPlug& plug) {
    return MFnAttribute(plug.attribute()).isConnectable();
}

bool isMulti(const MPlug& plug) {
    return MFnAttribute(plug.attribute()).isArray();
}

bool isMultiElement(const MPlug& plug) {
    return plug.isElement();
}

struct MainFlag {
    const char* shortName;
    const char* longName;
    DKattrInfoCmd::Query query;
    bool (*answer)(const MPlug&);  // null for the text answer
};

const MainFlag kMainFlags[] = {
    {"ins", "instanced", DKattrInfoCmd::kInstanced, isInstanced},
    {"pp", "perParticle", DKattrInfoCmd::kPerParticle, isPerParticle},
    {"gen", "generic", DKattrInfoCmd::kGeneric, isGeneric},
    {"w", "writable", DKattrInfoCmd::kWritable, isWritable},
    {"msg", "message", DKattrInfoCmd::kMessage, isMessage},
    {"con", "connectable", DKattrInfoCmd::kConnectable, isConnectable},
    {"par", "parent", DKattrInfoCmd::kParent, nullptr},
    {"mul", "multi", DKattrInfoCmd::kMulti, isMulti},
    {"mel", "multiElement", DKattrInfoCmd::kMultiElement, isMultiElement},
};

}  // namespace

const char* const DKattrInfoCmd::commandName = "dkAttrInfo";

void* DKattrInfoCmd::creator() {
    return new DKattrInfoCmd;
}

MSyntax DKattrInfoCmd::newSyntax() {
    MSyntax syntax;
    for (const MainFlag& flag : kMainFlags) {
        syntax.addFlag(flag.shortName, flag.longName);
    }
    syntax.addFlag(kAnyFlag, "anyAncestors");
    syntax.addFlag(kAllFlag, "allAncestors");
    syntax.setObjectType(MSyntax::kSelectionList, 1, 1);
    syntax.useSelectionAsDefault(true);
    return syntax;
}

void DKattrInfoCmd::parseArgs(const MArgList& args) {
    MStatus status;
    MArgDatabase database(syntax(), args, &status);
    if (status != MS::kSuccess) {
        throw DKsilentException();
    }
    anyAncestors_ = database.isFlagSet(kAnyFlag);
    allAncestors_ = database.isFlagSet(kAllFlag);
    if (anyAncestors_ && allAncestors_) {
        throw DKbadArgumentException("-anyAncestors and -allAncestors may not be used together.");
    }
    unsigned count = 0;
    for (const MainFlag& flag : kMainFlags) {
        if (!database.isFlagSet(flag.shortName)) {
            continue;
        }
        ++count;
        query_ = flag.query;
        if (flag.query == kParent) {
            if (anyAncestors_ || allAncestors_) {
                throw DKbadArgumentException(
                    "The -parent and -anyAncestors/-allAncestors flags may not be used together.");
            }
            booleanResult_ = false;
        }
    }
    if (count == 0) {
        // "a a single" is the module's own text, which users' scripts match:
        // kept as it has always been, not corrected.
        throw DKbadArgumentException(
            "No command flags specified. The dkAttrInfo command requires that a a single main "
            "command flag be specified.");
    }
    if (count > 1) {
        throw DKbadArgumentException(
            "Too many flags specified. The dkAttrInfo can accept only a single main command flag "
            "at a time.");
    }
    parseTargets(database);
}

void DKattrInfoCmd::parseTargets(const MArgDatabase& database) {
    MSelectionList list;
    checkStatus(database.getObjects(list));
    if (list.length() != 1 || list.getPlug(0, target_) != MS::kSuccess || target_.isNull()) {
        throw DKbadArgumentException(
            "The dkAttrInfo command requires one plug to be specified as command target.");
    }
}

bool DKattrInfoCmd::answer(const MPlug& plug) const {
    return kMainFlags[query_].answer(plug);
}

bool DKattrInfoCmd::combineAncestorResult(bool soFar, bool value) const {
    if (allAncestors_) {
        return soFar && value;
    }
    if (anyAncestors_) {
        return soFar || value;
    }
    return value;
}

MString DKattrInfoCmd::parentAttributeName(const MPlug& plug) {
    MString name;
    const MObject parent = plug.parent();
    if (!parent.isNull()) {
        name = MFnAttribute(parent).name();
    }
    return name;
}

MStatus DKattrInfoCmd::doIt(const MArgList& args) {
    return errorFrame(commandName, [&] {
        clearResult();
        parseArgs(args);
        if (booleanResult_) {
            const bool folding = anyAncestors_ || allAncestors_;
            bool result = allAncestors_;
            for (MPlug current = target_; !current.isNull();
                 current = folding ? current.parent() : MPlug()) {
                result = combineAncestorResult(result, answer(current));
            }
            setResult(result);
        } else if (query_ == kParent) {
            setResult(parentAttributeName(target_));
        }
        return MStatus(MS::kSuccess);
    });
}
