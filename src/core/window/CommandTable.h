#pragma once
// The main window's commands as data: menus, their items in order, and the
// toolbar. The ui builds its menus and buttons from these tables; the core
// keeps the live state (Commands).
#include <string_view>
#include <vector>

namespace tabulyst {

struct MenuItemSpec {
    std::string_view name;
    std::string_view caption;   // empty for a separator
    std::string_view shortcut;  // "Ctrl+Shift+Z"; "<>" is the key beside the left Shift key
    bool enabled = true;        // at start
    bool isSeparator() const { return caption.empty(); }
};

struct MenuSpec {
    std::string_view name;
    std::string_view caption;
    std::vector<MenuItemSpec> items;  // a top-level entry without items is a command itself
};

struct ToolButtonSpec {
    std::string_view name;
    std::string_view hint;     // empty for a separator (8 pixels wide)
    std::string_view follows;  // menu item whose enabled state the button mirrors
    std::string_view icon;     // name of the image the ui shows
    bool enabled = true;
    bool isSeparator() const { return hint.empty(); }
};

// The grid's context menu; its items also appear at the end of "&Editieren".
const MenuSpec& popupMenuSpec();
// The entries of the main menu bar, left to right.
const std::vector<MenuSpec>& mainMenuSpec();
const std::vector<ToolButtonSpec>& toolBarSpec();

// The group index the copied context-menu items and the recent-file items carry.
constexpr int kEditCopyGroupIndex = 254;

}  // namespace tabulyst
