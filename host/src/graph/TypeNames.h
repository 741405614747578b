#ifndef HOST_GRAPH_TYPENAMES_H
#define HOST_GRAPH_TYPENAMES_H

// The names the application gives attribute types: the one table that
// getAttr -type, addAttr -at/-dt and the addAttr lines of scene files read.
// Not every name serves every use. getAttr -type names types addAttr cannot
// make ("addr", "numeric", "dynArrayAttrs"); addAttr takes aliases that are
// never written back ("reflectance", "spectrum", "floatLinear", "floatAngle");
// scene files write "dynArrayAttrs", which addAttr does not take.

#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnUnitAttribute.h>

#include <string>

namespace host {

// What a name is used for; a type can have a name for one use and none for
// another.
enum TypeNameUse : unsigned {
    kQueriedName = 1,  // getAttr -type
    kWrittenName = 2,  // the addAttr lines of a scene file
    kCreatedName = 4,  // what addAttr -at / -dt take
};

// The type's name for the use; null where it has none.
const char* typeNameFor(MFnNumericData::Type type, TypeNameUse use);
const char* typeNameFor(MFnData::Type type, TypeNameUse use);
const char* typeNameFor(MFnUnitAttribute::Type type, TypeNameUse use);

// The type addAttr makes for a name; false for a name it does not take.
bool typeFromName(const std::string& name, MFnNumericData::Type& type);
bool typeFromName(const std::string& name, MFnData::Type& type);
bool typeFromName(const std::string& name, MFnUnitAttribute::Type& type);

}  // namespace host

#endif
