#pragma once
// The shell's "open" action on the desktop's opener, answering with the
// numbers callers check: above 32 on success, an error number up to 32 on
// failure (2 file not found, 3 path not found, 31 no associated application).
#include <functional>
#include <string>
#include <string_view>

namespace tabulyst {

class DesktopOpener;

namespace shell {
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kNoAssociation = 31;
constexpr int kOpened = 42;
// A failure the callers have no message for.
constexpr int kOtherFailure = 1;
}  // namespace shell

// True for an address with a scheme ("https://...", "mailto:..."): letters,
// then letters, digits, "+", "-" or "." up to a colon, at least two characters
// before it so that a drive letter is not taken for one.
bool hasUriScheme(std::string_view text);

// Opens text (Windows-1252) with its associated application. An existing file
// or folder and an address with a scheme go to the opener as written, blanks
// and all (a relative path with "./" in front, so that it cannot pass for an
// option or an address); any other text is a path that does not exist,
// answered at once with 2, or with 3 when its folder is missing too. done runs
// once, possibly later.
void ShellOpen(DesktopOpener* opener, const std::string& text, std::function<void(int result)> done);

}  // namespace tabulyst
