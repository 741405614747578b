#ifndef HOST_GRAPH_ATTRIBUTEBUILDER_H
#define HOST_GRAPH_ATTRIBUTEBUILDER_H

#include "graph/Attribute.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// Short ways to define the attributes of built-in node types. Each returns a
// fresh attribute with the host's default flags; callers adjust the flags.
namespace host::attrs {

AttributePtr numeric(const std::string& longName, const std::string& shortName,
                     MFnNumericData::Type type, double defaultValue = 0.0);
AttributePtr boolean(const std::string& longName, const std::string& shortName,
                     bool defaultValue = false);
AttributePtr unit(const std::string& longName, const std::string& shortName,
                  MFnUnitAttribute::Type type, double defaultValue = 0.0);
AttributePtr enumeration(const std::string& longName, const std::string& shortName,
                         std::vector<std::pair<std::string, short>> fields, short defaultValue = 0);
AttributePtr typed(const std::string& longName, const std::string& shortName, MFnData::Type type);
AttributePtr message(const std::string& longName, const std::string& shortName);
AttributePtr matrix(const std::string& longName, const std::string& shortName);
AttributePtr compound(const std::string& longName, const std::string& shortName,
                      std::initializer_list<AttributePtr> children);
// A double3 (or other numeric compound) whose children are made from the
// suffixes ("X", "Y", "Z"), each of the given child kind.
AttributePtr triple(const std::string& longName, const std::string& shortName, const char* suffixes,
                    const AttributePtr& childPrototype,
                    MFnNumericData::Type compoundType = MFnNumericData::k3Double);

// Declares that a change of `from` makes `to` stale.
void affects(const AttributePtr& from, const AttributePtr& to);

}  // namespace host::attrs

#endif
