#include "commands/Support.h"

#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "plugin/CommandBridge.h"
#include "plugin/Syntax.h"
#include "script/Interpreter.h"
#include "selection/Selection.h"

#include <maya/MArgList.h>
#include <maya/MDistance.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>

#include <algorithm>

namespace host {
namespace commands {

void error(const std::string& text) {
    mel::Interpreter::instance().reportError(text);
}

void warning(const std::string& text) {
    mel::Interpreter::instance().reportWarning(text);
}

// ---------------------------------------------------------------- snapshots

PlugValue clonePlugValue(const PlugValue& value) {
    PlugValue copy;
    copy.value = cloneValue(value.value);
    copy.children.reserve(value.children.size());
    for (const PlugValue& child : value.children)
        copy.children.push_back(clonePlugValue(child));
    for (const auto& element : value.elements)
        copy.elements.emplace(element.first, clonePlugValue(element.second));
    return copy;
}

Snapshot::Snapshot(Node& node, const std::vector<PlugPath>& plugs)
    : m_node(Scene::current().share(&node)) {
    for (const PlugPath& path : plugs) {
        const PlugValue* stored = node.stored(path);
        m_values.emplace_back(
            path, stored ? std::optional<PlugValue>(clonePlugValue(*stored)) : std::nullopt);
    }
}

void Snapshot::restore() const {
    Node& node = *m_node;
    for (const auto& [path, value] : m_values) {
        if (value)
            node.storage(path) = clonePlugValue(*value);
        else
            node.eraseStorage(path);
        // A plug-in node keeps internal values itself: hand them back
        // through the node, as a write would.
        if (path.attribute->internal && node.user() && path.attribute->isLeaf() &&
            isResolved(path)) {
            Value v = value ? value->value : Value{};
            if (std::holds_alternative<std::monostate>(v))
                v = path.attribute->defaultValue;
            assign(PlugRef{&node, path}, v);
        }
        node.invalidate(path.attribute);
        Scene::current().propagateDirty(node, path.attribute);
    }
    Scene::current().touch();
}

// ---------------------------------------------------------------- edits

bool Edits::run(Step doIt, Step undoIt) {
    if (!doIt())
        return false;
    m_steps.emplace_back(Functions{std::move(doIt), std::move(undoIt)});
    return true;
}

void Edits::done(Step doIt, Step undoIt) {
    m_steps.emplace_back(Functions{std::move(doIt), std::move(undoIt)});
}

bool Edits::run(const std::shared_ptr<MDagModifier>& modifier) {
    return run([modifier] { return static_cast<bool>(modifier->doIt()); },
               [modifier] { return static_cast<bool>(modifier->undoIt()); });
}

bool Edits::rename(Node& node, const std::string& name) {
    Rename step{Scene::current().share(&node), name, std::string()};
    if (!step.redo())
        return false;
    m_steps.emplace_back(std::move(step));
    return true;
}

bool Edits::Rename::redo() {
    if (!node->inScene || node->locked)
        return false;
    previous = node->name();
    Scene::current().rename(*node, name);
    return true;
}

bool Edits::Rename::undo() {
    Scene::current().rename(*node, previous);
    return true;
}

bool Edits::change(Node& node, const std::vector<PlugPath>& plugs,
                   const std::function<bool()>& change) {
    Snapshot before(node, plugs);
    if (!change()) {
        before.restore();
        return false;
    }
    Snapshot after(node, plugs);
    done(
        [after] {
            after.restore();
            return true;
        },
        [before] {
            before.restore();
            return true;
        });
    return true;
}

void Edits::created(std::vector<NodePtr> nodes) {
    if (nodes.empty())
        return;
    m_steps.emplace_back(Created{std::move(nodes), {}});
}

bool Edits::Created::redo() {
    for (size_t i = 0; i < nodes.size(); ++i)
        Scene::current().restoreNode(nodes[i], links[i]);
    return true;
}

bool Edits::Created::undo() {
    links.resize(nodes.size());
    for (size_t i = nodes.size(); i-- > 0;)
        links[i] = Scene::current().removeNode(*nodes[i]);
    return true;
}

namespace {
bool toggle(PlugSet& set, const PlugPath& path, bool in) {
    if (in)
        set.insert(path);
    else
        set.erase(path);
    Scene::current().touch();
    return true;
}
}  // namespace

bool Edits::setLocked(const PlugRef& plug, bool locked) {
    NodePtr node = Scene::current().share(plug.node);
    PlugPath path = plug.path;
    bool was = node->lockedPlugs.count(path) > 0;
    return run([=] { return toggle(node->lockedPlugs, path, locked); },
               [=] { return toggle(node->lockedPlugs, path, was); });
}

bool Edits::setKeyable(const PlugRef& plug, bool keyable) {
    NodePtr node = Scene::current().share(plug.node);
    PlugPath path = plug.path;
    bool wasOn = node->keyablePlugs.count(path) > 0;
    bool wasOff = node->nonKeyablePlugs.count(path) > 0;
    auto apply = [node, path](bool on, bool off) {
        toggle(node->keyablePlugs, path, on);
        return toggle(node->nonKeyablePlugs, path, off);
    };
    bool byDefault = path.attribute->keyable;
    return run([=] { return apply(keyable && !byDefault, !keyable && byDefault); },
               [=] { return apply(wasOn, wasOff); });
}

void Edits::select(const MSelectionList& list) {
    Select step;
    step.after = selection::ListAccess::items(list);
    step.before = selection::exchangeActive(step.after);
    m_steps.emplace_back(std::move(step));
}

bool Edits::Select::redo() {
    selection::exchangeActive(after);
    return true;
}

bool Edits::Select::undo() {
    selection::exchangeActive(before);
    return true;
}

bool Edits::reparent(Node& node, Node* oldParent, Node& newParent) {
    Scene& scene = Scene::current();
    NodePtr child = scene.share(&node);
    NodePtr from = scene.share(oldParent);
    NodePtr to = scene.share(&newParent);
    std::string oldName = node.name();
    int position = -1;
    if (from) {
        auto& kids = from->children;
        position = static_cast<int>(positionIn(kids, &node));
    }
    auto forward = [=] {
        Scene& s = Scene::current();
        if (from)
            s.removeChild(*from, *child);
        if (!s.addChild(*to, *child)) {
            if (from)
                s.addChild(*from, *child, position);
            return false;
        }
        // The name must stay unique among the new siblings.
        s.rename(*child, s.uniqueName(oldName, child.get(), to.get()));
        return true;
    };
    auto back = [=] {
        Scene& s = Scene::current();
        s.removeChild(*to, *child);
        if (from)
            s.addChild(*from, *child, position);
        s.rename(*child, oldName);
        return true;
    };
    return run(forward, back);
}

bool Edits::undo() {
    for (size_t i = m_steps.size(); i-- > 0;)
        if (!std::visit([](auto& step) { return step.undo(); }, m_steps[i]))
            return false;
    return true;
}

bool Edits::redo() {
    for (Entry& step : m_steps)
        if (!std::visit([](auto& step) { return step.redo(); }, step))
            return false;
    return true;
}

// ---------------------------------------------------------------- names

namespace {
std::string_view trimmedView(std::string_view text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::string_view();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string trimmed(const std::string& text) {
    return std::string(trimmedView(text));
}

// Whether looking the name up needs nothing taken off nor anything of its
// own: not a plug of the selected nodes (".tx") nor in the root namespace.
bool plainName(const std::string& name) {
    return trimmedView(name).size() == name.size() &&
           (name.empty() || (name[0] != '.' && name[0] != ':'));
}
}  // namespace

MStatus lookup(const std::string& name, MSelectionList& list) {
    std::string text = trimmed(name);
    if (!text.empty() && text[0] == '.') {
        // A plug of each selected node, as scene files name them.
        MSelectionList active;
        MGlobal::getActiveSelectionList(active);
        bool any = false;
        for (const Target& t : targets(active)) {
            std::string full = (t.path.empty() ? nameOf(*t.node) : nameOf(t.path, true)) + text;
            if (list.add(MString(full.c_str())))
                any = true;
        }
        return any ? MStatus(MS::kSuccess) : selection::noSuchObject();
    }
    // The root namespace is the only one there is.
    if (!text.empty() && text[0] == ':')
        text.erase(0, 1);
    return list.add(MString(text.c_str()));
}

bool lookupAll(const std::vector<std::string>& names, MSelectionList& list) {
    if (std::all_of(names.begin(), names.end(), plainName)) {
        size_t failed = 0;
        const bool ok = selection::addNames(list, names, &failed);
        if (!ok)
            error("No object matches name: " + names[failed]);
        return ok;
    }
    std::vector<std::string> batch;
    std::vector<unsigned> given;  // where each batched name was among `names`
    auto flush = [&] {
        size_t failed = 0;
        const bool ok = selection::addNames(list, batch, &failed);
        if (!ok)
            error("No object matches name: " + names[given[failed]]);
        batch.clear();
        given.clear();
        return ok;
    };
    for (size_t i = 0; i < names.size(); ++i) {
        std::string text = trimmed(names[i]);
        if (!text.empty() && text[0] == '.') {
            // Names the plug of each selected node: looked up on its own.
            if (!flush())
                return false;
            if (!lookup(text, list)) {
                error("No object matches name: " + names[i]);
                return false;
            }
            continue;
        }
        if (!text.empty() && text[0] == ':')
            text.erase(0, 1);
        batch.push_back(text);
        given.push_back(i);
    }
    return flush();
}

bool findPlug(const std::string& name, MPlug& plug) {
    MSelectionList list;
    if (!lookup(name, list))
        return false;
    for (const Target& t : targets(list)) {
        if (!t.plug.isNull()) {
            plug = t.plug;
            return true;
        }
    }
    return false;
}

Node* findNode(const std::string& name) {
    // A plain name or path, what commands are given by far the most often,
    // is found without building a list.
    std::string_view text = trimmedView(name);
    if (!text.empty() && text[0] == ':')
        text.remove_prefix(1);
    if (Node* node = selection::firstNodeNamed(text))
        return node;
    MSelectionList list;
    if (!lookup(name, list))
        return nullptr;
    auto found = targets(list);
    return found.empty() ? nullptr : found.front().node;
}

std::string nameOf(const dag::NodePath& path, bool full) {
    return full ? dag::fullPathName(path) : dag::partialPathName(path);
}

std::string nameOf(Node& node, bool full) {
    if (!node.isDag())
        return node.name();
    dag::NodePath path = dag::firstPath(node);
    if (path.empty())
        return node.name();
    return nameOf(path, full);
}

std::string shapeNameFor(const std::string& transform) {
    auto [stem, number] = splitTrailingNumber(transform);
    (void)number;
    return stem + "Shape" + transform.substr(stem.size());
}

std::string plugName(const PlugRef& plug) {
    MPlug p = PlugAccess::make(plug);
    std::string attribute = p.partialName(false, false, false, false, false, true).asChar();
    return nameOf(*plug.node) + "." + attribute;
}

std::vector<Target> targets(const MSelectionList& list) {
    std::vector<Target> out;
    for (const selection::Item& item : selection::ListAccess::items(list)) {
        Target t;
        if (item.isPlug()) {
            t.plug = item.plug;
            t.node = PlugAccess::node(item.plug);
        } else {
            t.node = nodeOf(item.node);
        }
        if (item.isDag())
            t.path = dag::PathAccess::nodes(item.path);
        t.component = item.component;
        if (t.node)
            out.push_back(t);
    }
    return out;
}

std::vector<std::string> componentNames(const Target& t, bool flatten) {
    std::vector<MSelectionList> lists(1);
    if (flatten) {
        MIntArray elements;
        MFnSingleIndexedComponent(t.component).getElements(elements);
        lists.resize(elements.length());
        for (unsigned i = 0; i < elements.length(); ++i) {
            MFnSingleIndexedComponent fn;
            MObject element = fn.create(t.component.apiType());
            fn.addElement(elements[i]);
            lists[i].add(dag::PathAccess::make(t.path), element);
        }
    } else {
        lists[0].add(dag::PathAccess::make(t.path), t.component);
    }
    std::vector<std::string> names;
    for (const MSelectionList& one : lists) {
        MStringArray strings;
        one.getSelectionStrings(strings);
        for (unsigned i = 0; i < strings.length(); ++i)
            names.emplace_back(strings[i].asChar());
    }
    return names;
}

bool objectsOf(const MArgDatabase& args, MSelectionList& list) {
    const std::vector<std::string>& names = plugin::objectNames(args);
    if (names.empty()) {
        MGlobal::getActiveSelectionList(list);
        return true;
    }
    return lookupAll(names, list);
}

MVector distanceTripleFlag(const MArgDatabase& args, const char* flag) {
    MVector v;
    for (unsigned k = 0; args.isFlagSet(flag) && k < 3; ++k) {
        double d = 0;
        args.getFlagArgument(flag, k, d);
        v[static_cast<int>(k)] = MDistance::uiToInternal(d);
    }
    return v;
}

std::vector<std::string> flagStrings(const MArgDatabase& args, const char* flag) {
    std::vector<std::string> out;
    for (unsigned i = 0; i < args.numberOfFlagUses(flag); ++i) {
        MArgList use;
        if (args.getFlagArgumentList(flag, i, use) && use.length() > 0)
            out.emplace_back(use.asString(0).asChar());
    }
    return out;
}

void define(const char* name, MCreatorFunction creator, SyntaxFn syntax) {
    plugin::defineCommand(name, creator, syntax, "");
}

}  // namespace commands
}  // namespace host
