#include "core/document/TableDocument.h"

#include <utility>

#include "core/platform/Utf8Codec.h"
#include "core/text/CodePageText.h"

namespace tabulyst {

TableDocument::TableDocument(Commands& commands, Dialogs& dialogs) : journal(StrGrid, commands, dialogs) {}

void TableDocument::setFile(std::string path, const FileFormat& format) {
    const bool otherFormat = !(format == format_);
    format_ = format;
    setPath(std::move(path));
    if (otherFormat) formatChanged();
}

void TableDocument::setPath(std::string path) {
    path_ = std::move(path);
    pathChanged();
}

void TableDocument::setEncoding(const FileEncoding& encoding) {
    FileFormat format = format_;
    format.encoding = encoding;
    setFormat(format);
}

bool TableDocument::cellsFromUtf8(std::string_view utf8, std::string& cells, char32_t& lacking) const {
    if (format_.encoding.utf8) {
        cells.assign(utf8);
        return true;
    }
    text::LackingCharacters missing;
    cells.clear();
    text::windows1252FromUtf8(utf8, cells, missing);
    lacking = missing.first;
    return missing.count == 0;
}

std::string TableDocument::utf8FromCells(std::string_view cells) const {
    return format_.encoding.utf8 ? std::string(cells) : utf8FromWindows1252(cells);
}

void TableDocument::forgetFile() {
    setPath({});
    setFormat({});
}

void TableDocument::setFormat(const FileFormat& format) {
    if (format == format_) return;
    format_ = format;
    formatChanged();
}

}  // namespace tabulyst
