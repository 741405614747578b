#include "ui/Controls.h"

#include <algorithm>
#include <functional>

namespace host {
namespace ui {

std::string Element::path() const {
    return parent ? parent->path() + "|" + name : name;
}

Element* Element::window() {
    Element* e = this;
    while (e->parent)
        e = e->parent;
    return e;
}

Interface& Interface::instance() {
    static Interface ui;
    return ui;
}

namespace {

void walk(const std::vector<std::unique_ptr<Element>>& elements,
          const std::function<void(Element&)>& visit) {
    for (const auto& e : elements) {
        visit(*e);
        walk(e->children, visit);
    }
}

Element* childNamed(const std::vector<std::unique_ptr<Element>>& elements,
                    const std::string& name) {
    for (const auto& e : elements)
        if (e->name == name)
            return e.get();
    return nullptr;
}

}  // namespace

Element* Interface::find(const std::string& name) const {
    if (name.empty())
        return nullptr;
    if (name.find('|') != std::string::npos) {
        const std::vector<std::unique_ptr<Element>>* level = &m_windows;
        Element* found = nullptr;
        size_t start = name[0] == '|' ? 1 : 0;
        while (start <= name.size()) {
            const size_t bar = std::min(name.find('|', start), name.size());
            found = childNamed(*level, name.substr(start, bar - start));
            if (!found)
                return nullptr;
            level = &found->children;
            start = bar + 1;
        }
        return found;
    }
    Element* latest = nullptr;
    walk(m_windows, [&](Element& e) {
        if (e.name == name && (!latest || m_order.at(&e) > m_order.at(latest)))
            latest = &e;
    });
    return latest;
}

Element* Interface::add(Kind kind, const std::string& type, const std::string& name,
                        Element* parent) {
    std::vector<std::unique_ptr<Element>>& level = parent ? parent->children : m_windows;
    std::string chosen = name;
    if (chosen.empty()) {
        for (unsigned n = 1; chosen.empty(); ++n)
            if (!find(type + std::to_string(n)))
                chosen = type + std::to_string(n);
    } else if (childNamed(level, chosen)) {
        return nullptr;
    }
    auto element = std::make_unique<Element>();
    element->name = chosen;
    element->type = type;
    element->kind = kind;
    element->parent = parent;
    Element* made = element.get();
    level.push_back(std::move(element));
    m_order[made] = ++m_made;
    return made;
}

void Interface::remove(Element* element) {
    auto inside = [element](Element* e) {
        for (; e; e = e->parent)
            if (e == element)
                return true;
        return false;
    };
    if (inside(m_parent))
        m_parent = element->parent && element->kind != Kind::Window ? element->parent : nullptr;
    if (inside(m_menu))
        m_menu = nullptr;
    walk(element->children, [this](Element& e) { m_order.erase(&e); });
    m_order.erase(element);
    std::vector<std::unique_ptr<Element>>& level =
        element->parent ? element->parent->children : m_windows;
    level.erase(std::find_if(level.begin(), level.end(),
                             [element](const auto& e) { return e.get() == element; }));
}

void Interface::clear() {
    m_windows.clear();
    m_order.clear();
    m_parent = m_menu = nullptr;
}

}  // namespace ui
}  // namespace host
