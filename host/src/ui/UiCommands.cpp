// The user interface commands, for a session that has no user interface:
// windows, layouts, controls and menus are kept with what their flags say
// (ui/Controls.h) and never drawn, so scripts find, query, edit and delete
// them as in the application; their callbacks never run, as nobody clicks;
// dialogs answer their default button at once.
//
// Each command is a table of its flags. What a query answers is what the
// flag was last given, or the flag's initial value; the few flags that
// work on what the element holds (list items, the chosen menu item, the
// children of a layout) are read and carried out in `special` below.
//
// Map: the flag tables (shared flags first, then one entry per command in
// `definitions`); values (how given arguments are kept and what an unset
// flag answers); lists (textScrollList's items and selection); commands
// (making, editing and querying any element: `runCommand`); the others
// (setParent, deleteUI, showWindow, the dialogs, headsUpMessage,
// windowPref), which work on the tree rather than on one element.
#include "commands/BuiltinFlags.h"
#include "ui/Controls.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

namespace host {
namespace ui {

namespace {

using commands::answer;
using commands::Flags;
using commands::FlagSpec;
using commands::switchValue;
using mel::BuiltinError;
using mel::CommandCall;
using mel::Type;
using mel::Value;

// A flag of a UI command: its arguments, and what a query answers.
struct UiFlag {
    const char* shortName;
    const char* longName;
    unsigned args;
    char type;                      // 's' text, 'i' int, 'f' float, 'b' switch, '-' no value kept
    const char* initial = nullptr;  // before any is given; null for 0 or ""
};

using FlagList = std::vector<UiFlag>;

FlagList operator+(FlagList a, const FlagList& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Numbered flags: "cw1" ... "cw<n>" with n arguments each.
FlagList numbered(const char* shortStem, const char* longStem, int last, char type,
                  bool argsByNumber) {
    static std::vector<std::unique_ptr<std::string>> names;  // the table keeps pointers
    FlagList out;
    for (int n = 1; n <= last; ++n) {
        names.push_back(std::make_unique<std::string>(shortStem + std::to_string(n)));
        const char* s = names.back()->c_str();
        names.push_back(std::make_unique<std::string>(longStem + std::to_string(n)));
        out.push_back({s, names.back()->c_str(), argsByNumber ? unsigned(n) : 1u, type});
    }
    return out;
}

const FlagList& commonFlags() {
    static const FlagList flags = {
        {"p", "parent", 1, 's'},           {"w", "width", 1, 'i'},
        {"h", "height", 1, 'i'},           {"en", "enable", 1, 'b', "1"},
        {"vis", "visible", 1, 'b', "1"},   {"m", "manage", 1, 'b', "1"},
        {"ann", "annotation", 1, 's'},     {"bgc", "backgroundColor", 3, 'f'},
        {"ex", "exists", 0, '-'},          {"dtg", "docTag", 1, 's'},
        {"dt", "defineTemplate", 1, 's'},  {"ut", "useTemplate", 1, 's'},
        {"io", "isObscured", 0, '-'},      {"npm", "numberOfPopupMenus", 0, '-'},
        {"pma", "popupMenuArray", 0, '-'}, {"po", "preventOverride", 1, 'b'},
        {"dgc", "dragCallback", 1, 's'},   {"dpc", "dropCallback", 1, 's'},
        {"nbg", "noBackground", 1, 'b'},   {"fpn", "fullPathName", 0, '-'},
    };
    return flags;
}

const FlagList& layoutFlags() {
    static const FlagList flags =
        commonFlags() + FlagList{{"ca", "childArray", 0, '-'}, {"nch", "numberOfChildren", 0, '-'}};
    return flags;
}

// The column flags of the control groups (textFieldGrp, floatSliderGrp ...).
const FlagList& groupFlags() {
    static const FlagList flags = commonFlags() +
                                  FlagList{{"cw", "columnWidth", 2, 's'},
                                           {"cal", "columnAlign", 2, 's'},
                                           {"cat", "columnAttach", 3, 's'},
                                           {"adj", "adjustableColumn", 1, 'i'},
                                           {"rat", "rowAttach", 3, 's'}} +
                                  numbered("cw", "columnWidth", 6, 'i', true) +
                                  numbered("cl", "columnAlign", 6, 's', true) +
                                  numbered("ct", "columnAttach", 6, 's', true) +
                                  numbered("co", "columnOffset", 6, 'i', true) +
                                  numbered("ad", "adjustableColumn", 6, 'i', false);
    return flags;
}

struct Def {
    const char* name;
    Kind kind;
    FlagList flags;
};

const FlagList kCallbacks = {{"c", "command", 1, 's'}, {"cc", "changeCommand", 1, 's'}};

std::vector<Def> definitions() {
    const FlagList label = {{"l", "label", 1, 's'}, {"al", "align", 1, 's'}};
    const FlagList field = {{"ed", "editable", 1, 'b', "1"},
                            {"cc", "changeCommand", 1, 's'},
                            {"ec", "enterCommand", 1, 's'},
                            {"dc", "dragCommand", 1, 's'},
                            {"rfc", "receiveFocusCommand", 1, 's'}};
    auto range = [](char type) {
        return FlagList{{"v", "value", 1, type},
                        {"min", "minValue", 1, type},
                        {"max", "maxValue", 1, type, "100"},
                        {"s", "step", 1, type},
                        {"fmn", "fieldMinValue", 1, type},
                        {"fmx", "fieldMaxValue", 1, type, "100"},
                        {"pre", "precision", 1, 'i'},
                        {"hr", "horizontal", 1, 'b', "1"},
                        {"f", "field", 1, 'b'},
                        {"el", "extraLabel", 1, 's'},
                        {"fs", "fieldStep", 1, type},
                        {"ss", "sliderStep", 1, type}};
    };
    const FlagList text = {{"tx", "text", 1, 's'},
                           {"fn", "font", 1, 's'},
                           {"it", "insertText", 1, 's'},
                           {"ip", "insertionPosition", 1, 'i'},
                           {"aie", "alwaysInvokeEnterCommandOnReturn", 1, 'b'},
                           {"ww", "wordWrap", 1, 'b'},
                           {"nl", "numberOfLines", 1, 'i'},
                           {"cl", "clear", 0, '-'},
                           {"fi", "fileName", 1, 's'}};
    const FlagList choices =
        FlagList{{"l", "label", 1, 's'}, {"sl", "select", 1, 'i'}} +
        numbered("l", "label", 4, 's', false) + numbered("la", "labelArray", 4, 's', true) +
        numbered("v", "value", 4, 'f', false) + numbered("cc", "changeCommand", 4, 's', false) +
        numbered("on", "onCommand", 4, 's', false) + numbered("of", "offCommand", 4, 's', false) +
        numbered("en", "enable", 4, 'b', false) + FlagList{{"cc", "changeCommand", 1, 's'}};
    const FlagList menuList = {{"v", "value", 1, 's'},
                               {"sl", "select", 1, 'i'},
                               {"ni", "numberOfItems", 0, '-'},
                               {"ill", "itemListLong", 0, '-'},
                               {"isl", "itemListShort", 0, '-'},
                               {"cc", "changeCommand", 1, 's'},
                               {"l", "label", 1, 's'}};
    return {
        {"window", Kind::Window,
         FlagList{{"t", "title", 1, 's'},
                  {"in", "iconName", 1, 's'},
                  {"wh", "widthHeight", 2, 'i'},
                  {"tlc", "topLeftCorner", 2, 'i'},
                  {"w", "width", 1, 'i'},
                  {"h", "height", 1, 'i'},
                  {"le", "leftEdge", 1, 'i'},
                  {"te", "topEdge", 1, 'i'},
                  {"s", "sizeable", 1, 'b', "1"},
                  {"rtf", "resizeToFitChildren", 1, 'b'},
                  {"mb", "menuBar", 1, 'b'},
                  {"mbv", "menuBarVisible", 1, 'b', "1"},
                  {"mnb", "minimizeButton", 1, 'b', "1"},
                  {"mxb", "maximizeButton", 1, 'b', "1"},
                  {"tb", "titleBar", 1, 'b', "1"},
                  {"tbm", "titleBarMenu", 1, 'b', "1"},
                  {"tbx", "toolbox", 1, 'b'},
                  {"ret", "retain", 0, '-'},
                  {"vis", "visible", 1, 'b'},
                  {"i", "iconify", 1, 'b'},
                  {"ip", "interactivePlacement", 0, '-'},
                  {"ex", "exists", 0, '-'},
                  {"dtg", "docTag", 1, 's'},
                  {"bgc", "backgroundColor", 3, 'f'},
                  {"cc", "closeCommand", 1, 's'},
                  {"nm", "numberOfMenus", 0, '-'},
                  {"ma", "menuArray", 0, '-'}}},
        {"columnLayout", Kind::Layout,
         layoutFlags() + FlagList{{"adj", "adjustableColumn", 1, 'b'},
                                  {"cat", "columnAttach", 2, 's'},
                                  {"cal", "columnAlign", 1, 's'},
                                  {"co", "columnOffset", 2, 's'},
                                  {"cw", "columnWidth", 1, 'i'},
                                  {"rs", "rowSpacing", 1, 'i'}}},
        {"rowLayout", Kind::Layout,
         groupFlags() + FlagList{{"ca", "childArray", 0, '-'},
                                 {"nch", "numberOfChildren", 0, '-'},
                                 {"nc", "numberOfColumns", 1, 'i', "2"}}},
        {"rowColumnLayout", Kind::Layout,
         layoutFlags() + FlagList{{"nc", "numberOfColumns", 1, 'i'},
                                  {"nr", "numberOfRows", 1, 'i'},
                                  {"cw", "columnWidth", 2, 'i'},
                                  {"cs", "columnSpacing", 2, 'i'},
                                  {"rs", "rowSpacing", 2, 'i'},
                                  {"rh", "rowHeight", 2, 'i'},
                                  {"cat", "columnAttach", 3, 's'},
                                  {"cal", "columnAlign", 2, 's'},
                                  {"co", "columnOffset", 3, 's'},
                                  {"ro", "rowOffset", 3, 's'},
                                  {"rat", "rowAttach", 3, 's'},
                                  {"adj", "adjustableColumn", 1, 'i'}}},
        {"formLayout", Kind::Layout,
         layoutFlags() + FlagList{{"nd", "numberOfDivisions", 1, 'i', "100"},
                                  {"af", "attachForm", 3, 's'},
                                  {"ac", "attachControl", 4, 's'},
                                  {"ap", "attachPosition", 4, 's'},
                                  {"an", "attachNone", 2, 's'},
                                  {"aof", "attachOppositeForm", 3, 's'},
                                  {"aoc", "attachOppositeControl", 4, 's'}}},
        {"frameLayout", Kind::Layout,
         layoutFlags() + FlagList{{"l", "label", 1, 's'},
                                  {"cll", "collapsable", 1, 'b'},
                                  {"cl", "collapse", 1, 'b'},
                                  {"bs", "borderStyle", 1, 's'},
                                  {"lv", "labelVisible", 1, 'b', "1"},
                                  {"bv", "borderVisible", 1, 'b', "1"},
                                  {"mw", "marginWidth", 1, 'i'},
                                  {"mh", "marginHeight", 1, 'i'},
                                  {"la", "labelAlign", 1, 's'},
                                  {"li", "labelIndent", 1, 'i'},
                                  {"lw", "labelWidth", 1, 'i'},
                                  {"fn", "font", 1, 's'},
                                  {"cc", "collapseCommand", 1, 's'},
                                  {"ec", "expandCommand", 1, 's'},
                                  {"pcc", "preCollapseCommand", 1, 's'},
                                  {"pec", "preExpandCommand", 1, 's'}}},
        {"scrollLayout", Kind::Layout,
         layoutFlags() + FlagList{{"hst", "horizontalScrollBarThickness", 1, 'i'},
                                  {"vst", "verticalScrollBarThickness", 1, 'i'},
                                  {"cr", "childResizable", 1, 'b'},
                                  {"mcw", "minChildWidth", 1, 'i'},
                                  {"rc", "resizeCommand", 1, 's'}}},
        {"tabLayout", Kind::Layout,
         layoutFlags() + FlagList{{"tl", "tabLabel", 2, 's'},
                                  {"tli", "tabLabelIndex", 2, 's'},
                                  {"st", "selectTab", 1, 's'},
                                  {"sti", "selectTabIndex", 1, 'i', "1"},
                                  {"imw", "innerMarginWidth", 1, 'i'},
                                  {"imh", "innerMarginHeight", 1, 'i'},
                                  {"cc", "changeCommand", 1, 's'},
                                  {"sc", "selectCommand", 1, 's'},
                                  {"pcc", "preSelectCommand", 1, 's'},
                                  {"scr", "scrollable", 1, 'b'},
                                  {"tv", "tabsVisible", 1, 'b', "1"}}},
        {"paneLayout", Kind::Layout,
         layoutFlags() +
             FlagList{{"cn", "configuration", 1, 's', "single"}, {"ps", "paneSize", 3, 's'}}},
        {"menuBarLayout", Kind::Layout, layoutFlags()},
        {"button", Kind::Control,
         commonFlags() + label + kCallbacks +
             FlagList{{"aop", "actOnPress", 1, 'b'}, {"rs", "recomputeSize", 1, 'b', "1"}}},
        {"text", Kind::Control,
         commonFlags() + label +
             FlagList{{"fn", "font", 1, 's'}, {"rs", "recomputeSize", 1, 'b', "1"}}},
        {"textField", Kind::Control, commonFlags() + text + field},
        {"scrollField", Kind::Control, commonFlags() + text + field},
        {"checkBox", Kind::Control,
         commonFlags() + label + field +
             FlagList{{"v", "value", 1, 'b'},
                      {"onc", "onCommand", 1, 's'},
                      {"ofc", "offCommand", 1, 's'},
                      {"rs", "recomputeSize", 1, 'b', "1"}}},
        {"radioButton", Kind::Control,
         commonFlags() + label + field +
             FlagList{{"sl", "select", 0, '-'},
                      {"cl", "collection", 1, 's'},
                      {"onc", "onCommand", 1, 's'},
                      {"ofc", "offCommand", 1, 's'}}},
        {"radioCollection", Kind::Collection,
         commonFlags() + FlagList{{"sl", "select", 1, 's'},
                                  {"gl", "global", 1, 'b'},
                                  {"cia", "collectionItemArray", 0, '-'},
                                  {"nci", "numberOfCollectionItems", 0, '-'}}},
        {"intField", Kind::Control, commonFlags() + field + range('i')},
        {"floatField", Kind::Control,
         commonFlags() + field + range('f') + FlagList{{"tze", "showTrailingZeros", 1, 'b', "1"}}},
        {"intSlider", Kind::Control, commonFlags() + field + range('i')},
        {"floatSlider", Kind::Control, commonFlags() + field + range('f')},
        {"intSliderGrp", Kind::Control, groupFlags() + field + range('i') + label},
        {"floatSliderGrp", Kind::Control, groupFlags() + field + range('f') + label},
        {"intFieldGrp", Kind::Control,
         groupFlags() + field + choices + FlagList{{"nf", "numberOfFields", 1, 'i', "1"}}},
        {"floatFieldGrp", Kind::Control,
         groupFlags() + field + choices +
             FlagList{{"nf", "numberOfFields", 1, 'i', "1"}, {"pre", "precision", 1, 'i'}}},
        {"textFieldGrp", Kind::Control,
         groupFlags() + text + field + FlagList{{"l", "label", 1, 's'}}},
        {"textFieldButtonGrp", Kind::Control,
         groupFlags() + text + field +
             FlagList{{"l", "label", 1, 's'},
                      {"bl", "buttonLabel", 1, 's'},
                      {"bc", "buttonCommand", 1, 's'},
                      {"eb", "enableButton", 1, 'b', "1"}}},
        {"checkBoxGrp", Kind::Control,
         groupFlags() + choices + FlagList{{"ncb", "numberOfCheckBoxes", 1, 'i', "1"}}},
        {"radioButtonGrp", Kind::Control,
         groupFlags() + choices +
             FlagList{{"nrb", "numberOfRadioButtons", 1, 'i', "1"},
                      {"scl", "shareCollection", 1, 's'}}},
        {"colorSliderGrp", Kind::Control,
         groupFlags() + FlagList{{"l", "label", 1, 's'},
                                 {"rgb", "rgbValue", 3, 'f'},
                                 {"hsv", "hsvValue", 3, 'f'},
                                 {"cc", "changeCommand", 1, 's'},
                                 {"dc", "dragCommand", 1, 's'}}},
        {"optionMenu", Kind::Control, commonFlags() + menuList},
        {"optionMenuGrp", Kind::Control,
         groupFlags() + menuList + FlagList{{"el", "extraLabel", 1, 's'}}},
        {"separator", Kind::Control,
         commonFlags() +
             FlagList{{"st", "style", 1, 's', "in"}, {"hr", "horizontal", 1, 'b', "1"}}},
        {"textScrollList", Kind::Control,
         commonFlags() + FlagList{{"a", "append", 1, '-'},
                                  {"ap", "appendPosition", 2, '-'},
                                  {"ra", "removeAll", 0, '-'},
                                  {"ri", "removeItem", 1, '-'},
                                  {"rii", "removeIndexedItem", 1, '-'},
                                  {"si", "selectItem", 1, '-'},
                                  {"sii", "selectIndexedItem", 1, '-'},
                                  {"da", "deselectAll", 0, '-'},
                                  {"di", "deselectItem", 1, '-'},
                                  {"dii", "deselectIndexedItem", 1, '-'},
                                  {"ai", "allItems", 0, '-'},
                                  {"ni", "numberOfItems", 0, '-'},
                                  {"nsi", "numberOfSelectedItems", 0, '-'},
                                  {"nr", "numberOfRows", 1, 'i'},
                                  {"ams", "allowMultiSelection", 1, 'b'},
                                  {"sc", "selectCommand", 1, 's'},
                                  {"dcc", "doubleClickCommand", 1, 's'},
                                  {"dkc", "deleteKeyCommand", 1, 's'},
                                  {"shi", "showIndexedItem", 1, 'i'},
                                  {"fn", "font", 1, 's'}}},
        {"progressBar", Kind::Control,
         commonFlags() + FlagList{{"min", "minValue", 1, 'i'},
                                  {"max", "maxValue", 1, 'i', "100"},
                                  {"pr", "progress", 1, 'i'},
                                  {"st", "status", 1, 's'},
                                  {"s", "step", 1, 'i'},
                                  {"ii", "isInterruptable", 1, 'b'},
                                  {"ic", "isCancelled", 0, '-'},
                                  {"bp", "beginProgress", 0, '-'},
                                  {"ep", "endProgress", 0, '-'},
                                  {"imp", "isMainProgressBar", 1, 'b'}}},
        {"iconTextButton", Kind::Control,
         commonFlags() + label + kCallbacks +
             FlagList{{"i", "image", 1, 's'},
                      {"i1", "image1", 1, 's'},
                      {"st", "style", 1, 's', "iconOnly"},
                      {"dcc", "doubleClickCommand", 1, 's'}}},
        {"symbolButton", Kind::Control,
         commonFlags() + FlagList{{"i", "image", 1, 's'}, {"c", "command", 1, 's'}}},
        {"image", Kind::Control, commonFlags() + FlagList{{"i", "image", 1, 's'}}},
        {"menu", Kind::Menu,
         commonFlags() + FlagList{{"l", "label", 1, 's'},
                                  {"to", "tearOff", 1, 'b'},
                                  {"pmc", "postMenuCommand", 1, 's'},
                                  {"aob", "allowOptionBoxes", 1, 'b'},
                                  {"hm", "helpMenu", 1, 'b'},
                                  {"mn", "mnemonic", 1, 's'},
                                  {"ia", "itemArray", 0, '-'},
                                  {"ni", "numberOfItems", 0, '-'},
                                  {"dai", "deleteAllItems", 0, '-'}}},
        {"popupMenu", Kind::Menu,
         commonFlags() + FlagList{{"b", "button", 1, 'i', "3"},
                                  {"ctl", "ctrlModifier", 1, 'b'},
                                  {"sh", "shiftModifier", 1, 'b'},
                                  {"alt", "altModifier", 1, 'b'},
                                  {"mm", "markingMenu", 1, 'b'},
                                  {"aob", "allowOptionBoxes", 1, 'b'},
                                  {"pmc", "postMenuCommand", 1, 's'},
                                  {"ia", "itemArray", 0, '-'},
                                  {"ni", "numberOfItems", 0, '-'},
                                  {"dai", "deleteAllItems", 0, '-'}}},
        {"menuItem", Kind::MenuItem,
         FlagList{{"p", "parent", 1, 's'},
                  {"l", "label", 1, 's'},
                  {"c", "command", 1, 's'},
                  {"cb", "checkBox", 1, 'b'},
                  {"rb", "radioButton", 1, 'b'},
                  {"d", "divider", 1, 'b'},
                  {"sm", "subMenu", 1, 'b'},
                  {"to", "tearOff", 1, 'b'},
                  {"en", "enable", 1, 'b', "1"},
                  {"ann", "annotation", 1, 's'},
                  {"ob", "optionBox", 1, 'b'},
                  {"da", "data", 1, 'i'},
                  {"i", "image", 1, 's'},
                  {"stp", "sourceType", 1, 's', "mel"},
                  {"ecr", "enableCommandRepeat", 1, 'b', "1"},
                  {"k", "keyEquivalent", 1, 's'},
                  {"ex", "exists", 0, '-'},
                  {"dtg", "docTag", 1, 's'},
                  {"dt", "defineTemplate", 1, 's'},
                  {"ut", "useTemplate", 1, 's'},
                  {"fpn", "fullPathName", 0, '-'}}},
    };
}

// ---------------------------------------------------------------- values

Value fromType(const Value& v, char type) {
    switch (type) {
        case 'i':
            return Value(v.asInt());
        case 'f':
            return Value(v.asFloat());
        case 'b':
            return Value(switchValue(v) ? 1 : 0);
        default:
            return Value(v.text());
    }
}

// What the flag holds: one value, or an array when it takes several
// arguments or was given several times.
Value stored(const UiFlag& flag, const std::vector<Value>& given) {
    if (given.size() == 1)
        return fromType(given[0], flag.type);
    std::vector<std::string> texts;
    std::vector<int> ints;
    std::vector<double> floats;
    for (const Value& v : given) {
        texts.push_back(v.text());
        ints.push_back(fromType(v, flag.type == 'b' ? 'b' : 'i').asInt());
        floats.push_back(v.asFloat());
    }
    if (flag.type == 'f')
        return Value(floats);
    if (flag.type == 'i' || flag.type == 'b')
        return Value(ints);
    return Value(texts);
}

Value initialOf(const UiFlag& flag) {
    const Value initial(std::string(flag.initial ? flag.initial : ""));
    if (flag.args <= 1)
        return fromType(initial, flag.type);
    return stored(flag, std::vector<Value>(flag.args, initial));
}

std::vector<std::string> names(const std::vector<std::unique_ptr<Element>>& elements, bool whole) {
    std::vector<std::string> out;
    for (const auto& e : elements)
        out.push_back(whole ? e->path() : e->name);
    return out;
}

// ---------------------------------------------------------------- lists

std::vector<std::string> textsOf(const Element& e, const char* key) {
    auto it = e.values.find(key);
    return it == e.values.end() ? std::vector<std::string>() : it->second.toStringList();
}

void setTexts(Element& e, const char* key, const std::vector<std::string>& texts) {
    e.values[key] = Value(texts);
}

// textScrollList: its items, and which of them are selected, in order.
void editList(Element& e, const Flags& f) {
    std::vector<std::string> items = textsOf(e, "allItems");
    std::vector<int> chosen;  // 0-based
    if (auto it = e.values.find("selectIndexedItem"); it != e.values.end())
        for (const std::string& t : it->second.toStringList())
            chosen.push_back(std::stoi(t) - 1);
    auto each = [&f](const char* flag, const std::function<void(const Value&)>& apply) {
        if (auto it = f.set.find(flag); it != f.set.end())
            for (const Value& v : it->second)
                apply(v);
    };
    auto remove = [&](int index) {
        if (index < 0 || index >= static_cast<int>(items.size()))
            return;
        items.erase(items.begin() + index);
        chosen.erase(std::remove(chosen.begin(), chosen.end(), index), chosen.end());
        for (int& c : chosen)
            if (c > index)
                --c;
    };
    auto indexOf = [&items](const std::string& item) {
        auto at = std::find(items.begin(), items.end(), item);
        return at == items.end() ? -1 : static_cast<int>(at - items.begin());
    };
    auto choose = [&](int index) {
        if (index < 0 || index >= static_cast<int>(items.size()))
            throw BuiltinError{"textScrollList: Item index " + std::to_string(index + 1) +
                               " is out of range."};
        if (std::find(chosen.begin(), chosen.end(), index) == chosen.end())
            chosen.push_back(index);
    };
    if (f.has("removeAll")) {
        items.clear();
        chosen.clear();
    }
    each("append", [&](const Value& v) { items.push_back(v.text()); });
    if (auto it = f.set.find("appendPosition"); it != f.set.end())
        for (size_t k = 0; k + 1 < it->second.size(); k += 2) {
            const int at = std::clamp(it->second[k].asInt() - 1, 0, int(items.size()));
            items.insert(items.begin() + at, it->second[k + 1].text());
            for (int& c : chosen)
                if (c >= at)
                    ++c;
        }
    each("removeItem", [&](const Value& v) { remove(indexOf(v.text())); });
    each("removeIndexedItem", [&](const Value& v) { remove(v.asInt() - 1); });
    if (f.has("deselectAll"))
        chosen.clear();
    auto unchoose = [&](int index) {
        chosen.erase(std::remove(chosen.begin(), chosen.end(), index), chosen.end());
    };
    each("deselectItem", [&](const Value& v) { unchoose(indexOf(v.text())); });
    each("deselectIndexedItem", [&](const Value& v) { unchoose(v.asInt() - 1); });
    each("selectItem", [&](const Value& v) {
        const int index = indexOf(v.text());
        if (index < 0)
            throw BuiltinError{"textScrollList: Item \"" + v.text() + "\" not found."};
        choose(index);
    });
    each("selectIndexedItem", [&](const Value& v) { choose(v.asInt() - 1); });
    setTexts(e, "allItems", items);
    std::vector<std::string> indices;
    for (int c : chosen)
        indices.push_back(std::to_string(c + 1));
    setTexts(e, "selectIndexedItem", indices);
}

// ---------------------------------------------------------------- commands

struct Command {
    Def def;
    bool creates = true;  // control and layout only find what others made
    const UiFlag* flag(const std::string& longName) const {
        for (const UiFlag& f : def.flags)
            if (longName == f.longName)
                return &f;
        return nullptr;
    }
};

std::string& currentCollection() {
    static std::string path;
    return path;
}

// Layouts are controls too, as far as the control command goes.
Element* foundOfKind(const std::string& name, Kind kind) {
    Element* e = Interface::instance().find(name);
    const bool fits = e && (e->kind == kind || (kind == Kind::Control && e->kind == Kind::Layout));
    return fits ? e : nullptr;
}

Element* named(const Command& c, const Flags& f) {
    const std::string name = f.words.empty() ? std::string() : f.words.back().text();
    Element* e = foundOfKind(name, c.def.kind);
    if (!e)
        throw BuiltinError{std::string(c.def.name) + ": Object '" + name + "' not found."};
    return e;
}

// Where a new element goes: -parent, or where new things of its kind go.
Element* parentFor(const Command& c, const Flags& f) {
    Interface& ui = Interface::instance();
    if (f.has("parent")) {
        Element* p = ui.find(f.text("parent"));
        if (!p)
            throw BuiltinError{std::string(c.def.name) + ": Object '" + f.text("parent") +
                               "' not found."};
        return p;
    }
    Element* p = c.def.kind == Kind::MenuItem ? ui.menuParent() : ui.parent();
    if (!p)
        throw BuiltinError{std::string(c.def.name) + ": There is no " +
                           (c.def.kind == Kind::MenuItem ? "menu" : "window or layout") +
                           " to put it in."};
    return p;
}

// Keeps what the flags say and carries out what they do.
void apply(const Command& c, Element& e, const Flags& f) {
    for (const auto& [name, given] : f.set) {
        const UiFlag* flag = c.flag(name);
        if (flag && flag->type != '-' && !given.empty() && name != "parent")
            e.values[name] = stored(*flag, given);
    }
    const std::string type = c.def.name;
    if (type == "textScrollList")
        editList(e, f);
    if ((type == "optionMenu" || type == "optionMenuGrp") && f.has("value")) {
        const std::vector<std::string> labels = [&e] {
            std::vector<std::string> out;
            for (const auto& item : e.children)
                out.push_back(item->values.count("label") ? item->values.at("label").text()
                                                          : item->name);
            return out;
        }();
        auto at = std::find(labels.begin(), labels.end(), f.text("value"));
        if (at == labels.end())
            throw BuiltinError{type + ": Item \"" + f.text("value") + "\" not found."};
        e.values["select"] = Value(static_cast<int>(at - labels.begin()) + 1);
        e.values.erase("value");
    }
    if (type == "radioButton" && f.has("select"))
        if (Element* collection = Interface::instance().find(e.values["collection"].text()))
            collection->values["select"] = Value(e.name);
    if (type == "progressBar" && f.has("step"))
        e.values["progress"] = Value(e.values["progress"].asInt() + f.set.at("step")[0].asInt());
    if ((type == "menu" || type == "popupMenu") && f.has("deleteAllItems"))
        while (!e.children.empty())
            Interface::instance().remove(e.children.back().get());
}

// The queries that read what the element holds rather than a flag's value.
bool special(const Element& e, const std::string& flag, Value& out) {
    if (flag == "exists") {
        out = Value(1);
    } else if (flag == "fullPathName") {
        out = Value(e.path());
    } else if (flag == "parent") {
        out = Value(e.parent ? e.parent->path() : std::string());
    } else if (flag == "menuArray" || flag == "numberOfMenus") {
        std::vector<std::string> menus;
        for (const auto& child : e.children)
            if (child->kind == Kind::Menu)
                menus.push_back(child->name);
        out = flag == "menuArray" ? Value(menus) : Value(static_cast<int>(menus.size()));
    } else if (flag == "childArray" || flag == "itemListShort" || flag == "itemArray" ||
               flag == "collectionItemArray") {
        out = Value(names(e.children, false));
    } else if (flag == "itemListLong") {
        out = Value(names(e.children, true));
    } else if (flag == "numberOfChildren" || flag == "numberOfItems" ||
               flag == "numberOfCollectionItems") {
        out = Value(static_cast<int>(e.type == "textScrollList" ? textsOf(e, "allItems").size()
                                                                : e.children.size()));
    } else if (flag == "isObscured") {
        out = Value(1);  // nothing is drawn, so nothing can be seen
    } else if (flag == "isCancelled" || flag == "numberOfPopupMenus") {
        out = Value(0);
    } else if (flag == "popupMenuArray") {
        out = Value(std::vector<std::string>());
    } else if (e.type == "textScrollList" &&
               (flag == "allItems" || flag == "selectItem" || flag == "selectIndexedItem" ||
                flag == "numberOfSelectedItems")) {
        const std::vector<std::string> items = textsOf(e, "allItems");
        std::vector<std::string> selected;
        std::vector<int> indices;
        for (const std::string& t : textsOf(e, "selectIndexedItem")) {
            indices.push_back(std::stoi(t));
            selected.push_back(items[static_cast<size_t>(indices.back() - 1)]);
        }
        out = flag == "allItems"            ? Value(items)
              : flag == "selectItem"        ? Value(selected)
              : flag == "selectIndexedItem" ? Value(indices)
                                            : Value(static_cast<int>(indices.size()));
    } else if ((e.type == "optionMenu" || e.type == "optionMenuGrp") &&
               (flag == "value" || flag == "select")) {
        const int index = e.values.count("select") ? e.values.at("select").asInt() : 1;
        if (flag == "select") {
            out = Value(e.children.empty() ? 0 : index);
        } else {
            const Element* item = index >= 1 && index <= static_cast<int>(e.children.size())
                                      ? e.children[static_cast<size_t>(index - 1)].get()
                                      : nullptr;
            out = Value(!item                         ? std::string()
                        : item->values.count("label") ? item->values.at("label").text()
                                                      : item->name);
        }
    } else if (e.kind == Kind::Window && flag == "title") {
        out = e.values.count("title") ? e.values.at("title") : Value(e.name);
    } else {
        return false;
    }
    return true;
}

// Makes, edits or queries an element; answers what the command returns.
std::optional<Value> carryOut(const Command& c, const Flags& f) {
    Interface& ui = Interface::instance();
    const std::string type = c.def.name;
    if (f.has("exists")) {
        const std::string name = f.words.empty() ? std::string() : f.words.back().text();
        return Value(foundOfKind(name, c.def.kind) ? 1 : 0);
    }
    if (f.query) {
        Element& e = *named(c, f);
        for (const auto& entry : f.set) {
            const std::string& name = entry.first;
            Value out;
            if (!special(e, name, out)) {
                auto it = e.values.find(name);
                const UiFlag* flag = c.flag(name);
                out = it != e.values.end() ? it->second : flag ? initialOf(*flag) : Value();
            }
            return out;
        }
        throw BuiltinError{type + ": Query mode needs a flag to query."};
    }
    if (f.edit) {
        apply(c, *named(c, f), f);
        return std::nullopt;
    }
    if (!c.creates)
        throw BuiltinError{type + ": Use -exists, -query or -edit with a name."};
    Element* parent = c.def.kind == Kind::Window ? nullptr : parentFor(c, f);
    const std::string name = f.words.empty() ? std::string() : f.words[0].text();
    Element* e = ui.add(c.def.kind, type, name, parent);
    if (!e)
        throw BuiltinError{type + ": Object's name '" + name + "' is not unique."};
    if (type == "radioButton" && !f.has("collection"))
        e->values["collection"] = Value(currentCollection());
    apply(c, *e, f);
    switch (c.def.kind) {
        case Kind::Window:
            e->values.emplace("visible", Value(0));
            ui.setParent(e);
            ui.setMenuParent(nullptr);
            break;
        case Kind::Layout:
            ui.setParent(e);
            break;
        case Kind::Menu:
            ui.setMenuParent(e);
            break;
        case Kind::Collection:
            currentCollection() = e->path();
            break;
        case Kind::MenuItem:
            if (e->values.count("subMenu") && e->values.at("subMenu").asInt())
                ui.setMenuParent(e);
            break;
        case Kind::Control:
            if (type == "optionMenu" || type == "optionMenuGrp")
                ui.setMenuParent(e);
            break;
    }
    return Value(e->path());
}

// ---------------------------------------------------------------- as MPxCommands

// The element commands, each with the flags of its table once (a later
// entry of a name already there is the same flag listed twice).
std::vector<Command>& table() {
    static std::vector<Command> commands = [] {
        std::vector<Def> defs = definitions();
        // control and layout find, query and edit any control (layout) by
        // the flags all of them have.
        defs.push_back(Def{"control", Kind::Control, commonFlags()});
        defs.push_back(Def{"layout", Kind::Layout, layoutFlags()});
        std::vector<Command> out;
        for (Def& def : defs) {
            FlagList unique;
            for (const UiFlag& flag : def.flags) {
                const bool listed = std::any_of(unique.begin(), unique.end(), [&](const UiFlag& u) {
                    return std::string(u.shortName) == flag.shortName ||
                           std::string(u.longName) == flag.longName;
                });
                if (!listed)
                    unique.push_back(flag);
            }
            def.flags = std::move(unique);
            const bool creates =
                def.name != std::string("control") && def.name != std::string("layout");
            out.push_back(Command{std::move(def), creates});
        }
        return out;
    }();
    return commands;
}

MSyntax::MArgType argType(char type) {
    switch (type) {
        case 'i':
            return MSyntax::kLong;
        case 'f':
            return MSyntax::kDouble;
        case 'b':
            return MSyntax::kBoolean;
        default:
            return MSyntax::kString;
    }
}

// Every flag that takes arguments may be given more than once: the list
// flags add one item per use, the column flags one column.
MSyntax syntaxOf(const Command& c) {
    MSyntax s;
    for (const UiFlag& flag : c.def.flags) {
        MSyntax::MArgType types[6] = {MSyntax::kNoArg, MSyntax::kNoArg, MSyntax::kNoArg,
                                      MSyntax::kNoArg, MSyntax::kNoArg, MSyntax::kNoArg};
        for (unsigned k = 0; k < flag.args && k < 6; ++k)
            types[k] = argType(flag.type);
        s.addFlag(flag.shortName, flag.longName, types[0], types[1], types[2], types[3], types[4],
                  types[5]);
        if (flag.args > 0)
            s.makeFlagMultiUse(flag.shortName);
    }
    s.setObjectType(MSyntax::kStringObjects, 0, 1);
    s.enableQuery();
    s.enableEdit();
    return s;
}

template <std::size_t I>
MSyntax syntaxAt() {
    return syntaxOf(table()[I]);
}

Value argumentValue(const MArgList& list, unsigned k, char type) {
    switch (type) {
        case 'i':
            return Value(list.asInt(k));
        case 'f':
            return Value(list.asDouble(k));
        case 'b':
            return Value(list.asBool(k) ? 1 : 0);
        default:
            return Value(std::string(list.asString(k).asChar()));
    }
}

Flags flagsOf(const Command& c, const MArgDatabase& db) {
    Flags f;
    f.query = db.isQuery();
    f.edit = db.isEdit();
    for (const UiFlag& flag : c.def.flags) {
        if (!db.isFlagSet(flag.shortName))
            continue;
        std::vector<Value>& values = f.set[flag.longName];
        for (unsigned use = 0; use < db.numberOfFlagUses(flag.shortName); ++use) {
            MArgList list;
            db.getFlagArgumentList(flag.shortName, use, list);
            for (unsigned k = 0; k < list.length(); ++k)
                values.push_back(argumentValue(list, k, flag.type));
        }
    }
    MStringArray objects;
    db.getObjects(objects);
    for (unsigned i = 0; i < objects.length(); ++i)
        f.words.push_back(Value(std::string(objects[i].asChar())));
    return f;
}

void setValueResult(const Value& v) {
    switch (v.type()) {
        case Type::Int:
            MPxCommand::setResult(v.asInt());
            break;
        case Type::Float:
            MPxCommand::setResult(v.asFloat());
            break;
        case Type::IntArray: {
            MIntArray a;
            for (int x : v.intArray())
                a.append(x);
            MPxCommand::setResult(a);
            break;
        }
        case Type::FloatArray: {
            MDoubleArray a;
            for (double x : v.floatArray())
                a.append(x);
            MPxCommand::setResult(a);
            break;
        }
        case Type::StringArray: {
            MStringArray a;
            for (const std::string& x : v.stringArray())
                a.append(x.c_str());
            MPxCommand::setResult(a);
            break;
        }
        default:
            MPxCommand::setResult(MString(v.text().c_str()));
    }
}

// One class carries out every element command; it knows which by the
// name the call was made with.
class UiCommand : public MPxCommand {
public:
    MStatus doIt(const MArgList& args) override {
        const std::string call = commandString().asChar();
        const std::string name = call.substr(0, call.find(' '));
        auto c = std::find_if(table().begin(), table().end(),
                              [&name](const Command& c) { return name == c.def.name; });
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        try {
            if (std::optional<Value> out = carryOut(*c, flagsOf(*c, db)))
                setValueResult(*out);
            return MS::kSuccess;
        } catch (const BuiltinError& e) {
            commands::error(e.message);
            return MS::kFailure;
        }
    }
};

void* createUiCommand() {
    return new UiCommand;
}

// Command definitions take plain syntax functions, so each entry of the
// table gets one of its own.
constexpr std::size_t kMostCommands = 48;

template <std::size_t... I>
void defineElementCommands(std::index_sequence<I...>) {
    (void)std::initializer_list<int>{
        (I < table().size()
             ? (commands::define(table()[I].def.name, createUiCommand, &syntaxAt<I>), 0)
             : 0)...};
}

// ---------------------------------------------------------------- the others

const FlagSpec kSetParentFlags[] = {{"m", "menu", 0, 0},
                                    {"top", "topLevel", 0, 0},
                                    {"u", "upLevel", 0, 0},
                                    {"dt", "defineTemplate", 1, 0},
                                    {"ut", "useTemplate", 1, 0}};

bool setParentCommand(CommandCall& call, const std::vector<Value*>&) {
    return commands::withFlags(call, kSetParentFlags, [](const Flags& f, CommandCall& c) {
        Interface& ui = Interface::instance();
        const bool menu = f.has("menu");
        Element* now = menu ? ui.menuParent() : ui.parent();
        if (f.query) {
            answer(c, Value(now ? now->path() : std::string()));
            return true;
        }
        Element* next = now;
        const std::string name = f.words.empty() ? std::string() : f.words[0].text();
        if (f.has("topLevel")) {
            next = nullptr;
        } else if (name == ".." || f.has("upLevel")) {
            // Up from a window's own level leaves no parent.
            next = now ? now->parent : nullptr;
        } else if (!name.empty()) {
            next = ui.find(name);
            const bool fits =
                next && (menu ? next->kind == Kind::Menu || next->kind == Kind::MenuItem ||
                                    next->type.rfind("optionMenu", 0) == 0
                              : next->kind == Kind::Layout || next->kind == Kind::Window);
            if (!fits)
                throw BuiltinError{"setParent: Object '" + name + "' not found."};
        }
        menu ? ui.setMenuParent(next) : ui.setParent(next);
        answer(c, Value(next ? next->path() : std::string()));
        return true;
    });
}

const FlagSpec kDeleteFlags[] = {
    {"wnd", "window", 0, 0},     {"lay", "layout", 0, 0},
    {"ctl", "control", 0, 0},    {"m", "menu", 0, 0},
    {"mi", "menuItem", 0, 0},    {"cl", "collection", 0, 0},
    {"pnl", "panel", 0, 0},      {"ed", "editor", 0, 0},
    {"uit", "uiTemplate", 0, 0}, {"ric", "radioMenuItemCollection", 0, 0},
};

bool deleteUICommand(CommandCall& call, const std::vector<Value*>&) {
    return commands::withFlags(call, kDeleteFlags, [](const Flags& f, CommandCall&) {
        Interface& ui = Interface::instance();
        const std::pair<const char*, Kind> kinds[] = {
            {"window", Kind::Window},     {"layout", Kind::Layout},
            {"control", Kind::Control},   {"menu", Kind::Menu},
            {"menuItem", Kind::MenuItem}, {"collection", Kind::Collection}};
        // Every name is found before anything goes, so a wrong name deletes nothing.
        std::vector<Element*> found;
        for (const Value& word : f.words) {
            Element* e = ui.find(word.text());
            for (const auto& [flag, kind] : kinds)
                if (e && f.has(flag) && e->kind != kind)
                    e = nullptr;
            if (!e)
                throw BuiltinError{"deleteUI: Object '" + word.text() + "' not found."};
            found.push_back(e);
        }
        for (Element* e : found)
            if (ui.find(e->path()) == e)  // not gone with an earlier one
                ui.remove(e);
        return true;
    });
}

const FlagSpec kShowWindowFlags[] = {{"q", "query", 0, 0}};

bool showWindowCommand(CommandCall& call, const std::vector<Value*>&) {
    return commands::withFlags(call, kShowWindowFlags, [](const Flags& f, CommandCall&) {
        Interface& ui = Interface::instance();
        Element* window = nullptr;
        if (f.words.empty()) {
            window = ui.parent() ? ui.parent()->window() : nullptr;
            if (!window)
                throw BuiltinError{"showWindow: There is no window to show."};
        } else {
            window = foundOfKind(f.words[0].text(), Kind::Window);
            if (!window)
                throw BuiltinError{"showWindow: Object '" + f.words[0].text() + "' not found."};
        }
        window->values["visible"] = Value(1);
        return true;
    });
}

const FlagSpec kDialogFlags[] = {
    {"t", "title", 1, 0},         {"m", "message", 1, 0},
    {"b", "button", 1, 0},        {"db", "defaultButton", 1, 0},
    {"cb", "cancelButton", 1, 0}, {"ds", "dismissString", 1, 0},
    {"ma", "messageAlign", 1, 0}, {"icn", "icon", 1, 0},
    {"p", "parent", 1, 0},        {"bgc", "backgroundColor", 3, 0},
    {"tx", "text", 1, 0},         {"sf", "scrollableField", 1, 0},
    {"st", "style", 1, 0},
};

std::string& promptText() {
    static std::string text;
    return text;
}

// Nobody can press a button: the dialog answers its default one at once.
std::string defaultButton(const Flags& f, const char* fallback) {
    if (f.has("defaultButton"))
        return f.text("defaultButton");
    if (f.has("button"))
        return f.text("button");
    return fallback;
}

bool confirmDialogCommand(CommandCall& call, const std::vector<Value*>&) {
    return commands::withFlags(call, kDialogFlags, [](const Flags& f, CommandCall& c) {
        answer(c, Value(defaultButton(f, "Confirm")));
        return true;
    });
}

bool promptDialogCommand(CommandCall& call, const std::vector<Value*>&) {
    return commands::withFlags(call, kDialogFlags, [](const Flags& f, CommandCall& c) {
        if (f.query) {
            answer(c, Value(promptText()));
            return true;
        }
        promptText() = f.text("text");
        answer(c, Value(defaultButton(f, "OK")));
        return true;
    });
}

const FlagSpec kHeadsUpFlags[] = {
    {"o", "object", 1, 0}, {"vo", "verticalOffset", 1, 0}, {"ho", "horizontalOffset", 1, 0},
    {"t", "time", 1, 0},   {"s", "selection", 0, 0},       {"uve", "uvTextureEditor", 0, 0}};

// The message would show in the viewport for a while; there is none.
bool headsUpMessageCommand(CommandCall& call, const std::vector<Value*>&) {
    return commands::withFlags(call, kHeadsUpFlags, [](const Flags& f, CommandCall&) {
        if (f.words.empty())
            throw BuiltinError{"headsUpMessage: The message is missing."};
        return true;
    });
}

const FlagSpec kWindowPrefFlags[] = {
    {"ex", "exists", 0, 0},    {"r", "remove", 0, 0},       {"ra", "removeAll", 0, 0},
    {"w", "width", 1, 0},      {"h", "height", 1, 0},       {"te", "topEdge", 1, 0},
    {"le", "leftEdge", 1, 0},  {"wh", "widthHeight", 2, 0}, {"tlc", "topLeftCorner", 2, 0},
    {"ea", "enableAll", 1, 0}, {"ps", "parentMain", 1, 0},
};

// Window sizes and places are preferences of a session with windows; none are kept.
bool windowPrefCommand(CommandCall& call, const std::vector<Value*>&) {
    return commands::withFlags(call, kWindowPrefFlags, [](const Flags& f, CommandCall& c) {
        if (f.query || f.has("exists"))
            answer(c, Value(0));
        return true;
    });
}

}  // namespace

void registerUiCommands() {
    if (table().size() > kMostCommands)
        throw std::logic_error("registerUiCommands: raise kMostCommands");
    defineElementCommands(std::make_index_sequence<kMostCommands>());
    mel::Interpreter& in = mel::Interpreter::instance();
    in.defineBuiltin("setParent", setParentCommand);
    in.defineBuiltin("deleteUI", deleteUICommand);
    in.defineBuiltin("showWindow", showWindowCommand);
    in.defineBuiltin("confirmDialog", confirmDialogCommand);
    in.defineBuiltin("promptDialog", promptDialogCommand);
    in.defineBuiltin("headsUpMessage", headsUpMessageCommand);
    in.defineBuiltin("windowPref", windowPrefCommand);
}

}  // namespace ui
}  // namespace host
