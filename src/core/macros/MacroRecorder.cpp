#include "core/macros/MacroRecorder.h"

#include "core/platform/Keys.h"
#include "core/platform/Platform.h"
#include "core/window/Commands.h"
#include "core/macros/MacroFiles.h"

namespace tabulyst {

MacroRecorder::MacroRecorder(Commands& commands, const Platform& platform, const SettingsLocation& settings)
    : commands_(commands), platform_(platform), settings_(settings) {}

void MacroRecorder::setCaption(const std::string& caption) {
    caption_ = caption;
    captionChanged();
}

void MacroRecorder::beep() {
    if (platform_.keyboard) platform_.keyboard->beep();
}

void MacroRecorder::inject(std::uint16_t key, bool release) {
    if (platform_.keyboard) platform_.keyboard->injectKey(key, release);
}

void MacroRecorder::mnuMainStartReceivingClick() {
    if (recording()) {
        beep();
        return;
    }
    commands_.setEnabled("mnuMainStopReceiving", true);
    commands_.setEnabled("mnuMainStartReceiving", false);
    // What the starting shortcut left pending is handled before recording begins.
    platform_.events->waitForEvent();
    MacroEventCount = 0;
    MacroBuffer.clear();
    setCaption(kRecordingCaption);
    MacroRecording = true;
}

void MacroRecorder::mnuMainStopReceivingClick() {
    if (!recording()) return;
    commands_.setEnabled("mnuMainStopReceiving", false);
    commands_.setEnabled("mnuMainStartReceiving", true);
    // The stopping shortcut Ctrl+Shift+P was recorded pressed; its releases end
    // the recording, so a replay leaves no key held.
    for (std::uint16_t key : {vk::letter('P'), vk::Control, vk::Shift}) {
        if (!recording()) break;
        inject(key, true);
        platform_.events->processEvents();
    }
    if (recording()) platform_.events->waitForEvent();
    MacroRecording = false;
    setCaption("");
    bind();
}

void MacroRecorder::bind() {
    const bool ok = platform_.dialogs->showMacroKeyDialog(keyDialog);
    keyDialog.closed();
    std::string path = macroFilePath(settings_, ok ? keyDialog.MacroKeyNumber : kTemporaryMacro);
    // Enter keeps the macro the key plays now.
    if (ok && macroFileExists(path) && !platform_.dialogs->confirm(kOverwriteQuestion, DefaultAnswer::No)) return;
    std::string error = writeMacroFile(path, MacroBuffer);
    if (!error.empty()) platform_.dialogs->showMessage(error);
}

void MacroRecorder::record(std::uint16_t key, bool release) {
    if (MacroEventCount >= MacroBuffer::kEvents) {
        beep();
        setCaption(kFullCaption);
        return;
    }
    (release ? MacroBuffer.up : MacroBuffer.down)[static_cast<std::size_t>(MacroEventCount)] = key;
    ++MacroEventCount;
}

}  // namespace tabulyst
