#include "runtime/Paths.h"

#include <QStandardPaths>

namespace lumotrix {

QString GetSpecialFolderPath(int folderId) {
    if (folderId != CSIDL_PERSONAL)
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString ChangeFileExt(const QString& path, const QString& ext) {
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot >= nameStart ? path.left(dot) : path) + ext;
}

} // namespace lumotrix
