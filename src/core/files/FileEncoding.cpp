#include "core/files/FileEncoding.h"

#include <unistd.h>

#include "core/text/Utf8Text.h"

namespace tabulyst {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}

bool fileStartsWithByteOrderMark(int fd) {
    char head[3];
    return ::pread(fd, head, sizeof head, 0) == 3 && std::string_view(head, 3) == kByteOrderMark;
}

const char* encodingCaption(const FileEncoding& encoding) {
    if (!encoding.utf8) return "Windows-1252";
    return encoding.byteOrderMark ? "UTF-8 mit BOM" : "UTF-8";
}

void Utf8Detector::take(std::string_view line, std::string_view& text) {
    if (first_) {
        first_ = false;
        if (line.starts_with(kByteOrderMark)) {
            mark_ = true;
            line.remove_prefix(kByteOrderMark.size());
        }
    }
    text = line;
    if (invalid_ || text::isAscii(line)) return;
    if (text::isValidUtf8(line)) multiByte_ = true;
    else invalid_ = true;
}

void Utf8Detector::join(const Utf8Detector& later) {
    multiByte_ = multiByte_ || later.multiByte_;
    invalid_ = invalid_ || later.invalid_;
}

const char* Utf8Detector::notice() const {
    return mark_ && invalid_ ? "Keine gültige UTF-8-Datei: unverändert geladen" : nullptr;
}

}  // namespace tabulyst
