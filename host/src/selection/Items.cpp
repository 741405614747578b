#include "dag/Dag.h"
#include "graph/Node.h"
#include "graph/PlugAccess.h"
#include "selection/Component.h"
#include "selection/Selection.h"

#include <algorithm>

namespace host {
namespace selection {

bool Item::sameTarget(const Item& other) const {
    if (node != other.node || isDag() != other.isDag() || isPlug() != other.isPlug())
        return false;
    if (isPlug())
        return plug == other.plug;
    return !isDag() || path == other.path;
}

bool Item::live() const {
    Node* n = host::nodeOf(node);
    return n && n->inScene && (!isDag() || path.isValid());
}

Item nodeItem(const MObject& node) {
    Item item;
    item.node = node;
    // A DAG node named by itself stands for its first path.
    if (node.hasFn(MFn::kDagNode))
        MDagPath::getAPathTo(node, item.path);
    return item;
}

Item pathItem(const MDagPath& path, const MObject& component) {
    Item item;
    item.node = path.node();
    item.path = path;
    item.component = component;
    return item;
}

Item plugItem(const MPlug& plug) {
    Item item;
    item.node = plug.node();
    item.plug = plug;
    return item;
}

MObject ownCopy(const MObject& component) {
    Component* c = componentOf(component);
    return c ? toMObject(c->clone()) : MObject();
}

namespace {

bool matches(const Item& existing, const Item& item) {
    if (!existing.sameTarget(item))
        return false;
    Component* part = componentOf(item.component);
    Component* other = componentOf(existing.component);
    return !part || !other || other->apiType() == part->apiType();
}

// Merges `item` into the entry `found` it matches, or adds it at the end
// when `found` is items.end().
void mergeInto(std::vector<Item>& items, std::vector<Item>::iterator found, const Item& item,
               MSelectionList::MergeStrategy strategy) {
    Component* part = componentOf(item.component);
    if (found == items.end()) {
        if (strategy == MSelectionList::kRemoveFromList)
            return;
        Item copy = item;
        copy.component = ownCopy(item.component);
        items.push_back(copy);
        return;
    }
    Component* existing = componentOf(found->component);
    if (!part) {
        // The whole object: absorbs its parts, or leaves with them.
        if (strategy == MSelectionList::kMergeNormal)
            found->component = MObject();
        else
            items.erase(found);
        return;
    }
    if (!existing)
        return;  // a part of an object that is in the list whole
    auto combined = existing->clone();
    for (int e : part->elements()) {
        bool inside = combined->contains(e);
        if (strategy == MSelectionList::kMergeNormal)
            combined->add(e);
        else if (strategy == MSelectionList::kRemoveFromList || inside)
            combined->remove(e);
        else
            combined->add(e);
    }
    if (combined->elements().empty())
        items.erase(found);
    else
        found->component = toMObject(combined);
}

}  // namespace

void mergeItem(std::vector<Item>& items, const Item& item, MSelectionList::MergeStrategy strategy) {
    auto found = std::find_if(items.begin(), items.end(),
                              [&](const Item& existing) { return matches(existing, item); });
    mergeInto(items, found, item, strategy);
}

void mergeItems(std::vector<Item>& items, const std::vector<Item>& added,
                MSelectionList::MergeStrategy strategy) {
    ListIndex index;
    for (const Item& item : added)
        index.merge(items, item, strategy);
}

void takeItems(std::vector<Item>& items, std::vector<Item>& added) {
    // Past a few entries the index that mergeItems keeps finds repeats
    // sooner than comparing each entry with those before it.
    const size_t kFew = 8;
    const bool whole = std::all_of(added.begin(), added.end(),
                                   [](const Item& item) { return item.component.isNull(); });
    if (!items.empty() || !whole || added.size() > kFew) {
        mergeItems(items, added, MSelectionList::kMergeNormal);
        return;
    }
    // A whole object merged into a list that holds it changes nothing.
    size_t kept = 0;
    for (size_t i = 0; i < added.size(); ++i) {
        const bool repeat =
            std::any_of(added.begin(), added.begin() + static_cast<std::ptrdiff_t>(kept),
                        [&](const Item& before) { return before.sameTarget(added[i]); });
        if (repeat)
            continue;
        if (kept != i)
            added[kept] = added[i];
        ++kept;
    }
    added.erase(added.begin() + static_cast<std::ptrdiff_t>(kept), added.end());
    items.swap(added);
}

// ---------------------------------------------------------------- index

bool ListIndex::indexed(const std::vector<Item>& items) {
    // Indexing costs a pass over the list; for a few searches searching it
    // is cheaper.
    if (!m_built && ++m_searches <= kSearchesFirst)
        return false;
    m_built = true;
    for (; m_indexed < items.size(); ++m_indexed)
        m_byNode[host::nodeOf(items[m_indexed].node)].push_back(m_indexed);
    return true;
}

std::vector<Item>::iterator ListIndex::find(std::vector<Item>& items, const Item& item) {
    auto match = [&](const Item& existing) { return matches(existing, item); };
    if (!indexed(items))
        return std::find_if(items.begin(), items.end(), match);
    for (size_t i : m_byNode[host::nodeOf(item.node)])
        if (match(items[i]))
            return items.begin() + static_cast<std::ptrdiff_t>(i);
    return items.end();
}

bool ListIndex::holdsWhole(const std::vector<Item>& items, const Item& item) {
    auto whole = [&](const Item& existing) {
        return existing.component.isNull() && existing.sameTarget(item);
    };
    if (!indexed(items))
        return std::any_of(items.begin(), items.end(), whole);
    for (size_t i : m_byNode[host::nodeOf(item.node)])
        if (whole(items[i]))
            return true;
    return false;
}

void ListIndex::merge(std::vector<Item>& items, const Item& item,
                      MSelectionList::MergeStrategy strategy) {
    const size_t before = items.size();
    mergeInto(items, find(items, item), item, strategy);
    if (items.size() < before)
        reset();  // positions after the erased entry moved
}

void ListIndex::reset() {
    m_byNode.clear();
    m_indexed = 0;
    m_built = false;
    m_searches = 0;
}

MStatus addNames(MSelectionList& list, const std::vector<std::string>& names, size_t* failed) {
    std::vector<Item> found;
    MStatus status;
    for (size_t i = 0; i < names.size(); ++i) {
        std::vector<Item> named;
        status = itemsNamed(names[i], named);
        if (!status) {
            if (failed)
                *failed = i;
            break;
        }
        if (found.empty())
            found.swap(named);
        else
            found.insert(found.end(), named.begin(), named.end());
    }
    takeItems(ListAccess::items(list), found);
    return status;
}

namespace {

bool isIntermediate(Node& node) {
    Attribute* io = dag::attributes().intermediateObject;
    return io && node.findAttribute("intermediateObject") == io &&
           valueAsLong(evaluate(PlugRef{&node, PlugPath{io, {}}})) != 0;
}

// Components are named through the transform when their shape is the only
// one under it that is not an intermediate object, as the application
// names them; otherwise through the shape.
std::string componentOwnerName(const MDagPath& shapePath) {
    MDagPath owner = shapePath;
    Node* shape = host::nodeOf(owner.node());
    if (!shape || owner.length() < 2 || !owner.pop())
        return shapePath.partialPathName().asChar();
    Node* transform = host::nodeOf(owner.node());
    if (!transform)
        return shapePath.partialPathName().asChar();
    for (Node* child : transform->children)
        if (child != shape && child->type().shape && !isIntermediate(*child))
            return shapePath.partialPathName().asChar();
    return owner.partialPathName().asChar();
}

}  // namespace

void selectionStrings(const Item& item, MStringArray& out) {
    if (item.isPlug()) {
        out.append(item.plug.name());
        return;
    }
    if (!item.isDag()) {
        Node* n = host::nodeOf(item.node);
        if (n)
            out.append(MString(n->name().c_str()));
        return;
    }
    Component* part = componentOf(item.component);
    if (!part) {
        out.append(item.path.partialPathName());
        return;
    }
    const std::string base = componentOwnerName(item.path);
    const ComponentKind* kind = componentKindOf(part->apiType());
    std::string prefix = base + "." + (kind ? kind->name : "pt");
    std::vector<int> sorted = part->elements();
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size();) {
        size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] == sorted[j] + 1)
            ++j;
        std::string range = std::to_string(sorted[i]);
        if (j > i)
            range += ":" + std::to_string(sorted[j]);
        out.append(MString((prefix + "[" + range + "]").c_str()));
        i = j + 1;
    }
}

MStatus noSuchObject() {
    return MS::kInvalidParameter;
}

}  // namespace selection
}  // namespace host
