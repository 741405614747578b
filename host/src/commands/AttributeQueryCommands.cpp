// attributeQuery, which answers for an attribute of a node by name, and
// attributeExists, the host's script procedure of that name built on it.
#include "commands/Support.h"
#include "commands/Values.h"

#include <maya/MArgDatabase.h>
#include <maya/MPxCommand.h>
#include <maya/MSyntax.h>

#include <string>

namespace host {
namespace commands {

namespace {

MSyntax attributeQuerySyntax() {
    MSyntax s;
    s.addFlag("n", "node", MSyntax::kString);
    s.addFlag("ex", "exists");
    s.addFlag("h", "hidden");
    s.addFlag("w", "writable");
    s.addFlag("r", "readable");
    s.addFlag("k", "keyable");
    s.addFlag("m", "multi");
    s.addFlag("at", "attributeType");
    s.addFlag("ln", "longName");
    s.addFlag("sn", "shortName");
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

class AttributeQueryCommand : public MPxCommand {
public:
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MString nodeName;
        if (!db.isFlagSet("node") || !db.getFlagArgument("node", 0, nodeName))
            return fail("The -node flag is required.");
        MStringArray names;
        db.getObjects(names);
        Node* node = findNode(nodeName.asChar());
        if (!node)
            return fail(std::string("No object matches name: ") + nodeName.asChar());
        const Attribute* a = node->findAttribute(names[0].asChar());
        if (db.isFlagSet("exists")) {
            setResult(a != nullptr);
            return MS::kSuccess;
        }
        if (!a)
            return fail(std::string("No attribute named '") + names[0].asChar() + "' on node '" +
                        node->name() + "'.");
        if (db.isFlagSet("hidden"))
            setResult(a->hidden);
        else if (db.isFlagSet("writable"))
            setResult(a->writable);
        else if (db.isFlagSet("readable"))
            setResult(a->readable);
        else if (db.isFlagSet("keyable"))
            setResult(a->keyable);
        else if (db.isFlagSet("multi"))
            setResult(a->array);
        else if (db.isFlagSet("attributeType"))
            setResult(MString(typeName(*a).c_str()));
        else if (db.isFlagSet("longName"))
            setResult(MString(a->longName.c_str()));
        else if (db.isFlagSet("shortName"))
            setResult(MString(a->shortName.c_str()));
        else
            return fail("No query flag was given.");
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("attributeQuery: " + text);
        return MS::kFailure;
    }
};

MSyntax attributeExistsSyntax() {
    MSyntax s;
    s.setObjectType(MSyntax::kStringObjects, 2, 2);
    return s;
}

// attributeExists attribute node: 1 when the node is there and has it.
class AttributeExistsCommand : public MPxCommand {
public:
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        Node* node = findNode(names[1].asChar());
        setResult(static_cast<int>(node && node->findAttribute(names[0].asChar())));
        return MS::kSuccess;
    }
};

}  // namespace

void registerAttributeQueryCommands() {
    define<AttributeQueryCommand>("attributeQuery", attributeQuerySyntax);
    define<AttributeExistsCommand>("attributeExists", attributeExistsSyntax);
}

}  // namespace commands
}  // namespace host
