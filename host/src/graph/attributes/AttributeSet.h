#ifndef HOST_GRAPH_ATTRIBUTES_ATTRIBUTESET_H
#define HOST_GRAPH_ATTRIBUTES_ATTRIBUTESET_H

#include "graph/Attribute.h"

#include <maya/MFnAttribute.h>
#include <maya/MObject.h>

namespace host {

// Shared steps of the attribute function sets.
struct AttributeSet {
    // The attribute a function set is attached to, or null.
    static Attribute* of(const MObject& object) { return attributeOf(object); }
    // Makes a new attribute and attaches the set to it.
    static MObject create(MObject& target, Attribute::Kind kind, const MString& fullName,
                          const MString& briefName, MStatus* ReturnStatus);
    static MObject objectOf(Attribute* attribute);
    static void report(MStatus* ReturnStatus, bool ok);
};

}  // namespace host

#endif
