#include "widgets/FileDialogComponents.h"

#include "widgets/Dialogs.h"

#include <QFileInfo>

namespace lumotrix {

QString TOpenDialog::QtFilter(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QStringLiteral("*");
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

bool TOpenDialog::Execute() {
    QString directory = FInitialDir;
    if (directory.isEmpty() && !FFileName.isEmpty())
        directory = QFileInfo(FFileName).absolutePath();
    return FileDialogs().GetOpenFileName(FTitle, directory, QtFilter(FFilter), FFileName);
}

bool TSaveDialog::Execute() {
    QString directory = FInitialDir;
    if (directory.isEmpty() && !FFileName.isEmpty())
        directory = QFileInfo(FFileName).absolutePath();
    return FileDialogs().GetSaveFileName(FTitle, directory, QtFilter(FFilter), FDefaultExt,
                                         FFileName);
}

LUMOTRIX_REGISTER_CLASS(TOpenDialog, TComponent) {
    Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
}

LUMOTRIX_REGISTER_CLASS(TSaveDialog, TOpenDialog) {}

} // namespace lumotrix
