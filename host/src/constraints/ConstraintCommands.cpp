// pointConstraint, parentConstraint, orientConstraint, aimConstraint and
// scaleConstraint: make, edit and query the constraint that drives the last
// object named from the others. One command serves them all, led by which
// attributes the constraint type has. poleVectorConstraint only refuses: it
// drives IK handles, which the host does not have.
#include "commands/Support.h"
#include "constraints/Constraints.h"
#include "graph/PlugAccess.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MTransformationMatrix.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>

namespace host {
namespace commands {

namespace {

using constraints::ConstraintAttributes;
using constraints::OffsetKind;

// What feeds a constraint input on each target and on the driven object, and which of the
// object's channels each output drives.
struct Link {
    Attribute* ConstraintAttributes::*slot;
    const char* plug;
};
const Link kTargetLinks[] = {
    {&ConstraintAttributes::targetParentMatrix, "parentMatrix[0]"},
    {&ConstraintAttributes::targetTranslate, "translate"},
    {&ConstraintAttributes::targetRotate, "rotate"},
    {&ConstraintAttributes::targetRotateOrder, "rotateOrder"},
    {&ConstraintAttributes::targetRotatePivot, "rotatePivot"},
    {&ConstraintAttributes::targetRotateTranslate, "rotatePivotTranslate"},
    {&ConstraintAttributes::targetScale, "scale"},
};
const Link kObjectLinks[] = {
    {&ConstraintAttributes::constraintParentInverseMatrix, "parentInverseMatrix[0]"},
    {&ConstraintAttributes::objectTranslate, "translate"},
    {&ConstraintAttributes::constraintRotatePivot, "rotatePivot"},
    {&ConstraintAttributes::constraintRotateTranslate, "rotatePivotTranslate"},
    {&ConstraintAttributes::constraintRotateOrder, "rotateOrder"},
};
const Link kOutputLinks[] = {
    {&ConstraintAttributes::constraintTranslate, "translate"},
    {&ConstraintAttributes::constraintRotate, "rotate"},
    {&ConstraintAttributes::constraintScale, "scale"},
};

const char* const kWorldUpTypes[] = {"scene", "object", "objectrotation", "vector", "none"};

MSyntax sharedSyntax() {
    MSyntax s;
    s.addFlag("mo", "maintainOffset");
    s.addFlag("w", "weight", MSyntax::kDouble);
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("rm", "remove");
    s.addFlag("tl", "targetList");
    s.addFlag("wal", "weightAliasList");
    s.enableQuery();
    s.enableEdit();
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

MSyntax withOffset(MSyntax::MArgType type) {
    MSyntax s = sharedSyntax();
    s.addFlag("o", "offset", type, type, type);
    s.addFlag("sk", "skip", MSyntax::kString);
    s.makeFlagMultiUse("sk");
    return s;
}

MSyntax parentSyntax() {
    MSyntax s = sharedSyntax();
    s.addFlag("st", "skipTranslate", MSyntax::kString);
    s.addFlag("sr", "skipRotate", MSyntax::kString);
    s.makeFlagMultiUse("st");
    s.makeFlagMultiUse("sr");
    return s;
}

MSyntax pointSyntax() {
    return withOffset(MSyntax::kDistance);
}

MSyntax orientSyntax() {
    return withOffset(MSyntax::kAngle);
}

MSyntax scaleSyntax() {
    return withOffset(MSyntax::kDouble);
}

MSyntax aimSyntax() {
    MSyntax s = withOffset(MSyntax::kAngle);
    s.addFlag("aim", "aimVector", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("u", "upVector", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("wu", "worldUpVector", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("wut", "worldUpType", MSyntax::kString);
    s.addFlag("wuo", "worldUpObject", MSyntax::kString);
    return s;
}

// The transforms among the objects named (or selected); false with the error shown
// when a name matches nothing.
bool transformsOf(const MArgDatabase& db, std::vector<Node*>& objects) {
    MSelectionList list;
    if (!objectsOf(db, list))
        return false;
    for (const Target& t : targets(list))
        if (!t.path.empty() && t.node->type().isA("transform"))
            objects.push_back(t.node);
    return true;
}

MVector tripleFlag(const MArgDatabase& db, const char* flag) {
    MVector v;
    for (unsigned k = 0; k < 3; ++k)
        db.getFlagArgument(flag, k, v[static_cast<int>(k)]);
    return v;
}

std::string indexed(const std::string& node, const char* attribute, unsigned i, const char* child) {
    return node + "." + attribute + "[" + std::to_string(i) + "]" + (child ? "." : "") +
           (child ? child : "");
}

// Offsets as scripts give and read them: distances and angles in UI units.
MVector offsetFromUI(OffsetKind kind, const MVector& v) {
    MVector out = v;
    for (int k = 0; k < 3; ++k) {
        if (kind == OffsetKind::Distance)
            out[k] = MDistance::uiToInternal(v[k]);
        else if (kind == OffsetKind::Angle)
            out[k] = MAngle::uiToInternal(v[k]);
    }
    return out;
}

MVector offsetToUI(OffsetKind kind, const MVector& v) {
    MVector out = v;
    for (int k = 0; k < 3; ++k) {
        if (kind == OffsetKind::Distance)
            out[k] = MDistance::internalToUI(v[k]);
        else if (kind == OffsetKind::Angle)
            out[k] = MAngle::internalToUI(v[k]);
    }
    return out;
}

MStatus failWith(const std::string& command, const std::string& text) {
    error(command + ": " + text);
    return MS::kFailure;
}

class ConstraintCommand : public commands::ParsedCommand<EditCommand> {
public:
    explicit ConstraintCommand(const ConstraintAttributes& attributes)
        : m_type(attributes.type), a(attributes) {}

    MStatus run(const MArgDatabase& db) override {
        std::vector<Node*> objects;
        if (!transformsOf(db, objects))
            return MS::kFailure;
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
    MStatus fail(const std::string& text) const { return failWith(m_type, text); }

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
            fail("Cannot connect " + from + " to " + to + ".");
            return false;
        }
        auto modifier = std::make_shared<MDagModifier>();
        if (!modifier->connect(src, dst) || !edits.run(modifier)) {
            fail("Cannot connect " + from + " to " + to + ".");
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
            fail("Cannot set the weight " + aliasOf(target, i) + ".");
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

    static MEulerRotation::RotationOrder orderOf(Node& node) {
        return static_cast<MEulerRotation::RotationOrder>(static_cast<int>(valueAsDouble(
            evaluate(PlugRef{&node, PlugPath{node.findAttribute("rotateOrder"), {}}}))));
    }

    // The driven object as it stood before it was constrained, for offsets kept with -mo.
    struct Place {
        MVector translate, scale;
        MEulerRotation rotate;
        MMatrix frame;  // its pivot frame (parent constraints)
    };

    static Place placeOf(Node& node) {
        Place p;
        p.translate = read(node, "translate");
        p.scale = read(node, "scale");
        p.rotate = MEulerRotation(read(node, "rotate"), orderOf(node));
        p.frame = constraints::pivotFrame(p.translate, p.rotate, read(node, "rotatePivot"),
                                          read(node, "rotatePivotTranslate"),
                                          dag::exclusiveMatrix(dag::firstPath(node)));
        return p;
    }

    // The flag that names the axes of an output the constraint leaves alone: -skip, or
    // for a parent constraint -skipTranslate and -skipRotate.
    const char* skipFlag(const Link& out) const {
        if (!a.constraintTranslate || !a.constraintRotate)
            return "skip";
        return out.slot == &ConstraintAttributes::constraintTranslate ? "skipTranslate"
                                                                      : "skipRotate";
    }

    // The axes ("X", "Y", "Z") of each output's channel that the constraint drives.
    bool drivenAxes(const MArgDatabase& db) {
        for (size_t k = 0; k < std::size(kOutputLinks); ++k) {
            m_axes[k] = "XYZ";
            if (!(a.*kOutputLinks[k].slot))
                continue;
            for (const std::string& word : flagStrings(db, skipFlag(kOutputLinks[k]))) {
                if (word == "x" || word == "y" || word == "z") {
                    const size_t at = m_axes[k].find(static_cast<char>(word[0] - 'a' + 'A'));
                    if (at != std::string::npos)
                        m_axes[k].erase(at, 1);
                } else if (word != "none") {
                    fail("Invalid axis to skip: " + word + " (x, y, z or none).");
                    return false;
                }
            }
        }
        return true;
    }

    bool create(const MArgDatabase& db, Node& driven, Node* constraint,
                const std::vector<Node*>& targets) {
        const Place before = placeOf(driven);
        const bool fresh = constraint == nullptr;
        if (fresh && (!drivenAxes(db) || !drivable(driven)))
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
            if (a.targetOffsetTranslate && db.isFlagSet("maintainOffset") &&
                !keepFrame(*constraint, index, before.frame))
                return false;
        }
        if (!aimSettings(db, *constraint))
            return false;
        if (db.isFlagSet("offset")) {
            if (!setOffset(*constraint, offsetFromUI(a.offsetKind, tripleFlag(db, "offset"))))
                return false;
        } else if (db.isFlagSet("maintainOffset") && a.offset && !keepPlace(*constraint, before)) {
            return false;
        }
        if (fresh && !drive(name, driven))
            return false;
        MStringArray result;
        result.append(MString(name.c_str()));
        setResult(result);
        return true;
    }

    // The channels the constraint drives must be free: neither locked nor fed (keyed
    // channels included), or the constraint could not move the object. Skipped axes
    // may be either.
    bool drivable(Node& driven) const {
        for (size_t k = 0; k < std::size(kOutputLinks); ++k) {
            const Link& out = kOutputLinks[k];
            if (!(a.*out.slot))
                continue;
            const Attribute* channel = driven.findAttribute(out.plug);
            auto isDriven = [&](const Attribute* attribute) {
                if (attribute == channel)
                    return !m_axes[k].empty();
                return attribute->parent == channel &&
                       m_axes[k].find(attribute->longName.back()) != std::string::npos;
            };
            for (const auto& [path, source] : driven.inputs)
                if (isDriven(path.attribute)) {
                    fail("'" + nameOf(driven) + "." + out.plug +
                         "' is already connected; it cannot be constrained.");
                    return false;
                }
            for (const PlugPath& locked : driven.lockedPlugs)
                if (isDriven(locked.attribute)) {
                    fail("'" + nameOf(driven) + "." + out.plug +
                         "' is locked; it cannot be constrained.");
                    return false;
                }
        }
        return true;
    }

    // A new constraint node under the driven object, named after it, fed by what the
    // type reads of the object (its parent inverse matrix, pivots ...).
    Node* make(const MArgDatabase& db, Node& driven) {
        MStatus status;
        auto modifier = std::make_shared<MDagModifier>();
        MObject made = modifier->createNode(MString(m_type.c_str()),
                                            Scene::current().object(&driven), &status);
        if (!status || !edits.run(modifier)) {
            fail("The constraint could not be created.");
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
        for (const Link& in : kObjectLinks)
            if (a.*in.slot && !connect(object + "." + in.plug, name + "." + (a.*in.slot)->longName))
                return nullptr;
        return node;
    }

    // The outputs go into the object last, once the offsets are known: whole, or axis by
    // axis when some are skipped.
    bool drive(const std::string& name, Node& driven) {
        const std::string object = nameOf(driven);
        for (size_t k = 0; k < std::size(kOutputLinks); ++k) {
            const Link& out = kOutputLinks[k];
            if (!(a.*out.slot))
                continue;
            const std::string from = name + "." + (a.*out.slot)->longName;
            const std::string to = object + "." + out.plug;
            if (m_axes[k] == "XYZ") {
                if (!connect(from, to))
                    return false;
                continue;
            }
            for (char axis : m_axes[k])
                if (!connect(from + axis, to + axis))
                    return false;
        }
        return true;
    }

    bool addTarget(Node& constraint, const std::string& name, Node& target, unsigned i) {
        const std::string from = nameOf(target);
        for (const Link& in : kTargetLinks)
            if (a.*in.slot && !connect(from + "." + in.plug,
                                       indexed(name, "target", i, (a.*in.slot)->longName.c_str())))
                return false;
        // The weight is also a keyable attribute named after the target, as scripts set it
        // (short name "w<i>", as the application's files write it).
        const std::string alias = aliasOf(target, i);
        MFnNumericAttribute fn;
        MObject attribute =
            fn.create(MString(alias.c_str()), MString(("w" + std::to_string(i)).c_str()),
                      MFnNumericData::kDouble, 1.0);
        fn.setKeyable(true);
        auto modifier = std::make_shared<MDagModifier>();
        if (!modifier->addAttribute(Scene::current().object(&constraint), attribute) ||
            !edits.run(modifier)) {
            fail("Cannot add the weight attribute " + alias + ".");
            return false;
        }
        return connect(name + "." + alias, indexed(name, "target", i, "targetWeight"));
    }

    bool setOffset(Node& constraint, const MVector& offset) {
        return setVector(constraint, a.offset, {}, offset);
    }

    // -mo: the offset that keeps the object where it was, found from what the constraint
    // gives with no offset.
    bool keepPlace(Node& constraint, const Place& before) {
        const bool factor = a.offsetKind == OffsetKind::Factor;
        if (!setOffset(constraint, factor ? MVector(1, 1, 1) : MVector()))
            return false;
        switch (a.offsetKind) {
            case OffsetKind::Distance:
                return setOffset(constraint,
                                 before.translate - read(constraint, "constraintTranslate"));
            case OffsetKind::Angle: {
                // The offset turns the object in its own frame before the constrained
                // rotation: before = offset * constrained.
                const MEulerRotation constrained(read(constraint, "constraintRotate"),
                                                 before.rotate.order);
                const MMatrix offset = before.rotate.asMatrix() * constrained.asMatrix().inverse();
                const MEulerRotation r = MEulerRotation::decompose(offset, MEulerRotation::kXYZ);
                return setOffset(constraint, MVector(r.x, r.y, r.z));
            }
            case OffsetKind::Factor: {
                const MVector constrained = read(constraint, "constraintScale");
                MVector ratio(1, 1, 1);
                for (int k = 0; k < 3; ++k)
                    if (constrained[k] != 0)
                        ratio[k] = before.scale[k] / constrained[k];
                return setOffset(constraint, ratio);
            }
            case OffsetKind::None:
                break;
        }
        return true;
    }

    // -mo on a parent constraint: the object's frame relative to the target's, kept per
    // target.
    bool keepFrame(Node& constraint, unsigned i, const MMatrix& objectFrame) {
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

    // -aim, -u, -wu, -wut and -wuo of an aim constraint, made or edited.
    bool aimSettings(const MArgDatabase& db, Node& constraint) {
        if (!a.aimVector)
            return true;
        const std::pair<const char*, Attribute*> vectors[] = {{"aimVector", a.aimVector},
                                                              {"upVector", a.upVector},
                                                              {"worldUpVector", a.worldUpVector}};
        for (const auto& [flag, attribute] : vectors)
            if (db.isFlagSet(flag) && !setVector(constraint, attribute, {}, tripleFlag(db, flag)))
                return false;
        if (db.isFlagSet("worldUpType")) {
            const std::string word = db.flagArgumentString("worldUpType", 0).asChar();
            int type = -1;
            for (int k = 0; k < 5; ++k)
                if (word == kWorldUpTypes[k])
                    type = k;
            if (type < 0) {
                fail("Invalid world up type: " + word +
                     " (scene, object, objectrotation, vector or none).");
                return false;
            }
            if (!set(constraint, a.worldUpType, {}, type))
                return false;
        }
        if (db.isFlagSet("worldUpObject"))
            return upObject(constraint, db.flagArgumentString("worldUpObject", 0).asChar());
        return true;
    }

    // The world up object feeds its world matrix; another one named replaces it.
    bool upObject(Node& constraint, const std::string& name) {
        Node* object = findNode(name);
        if (!object || !object->isDag()) {
            fail("No object matches name: " + name);
            return false;
        }
        auto modifier = std::make_shared<MDagModifier>();
        bool any = false;
        for (const auto& [path, source] : constraint.inputs)
            if (path.attribute == a.worldUpMatrix) {
                modifier->disconnect(PlugAccess::make(source), PlugAccess::make(&constraint, path));
                any = true;
            }
        if (any && !edits.run(modifier))
            return false;
        return connect(nameOf(*object) + ".worldMatrix[0]", nameOf(constraint) + ".worldUpMatrix");
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
        if (a.offset && db.isFlagSet("offset") &&
            !setOffset(constraint, offsetFromUI(a.offsetKind, tripleFlag(db, "offset"))))
            return false;
        return aimSettings(db, constraint);
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

    void setVectorResult(const MVector& v) {
        MDoubleArray out;
        for (int k = 0; k < 3; ++k)
            out.append(v[k]);
        setResult(out);
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
        if (a.offset && db.isFlagSet("offset")) {
            setVectorResult(offsetToUI(a.offsetKind, read(constraint, "offset")));
            return MS::kSuccess;
        }
        if (a.aimVector) {
            for (const char* flag : {"aimVector", "upVector", "worldUpVector"})
                if (db.isFlagSet(flag)) {
                    setVectorResult(read(constraint, flag));
                    return MS::kSuccess;
                }
            if (db.isFlagSet("worldUpType")) {
                const auto type = static_cast<int>(
                    valueAsDouble(evaluate(PlugRef{&constraint, PlugPath{a.worldUpType, {}}})));
                setResult(MString(kWorldUpTypes[type]));
                return MS::kSuccess;
            }
            if (db.isFlagSet("worldUpObject")) {
                std::string name;
                for (const auto& [path, source] : constraint.inputs)
                    if (path.attribute == a.worldUpMatrix)
                        name = nameOf(*source.node);
                setResult(MString(name.c_str()));
                return MS::kSuccess;
            }
        }
        return fail("Nothing to query.");
    }

    std::string m_type;
    const ConstraintAttributes& a;
    std::string m_axes[std::size(kOutputLinks)];  // the axes each output drives
};

class PointConstraintCommand : public ConstraintCommand {
public:
    PointConstraintCommand() : ConstraintCommand(constraints::pointAttributes()) {}
};

class ParentConstraintCommand : public ConstraintCommand {
public:
    ParentConstraintCommand() : ConstraintCommand(constraints::parentAttributes()) {}
};

class OrientConstraintCommand : public ConstraintCommand {
public:
    OrientConstraintCommand() : ConstraintCommand(constraints::orientAttributes()) {}
};

class AimConstraintCommand : public ConstraintCommand {
public:
    AimConstraintCommand() : ConstraintCommand(constraints::aimAttributes()) {}
};

class ScaleConstraintCommand : public ConstraintCommand {
public:
    ScaleConstraintCommand() : ConstraintCommand(constraints::scaleAttributes()) {}
};

// A pole vector constraint drives the pole vector of an IK handle; the host has no IK
// handles, so there is never an object it can drive.
class PoleVectorConstraintCommand : public commands::ParsedCommand<EditCommand> {
    MStatus run(const MArgDatabase& db) override {
        std::vector<Node*> objects;
        if (!transformsOf(db, objects))
            return MS::kFailure;
        if (objects.empty())
            return failWith(kType, "No object to constrain.");
        if (db.isQuery() || db.isEdit() || db.isFlagSet("remove"))
            return failWith(kType, "No constraint found.");
        if (objects.size() < 2)
            return failWith(kType, "Not enough objects given: name the targets, then the object.");
        return failWith(kType, "'" + nameOf(*objects.back()) +
                                   "' is not an IK handle; a pole vector constraint drives "
                                   "the pole vector of an IK handle.");
    }

    static constexpr const char* kType = "poleVectorConstraint";
};

}  // namespace

void registerConstraintCommands() {
    constraints::registerConstraintTypes();
    define<PointConstraintCommand>("pointConstraint", pointSyntax);
    define<ParentConstraintCommand>("parentConstraint", parentSyntax);
    define<OrientConstraintCommand>("orientConstraint", orientSyntax);
    define<AimConstraintCommand>("aimConstraint", aimSyntax);
    define<ScaleConstraintCommand>("scaleConstraint", scaleSyntax);
    define<PoleVectorConstraintCommand>("poleVectorConstraint", sharedSyntax);
}

}  // namespace commands
}  // namespace host
