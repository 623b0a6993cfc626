#pragma once
// Recording keyboard macros: the start and stop commands, the buffer the key
// hook fills, and binding the recording to a function key's macro file.
#include <cstdint>
#include <string>

#include "core/base/Signal.h"

#include "core/macros/MacroBuffer.h"
#include "core/macros/MacroKeyDialog.h"

namespace tabulyst {

class Commands;
struct Platform;
struct SettingsLocation;

class MacroRecorder {
public:
    static constexpr const char* kRecordingCaption = " **Aufzeichnung läuft** ";
    static constexpr const char* kFullCaption = " **Aufzeichnung läuft, Makro voll** ";
    static constexpr const char* kOverwriteQuestion = "Bestehendes Makro überschreiben?";

    MacroRecorder(Commands& commands, const Platform& platform, const SettingsLocation& settings);

    bool recording() const { return MacroRecording; }
    bool MacroRecording = false;
    // What the window shows in place of its title while recording; empty otherwise.
    const std::string& caption() const { return caption_; }
    Signal<> captionChanged;
    // The last recording (or the last macro played while not recording).
    tabulyst::MacroBuffer MacroBuffer;
    // Events recorded since recording began: the index of the next one.
    int MacroEventCount = 0;
    MacroKeyDialog keyDialog;

    void mnuMainStartReceivingClick();
    void mnuMainStopReceivingClick();

    // A key event that passed the hook while recording. Past the buffer's
    // 1024 events keys are refused with the beep and the caption says so.
    void record(std::uint16_t key, bool release);
    void beep();

private:
    void inject(std::uint16_t key, bool release);
    void bind();

    void setCaption(const std::string& caption);

    Commands& commands_;
    const Platform& platform_;
    const SettingsLocation& settings_;
    std::string caption_;
};

}  // namespace tabulyst
