#ifndef HOST_UI_CONTROLS_H
#define HOST_UI_CONTROLS_H
// The windows, layouts, controls and menus that scripts make. A session
// without a user interface draws none of them; it keeps them, with the
// values their flags gave, so that scripts can find, query, edit and
// delete them as they would in the application.

#include "script/Value.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {
namespace ui {

enum class Kind { Window, Layout, Control, Menu, MenuItem, Collection };

struct Element {
    std::string name;  // the short name
    std::string type;  // the command that made it ("button")
    Kind kind = Kind::Control;
    Element* parent = nullptr;
    std::vector<std::unique_ptr<Element>> children;
    std::map<std::string, mel::Value> values;  // by the flag's long name

    // "window1|columnLayout1|button1".
    std::string path() const;
    // The window it is in (itself for a window).
    Element* window();
};

// Everything made, as one tree under the windows, and where new things go.
class Interface {
public:
    static Interface& instance();

    // By whole path ("window1|column|ok"), or by short name: the one made
    // last of that name. Null when there is none.
    Element* find(const std::string& name) const;
    // Adds an element under parent (null only for a window), named `name`,
    // or when that is empty after its type with the lowest number no
    // element has. Null when its parent (or, for a window, the session)
    // has one of that name already.
    Element* add(Kind kind, const std::string& type, const std::string& name, Element* parent);
    // Removes it with everything in it; where new things go moves out of it.
    void remove(Element* element);

    // The layout or window new controls go into, and the menu new menu
    // items go into; null for none.
    Element* parent() const { return m_parent; }
    void setParent(Element* element) { m_parent = element; }
    Element* menuParent() const { return m_menu; }
    void setMenuParent(Element* element) { m_menu = element; }

    // Forgets everything (for tests).
    void clear();

private:
    std::vector<std::unique_ptr<Element>> m_windows;
    Element* m_parent = nullptr;
    Element* m_menu = nullptr;
    unsigned long m_made = 0;  // elements made so far, to tell the latest of a name
    std::map<const Element*, unsigned long> m_order;
};

// The user interface commands, registered at start-up.
void registerUiCommands();

}  // namespace ui
}  // namespace host

#endif
