#pragma once
// The layout dialog: the delimiter choice (three fixed ones and two free
// ones in delimiter notation), delimited or fixed-length mode, and the way to
// the field lengths. Created once at start; its controls keep their contents
// between showings, so a cancelled edit of a free field shows again.
#include <string>
#include <vector>

namespace tabulyst {

class ConfigFile;
class Dialogs;
class FieldLengthDialog;

class LayoutDialog {
public:
    static constexpr const char* kCaption = "Trennzeichen ändern";
    static constexpr int kClientWidth = 400;
    static constexpr int kClientHeight = 240;
    static constexpr const char* kSeparatorGroupCaption = "Delimiter";
    static constexpr const char* kAsciiCaption = "ASCII - \",\"";
    static constexpr const char* kCsvCaption = "CSV (EXCEL) - \";\"";
    static constexpr const char* kTabCaption = "Tabulator - \"#9\"";
    static constexpr const char* kFree1Caption = "Freies Trennzeichen #1";
    static constexpr const char* kFree2Caption = "Freies Trennzeichen #2";
    static constexpr const char* kFreeHint =
        "Reminder : You can enter any string as delimiter. \n\r\"Hello\" is equal to \"#72#101#108#108#111\"!";
    static constexpr const char* kModeGroupCaption = "Trennzeichen / Feldlänge";
    static constexpr const char* kModeDelimited = "Trennzeichen";
    static constexpr const char* kModeFixed = "Feste Feldlänge";
    static constexpr const char* kAdjustLengthCaption = "Feldlänge festlegen";
    static constexpr const char* kQuotedFieldsCaption = "Felder in Anführungszeichen";
    static constexpr const char* kOkCaption = "OK";
    static constexpr const char* kCancelCaption = "Cancel";

    // The radio buttons of the delimiter group, at most one checked:
    // btnClientBottomClientClientSeperatorASCII, ...CSV, ...TAB, ...Free1, ...Free2.
    enum class Separator { None, ASCII, CSV, TAB, Free1, Free2 };

    // Reads the free-delimiter texts of the configuration file.
    LayoutDialog(ConfigFile& config, FieldLengthDialog& fieldLengthDialog, Dialogs& dialogs);

    Separator checkedSeparator = Separator::CSV;
    std::string edtSeperatorFree1 = "#8";
    std::string edtSeperatorFree2 = "#13";
    // rbxClientBottomClientClientSeperatorOrLength: 0 delimited, 1 fixed length.
    int rbxClientBottomClientClientSeperatorOrLength = 0;
    bool btnClientBottomClientClientAdjustLengthEnabled = false;
    // Fields in quotes: a choice of delimited mode only.
    bool chkQuotedFields = true;
    bool chkQuotedFieldsEnabled = true;
    std::string ChosenDelimiter;

    // What the layout command uses, in its order.
    void setShownDelimiter(const std::string& delimiter);
    void setShownMode(bool delimited);
    void setFieldLengths(std::vector<std::string>& lengths) { fieldLengths_ = &lengths; }
    bool chosenDelimitedMode() const { return rbxClientBottomClientClientSeperatorOrLength != 1; }

    // The user picked an item of the mode group.
    void rbxClientBottomClientClientSeperatorOrLengthClick(int itemIndex);
    // OK: stores the free-delimiter texts, takes the chosen delimiter and
    // warns about one that does not decode. False, after a message, when the
    // choice cannot cut a line (no delimiter, or fixed lengths without any):
    // the dialog stays open.
    bool ok();
    // The field-length button: shows the field-length dialog on the handed-over list.
    void btnClientBottomClientClientAdjustLengthClick();

private:
    ConfigFile& config_;
    FieldLengthDialog& fieldLengthDialog_;
    Dialogs& dialogs_;
    std::vector<std::string>* fieldLengths_ = nullptr;
};

}  // namespace tabulyst
