#include "core/document/TableDocument.h"

#include <utility>

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
