#include "animation/CurveChanges.h"
#include "graph/Scene.h"

namespace host {
namespace animation {

CurveChanges& CurveChanges::of(MAnimCurveChange& change) {
    if (!change.m_changes)
        change.m_changes = std::make_unique<CurveChanges>();
    return *change.m_changes;
}

void CurveChanges::add(Node& curve, const Curve& before, const Curve& after) {
    edits.push_back(Edit{Scene::current().share(&curve), before, after});
}

void CurveChanges::undo() const {
    for (auto it = edits.rbegin(); it != edits.rend(); ++it)
        writeCurve(*it->curve, it->before);
}

void CurveChanges::redo() const {
    for (const Edit& e : edits)
        writeCurve(*e.curve, e.after);
}

}  // namespace animation
}  // namespace host

using host::animation::CurveChanges;

MAnimCurveChange::MAnimCurveChange(MStatus* ReturnStatus) {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
}

MAnimCurveChange::~MAnimCurveChange() = default;

MStatus MAnimCurveChange::undoIt() {
    CurveChanges::of(*this).undo();
    return MS::kSuccess;
}

MStatus MAnimCurveChange::redoIt() {
    CurveChanges::of(*this).redo();
    return MS::kSuccess;
}

bool MAnimCurveChange::isInteractive() const {
    return m_interactive;
}
void MAnimCurveChange::setInteractive(bool value) {
    m_interactive = value;
}
