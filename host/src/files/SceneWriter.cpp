#include "files/SceneWriter.h"

#include "commands/Support.h"
#include "dag/Dag.h"
#include "files/AttributeTexts.h"
#include "files/MeshLayout.h"
#include "files/SceneFile.h"
#include "files/SceneReader.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "plugin/Args.h"
#include "plugin/PluginManager.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MTime.h>

#include <algorithm>
#include <ctime>
#include <map>
#include <set>
#include <sstream>

namespace host {
namespace files {

namespace {

std::string quoted(const std::string& text) {
    return plugin::quoted(text);
}

// How the file names a node: DAG nodes by the shortest path that tells
// them apart, default nodes in the root namespace.
std::string nodeName(Node& node) {
    if (node.isDefault)
        return ":" + node.name();
    if (node.isDag())
        return dag::partialPathName(dag::firstPath(node));
    return node.name();
}

std::string plugName(const PlugRef& plug) {
    MPlug mplug = PlugAccess::make(plug);
    return nodeName(*plug.node) + "." + mplug.partialName(false, true).asChar();
}

std::vector<Attribute*> dynamicByName(const Node& node) {
    std::vector<Attribute*> dynamic;
    for (const AttributePtr& a : node.dynamicAttributes())
        dynamic.push_back(a.get());
    std::sort(dynamic.begin(), dynamic.end(),
              [](const Attribute* a, const Attribute* b) { return a->longName < b->longName; });
    return dynamic;
}

// The addAttr and setAttr lines of one node, each behind a tab.
std::string attributeLines(Node& node, MeshLayout::Written& geometry) {
    std::string text;
    const std::vector<Attribute*> dynamic = dynamicByName(node);
    for (Attribute* a : dynamic)
        for (const std::string& line : addAttrTexts(*a, false))
            text += "\t" + line + "\n";
    std::vector<Attribute*> all;
    for (const AttributePtr& a : node.type().attributes())
        all.push_back(a.get());
    all.insert(all.end(), dynamic.begin(), dynamic.end());
    SetAttrOptions options;
    options.onlyNonDefault = true;
    for (Attribute* a : all)
        if (!MeshLayout::isGeometry(a))
            for (const std::string& line : setAttrTexts(PlugRef{&node, PlugPath{a, {}}}, options))
                text += "\t" + line + "\n";
    return text + MeshLayout::linesOf(node, geometry);
}

// A kept connection is written while the nodes it names are there.
bool namesLivingNodes(const std::string& line) {
    const std::vector<std::string> words = statementWords(line);
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i].empty() || words[i][0] == '-') {
            i += words[i] == "-l" || words[i] == "-lock";
            continue;
        }
        if (!commands::findNode(words[i].substr(0, words[i].find('.'))))
            return false;
    }
    return true;
}

class BodyWriter {
public:
    explicit BodyWriter(std::ostream& out) : m_out(out) {}

    void write() {
        Scene& scene = Scene::current();
        for (Node* child : scene.world().children)
            visitDag(*child, scene.world());
        std::vector<Node*> dependency;
        for (Node* node : scene.allNodes())
            if (!node->isDag() && node != &scene.world())
                dependency.push_back(node);
        std::sort(dependency.begin(), dependency.end(),
                  [](const Node* a, const Node* b) { return a->name() < b->name(); });
        for (Node* node : dependency) {
            if (node->isDefault)
                m_defaults.push_back(node);
            else
                writeNode(*node, nullptr);
        }
        m_order.insert(m_order.end(), m_defaults.begin(), m_defaults.end());
        // Sorted: where an instance sits among its parent's children depends
        // on the order the lines ran in, so the visit order would not survive
        // a reopen. Every node exists by now, so any order builds the same DAG.
        std::sort(m_instances.begin(), m_instances.end());
        for (const std::string& line : m_instances)
            m_text += line;
        for (Node* node : m_defaults) {
            std::string lines = attributeLines(*node, m_geometry);
            if (!lines.empty())
                m_text += "select -ne " + nodeName(*node) + ";\n" + lines;
        }
        writeConnections();
        for (Node* node : m_order)
            if (node->locked)
                m_text += "lockNode -l 1 " + quoted(nodeName(*node)) + ";\n";
        flush();
    }

private:
    // Each DAG node is written under its first parent; its other parents
    // get it as an instance once every node exists.
    void visitDag(Node& node, Node& parent) {
        if (node.parents.empty() || node.parents[0] != &parent) {
            std::string shape = node.type().shape ? "-s " : "";
            m_instances.push_back("parent " + shape + "-nc -r -add " +
                                  quoted(dag::fullPathName(dag::firstPath(node))) + " " +
                                  quoted(nodeName(parent)) + ";\n");
            return;
        }
        if (node.isDefault)
            m_defaults.push_back(&node);
        else
            writeNode(node, &parent == &Scene::current().world() ? nullptr : &parent);
        for (Node* child : node.children)
            visitDag(*child, node);
    }

    void writeNode(Node& node, Node* parent) {
        // A big scene's text goes out as it is made rather than whole at
        // the end: a buffer of all of it costs more in fresh memory than
        // the writing itself.
        if (m_text.size() >= kFlushSize)
            flush();
        m_order.push_back(&node);
        m_text += "createNode " + (node.kept ? node.kept->type : node.type().name) + " -n " +
                  quoted(node.name());
        if (parent)
            m_text += " -p " + quoted(nodeName(*parent));
        if (node.shared)
            m_text += " -s";
        m_text += ";\n" + attributeLines(node, m_geometry);
        if (node.kept)
            for (const std::string& line : node.kept->lines)
                m_text += "\t" + line + "\n";
    }

    void writeConnections() {
        // Sorted, as the graph keeps them in no order that a reopened
        // scene would share.
        std::vector<std::string> lines;
        for (Node* node : m_order)
            for (const auto& [destination, source] : node->inputs)
                lines.push_back("connectAttr " + quoted(plugName(source)) + " " +
                                quoted(plugName(PlugRef{node, destination})) + ";\n");
        std::sort(lines.begin(), lines.end());
        for (const std::string& line : lines)
            m_text += line;
        for (const std::string& line : keptText().connections)
            if (namesLivingNodes(line))
                m_text += line + "\n";
    }

    void flush() {
        m_out << m_text;
        m_text.clear();
    }

    static constexpr size_t kFlushSize = 1 << 16;
    std::ostream& m_out;
    std::string m_text;
    std::vector<Node*> m_order;
    std::vector<Node*> m_defaults;
    std::vector<std::string> m_instances;
    MeshLayout::Written m_geometry;
};

const char* distanceName(MDistance::Unit unit) {
    switch (unit) {
        case MDistance::kInches:
            return "inch";
        case MDistance::kFeet:
            return "foot";
        case MDistance::kYards:
            return "yard";
        case MDistance::kMiles:
            return "mile";
        case MDistance::kMillimeters:
            return "millimeter";
        case MDistance::kKilometers:
            return "kilometer";
        case MDistance::kMeters:
            return "meter";
        default:
            return "centimeter";
    }
}

const char* angleName(MAngle::Unit unit) {
    switch (unit) {
        case MAngle::kRadians:
            return "radian";
        case MAngle::kAngMinutes:
            return "min";
        case MAngle::kAngSeconds:
            return "sec";
        default:
            return "degree";
    }
}

std::string timeName(MTime::Unit unit) {
    switch (unit) {
        case MTime::kHours:
            return "hour";
        case MTime::kMinutes:
            return "min";
        case MTime::kSeconds:
            return "sec";
        case MTime::kMilliseconds:
            return "millisec";
        case MTime::kGames:
            return "game";
        case MTime::kFilm:
            return "film";
        case MTime::kPALFrame:
            return "pal";
        case MTime::kNTSCFrame:
            return "ntsc";
        case MTime::kShowScan:
            return "show";
        case MTime::kPALField:
            return "palf";
        case MTime::kNTSCField:
            return "ntscf";
        default: {
            // The frame rates without a name of their own: "8fps".
            const double perSecond = MTime(1.0, MTime::kSeconds).as(unit);
            return perSecond > 0 ? std::to_string(static_cast<long>(perSecond + 0.5)) + "fps"
                                 : "film";
        }
    }
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void writeSceneBody(std::ostream& out) {
    BodyWriter(out).write();
}

std::string sceneBody() {
    std::ostringstream text;
    writeSceneBody(text);
    return text.str();
}

void writeSceneFile(std::ostream& out, const std::string& fileName) {
    const std::string name = baseName(fileName);
    std::string text = "//Maya ASCII 2008 scene\n//Name: " + name + "\n";
    char date[64];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%a, %b %d, %Y %I:%M:%S %p", std::localtime(&now));
    text += std::string("//Last modified: ") + date + "\n//Codeset: UTF-8\n";
    text += "requires maya \"2008\";\n";
    std::set<std::string> plugins;
    for (Node* node : Scene::current().allNodes())
        if (!node->type().pluginName.empty())
            plugins.insert(node->type().pluginName);
    for (const std::string& plugin : plugins) {
        const plugin::Plugin* loaded = plugin::PluginManager::instance().find(plugin);
        text += "requires " + quoted(plugin) + " " + quoted(loaded ? loaded->version : "Unknown") +
                ";\n";
    }
    for (const std::string& line : keptText().requiresLines)
        text += line + "\n";
    text += std::string("currentUnit -l ") + distanceName(MDistance::uiUnit()) + " -a " +
            angleName(MAngle::uiUnit()) + " -t " + timeName(MTime::uiUnit()) + ";\n";
    for (const auto& [key, value] : fileInfo())
        text += "fileInfo " + quoted(key) + " " + quoted(value) + ";\n";
    out << text;
    writeSceneBody(out);
    out << "// End of " << name << "\n";
}

std::string sceneFile(const std::string& fileName) {
    std::ostringstream text;
    writeSceneFile(text, fileName);
    return text.str();
}

}  // namespace files
}  // namespace host
