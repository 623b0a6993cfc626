#pragma once
// Upper case, lower case and capitalised words of cell text. Windows-1252
// text goes through the locale's tables as it always has. UTF-8 text goes
// through Unicode's full case mapping with German rules ("łódź" is "ŁÓDŹ",
// "straße" in upper case "STRASSE"), text without a byte from 0x80 up through
// the same tables as Windows-1252. A character Windows-1252 has never becomes
// one it lacks: µ and ƒ, whose upper case is Greek or beyond the code page,
// stay as they are. Bytes that are no valid UTF-8 stay as they are. Each
// function writes its result to out, which must not hold the text.
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

namespace tabulyst {
class Locale;
}

namespace tabulyst {

// The characters after which CapitalizeWords starts a word: blank ! " & ( ) + , - . / : ?
bool IsWordSeparator(char c);
// The first character and every one after a word separator in upper case, all
// others in lower case, each by the locale's rules (Windows-1252); the length stays.
std::string CapitalizeWords(std::string_view text, const Locale& locale);

}  // namespace tabulyst

namespace tabulyst::text {

void upperCase(std::string_view text, TextEncoding encoding, const Locale& locale, std::string& out);
void lowerCase(std::string_view text, TextEncoding encoding, const Locale& locale, std::string& out);

// The first character of every word in upper case, the others in lower case.
// Words are what CapitalizeWords takes them to be (separated by blank ! " & (
// ) + , - . / : ?). A first character Windows-1252 has takes the locale's upper
// case (ß stays ß), any other its Unicode title case (ǆ becomes ǅ), so a text
// Windows-1252 can hold comes out as in a Windows-1252 table.
void capitalizedWords(std::string_view text, TextEncoding encoding, const Locale& locale, std::string& out);

}  // namespace tabulyst::text
