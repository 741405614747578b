#include "graph/Node.h"
#include "selection/Component.h"
#include "selection/Selection.h"

#include <maya/MSelectionList.h>

#include <algorithm>

using host::selection::Item;

namespace {
void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

bool validNode(const MObject& object) {
    host::Node* n = host::nodeOf(object);
    return n && n->inScene;
}
}  // namespace

MSelectionList::MSelectionList() = default;
MSelectionList::MSelectionList(const MSelectionList& src) : m_items(src.m_items) {}
MSelectionList::~MSelectionList() = default;
MSelectionList& MSelectionList::operator=(const MSelectionList& other) {
    if (this != &other) {
        m_items = other.m_items;
        m_index.reset();
    }
    return *this;
}

host::selection::ListIndex& MSelectionList::index() {
    if (!m_index)
        m_index = std::make_unique<host::selection::ListIndex>();
    return *m_index;
}

MStatus MSelectionList::clear() {
    m_items.clear();
    m_index.reset();
    return MS::kSuccess;
}

bool MSelectionList::isEmpty(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return m_items.empty();
}

unsigned int MSelectionList::length(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return static_cast<unsigned int>(m_items.size());
}

MStatus MSelectionList::getDependNode(unsigned int index, MObject& depNode) const {
    if (index >= m_items.size())
        return MS::kInvalidParameter;
    depNode = m_items[index].node;
    return MS::kSuccess;
}

MStatus MSelectionList::getDagPath(unsigned int index, MDagPath& dagPath,
                                   MObject& component) const {
    if (index >= m_items.size())
        return MS::kInvalidParameter;
    const Item& item = m_items[index];
    if (!item.isDag() || item.isPlug())
        return MS::kFailure;
    dagPath = item.path;
    // The default argument is the shared null object, which must stay null.
    if (&component != &MObject::kNullObj)
        component = item.component;
    return MS::kSuccess;
}

MStatus MSelectionList::getPlug(unsigned int index, MPlug& plug) const {
    if (index >= m_items.size())
        return MS::kInvalidParameter;
    if (!m_items[index].isPlug())
        return MS::kInvalidParameter;
    plug = m_items[index].plug;
    return MS::kSuccess;
}

// ---------------------------------------------------------------- adding

namespace {
// Without merging an item goes to the end, unless the very same whole
// object is there already.
void append(std::vector<Item>& items, host::selection::ListIndex& index, const Item& item,
            bool mergeWithExisting) {
    if (mergeWithExisting) {
        index.merge(items, item, MSelectionList::kMergeNormal);
        return;
    }
    if (item.component.isNull() && index.holdsWhole(items, item))
        return;
    Item copy = item;
    copy.component = host::selection::ownCopy(item.component);
    items.push_back(copy);
}

bool validComponent(const MObject& component) {
    return component.isNull() || host::selection::componentOf(component);
}
}  // namespace

MStatus MSelectionList::add(const MObject& object, const bool mergeWithExisting) {
    if (!validNode(object))
        return MS::kInvalidParameter;
    append(m_items, index(), host::selection::nodeItem(object), mergeWithExisting);
    return MS::kSuccess;
}

MStatus MSelectionList::add(const MDagPath& object, const MObject& component,
                            const bool mergeWithExisting) {
    if (!object.isValid() || object.length() == 0 || !validComponent(component))
        return MS::kInvalidParameter;
    append(m_items, index(), host::selection::pathItem(object, component), mergeWithExisting);
    return MS::kSuccess;
}

MStatus MSelectionList::add(const MString& matchString, const bool) {
    // Namespaces are not part of this host's names, so there are no child
    // namespaces to search.
    std::vector<Item> found;
    MStatus status = host::selection::itemsNamed(matchString.asChar(), found);
    if (!status)
        return status;
    if (m_items.empty()) {
        index().reset();
        host::selection::takeItems(m_items, found);
        return MS::kSuccess;
    }
    for (const Item& item : found)
        index().merge(m_items, item, kMergeNormal);
    return MS::kSuccess;
}

MStatus MSelectionList::add(const MPlug& plug, const bool mergeWithExisting) {
    if (plug.isNull() || !validNode(plug.node()))
        return MS::kInvalidParameter;
    append(m_items, index(), host::selection::plugItem(plug), mergeWithExisting);
    return MS::kSuccess;
}

MStatus MSelectionList::remove(unsigned int index) {
    if (index >= m_items.size())
        return MS::kInvalidParameter;
    m_items.erase(m_items.begin() + index);
    m_index.reset();
    return MS::kSuccess;
}

MStatus MSelectionList::replace(unsigned int index, const MObject& item) {
    if (index >= m_items.size() || !validNode(item))
        return MS::kInvalidParameter;
    m_items[index] = host::selection::nodeItem(item);
    m_index.reset();
    return MS::kSuccess;
}

MStatus MSelectionList::replace(unsigned int index, const MDagPath& item,
                                const MObject& component) {
    if (index >= m_items.size() || !item.isValid() || !validComponent(component))
        return MS::kInvalidParameter;
    m_items[index] = host::selection::pathItem(item, host::selection::ownCopy(component));
    m_index.reset();
    return MS::kSuccess;
}

MStatus MSelectionList::replace(unsigned int index, const MPlug& plug) {
    if (index >= m_items.size() || plug.isNull())
        return MS::kInvalidParameter;
    m_items[index] = host::selection::plugItem(plug);
    m_index.reset();
    return MS::kSuccess;
}

// ---------------------------------------------------------------- queries

namespace {
// How much of `part` (null: the whole object) the list holds for a target.
enum class Cover { None, Some, All };

Cover coverage(const std::vector<Item>& items, const Item& wanted) {
    auto* part = host::selection::componentOf(wanted.component);
    Cover best = Cover::None;
    for (const Item& item : items) {
        if (!item.sameTarget(wanted))
            continue;
        auto* held = host::selection::componentOf(item.component);
        if (!held)
            return Cover::All;  // the whole object holds every part of it
        if (!part || held->apiType() != part->apiType()) {
            best = Cover::Some;
            continue;
        }
        size_t inside = 0;
        for (int e : part->elements())
            inside += held->contains(e) ? 1 : 0;
        if (inside == part->elements().size() && inside > 0)
            return Cover::All;
        if (inside > 0)
            best = Cover::Some;
    }
    return best;
}
}  // namespace

bool MSelectionList::hasItem(const MObject& item, MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    if (item.isNull())
        return false;
    if (item.hasFn(MFn::kDagNode)) {
        // Any instance of the node counts.
        return std::any_of(m_items.begin(), m_items.end(),
                           [&](const Item& i) { return i.node == item && !i.isPlug(); });
    }
    return coverage(m_items, host::selection::nodeItem(item)) == Cover::All;
}

bool MSelectionList::hasItem(const MDagPath& item, const MObject& component,
                             MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return coverage(m_items, host::selection::pathItem(item, component)) == Cover::All;
}

bool MSelectionList::hasItemPartly(const MDagPath& item, const MObject& component,
                                   MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return coverage(m_items, host::selection::pathItem(item, component)) != Cover::None;
}

MStatus MSelectionList::toggle(const MDagPath& item, const MObject& component) {
    return merge(item, component, kXORWithList);
}

MStatus MSelectionList::merge(const MSelectionList& other, const MergeStrategy strategy) {
    // A copy first: merging a list with itself must see the list as it was.
    std::vector<Item> incoming = other.m_items;
    for (const Item& item : incoming)
        index().merge(m_items, item, strategy);
    return MS::kSuccess;
}

MStatus MSelectionList::merge(const MDagPath& object, const MObject& component,
                              const MergeStrategy strategy) {
    if (!object.isValid() || !validComponent(component))
        return MS::kInvalidParameter;
    index().merge(m_items, host::selection::pathItem(object, component), strategy);
    return MS::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(MStringArray& array) const {
    array.clear();
    for (const Item& item : m_items)
        host::selection::selectionStrings(item, array);
    return MS::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(unsigned int index, MStringArray& array) const {
    array.clear();
    if (index >= m_items.size())
        return MS::kInvalidParameter;
    host::selection::selectionStrings(m_items[index], array);
    return MS::kSuccess;
}
