#include "ui/FileDrops.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace tabulyst::ui {

std::vector<std::string> droppedLocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir()) continue;
        files.push_back(path.toStdString());
    }
    return files;
}

}  // namespace tabulyst::ui
