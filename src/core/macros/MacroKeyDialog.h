#pragma once
// The macro key chooser: which of F3 to F9 a new recording is bound to.
// Created once at start; each showing offers the choice made last.
#include <array>

namespace tabulyst {

class MacroKeyDialog {
public:
    static constexpr const char* kCaption = "Tastenkürzel für Makro";
    static constexpr const char* kGroupCaption = "Bestimmen Sie das Tastenkürzel";
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 191;
    static constexpr std::array<const char*, 7> kItems{"F3", "F4", "F5", "F6", "F7", "F8", "F9"};

    // RadioGroup1's selected item; F3 at start.
    int itemIndex = 0;
    // The chosen function key's number, set whenever the dialog closes.
    int MacroKeyNumber = 3;

    void select(int index) {
        if (index >= 0 && index < static_cast<int>(kItems.size())) itemIndex = index;
    }
    // Both buttons close the dialog through here.
    void closed() { MacroKeyNumber = itemIndex + 3; }
};

}  // namespace tabulyst
