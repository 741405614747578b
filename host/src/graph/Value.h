#ifndef HOST_GRAPH_VALUE_H
#define HOST_GRAPH_VALUE_H

#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace host {

class Data;

// The value of one leaf plug. Whole numbers of every width (bool, char,
// short, int, enum) are kept as long; float and double as double; distance,
// angle and time in the host's internal units (centimetres, radians,
// seconds); everything else as a data object. A data object, once stored in
// a plug, is never changed in place: writes store a new one and reads hand
// out clones, so plugs of several nodes may share one.
using Value = std::variant<std::monostate, bool, long, double, std::string, std::shared_ptr<Data>>;

bool valuesEqual(const Value& a, const Value& b);
double valueAsDouble(const Value& value);
long valueAsLong(const Value& value);
Value cloneValue(const Value& value);

// Stored values of one plug and everything below it: compound children by
// child position, array elements by logical index.
struct PlugValue {
    Value value;
    std::vector<PlugValue> children;
    std::map<unsigned, PlugValue> elements;

    bool empty() const;
};

}  // namespace host

#endif
