#ifndef MINIMAYA_MITSELECTIONLIST_H
#define MINIMAYA_MITSELECTIONLIST_H

#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>

class MDagPath;
class MPlug;
class MStringArray;

// Steps through a copy of a selection list, optionally only over the items
// whose node is compatible with a function-set type.
class OPENMAYA_EXPORT MItSelectionList {
public:
    enum selItemType {
        kUnknownItem = -1,
        kDagSelectionItem = 0,
        kAnimSelectionItem,
        kDNselectionItem,
        kPlugSelectionItem
    };

    MItSelectionList(const MSelectionList& list, MFn::Type filter = MFn::kInvalid,
                     MStatus* ReturnStatus = NULL);
    virtual ~MItSelectionList();

    bool isDone(MStatus* ReturnStatus = NULL);
    MStatus next();
    MStatus reset();
    MStatus getDependNode(MObject& depNode);
    MStatus getDagPath(MDagPath& dagPath, MObject& component);
    MStatus getDagPath(MDagPath& dagPath);
    MStatus getStrings(MStringArray& array);
    MStatus getPlug(MPlug& plug) const;
    selItemType itemType(MStatus* ReturnStatus = NULL);
    MStatus setFilter(MFn::Type filter);
    bool hasComponents(MStatus* ReturnStatus = NULL) const;

private:
    void skipFiltered();
    MSelectionList m_list;
    MFn::Type m_filter;
    unsigned int m_index = 0;
};

#endif
