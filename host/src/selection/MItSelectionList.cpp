#include "selection/Selection.h"

#include <maya/MItSelectionList.h>

using host::selection::Item;
using host::selection::ListAccess;

namespace {
void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}
}  // namespace

MItSelectionList::MItSelectionList(const MSelectionList& list, MFn::Type filter,
                                   MStatus* ReturnStatus)
    : m_list(list), m_filter(filter) {
    skipFiltered();
    setStatus(ReturnStatus, MS::kSuccess);
}

MItSelectionList::~MItSelectionList() = default;

void MItSelectionList::skipFiltered() {
    const auto& items = ListAccess::items(m_list);
    while (m_index < items.size() && m_filter != MFn::kInvalid &&
           !items[m_index].node.hasFn(m_filter))
        ++m_index;
}

bool MItSelectionList::isDone(MStatus* ReturnStatus) {
    setStatus(ReturnStatus, MS::kSuccess);
    return m_index >= m_list.length();
}

MStatus MItSelectionList::next() {
    if (m_index >= m_list.length())
        return MS::kFailure;
    ++m_index;
    skipFiltered();
    return MS::kSuccess;
}

MStatus MItSelectionList::reset() {
    m_index = 0;
    skipFiltered();
    return MS::kSuccess;
}

MStatus MItSelectionList::setFilter(MFn::Type filter) {
    m_filter = filter;
    return reset();
}

MStatus MItSelectionList::getDependNode(MObject& depNode) {
    return m_list.getDependNode(m_index, depNode);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath, MObject& component) {
    return m_list.getDagPath(m_index, dagPath, component);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath) {
    return m_list.getDagPath(m_index, dagPath);
}

MStatus MItSelectionList::getStrings(MStringArray& array) {
    return m_list.getSelectionStrings(m_index, array);
}

MStatus MItSelectionList::getPlug(MPlug& plug) const {
    return m_list.getPlug(m_index, plug);
}

MItSelectionList::selItemType MItSelectionList::itemType(MStatus* ReturnStatus) {
    const auto& items = ListAccess::items(m_list);
    if (m_index >= items.size()) {
        setStatus(ReturnStatus, MS::kFailure);
        return kUnknownItem;
    }
    setStatus(ReturnStatus, MS::kSuccess);
    const Item& item = items[m_index];
    if (item.isPlug())
        return kPlugSelectionItem;
    return item.isDag() ? kDagSelectionItem : kDNselectionItem;
}

bool MItSelectionList::hasComponents(MStatus* ReturnStatus) const {
    const auto& items = ListAccess::items(m_list);
    setStatus(ReturnStatus, m_index < items.size() ? MS::kSuccess : MS::kFailure);
    return m_index < items.size() && !items[m_index].component.isNull();
}
