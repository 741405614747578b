#ifndef HOST_GRAPH_VALUE_H
#define HOST_GRAPH_VALUE_H

#include <cstdint>
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

// The stored values of a compound plug's children, by child position: a
// vector that is half the size of the standard one and may live in room its
// owner made for it. A node keeps a compound's tree in one allocation with
// room for its children (the nine compounds a transform's placement writes
// would otherwise cost two each); such room is "borrowed": never freed from
// here, and left behind (moved out of element by element) when more is
// needed or the children move to another value.
class PlugChildren {
public:
    using iterator = PlugValue*;
    using const_iterator = const PlugValue*;

    PlugChildren() : m_capacity(0), m_borrowed(0) {}
    PlugChildren(const PlugChildren& other);
    PlugChildren(PlugChildren&& other) noexcept;
    PlugChildren& operator=(const PlugChildren& other);
    PlugChildren& operator=(PlugChildren&& other) noexcept;
    ~PlugChildren();

    // Uses `room` (for `capacity` values, none made yet) while it suffices.
    void borrow(PlugValue* room, std::uint32_t capacity);

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    iterator begin() { return m_data; }
    iterator end();
    const_iterator begin() const { return m_data; }
    const_iterator end() const;
    PlugValue& operator[](size_t i);
    const PlugValue& operator[](size_t i) const;

    void reserve(size_t capacity);
    void resize(size_t size);
    void push_back(PlugValue&& value);
    void push_back(const PlugValue& value);
    void clear();

private:
    // Moves the values into `capacity` of room of their own.
    void reallocate(size_t capacity);
    void release();

    PlugValue* m_data = nullptr;
    std::uint32_t m_size = 0;
    std::uint32_t m_capacity : 31;
    std::uint32_t m_borrowed : 1;
};

// Stored values of one plug and everything below it: compound children by
// child position, array elements by logical index.
struct PlugValue {
    Value value;
    PlugChildren children;
    PlugElements elements;

    bool empty() const;
};

inline PlugChildren::iterator PlugChildren::end() {
    return m_data + m_size;
}
inline PlugChildren::const_iterator PlugChildren::end() const {
    return m_data + m_size;
}
inline PlugValue& PlugChildren::operator[](size_t i) {
    return m_data[i];
}
inline const PlugValue& PlugChildren::operator[](size_t i) const {
    return m_data[i];
}

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
