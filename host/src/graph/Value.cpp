#include "graph/Value.h"

#include "graph/Data.h"

#include <new>
#include <utility>

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

PlugChildren::PlugChildren(const PlugChildren& other) : PlugChildren() {
    *this = other;
}

PlugChildren::PlugChildren(PlugChildren&& other) noexcept : PlugChildren() {
    *this = std::move(other);
}

PlugChildren& PlugChildren::operator=(const PlugChildren& other) {
    if (this == &other)
        return *this;
    clear();
    if (other.m_size > m_capacity)
        reallocate(other.m_size);
    for (const PlugValue& value : other)
        new (m_data + m_size++) PlugValue(value);
    return *this;
}

PlugChildren& PlugChildren::operator=(PlugChildren&& other) noexcept {
    if (this == &other)
        return *this;
    if (!m_borrowed && !other.m_borrowed) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = other.m_capacity;
        other.m_capacity = 0;
        return *this;
    }
    clear();
    if (other.m_size > m_capacity)
        reallocate(other.m_size);
    for (PlugValue& value : other)
        new (m_data + m_size++) PlugValue(std::move(value));
    other.clear();
    return *this;
}

PlugChildren::~PlugChildren() {
    release();
}

void PlugChildren::borrow(PlugValue* room, std::uint32_t capacity) {
    release();
    m_data = room;
    m_capacity = capacity;
    m_borrowed = 1;
}

void PlugChildren::reserve(size_t capacity) {
    if (capacity > m_capacity)
        reallocate(capacity);
}

void PlugChildren::resize(size_t size) {
    if (size > m_capacity)
        reallocate(size);
    while (m_size > size)
        m_data[--m_size].~PlugValue();
    while (m_size < size)
        new (m_data + m_size++) PlugValue();
}

void PlugChildren::push_back(PlugValue&& value) {
    if (m_size == m_capacity)
        reallocate(m_capacity ? 2 * size_t(m_capacity) : 1);
    new (m_data + m_size++) PlugValue(std::move(value));
}

void PlugChildren::push_back(const PlugValue& value) {
    push_back(PlugValue(value));
}

void PlugChildren::clear() {
    while (m_size > 0)
        m_data[--m_size].~PlugValue();
}

void PlugChildren::reallocate(size_t capacity) {
    auto* room = static_cast<PlugValue*>(::operator new(capacity * sizeof(PlugValue)));
    for (std::uint32_t i = 0; i < m_size; ++i) {
        new (room + i) PlugValue(std::move(m_data[i]));
        m_data[i].~PlugValue();
    }
    if (!m_borrowed)
        ::operator delete(m_data);
    m_data = room;
    m_capacity = static_cast<std::uint32_t>(capacity);
    m_borrowed = 0;
}

void PlugChildren::release() {
    clear();
    if (!m_borrowed)
        ::operator delete(m_data);
    m_data = nullptr;
    m_capacity = 0;
    m_borrowed = 0;
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
