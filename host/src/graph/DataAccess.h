#ifndef HOST_GRAPH_DATAACCESS_H
#define HOST_GRAPH_DATAACCESS_H

#include "graph/Attribute.h"
#include "graph/Node.h"
#include "graph/Plug.h"
#include "graph/Value.h"

#include <maya/MAngle.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MDistance.h>
#include <maya/MMatrix.h>
#include <maya/MString.h>
#include <maya/MTime.h>
#include <maya/MVector.h>

namespace host {

// Behind an MDataHandle: the value it shows, and where a write goes (a
// plug's storage in a node, or nowhere for a free-standing value).
struct DataHandleState {
    const Attribute* attribute = nullptr;
    Value value;
    Node* node = nullptr;  // set for output handles
    PlugPath path;
    // The typed views handed out by reference (asInt(), asDouble() ...).
    mutable bool b = false;
    mutable char c = 0;
    mutable short s = 0;
    mutable int i = 0;
    mutable float f = 0;
    mutable double d = 0;
    mutable MMatrix m;
    mutable MVector v;
    mutable MString str;

    void store(const Value& newValue);
};

struct DataHandleAccess {
    static MDataHandle make(const Attribute& attribute, const Value& value);
    static MDataHandle output(Node& node, const PlugPath& path);
    static const Value& value(const MDataHandle& handle);
};

struct DataBlockAccess {
    static MDataBlock make(Node& node);
};

}  // namespace host

#endif
