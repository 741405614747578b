// hide and showHidden: the visibility of the objects named, or of the
// selection, set as setAttr would set it, in one undoable step.
#include "commands/Support.h"
#include "dag/Dag.h"
#include "graph/PlugAccess.h"

namespace host {
namespace commands {

namespace {

MSyntax visibilitySyntax() {
    MSyntax s;
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// Dependency nodes have no visibility and are passed over; a locked or
// driven visibility fails the whole call as setAttr would.
template <bool kShown>
class VisibilityCommand : public ObjectsCommand<EditCommand> {
protected:
    MStatus runOn(const MArgDatabase&, MSelectionList& objects) override {
        Attribute* visibility = dag::attributes().visibility;
        for (const Target& t : targets(objects)) {
            if (!t.node->isDag())
                continue;
            MPlug plug = PlugAccess::make(t.node, PlugPath{visibility, {}});
            if (!edits.change(*t.node, {PlugPath{visibility, {}}},
                              [&plug] { return static_cast<bool>(plug.setValue(kShown)); })) {
                edits.undo();  // the objects already set go back
                error(std::string(kShown ? "showHidden" : "hide") + ": The visibility of '" +
                      nameOf(*t.node) + "' cannot be set.");
                return MS::kFailure;
            }
        }
        return MS::kSuccess;
    }
};

}  // namespace

void registerVisibilityCommands() {
    define<VisibilityCommand<false>>("hide", visibilitySyntax);
    define<VisibilityCommand<true>>("showHidden", visibilitySyntax);
}

}  // namespace commands
}  // namespace host
