#include "core/window/Commands.h"

#include <algorithm>
#include <stdexcept>

#include "core/window/CommandTable.h"

namespace tabulyst {

Commands::Commands() {
    auto addMenu = [this](const MenuSpec& menu) {
        if (!menu.caption.empty()) states_[std::string(menu.name)] = CommandState{std::string(menu.caption), "", true};
        for (const auto& item : menu.items)
            states_[std::string(item.name)] =
                CommandState{std::string(item.caption), std::string(item.shortcut), item.enabled};
    };
    addMenu(popupMenuSpec());
    for (const auto& menu : mainMenuSpec()) addMenu(menu);
    for (const auto& button : toolBarSpec()) {
        states_[std::string(button.name)] = CommandState{std::string(button.hint), "", button.enabled};
        if (!button.follows.empty()) followers_[std::string(button.follows)].push_back(std::string(button.name));
    }
}

bool Commands::exists(std::string_view name) const { return states_.find(name) != states_.end(); }

const CommandState& Commands::state(std::string_view name) const {
    auto it = states_.find(name);
    if (it == states_.end()) throw std::out_of_range("no command " + std::string(name));
    return it->second;
}

CommandState& Commands::mutableState(std::string_view name) {
    auto it = states_.find(name);
    if (it == states_.end()) throw std::out_of_range("no command " + std::string(name));
    return it->second;
}

void Commands::notify(const std::string& name) { changed(name); }

void Commands::setEnabled(std::string_view name, bool enabled) {
    auto& s = mutableState(name);
    if (s.enabled != enabled) {
        s.enabled = enabled;
        notify(std::string(name));
    }
    auto f = followers_.find(name);
    if (f == followers_.end()) return;
    for (const auto& button : f->second) {
        auto& b = mutableState(button);
        if (b.enabled != enabled) {
            b.enabled = enabled;
            notify(button);
        }
    }
}

void Commands::setChecked(std::string_view name, bool checked) {
    auto& s = mutableState(name);
    if (s.checked == checked) return;
    s.checked = checked;
    notify(std::string(name));
}

void Commands::setShortcut(std::string_view name, std::string shortcut) {
    auto& s = mutableState(name);
    if (s.shortcut == shortcut) return;
    s.shortcut = std::move(shortcut);
    notify(std::string(name));
}

void Commands::on(std::string_view name, std::function<void()> handler) {
    mutableState(name);  // only known commands take handlers
    handlers_[std::string(name)] = std::move(handler);
}

bool Commands::hasHandler(std::string_view name) const { return handlers_.find(name) != handlers_.end(); }

bool Commands::trigger(std::string_view name) {
    if (!state(name).enabled) return false;
    auto it = handlers_.find(name);
    if (it == handlers_.end() || !it->second) return false;
    auto handler = it->second;  // the handler may replace itself
    try {
        handler();
    } catch (const std::exception& error) {
        if (!reportError) throw;
        reportError(error.what());
    }
    return true;
}

const std::vector<DynamicMenuItem>& Commands::dynamicItems(std::string_view menu) const {
    static const std::vector<DynamicMenuItem> none;
    auto it = dynamic_.find(menu);
    return it == dynamic_.end() ? none : it->second;
}

void Commands::insertDynamicItem(std::string_view menu, std::size_t position, DynamicMenuItem item,
                                 std::function<void()> handler) {
    auto& items = dynamic_[std::string(menu)];
    position = std::min(position, items.size());
    states_[item.name] = CommandState{item.caption, "", true};
    handlers_[item.name] = std::move(handler);
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(position), std::move(item));
    menuChanged(std::string(menu));
}

void Commands::removeDynamicItem(std::string_view menu, std::string_view name) {
    auto it = dynamic_.find(menu);
    if (it == dynamic_.end()) return;
    auto& items = it->second;
    auto found = std::find_if(items.begin(), items.end(), [&](const DynamicMenuItem& i) { return i.name == name; });
    if (found == items.end()) return;
    std::string key(name), menuName(menu);  // either may view into the item erased next
    items.erase(found);
    states_.erase(key);
    handlers_.erase(key);
    menuChanged(menuName);
}

}  // namespace tabulyst
