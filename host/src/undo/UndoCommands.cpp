// undo, redo, undoInfo and flushUndo, written as MPxCommands so that they
// check their arguments exactly as plug-in commands do. None of them is
// recorded in the queue.

#include "undo/UndoCommands.h"

#include "foundation/Output.h"
#include "plugin/CommandBridge.h"
#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <maya/MArgDatabase.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

namespace host {
namespace undo {

namespace {

MStatus fail(const std::string& message) {
    mel::Interpreter::instance().reportError(message);
    return MS::kFailure;
}

// undo and redo differ only in direction.
template <bool kUndo>
class StepCmd : public MPxCommand {
public:
    static void* creator() { return new StepCmd; }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status) {
            return status;
        }
        Queue& queue = Queue::instance();
        const char* what = kUndo ? "undo" : "redo";
        if (!queue.state()) {
            mel::Interpreter::instance().reportWarning("Undo is turned off.");
            return MS::kSuccess;
        }
        queue.closeChunks();
        if (kUndo ? !queue.canUndo() : !queue.canRedo()) {
            mel::Interpreter::instance().reportWarning(
                std::string("There are no more commands to ") + what + ".");
            return MS::kSuccess;
        }
        const std::string name = kUndo ? queue.undoName() : queue.redoName();
        if (!(kUndo ? queue.undo() : queue.redo())) {
            return fail(std::string(kUndo ? "Undo" : "Redo") + " failed: " + name);
        }
        Output::instance().info(std::string("// ") + (kUndo ? "Undo" : "Redo") + ": " + name +
                                " //");
        return MS::kSuccess;
    }
};

MSyntax noSyntax() {
    return MSyntax();
}

class FlushUndoCmd : public MPxCommand {
public:
    static void* creator() { return new FlushUndoCmd; }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (status) {
            Queue::instance().flush();
        }
        return status;
    }
};

class UndoInfoCmd : public MPxCommand {
public:
    static void* creator() { return new UndoInfoCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("st", "state", MSyntax::kBoolean);
        syntax.addFlag("swf", "stateWithoutFlush", MSyntax::kBoolean);
        syntax.addFlag("in", "infinity", MSyntax::kBoolean);
        syntax.addFlag("l", "length", MSyntax::kUnsigned);
        syntax.addFlag("un", "undoName");
        syntax.addFlag("rn", "redoName");
        syntax.addFlag("uqe", "undoQueueEmpty");
        syntax.addFlag("ock", "openChunk");
        syntax.addFlag("cck", "closeChunk");
        syntax.addFlag("pq", "printQueue");
        syntax.enableQuery();
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status) {
            return status;
        }
        return db.isQuery() ? query(db) : edit(db);
    }

private:
    static MStatus query(const MArgDatabase& db) {
        Queue& queue = Queue::instance();
        if (db.isFlagSet("st") || db.isFlagSet("swf")) {
            setResult(queue.state());
        } else if (db.isFlagSet("in")) {
            setResult(queue.infinity());
        } else if (db.isFlagSet("l")) {
            setResult(static_cast<int>(queue.length()));
        } else if (db.isFlagSet("un")) {
            setResult(MString(queue.undoName().c_str()));
        } else if (db.isFlagSet("rn")) {
            setResult(MString(queue.redoName().c_str()));
        } else if (db.isFlagSet("uqe")) {
            setResult(!queue.canUndo());
        } else {
            return fail("undoInfo: a flag to query is required.");
        }
        return MS::kSuccess;
    }

    static MStatus edit(const MArgDatabase& db) {
        Queue& queue = Queue::instance();
        for (const char* queryOnly : {"un", "rn", "uqe"}) {
            if (db.isFlagSet(queryOnly)) {
                return fail(std::string("undoInfo: -") + queryOnly + " can only be queried.");
            }
        }
        bool on = false;
        if (db.getFlagArgument("st", 0, on)) {
            queue.setState(on, true);
        }
        if (db.getFlagArgument("swf", 0, on)) {
            queue.setState(on, false);
        }
        if (db.getFlagArgument("in", 0, on)) {
            queue.setInfinity(on);
        }
        unsigned int length = 0;
        if (db.getFlagArgument("l", 0, length)) {
            queue.setLength(length);
        }
        if (db.isFlagSet("ock")) {
            queue.openChunk();
        }
        if (db.isFlagSet("cck")) {
            queue.closeChunk();
        }
        if (db.isFlagSet("pq")) {
            const std::vector<std::string> names = queue.names();
            for (std::size_t i = 0; i < names.size(); ++i) {
                Output::instance().info(std::to_string(i) + ": " + names[i]);
            }
        }
        return MS::kSuccess;
    }
};

}  // namespace

void registerCommands() {
    plugin::defineCommand("undo", StepCmd<true>::creator, noSyntax, "");
    plugin::defineCommand("redo", StepCmd<false>::creator, noSyntax, "");
    plugin::defineCommand("flushUndo", FlushUndoCmd::creator, noSyntax, "");
    plugin::defineCommand("undoInfo", UndoInfoCmd::creator, UndoInfoCmd::newSyntax, "");
}

}  // namespace undo
}  // namespace host
