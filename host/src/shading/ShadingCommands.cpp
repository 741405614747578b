// shadingTab: what the shading editor's tabs list (-tabs, -list tab,
// -hidden), and hiding nodes from all of them (-hide, -show, -showAll).
// Hiding and showing are undoable; the listings are not recorded.

#include "commands/Support.h"
#include "shading/ShadingEditor.h"

#include <maya/MArgDatabase.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <string>
#include <vector>

namespace host {
namespace shading {

namespace {

MSyntax shadingTabSyntax() {
    MSyntax s;
    s.addFlag("t", "tabs");
    s.addFlag("l", "list", MSyntax::kString);
    s.addFlag("hd", "hidden");
    s.addFlag("hi", "hide");
    s.addFlag("sh", "show");
    s.addFlag("sa", "showAll");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

template <class Nodes>
MStringArray namesOf(const Nodes& nodes) {
    MStringArray names;
    for (const auto& node : nodes)
        names.append(commands::nameOf(*node).c_str());
    return names;
}

class ShadingTabCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        if (db.isFlagSet("tabs") || db.isFlagSet("list") || db.isFlagSet("hidden"))
            return list(db);
        if (db.isFlagSet("showAll"))
            return change(hiddenNodes(), false);
        bool hiding = db.isFlagSet("hide");
        if (hiding == db.isFlagSet("show"))
            return fail("Give exactly one of -hide, -show, -showAll.");
        MSelectionList list;
        if (!commands::objectsOf(db, list))
            return MS::kFailure;
        std::vector<NodePtr> nodes;
        for (const commands::Target& target : commands::targets(list))
            nodes.push_back(Scene::current().share(target.node));
        return change(nodes, hiding);
    }

private:
    static MStatus fail(const std::string& text) {
        commands::error("shadingTab: " + text);
        return MS::kFailure;
    }

    // -tabs, -list or -hidden.
    MStatus list(const MArgDatabase& db) {
        if (db.isFlagSet("tabs")) {
            MStringArray names;
            for (const std::string& tab : tabNames())
                names.append(tab.c_str());
            setResult(names);
            return MS::kSuccess;
        }
        if (db.isFlagSet("list")) {
            std::string tab = db.flagArgumentString("list", 0).asChar();
            if (!isTab(tab))
                return fail("Unknown tab \"" + tab + "\".");
            setResult(namesOf(tabContents(tab)));
            return MS::kSuccess;
        }
        setResult(namesOf(hiddenNodes()));
        return MS::kSuccess;
    }

    // Only the nodes whose state changes are remembered, so undo leaves a
    // node that was hidden (or shown) before the call as it was.
    MStatus change(const std::vector<NodePtr>& nodes, bool hiding) {
        std::vector<NodePtr> changed;
        for (const NodePtr& node : nodes)
            if (hiding ? hide(node) : show(*node))
                changed.push_back(node);
        auto apply = [changed](bool hidden) {
            for (const NodePtr& node : changed)
                hidden ? hide(node) : show(*node);
            return true;
        };
        if (!changed.empty())
            edits.done([apply, hiding] { return apply(hiding); },
                       [apply, hiding] { return apply(!hiding); });
        return MS::kSuccess;
    }
};

}  // namespace

void registerShadingCommands() {
    commands::define<ShadingTabCommand>("shadingTab", shadingTabSyntax);
}

}  // namespace shading
}  // namespace host
