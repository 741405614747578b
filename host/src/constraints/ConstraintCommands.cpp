// pointConstraint and parentConstraint: make, edit and query the constraint
// that drives the last object named from the others.
#include "commands/Support.h"
#include "constraints/Constraints.h"
#include "graph/PlugAccess.h"

#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MTransformationMatrix.h>

#include <set>

namespace host {
namespace commands {

namespace {

using constraints::ConstraintAttributes;

MSyntax constraintSyntax() {
    MSyntax s;
    s.addFlag("mo", "maintainOffset");
    s.addFlag("w", "weight", MSyntax::kDouble);
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("o", "offset", MSyntax::kDistance, MSyntax::kDistance, MSyntax::kDistance);
    s.addFlag("rm", "remove");
    s.addFlag("tl", "targetList");
    s.addFlag("wal", "weightAliasList");
    s.enableQuery();
    s.enableEdit();
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

std::string indexed(const std::string& node, const char* attribute, unsigned i, const char* child) {
    return node + "." + attribute + "[" + std::to_string(i) + "]" + (child ? "." : "") +
           (child ? child : "");
}

class ConstraintCommand : public commands::ParsedCommand<EditCommand> {
public:
    ConstraintCommand(const char* type, const ConstraintAttributes& attributes, bool parent)
        : m_type(type), a(attributes), m_parent(parent) {}

    MStatus run(const MArgDatabase& db) override {
        MSelectionList list;
        if (!objectsOf(db, list))
            return MS::kFailure;
        std::vector<Node*> objects;
        for (const Target& t : targets(list))
            if (!t.path.empty() && t.node->type().isA("transform"))
                objects.push_back(t.node);
        if (objects.empty())
            return fail("No object to constrain.");
        // The last object is the one driven, or (in query and edit) the constraint itself.
        Node* driven = objects.back();
        objects.pop_back();
        Node* constraint = nullptr;
        if (constraints::attributesOf(*driven) == &a) {
            constraint = driven;
            driven = driven->parents.empty() ? nullptr : driven->parents.front();
        } else {
            constraint = existing(*driven);
        }
        if (db.isQuery())
            return constraint ? query(db, *constraint, objects) : fail("No constraint found.");
        if (db.isEdit() || db.isFlagSet("remove")) {
            if (!constraint)
                return fail("No constraint found.");
            return edit(db, *constraint, objects) ? MS::kSuccess : undone();
        }
        if (objects.empty())
            return fail("Not enough objects given: name the targets, then the object.");
        for (Node* target : objects)
            if (target == driven)
                return fail("'" + target->name() + "' cannot constrain itself.");
        return create(db, *driven, constraint, objects) ? MS::kSuccess : undone();
    }

private:
    MStatus fail(const std::string& text) const {
        error(m_type + ": " + text);
        return MS::kFailure;
    }

    MStatus undone() {
        edits.undo();
        return MS::kFailure;
    }

    Node* existing(Node& driven) const {
        for (Node* child : driven.children)
            if (child->type().isA(m_type))
                return child;
        return nullptr;
    }

    // target index -> the node that feeds it
    std::map<unsigned, Node*> targetsOf(const Node& constraint) const {
        std::map<unsigned, Node*> out;
        for (const auto& [path, source] : constraint.inputs)
            if (path.attribute == a.targetParentMatrix && !path.indices.empty())
                out[path.indices[0]] = source.node;
        return out;
    }

    double weightOf(Node& constraint, unsigned i) const {
        return valueAsDouble(evaluate(PlugRef{&constraint, PlugPath{a.targetWeight, {i}}}));
    }

    // Connects or sets through the command's undoable steps.
    bool connect(const std::string& from, const std::string& to) {
        MPlug src, dst;
        if (!findPlug(from, src) || !findPlug(to, dst)) {
            error(m_type + ": Cannot connect " + from + " to " + to + ".");
            return false;
        }
        auto modifier = std::make_shared<MDagModifier>();
        if (!modifier->connect(src, dst) || !edits.run(modifier)) {
            error(m_type + ": Cannot connect " + from + " to " + to + ".");
            return false;
        }
        return true;
    }

    bool set(Node& node, Attribute* attribute, std::vector<unsigned> indices, double value) {
        const PlugPath path{attribute, std::move(indices)};
        return edits.change(node, {path}, [&] {
            return static_cast<bool>(assign(PlugRef{&node, path}, Value(value)));
        });
    }

    bool setVector(Node& node, Attribute* compound, std::vector<unsigned> indices,
                   const MVector& v) {
        for (int k = 0; k < 3; ++k)
            if (!set(node, compound->children[static_cast<size_t>(k)].get(), indices, v[k]))
                return false;
        return true;
    }

    // The weight is set where scripts set it: on the attribute named after the target,
    // which feeds target[i].targetWeight.
    bool setWeight(Node& constraint, const Node& target, unsigned i, double weight) {
        Attribute* alias = constraint.findAttribute(aliasOf(target, i));
        if (!alias)
            return set(constraint, a.targetWeight, {i}, weight);
        if (!set(constraint, alias, {}, weight)) {
            error(m_type + ": Cannot set the weight " + aliasOf(target, i) + ".");
            return false;
        }
        return true;
    }

    static std::string aliasOf(const Node& target, unsigned i) {
        return target.name() + "W" + std::to_string(i);
    }

    static MVector read(Node& node, const char* attribute) {
        MVector v;
        Attribute* compound = node.findAttribute(attribute);
        for (int k = 0; k < 3; ++k)
            v[k] = valueAsDouble(evaluate(
                PlugRef{&node, PlugPath{compound->children[static_cast<size_t>(k)].get(), {}}}));
        return v;
    }

    // The object's pivot frame as it stands, for offsets kept with -mo.
    static MMatrix frameOf(Node& node) {
        const MMatrix parentMatrix = dag::exclusiveMatrix(dag::firstPath(node));
        const int order = static_cast<int>(valueAsDouble(
            evaluate(PlugRef{&node, PlugPath{node.findAttribute("rotateOrder"), {}}})));
        return constraints::pivotFrame(
            read(node, "translate"),
            MEulerRotation(read(node, "rotate"), static_cast<MEulerRotation::RotationOrder>(order)),
            read(node, "rotatePivot"), read(node, "rotatePivotTranslate"), parentMatrix);
    }

    bool create(const MArgDatabase& db, Node& driven, Node* constraint,
                const std::vector<Node*>& targets) {
        const MVector translateBefore = read(driven, "translate");
        const MMatrix frameBefore = frameOf(driven);
        const bool fresh = constraint == nullptr;
        if (fresh && !drivable(driven))
            return false;
        if (fresh && !(constraint = make(db, driven)))
            return false;
        const std::string name = nameOf(*constraint);
        double weight = 1.0;
        if (db.isFlagSet("weight"))
            db.getFlagArgument("weight", 0, weight);
        std::map<unsigned, Node*> present = targetsOf(*constraint);
        for (Node* target : targets) {
            unsigned index = present.empty() ? 0 : present.rbegin()->first + 1;
            bool known = false;
            for (const auto& [i, node] : present)
                if (node == target) {
                    index = i;
                    known = true;
                }
            if (!known && !addTarget(*constraint, name, *target, index))
                return false;
            present[index] = target;
            if (!setWeight(*constraint, *target, index, weight))
                return false;
            if (m_parent && db.isFlagSet("maintainOffset") &&
                !keepOffset(*constraint, index, frameBefore))
                return false;
        }
        if (!m_parent && !pointOffset(db, *constraint, translateBefore))
            return false;
        if (fresh && !drive(name, driven))
            return false;
        MStringArray result;
        result.append(MString(name.c_str()));
        setResult(result);
        return true;
    }

    // The channels the constraint drives must be free: neither locked nor fed (keyed
    // channels included), or the constraint could not move the object.
    bool drivable(Node& driven) const {
        for (const char* name : {"translate", "rotate"}) {
            if (!m_parent && std::string(name) == "rotate")
                break;
            const Attribute* channel = driven.findAttribute(name);
            for (const auto& [path, source] : driven.inputs)
                if (path.attribute->root() == channel) {
                    error(m_type + ": '" + nameOf(driven) + "." + name +
                          "' is already connected; it cannot be constrained.");
                    return false;
                }
            for (const PlugPath& locked : driven.lockedPlugs)
                if (locked.attribute->root() == channel) {
                    error(m_type + ": '" + nameOf(driven) + "." + name +
                          "' is locked; it cannot be constrained.");
                    return false;
                }
        }
        return true;
    }

    // A new constraint node under the driven object, named after it, fed by its parent
    // inverse matrix and pivots.
    Node* make(const MArgDatabase& db, Node& driven) {
        MStatus status;
        auto modifier = std::make_shared<MDagModifier>();
        MObject made = modifier->createNode(MString(m_type.c_str()),
                                            Scene::current().object(&driven), &status);
        if (!status || !edits.run(modifier)) {
            error(m_type + ": The constraint could not be created.");
            return nullptr;
        }
        Node* node = nodeOf(made);
        const std::string wanted = db.isFlagSet("name")
                                       ? std::string(db.flagArgumentString("name", 0).asChar())
                                       : driven.name() + "_" + m_type + "#";
        auto naming = std::make_shared<MDagModifier>();
        naming->renameNode(made, MString(wanted.c_str()));
        edits.run(naming);
        const std::string name = nameOf(*node), object = nameOf(driven);
        if (!connect(object + ".parentInverseMatrix[0]", name + ".constraintParentInverseMatrix") ||
            !connect(object + ".rotatePivot", name + ".constraintRotatePivot") ||
            !connect(object + ".rotatePivotTranslate", name + ".constraintRotateTranslate") ||
            (m_parent && !connect(object + ".rotateOrder", name + ".constraintRotateOrder")))
            return nullptr;
        return node;
    }

    // The outputs go into the object last, once the offsets are known.
    bool drive(const std::string& name, Node& driven) {
        const std::string object = nameOf(driven);
        return connect(name + ".constraintTranslate", object + ".translate") &&
               (!m_parent || connect(name + ".constraintRotate", object + ".rotate"));
    }

    bool addTarget(Node& constraint, const std::string& name, Node& target, unsigned i) {
        const std::string from = nameOf(target);
        if (!connect(from + ".parentMatrix[0]", indexed(name, "target", i, "targetParentMatrix")) ||
            !connect(from + ".translate", indexed(name, "target", i, "targetTranslate")) ||
            !connect(from + ".rotatePivot", indexed(name, "target", i, "targetRotatePivot")) ||
            !connect(from + ".rotatePivotTranslate",
                     indexed(name, "target", i, "targetRotateTranslate")))
            return false;
        if (m_parent &&
            (!connect(from + ".rotate", indexed(name, "target", i, "targetRotate")) ||
             !connect(from + ".rotateOrder", indexed(name, "target", i, "targetRotateOrder"))))
            return false;
        // The weight is also a keyable attribute named after the target, as scripts set it.
        const std::string alias = aliasOf(target, i);
        MFnNumericAttribute fn;
        MObject attribute =
            fn.create(MString(alias.c_str()), MString(alias.c_str()), MFnNumericData::kDouble, 1.0);
        fn.setKeyable(true);
        auto modifier = std::make_shared<MDagModifier>();
        if (!modifier->addAttribute(Scene::current().object(&constraint), attribute) ||
            !edits.run(modifier)) {
            error(m_type + ": Cannot add the weight attribute " + alias + ".");
            return false;
        }
        return connect(name + "." + alias, indexed(name, "target", i, "targetWeight"));
    }

    // -mo on a point constraint: keep the object where it is; -o: a given offset.
    bool pointOffset(const MArgDatabase& db, Node& constraint, const MVector& translateBefore) {
        MVector offset;
        if (db.isFlagSet("offset")) {
            offset = commands::distanceTripleFlag(db, "offset");
        } else if (db.isFlagSet("maintainOffset")) {
            if (!setVector(constraint, a.offset, {}, MVector()))
                return false;
            offset = translateBefore - read(constraint, "constraintTranslate");
        } else {
            return true;
        }
        return setVector(constraint, a.offset, {}, offset);
    }

    // -mo on a parent constraint: the object's frame relative to the target's, kept per
    // target.
    bool keepOffset(Node& constraint, unsigned i, const MMatrix& objectFrame) {
        if (!setVector(constraint, a.targetOffsetTranslate, {i}, MVector()) ||
            !setVector(constraint, a.targetOffsetRotate, {i}, MVector()))
            return false;
        const MMatrix target = constraints::targetFrame(constraint, a, i);
        const MMatrix offset = objectFrame * target.inverse();
        const MEulerRotation r = MEulerRotation::decompose(offset, MEulerRotation::kXYZ);
        return setVector(constraint, a.targetOffsetTranslate, {i},
                         MVector(offset[3][0], offset[3][1], offset[3][2])) &&
               setVector(constraint, a.targetOffsetRotate, {i}, MVector(r.x, r.y, r.z));
    }

    // -e -w: new weights for the named targets (all when none is named); -rm: drop them.
    bool edit(const MArgDatabase& db, Node& constraint, const std::vector<Node*>& named) {
        const std::map<unsigned, Node*> present = targetsOf(constraint);
        std::vector<unsigned> chosen;
        for (const auto& [i, node] : present)
            if (named.empty() || std::find(named.begin(), named.end(), node) != named.end())
                chosen.push_back(i);
        if (db.isFlagSet("remove"))
            return remove(constraint, chosen, present.size());
        if (db.isFlagSet("weight")) {
            double weight = 1.0;
            db.getFlagArgument("weight", 0, weight);
            for (unsigned i : chosen)
                if (!setWeight(constraint, *present.at(i), i, weight))
                    return false;
        }
        if (!m_parent && db.isFlagSet("offset")) {
            return setVector(constraint, a.offset, {}, commands::distanceTripleFlag(db, "offset"));
        }
        return true;
    }

    // Removing every target deletes the constraint.
    bool remove(Node& constraint, const std::vector<unsigned>& chosen, size_t count) {
        auto modifier = std::make_shared<MDagModifier>();
        if (chosen.size() == count) {
            modifier->deleteNode(Scene::current().object(&constraint));
            return edits.run(modifier);
        }
        for (unsigned i : chosen)
            for (const auto& [path, source] : constraint.inputs)
                if (path.attribute->parent == a.target && path.indices[0] == i)
                    modifier->disconnect(PlugAccess::make(source),
                                         PlugAccess::make(&constraint, path));
        return edits.run(modifier);
    }

    MStatus query(const MArgDatabase& db, Node& constraint, const std::vector<Node*>& named) {
        const std::map<unsigned, Node*> present = targetsOf(constraint);
        if (db.isFlagSet("targetList") || db.isFlagSet("weightAliasList")) {
            MStringArray out;
            for (const auto& [i, node] : present)
                out.append(MString(
                    (db.isFlagSet("targetList") ? nameOf(*node) : aliasOf(*node, i)).c_str()));
            setResult(out);
            return MS::kSuccess;
        }
        if (db.isFlagSet("weight")) {
            MDoubleArray out;
            for (const auto& [i, node] : present)
                if (named.empty() || std::find(named.begin(), named.end(), node) != named.end())
                    out.append(weightOf(constraint, i));
            if (out.length() == 1)
                setResult(out[0]);
            else
                setResult(out);
            return MS::kSuccess;
        }
        if (!m_parent && db.isFlagSet("offset")) {
            MDoubleArray out;
            const MVector o = read(constraint, "offset");
            for (int k = 0; k < 3; ++k)
                out.append(MDistance::internalToUI(o[k]));
            setResult(out);
            return MS::kSuccess;
        }
        return fail("Nothing to query.");
    }

    std::string m_type;
    const ConstraintAttributes& a;
    bool m_parent;
};

class PointConstraintCommand : public ConstraintCommand {
public:
    PointConstraintCommand()
        : ConstraintCommand("pointConstraint", constraints::pointAttributes(), false) {}
};

class ParentConstraintCommand : public ConstraintCommand {
public:
    ParentConstraintCommand()
        : ConstraintCommand("parentConstraint", constraints::parentAttributes(), true) {}
};

}  // namespace

void registerConstraintCommands() {
    constraints::registerConstraintTypes();
    define<PointConstraintCommand>("pointConstraint", constraintSyntax);
    define<ParentConstraintCommand>("parentConstraint", constraintSyntax);
}

}  // namespace commands
}  // namespace host
