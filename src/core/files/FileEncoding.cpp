#include "core/files/FileEncoding.h"

#include <unistd.h>

#include "core/platform/Utf8Codec.h"

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

bool LineDecoder::take(std::string_view line, std::string_view& text) {
    if (first_) {
        first_ = false;
        if (line.starts_with(kByteOrderMark)) {
            mark_ = true;
            line.remove_prefix(kByteOrderMark.size());
        }
    }
    text = line;
    if (invalid_) return true;  // nothing left to find out
    if (buffer_.size() < line.size()) buffer_.resize(line.size());  // only grows: no filling per line
    std::size_t length = 0;
    switch (decodeUtf8ToWindows1252(line, buffer_.data(), length)) {
    case Utf8Decoding::Ascii: return true;
    case Utf8Decoding::Decoded:
        if (decode_) {
            decoded_ = true;
            text = std::string_view(buffer_.data(), length);
        }
        return true;
    case Utf8Decoding::Unrepresentable: unrepresentable_ = true; break;
    case Utf8Decoding::Invalid: invalid_ = true; break;
    }
    if (!decode_) return true;
    decode_ = false;
    return !decoded_;
}

bool LineDecoder::goOnAfter(const LineDecoder& later) {
    // The later lines were decoded just where this decoder would have decoded
    // them: while it still decodes and the later one never stopped, or when
    // the later one decoded none and nothing decoded here must be undone.
    const bool stand = (decode_ && later.decode_) || (!later.decoded_ && !(decode_ && decoded_ && !later.decode_));
    if (!stand) return false;
    decode_ = decode_ && later.decode_;
    decoded_ = decoded_ || later.decoded_;
    unrepresentable_ = unrepresentable_ || later.unrepresentable_;
    invalid_ = invalid_ || later.invalid_;
    return true;
}

FileEncoding LineDecoder::encoding() const {
    return {mark_, decode_ && (mark_ || decoded_), unrepresentable_ && !invalid_};
}

const char* LineDecoder::notice() const {
    if (invalid_) return mark_ ? "Keine gültige UTF-8-Datei: unverändert geladen" : nullptr;
    if (unrepresentable_) return "UTF-8 mit Zeichen außerhalb von Windows-1252: unverändert geladen";
    return nullptr;
}

}  // namespace tabulyst
