#include "graph/Value.h"

#include "graph/Data.h"

namespace host {

bool valuesEqual(const Value& a, const Value& b) {
    if (a.index() != b.index())
        return false;
    if (auto* da = std::get_if<std::shared_ptr<Data>>(&a)) {
        auto& db = std::get<std::shared_ptr<Data>>(b);
        if (!*da || !db)
            return *da == db;
        return (*da)->equals(*db);
    }
    return a == b;
}

double valueAsDouble(const Value& value) {
    if (auto* b = std::get_if<bool>(&value))
        return *b ? 1.0 : 0.0;
    if (auto* l = std::get_if<long>(&value))
        return static_cast<double>(*l);
    if (auto* d = std::get_if<double>(&value))
        return *d;
    return 0.0;
}

long valueAsLong(const Value& value) {
    if (auto* b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    if (auto* l = std::get_if<long>(&value))
        return *l;
    if (auto* d = std::get_if<double>(&value))
        return static_cast<long>(*d);
    return 0;
}

Value cloneValue(const Value& value) {
    if (auto* d = std::get_if<std::shared_ptr<Data>>(&value)) {
        if (*d)
            return (*d)->clone();
    }
    return value;
}

PlugElements::PlugElements(const PlugElements& other)
    : m_map(other.m_map ? std::make_unique<Map>(*other.m_map) : nullptr) {}

PlugElements& PlugElements::operator=(const PlugElements& other) {
    if (this != &other)
        m_map = other.m_map ? std::make_unique<Map>(*other.m_map) : nullptr;
    return *this;
}

PlugElements::~PlugElements() = default;

const PlugElements::Map& PlugElements::none() {
    static const Map empty;
    return empty;
}

PlugElements::Map& PlugElements::map() {
    if (!m_map)
        m_map = std::make_unique<Map>();
    return *m_map;
}

PlugValue& PlugElements::operator[](unsigned index) {
    return map()[index];
}

std::pair<PlugElements::iterator, bool> PlugElements::emplace(unsigned index, PlugValue&& value) {
    return map().emplace(index, std::move(value));
}

void PlugElements::erase(unsigned index) {
    if (m_map)
        m_map->erase(index);
}

bool PlugValue::empty() const {
    if (!std::holds_alternative<std::monostate>(value))
        return false;
    for (const auto& c : children)
        if (!c.empty())
            return false;
    return elements.empty();
}

}  // namespace host
