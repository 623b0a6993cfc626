#include "ui/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QStyle>

#include "core/base/AppId.h"

// The resources live in a static library: nothing would pull them into the
// program unless registered by hand (outside any namespace, as Qt requires).
static void registerResources() { Q_INIT_RESOURCE(resources); }

namespace tabulyst::ui {

namespace {
struct IconSpec {
    std::string_view name;
    const char* theme;                // freedesktop icon name
    QStyle::StandardPixmap standard;  // SP_CustomBase: none
    const char* glyph;                // drawn when neither exists
};
// The desktop's icon theme first, then the style's own image, then a drawn glyph.
constexpr IconSpec kIcons[] = {
    {"new", "document-new", QStyle::SP_FileIcon, ""},
    {"open", "document-open", QStyle::SP_DialogOpenButton, ""},
    {"reload", "view-refresh", QStyle::SP_BrowserReload, ""},
    {"save", "document-save", QStyle::SP_DialogSaveButton, ""},
    {"print", "document-print", QStyle::SP_CustomBase, "P"},
    {"cut", "edit-cut", QStyle::SP_CustomBase, "\u2702"},
    {"copy", "edit-copy", QStyle::SP_CustomBase, "C"},
    {"paste", "edit-paste", QStyle::SP_CustomBase, "V"},
    {"undo", "edit-undo", QStyle::SP_ArrowBack, ""},
    {"redo", "edit-redo", QStyle::SP_ArrowForward, ""},
    {"find", "edit-find", QStyle::SP_FileDialogContentsView, ""},
    {"replace", "edit-find-replace", QStyle::SP_CustomBase, "ab"},
    {"back", "go-previous", QStyle::SP_MediaSeekBackward, ""},
    {"forward", "go-next", QStyle::SP_MediaSeekForward, ""},
    {"timestamp", "appointment-new", QStyle::SP_CustomBase, "T"},
    {"delimiter", "preferences-system", QStyle::SP_CustomBase, ";"},
    {"bookmark", "bookmark-new", QStyle::SP_CustomBase, "\u2691"},
    {"nextbookmark", "go-down", QStyle::SP_CustomBase, "\u2193"},
    {"prevbookmark", "go-up", QStyle::SP_CustomBase, "\u2191"},
    {"deletebookmarks", "edit-clear", QStyle::SP_CustomBase, "\u2715"},
    {"about", "help-about", QStyle::SP_MessageBoxInformation, ""},
};

// A desktop without a theme of its own (a bare window manager) gets the one
// the install script brings; a desktop's own theme still comes first.
void useFallbackTheme() {
    static const bool done = [] {
        // Platforms without a desktop theme search no system folder at all.
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString& folder :
             QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                       QStandardPaths::LocateDirectory))
            if (!paths.contains(folder)) paths << folder;
        QIcon::setThemeSearchPaths(paths);
        if (QIcon::themeName().isEmpty()) QIcon::setThemeName(QStringLiteral("hicolor"));
        const QString fallback = QIcon::fallbackThemeName();
        if (fallback.isEmpty() || fallback == QStringLiteral("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)done;
}

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
    useFallbackTheme();
    for (const auto& entry : kIcons) {
        if (entry.name != name) continue;
        const QString theme = QString::fromLatin1(entry.theme);
        if (QIcon::hasThemeIcon(theme)) return QIcon::fromTheme(theme);
        if (entry.standard != QStyle::SP_CustomBase) return QApplication::style()->standardIcon(entry.standard);
        return glyphIcon(entry.glyph);
    }
    return {};
}

QIcon applicationIcon() {
    static const bool registered = (registerResources(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/%1.svg").arg(QString::fromLatin1(kAppId)));
}

}  // namespace tabulyst::ui
