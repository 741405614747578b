#ifndef HOST_SELECTION_SELECTION_H
#define HOST_SELECTION_SELECTION_H

#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace host {

class Node;

namespace selection {

// One entry of a selection list: a dependency node, a DAG path (with an
// optional component) or a plug.
struct Item {
    MObject node;
    MDagPath path;      // set for DAG nodes; its node is `node`
    MObject component;  // part of the path's shape, or null for all of it
    MPlug plug;         // set for plug entries

    bool isDag() const { return !path.node().isNull(); }
    bool isPlug() const { return !plug.isNull(); }
    // Whether both name the same thing, components aside.
    bool sameTarget(const Item& other) const;
    // Whether what it names is still part of the scene.
    bool live() const;
};

Item nodeItem(const MObject& node);
Item pathItem(const MDagPath& path, const MObject& component);
Item plugItem(const MPlug& plug);

// A component a list owns, so later edits through the caller's object do
// not change the list.
MObject ownCopy(const MObject& component);

// Adds an item to a list the way MSelectionList::merge does: a whole
// object absorbs its components, components of one object are combined.
void mergeItem(std::vector<Item>& items, const Item& item, MSelectionList::MergeStrategy strategy);
// The same for many items in turn, without searching the whole list for
// each (a wildcard may name every node of a big scene).
void mergeItems(std::vector<Item>& items, const std::vector<Item>& added,
                MSelectionList::MergeStrategy strategy);

// Everything a selection string names, in scene order; fails when it
// names nothing.
// mergeItems with kMergeNormal, leaving `added` empty or spent. Into an
// empty list a few whole objects are taken over rather than copied: a copy
// of an entry costs a path and a reference count per node on it.
void takeItems(std::vector<Item>& items, std::vector<Item>& added);

MStatus itemsNamed(const std::string& text, std::vector<Item>& found);

// The node of the first item that a plain name or DAG path ("a", "a|b",
// "|a|b") names, found without making items; null when it names none or is
// anything else (a plug, components, a wildcard).
Node* firstNodeNamed(std::string_view name);

// The strings ("name", "a|b", "shape.pt[3:7]", "node.attr") that name an
// item.
void selectionStrings(const Item& item, MStringArray& out);

// The status of a look-up that matched no object.
MStatus noSuchObject();

// MGlobal::setActiveSelectionList for the host's own callers, which hold
// their lists as const.
MStatus setActive(const MSelectionList& list,
                  MGlobal::ListAdjustment adjustment = MGlobal::kReplaceList);

// Makes the items the active selection, as setActive replacing the list
// would, and hands back the live items that were active.
std::vector<Item> exchangeActive(std::vector<Item> items);

// Where each node's entries sit in a list, so that adding to a long list
// one item at a time does not compare the item with every entry. The first
// few searches after a reset go through the list; from then on it covers
// the entries that were there when it was last asked, entries appended
// since are indexed on the next question, and any other change to the list
// (an entry removed or replaced) must reset it.
class ListIndex {
public:
    // The entry that `item` merges with: the first that names the same
    // target, with a component of the same kind when both have one.
    std::vector<Item>::iterator find(std::vector<Item>& items, const Item& item);
    // Whether an entry holds the same target whole, as `item` does.
    bool holdsWhole(const std::vector<Item>& items, const Item& item);
    // mergeItem, keeping the index.
    void merge(std::vector<Item>& items, const Item& item, MSelectionList::MergeStrategy strategy);
    void reset();

private:
    static constexpr unsigned kSearchesFirst = 4;
    // Whether to search through the index, brought up to date.
    bool indexed(const std::vector<Item>& items);
    std::unordered_map<const Node*, std::vector<size_t>> m_byNode;
    size_t m_indexed = 0;
    bool m_built = false;
    unsigned m_searches = 0;
};

struct ListAccess {
    // Whoever changes a list through here changes it as a whole: its index
    // starts over.
    static std::vector<Item>& items(MSelectionList& list) {
        if (list.m_index)
            list.m_index->reset();
        return list.m_items;
    }
    static const std::vector<Item>& items(const MSelectionList& list) { return list.m_items; }
};

// Adds what each name names, in turn, as MSelectionList::add would one name
// at a time, but indexing the list once: a command may be given every node
// of a big scene. Stops at the first name that names nothing, with the
// names before it added, and returns that name's status and its index in
// `failed`.
MStatus addNames(MSelectionList& list, const std::vector<std::string>& names,
                 size_t* failed = nullptr);

}  // namespace selection
}  // namespace host

#endif
