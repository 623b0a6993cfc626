#include "core/macros/MacroRecorder.h"

#include "core/app/MainForm.h"
#include "core/macros/MacroFiles.h"

namespace tabulyst {

MacroRecorder::MacroRecorder(MainForm& form) : form_(form) {}

bool MacroRecorder::recording() const { return form_.MacroRecording; }

void MacroRecorder::beep() {
    if (form_.platform.keyboard) form_.platform.keyboard->beep();
}

void MacroRecorder::inject(std::uint16_t key, bool release) {
    if (form_.platform.keyboard) form_.platform.keyboard->injectKey(key, release);
}

void MacroRecorder::mnuMainStartReceivingClick() {
    if (recording()) {
        beep();
        return;
    }
    form_.commands.setEnabled("mnuMainStopReceiving", true);
    form_.commands.setEnabled("mnuMainStartReceiving", false);
    // What the starting shortcut left pending is handled before recording begins.
    form_.platform.events->waitForEvent();
    MacroEventCount = 0;
    MacroBuffer.clear();
    form_.setTemporaryCaption(kRecordingCaption);
    form_.MacroRecording = true;
}

void MacroRecorder::mnuMainStopReceivingClick() {
    if (!recording()) return;
    form_.commands.setEnabled("mnuMainStopReceiving", false);
    form_.commands.setEnabled("mnuMainStartReceiving", true);
    // The stopping shortcut Ctrl+Shift+P was recorded pressed; its releases end
    // the recording, so a replay leaves no key held.
    for (std::uint16_t key : {vk::letter('P'), vk::Control, vk::Shift}) {
        if (!recording()) break;
        inject(key, true);
        form_.platform.events->processEvents();
    }
    if (recording()) form_.platform.events->waitForEvent();
    form_.MacroRecording = false;
    form_.setTemporaryCaption("");
    bind();
}

void MacroRecorder::bind() {
    const bool ok = form_.platform.dialogs->showMacroKeyDialog(keyDialog);
    keyDialog.closed();
    std::string path = macroFilePath(form_.settings, ok ? keyDialog.MacroKeyNumber : kTemporaryMacro);
    // Enter keeps the macro the key plays now.
    if (ok && macroFileExists(path) && !form_.platform.dialogs->confirm(kOverwriteQuestion, DefaultAnswer::No)) return;
    std::string error = writeMacroFile(path, MacroBuffer);
    if (!error.empty()) form_.platform.dialogs->showMessage(error);
}

void MacroRecorder::record(std::uint16_t key, bool release) {
    if (MacroEventCount >= MacroBuffer::kEvents) {
        beep();
        form_.setTemporaryCaption(kFullCaption);
        return;
    }
    (release ? MacroBuffer.up : MacroBuffer.down)[static_cast<std::size_t>(MacroEventCount)] = key;
    ++MacroEventCount;
}

}  // namespace tabulyst
