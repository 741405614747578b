#ifndef HOST_GRAPH_ATTRIBUTE_H
#define HOST_GRAPH_ATTRIBUTE_H

#include "graph/Object.h"
#include "graph/Value.h"

#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnUnitAttribute.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

// One attribute definition, shared by every node that carries it (static
// attributes by all nodes of a type, dynamic ones by a single node).
class Attribute : public Object {
public:
    enum class Kind { Numeric, Unit, Enum, Typed, Compound, Message, Generic, Matrix };

    Attribute(Kind kind, std::string longName, std::string shortName);

    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;

    Kind kind;
    std::string longName;
    std::string shortName;
    MFnNumericData::Type numericType = MFnNumericData::kInvalid;   // Numeric
    MFnUnitAttribute::Type unitType = MFnUnitAttribute::kInvalid;  // Unit
    MFnData::Type dataType = MFnData::kInvalid;                    // Typed
    bool floatMatrix = false;                                      // Matrix
    std::vector<MFnData::Type> acceptedData;                       // Generic
    std::vector<MFnNumericData::Type> acceptedNumeric;             // Generic
    std::vector<std::pair<std::string, short>> enumFields;         // Enum

    // Flags, with the host's defaults for a new attribute.
    bool readable = true;
    bool writable = true;
    bool connectable = true;
    bool storable = true;
    bool cached = true;
    bool array = false;
    bool indexMatters = true;
    bool keyable = false;
    bool channelBox = false;
    bool hidden = false;
    bool usedAsColor = false;
    bool indeterminant = false;
    bool renderSource = false;
    bool worldSpace = false;  // one element per DAG instance
    bool affectsWorldSpace = false;
    bool usesArrayDataBuilder = false;
    bool internal = false;
    bool dynamic = false;
    bool perParticle = false;    // a particle shape's per-particle array
    bool computed = false;       // some input affects it, or the host computes it
    int disconnectBehavior = 2;  // MFnAttribute::kNothing

    Value defaultValue;  // leaf default (numbers in internal units)
    std::optional<double> minValue, maxValue, softMinValue, softMaxValue;

    Attribute* parent = nullptr;  // owning compound, if a child
    std::vector<std::shared_ptr<Attribute>> children;
    std::vector<Attribute*> affects;  // attributeAffects targets on the same node

    bool isCompound() const { return !children.empty() || kind == Kind::Compound; }
    bool isLeaf() const { return children.empty() && kind != Kind::Compound; }
    bool matchesName(const std::string& name) const {
        return name == longName || name == shortName;
    }
    // The top-level attribute this one belongs to (itself when top-level).
    const Attribute* root() const;
    // Array attributes among this attribute and its ancestors, outermost first.
    std::vector<const Attribute*> arrayChain() const;
    int childIndex(const Attribute* child) const;
    // Searches this attribute and its descendants by long or short name.
    Attribute* find(const std::string& name);

    void addChild(const std::shared_ptr<Attribute>& child);
};

using AttributePtr = std::shared_ptr<Attribute>;

inline Attribute* attributeOf(const MObject& object) {
    return ObjectAccess::as<Attribute>(object);
}

}  // namespace host

#endif
