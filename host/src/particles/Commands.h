#ifndef HOST_PARTICLES_COMMANDS_H
#define HOST_PARTICLES_COMMANDS_H

#include "graph/Data.h"
#include "graph/Node.h"
#include "particles/SceneEdit.h"

#include <maya/MPxCommand.h>
#include <maya/MString.h>

#include <memory>
#include <string>
#include <vector>

namespace host {
namespace particles {

// Shows "command: message" as the command's error; returns kFailure.
MStatus fail(const char* command, const std::string& message);
// The node a scene name stands for, or null.
Node* nodeNamed(const MString& name);
PlugRef plugOf(Node& node, const Attribute* attribute, std::vector<unsigned> indices = {});

template <class T, class Array>
Value dataValue(const Array& array) {
    return std::shared_ptr<Data>(std::make_shared<T>(array));
}

// A command whose doIt records its scene changes in an edit; it is undoable
// when it changed something.
class EditingCommand : public MPxCommand {
public:
    MStatus undoIt() override {
        m_edit.undo();
        return MS::kSuccess;
    }
    MStatus redoIt() override {
        m_edit.redo();
        return MS::kSuccess;
    }
    bool isUndoable() const override { return !m_edit.empty(); }

protected:
    SceneEdit m_edit;
};

// particleInstancer, and the host's own listInstances.
void registerInstancerCommands();

}  // namespace particles
}  // namespace host

#endif
