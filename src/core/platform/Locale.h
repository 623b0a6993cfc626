#pragma once
// The locale services the core uses: case mapping of Windows-1252 bytes, the
// decimal separator and the short date and long time formats. The core never
// consults the C library's global locale; the ui reads the user's settings once
// at start (fromCLibrary) and hands them in.
#include <string>
#include <string_view>

namespace tabulyst {

class Locale {
public:
    // The "C" values: ".", "%m/%d/%y", "%H:%M:%S".
    Locale();
    Locale(char decimalSeparator, std::string shortDateFormat, std::string longTimeFormat);

    // German conventions, available without an installed system locale.
    static Locale german();
    // The C library's current locale (the caller ran setlocale(LC_ALL, "") before).
    static Locale fromCLibrary();

    // Case mapping covers every letter of Windows-1252 (umlauts, Š/š, Œ/œ, Ž/ž,
    // Ÿ/ÿ); ß and µ have no single-byte counterpart and stay.
    unsigned char toUpper(unsigned char c) const { return upperTable()[c]; }
    unsigned char toLower(unsigned char c) const { return lowerTable()[c]; }
    std::string upper(std::string_view text) const;
    std::string lower(std::string_view text) const;
    void upperInPlace(std::string& text) const;
    void lowerInPlace(std::string& text) const;

    char decimalSeparator() const { return decimalSeparator_; }
    // strftime-style, as nl_langinfo gives them, e.g. "%d.%m.%Y" and "%H:%M:%S".
    const std::string& shortDateFormat() const { return shortDateFormat_; }
    const std::string& longTimeFormat() const { return longTimeFormat_; }

    // The 256-entry tables behind toUpper and toLower.
    static const unsigned char* upperTable();
    static const unsigned char* lowerTable();

private:
    char decimalSeparator_;
    std::string shortDateFormat_;
    std::string longTimeFormat_;
};

}  // namespace tabulyst
