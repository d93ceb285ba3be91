#include "widgets/FileDialogComponents.h"

#include "widgets/Dialogs.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace lumotrix {

namespace {

bool SamePatterns(const QString& a, const QString& b) {
    auto normalised = [](const QString& patterns) {
        QStringList list = patterns.toLower().split(QRegularExpression(QStringLiteral("[ ;]+")),
                                                    Qt::SkipEmptyParts);
        list.sort();
        list.removeDuplicates();
        return list;
    };
    return normalised(a) == normalised(b);
}

// The designed folder when it exists; else none, so that the dialog opens where it opens by
// default instead of taking the missing folder's last part for a proposed file name.
QString ExistingFolder(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

QString TOpenDialog::QtFilter(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QStringLiteral("*");
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already names its patterns ("Timer File (*.tmr)" for "*.TMR") is
        // shown as it stands: the toolkit's dialog matches names without regard to case.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            const QString named = description.mid(open + 1, description.size() - open - 2);
            if (open >= 0 && SamePatterns(named, patterns)) {
                entries << description;
                continue;
            }
        }
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

bool TOpenDialog::Execute() {
    QString directory = ExistingFolder(FInitialDir);
    if (directory.isEmpty() && !FFileName.isEmpty())
        directory = QFileInfo(FFileName).absolutePath();
    return FileDialogs().GetOpenFileName(FTitle, directory, QtFilter(FFilter), FFileName);
}

bool TSaveDialog::Execute() {
    QString directory = ExistingFolder(FInitialDir);
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
