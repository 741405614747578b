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

struct PlugValue;

// The elements of an array plug's stored value by logical index, as an
// ordered map. The map is made with the first element: most stored values
// are of plugs that are no arrays, and a bake keeps hundreds of thousands
// of them, where an empty map would cost as much as the value itself.
class PlugElements {
public:
    using Map = std::map<unsigned, PlugValue>;
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;

    PlugElements() = default;
    PlugElements(const PlugElements& other);
    PlugElements(PlugElements&&) noexcept = default;
    PlugElements& operator=(const PlugElements& other);
    PlugElements& operator=(PlugElements&&) noexcept = default;
    ~PlugElements();

    bool empty() const;
    const_iterator begin() const;
    const_iterator end() const;
    const_iterator find(unsigned index) const;
    PlugValue& operator[](unsigned index);
    std::pair<iterator, bool> emplace(unsigned index, PlugValue&& value);
    void erase(unsigned index);

private:
    static const Map& none();
    Map& map();
    std::unique_ptr<Map> m_map;
};

// Stored values of one plug and everything below it: compound children by
// child position, array elements by logical index.
struct PlugValue {
    Value value;
    std::vector<PlugValue> children;
    PlugElements elements;

    bool empty() const;
};

inline bool PlugElements::empty() const {
    return !m_map || m_map->empty();
}
inline PlugElements::const_iterator PlugElements::begin() const {
    return m_map ? m_map->cbegin() : none().cbegin();
}
inline PlugElements::const_iterator PlugElements::end() const {
    return m_map ? m_map->cend() : none().cend();
}
inline PlugElements::const_iterator PlugElements::find(unsigned index) const {
    return m_map ? m_map->find(index) : none().cend();
}

}  // namespace host

#endif
