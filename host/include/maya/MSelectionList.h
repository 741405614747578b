#ifndef MINIMAYA_MSELECTIONLIST_H
#define MINIMAYA_MSELECTIONLIST_H

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

#include <memory>
#include <vector>

class MDagPath;
class MPlug;
class MStringArray;

namespace host {
namespace selection {
struct Item;
struct ListAccess;
class ListIndex;
}  // namespace selection
}  // namespace host

// An ordered list of nodes, DAG paths (with an optional component) and
// plugs.
class OPENMAYA_EXPORT MSelectionList {
public:
    enum MergeStrategy { kMergeNormal = 0, kXORWithList, kRemoveFromList };

    MSelectionList();
    MSelectionList(const MSelectionList& src);
    virtual ~MSelectionList();

    MStatus clear();
    bool isEmpty(MStatus* ReturnStatus = NULL) const;
    unsigned int length(MStatus* ReturnStatus = NULL) const;

    MStatus getDependNode(unsigned int index, MObject& depNode) const;
    MStatus getDagPath(unsigned int index, MDagPath& dagPath,
                       MObject& component = MObject::kNullObj) const;
    MStatus getPlug(unsigned int index, MPlug& plug) const;

    MStatus add(const MObject& object, const bool mergeWithExisting = false);
    MStatus add(const MDagPath& object, const MObject& component = MObject::kNullObj,
                const bool mergeWithExisting = false);
    MStatus add(const MString& matchString, const bool searchChildNamespacesToo = false);
    MStatus add(const MPlug& plug, const bool mergeWithExisting = false);
    MStatus remove(unsigned int index);
    MStatus replace(unsigned int index, const MObject& item);
    MStatus replace(unsigned int index, const MDagPath& item,
                    const MObject& component = MObject::kNullObj);
    MStatus replace(unsigned int index, const MPlug& plug);

    bool hasItem(const MObject& item, MStatus* ReturnStatus = NULL) const;
    bool hasItem(const MDagPath& item, const MObject& component = MObject::kNullObj,
                 MStatus* ReturnStatus = NULL) const;
    bool hasItemPartly(const MDagPath& item, const MObject& component,
                       MStatus* ReturnStatus = NULL) const;
    MStatus toggle(const MDagPath& item, const MObject& component = MObject::kNullObj);

    MStatus merge(const MSelectionList& other, const MergeStrategy strategy = kMergeNormal);
    MStatus merge(const MDagPath& object, const MObject& component = MObject::kNullObj,
                  const MergeStrategy strategy = kMergeNormal);

    MStatus getSelectionStrings(MStringArray& array) const;
    MStatus getSelectionStrings(unsigned int index, MStringArray& array) const;

    MSelectionList& operator=(const MSelectionList& other);

private:
    friend struct host::selection::ListAccess;
    std::vector<host::selection::Item> m_items;
    std::unique_ptr<host::selection::ListIndex> m_index;  // made by the first add
    host::selection::ListIndex& index();
};

#endif
