// The active selection list: the selection members of MGlobal.
#include "selection/Selection.h"
#include "undo/UndoQueue.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <algorithm>

using host::selection::Item;
using host::selection::ListAccess;

namespace {

MSelectionList& active() {
    static MSelectionList list;
    return list;
}

// Deleted nodes leave the selection for good, even if an undo brings them
// back later.
MSelectionList& liveActive() {
    auto& items = ListAccess::items(active());
    items.erase(std::remove_if(items.begin(), items.end(), [](const Item& i) { return !i.live(); }),
                items.end());
    return active();
}

MStatus adjust(const MSelectionList& list, MGlobal::ListAdjustment adjustment) {
    MSelectionList& current = liveActive();
    switch (adjustment) {
        case MGlobal::kReplaceList:
            current = list;
            return MS::kSuccess;
        case MGlobal::kXORWithList:
            return current.merge(list, MSelectionList::kXORWithList);
        case MGlobal::kAddToList:
            return current.merge(list, MSelectionList::kMergeNormal);
        case MGlobal::kRemoveFromList:
            return current.merge(list, MSelectionList::kRemoveFromList);
        case MGlobal::kAddToHeadOfList: {
            MSelectionList head = list;
            head.merge(current, MSelectionList::kMergeNormal);
            current = head;
            return MS::kSuccess;
        }
    }
    return MS::kInvalidParameter;
}

}  // namespace

MStatus host::selection::setActive(const MSelectionList& list, MGlobal::ListAdjustment adjustment) {
    return adjust(list, adjustment);
}

std::vector<Item> host::selection::exchangeActive(std::vector<Item> items) {
    liveActive();
    ListAccess::items(active()).swap(items);
    return items;
}

MStatus MGlobal::getActiveSelectionList(MSelectionList& dest) {
    dest = liveActive();
    return MS::kSuccess;
}

MStatus MGlobal::setActiveSelectionList(MSelectionList& src, ListAdjustment listAdjustment) {
    return adjust(src, listAdjustment);
}

// As setActiveSelectionList, and undoable like the select command.
MStatus MGlobal::selectCommand(MSelectionList& list, ListAdjustment listAdjustment) {
    const MSelectionList before = liveActive();
    MStatus status = adjust(list, listAdjustment);
    if (!status)
        return status;
    const MSelectionList after = active();
    host::undo::record(host::undo::makeEntry(
        "select", [before] { return adjust(before, kReplaceList) == MS::kSuccess; },
        [after] { return adjust(after, kReplaceList) == MS::kSuccess; }));
    return status;
}

MStatus MGlobal::getSelectionListByName(const MString& name, MSelectionList& list) {
    return list.add(name);
}

MStatus MGlobal::selectByName(const MString& name, ListAdjustment listAdjustment) {
    MSelectionList named;
    MStatus status = named.add(name);
    if (!status)
        return status;
    return adjust(named, listAdjustment);
}

MStatus MGlobal::unselectByName(const MString& name) {
    return selectByName(name, kRemoveFromList);
}

MStatus MGlobal::select(MObject& object, ListAdjustment listAdjustment) {
    MSelectionList one;
    MStatus status = one.add(object);
    if (!status)
        return status;
    return adjust(one, listAdjustment);
}

MStatus MGlobal::select(MDagPath& dagPath, MObject& component, ListAdjustment listAdjustment) {
    MSelectionList one;
    MStatus status = one.add(dagPath, component);
    if (!status)
        return status;
    return adjust(one, listAdjustment);
}

MStatus MGlobal::unselect(MObject& object) {
    return select(object, kRemoveFromList);
}

MStatus MGlobal::unselect(MDagPath& dagPath, MObject& component) {
    return select(dagPath, component, kRemoveFromList);
}

MStatus MGlobal::clearSelectionList() {
    active().clear();
    return MS::kSuccess;
}

bool MGlobal::isSelected(MObject& object, MStatus* ReturnStatus) {
    return liveActive().hasItem(object, ReturnStatus);
}
