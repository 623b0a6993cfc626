#include "ui/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace tabulyst::ui {

namespace {
struct IconSpec {
    std::string_view name;
    QStyle::StandardPixmap standard;  // SP_CustomBase: drawn from the glyph
    const char* glyph;
};
// Standard images where the style has one, a drawn glyph otherwise.
constexpr IconSpec kIcons[] = {
    {"new", QStyle::SP_FileIcon, ""},
    {"open", QStyle::SP_DialogOpenButton, ""},
    {"reload", QStyle::SP_BrowserReload, ""},
    {"save", QStyle::SP_DialogSaveButton, ""},
    {"print", QStyle::SP_CustomBase, "P"},
    {"cut", QStyle::SP_CustomBase, "\u2702"},
    {"copy", QStyle::SP_CustomBase, "C"},
    {"paste", QStyle::SP_CustomBase, "V"},
    {"undo", QStyle::SP_ArrowBack, ""},
    {"redo", QStyle::SP_ArrowForward, ""},
    {"find", QStyle::SP_FileDialogContentsView, ""},
    {"replace", QStyle::SP_CustomBase, "ab"},
    {"back", QStyle::SP_MediaSeekBackward, ""},
    {"forward", QStyle::SP_MediaSeekForward, ""},
    {"timestamp", QStyle::SP_CustomBase, "T"},
    {"delimiter", QStyle::SP_CustomBase, ";"},
    {"bookmark", QStyle::SP_CustomBase, "\u2691"},
    {"nextbookmark", QStyle::SP_CustomBase, "\u2193"},
    {"prevbookmark", QStyle::SP_CustomBase, "\u2191"},
    {"deletebookmarks", QStyle::SP_CustomBase, "\u2715"},
    {"about", QStyle::SP_MessageBoxInformation, ""},
};

QIcon glyphIcon(const char* glyph) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QFont f = QApplication::font();
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QApplication::palette().color(QPalette::ButtonText));
    p.drawText(pm.rect(), Qt::AlignCenter, QString::fromUtf8(glyph));
    return QIcon(pm);
}
}  // namespace

QIcon commandIcon(std::string_view name) {
    for (const auto& entry : kIcons) {
        if (entry.name != name) continue;
        if (entry.standard != QStyle::SP_CustomBase) return QApplication::style()->standardIcon(entry.standard);
        return glyphIcon(entry.glyph);
    }
    return {};
}

}  // namespace tabulyst::ui
