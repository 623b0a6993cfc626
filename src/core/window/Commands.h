#pragma once
// The live state of every command (caption, shortcut, enabled, checked) and
// the handler each one runs. Built from the command tables; subsystems attach
// their handlers by name. A toolbar button follows its menu item's enabled state.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Signal.h"

namespace tabulyst {

struct CommandState {
    std::string caption;
    std::string shortcut;
    bool enabled = true;
    bool checked = false;
    bool visible = true;
};

// A menu item created at run time (the recent-file items).
struct DynamicMenuItem {
    std::string name;
    std::string caption;
    int groupIndex = 0;
};

class Commands {
public:
    Commands();

    bool exists(std::string_view name) const;
    const CommandState& state(std::string_view name) const;
    bool enabled(std::string_view name) const { return state(name).enabled; }
    bool checked(std::string_view name) const { return state(name).checked; }
    const std::string& shortcut(std::string_view name) const { return state(name).shortcut; }

    // Setting a menu item's enabled state sets the buttons that follow it too.
    void setEnabled(std::string_view name, bool enabled);
    void setChecked(std::string_view name, bool checked);
    void setShortcut(std::string_view name, std::string shortcut);

    // Attaches the handler a command runs; several names may share one.
    void on(std::string_view name, std::function<void()> handler);
    bool hasHandler(std::string_view name) const;
    // Runs the command when it is enabled and has a handler; false otherwise.
    // An error escaping the handler goes to the error report instead of ending the program.
    bool trigger(std::string_view name);
    // The general error report: shows an error's text to the user.
    std::function<void(const std::string&)> reportError;

    // Items added to the end of a menu at run time, in their order there.
    const std::vector<DynamicMenuItem>& dynamicItems(std::string_view menu) const;
    void insertDynamicItem(std::string_view menu, std::size_t position, DynamicMenuItem item,
                           std::function<void()> handler);
    void removeDynamicItem(std::string_view menu, std::string_view name);

    Signal<const std::string&> changed;      // a command's state
    Signal<const std::string&> menuChanged;  // a menu's run-time items

private:
    CommandState& mutableState(std::string_view name);
    void notify(const std::string& name);

    std::map<std::string, CommandState, std::less<>> states_;
    std::map<std::string, std::function<void()>, std::less<>> handlers_;
    std::map<std::string, std::vector<std::string>, std::less<>> followers_;
    std::map<std::string, std::vector<DynamicMenuItem>, std::less<>> dynamic_;
};

}  // namespace tabulyst
