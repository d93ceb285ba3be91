#include "app/FileCommands.h"

#include "app/AppMessageIds.h"
#include "app/TemperaturePage.h"
#include "model/Configuration.h"
#include "runtime/ModuleList.h"
#include "widgets/Application.h"
#include "widgets/FileDialogComponents.h"
#include "widgets/Ribbon.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumotrix {

// The folder a file dialog opens in: the one last used; before that, the designed folder
// ("%MYDOCUMENTS%\Timer") when it exists, else the nearest existing folder above it inside the
// documents folder, never the working directory the program happened to start in.
QString TFileCommands::DialogFolder(const QString& folder) const {
    if (!FLastFolder.isEmpty() && QFileInfo(FLastFolder).isDir())
        return FLastFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString expanded = folder;
    expanded.replace(QStringLiteral("%MYDOCUMENTS%"), documents, Qt::CaseInsensitive);
    expanded.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (expanded.isEmpty() || QFileInfo(expanded).isDir())
        return expanded;
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void TFileCommands::RememberFolder(const QString& fileName) {
    if (!fileName.isEmpty())
        FLastFolder = QFileInfo(fileName).absolutePath();
}

TMsgButton TFileCommands::AskSaveChanges() {
    QString text = LoadResString(msgAskSave);
    text.replace(QStringLiteral("%s"), QFileInfo(FCurrentFileName).fileName());
    return MessageBoxes().Ask(text, ApplicationTitle(),
                              TMsgButton::Yes | TMsgButton::No | TMsgButton::Cancel,
                              TMsgIcon::Question, TMsgButton::Yes);
}

void TFileCommands::SetCurrentFileName(const QString& fileName, bool listAsRecent) {
    F.Ribbon->Bar()->SetDocumentName(fileName.isEmpty() ? QString()
                                                        : QFileInfo(fileName).fileName());
    FCurrentFileName = fileName;
    if (listAsRecent && !fileName.isEmpty() && QFileInfo::exists(fileName)) {
        FRecentFiles.removeAll(fileName);
        FRecentFiles.prepend(fileName);
        F.Ribbon->Bar()->AppMenu()->SetRecentFiles(FRecentFiles);
    }
}

QString TFileCommands::ReadToOpen(const QString& fileName, TConfiguration& read) {
    if (HasUnsavedEdit()) {
        switch (AskSaveChanges()) {
        case TMsgButton::Yes:
            if (!Save(false))
                return {};
            break;
        case TMsgButton::No:
            // Dropped only once the new configuration is in force.
            break;
        default:
            return {};
        }
    }
    TOpenDialog* dialog = F.OpenDialog;
    dialog->SetFileName(fileName);
    if (fileName.isEmpty()) {
        const QString designed = dialog->InitialDir();
        dialog->SetInitialDir(DialogFolder(designed));
        const bool chosen = dialog->Execute();
        dialog->SetInitialDir(designed);
        if (!chosen)
            return {};
    }
    if (fileName.isEmpty())
        RememberFolder(dialog->FileName());
    read.LoadFiles(dialog->FileName());
    return dialog->FileName();
}

bool TFileCommands::Save(bool saveAs) {
    TSaveDialog* dialog = F.SaveDialog;
    dialog->SetFileName(
        FCurrentFileName.isEmpty() ? QString() : QFileInfo(FCurrentFileName).completeBaseName());
    const bool needDialog = saveAs || FCurrentFileName.isEmpty();
    if (needDialog) {
        const QString designed = dialog->InitialDir();
        dialog->SetInitialDir(DialogFolder(designed));
        const bool chosen = dialog->Execute();
        dialog->SetInitialDir(designed);
        if (!chosen || dialog->FileName().isEmpty())
            return false;
        RememberFolder(dialog->FileName());
    }
    FTemperature.MemoTemp();
    QString target = FCurrentFileName;
    if (needDialog) {
        target = dialog->FileName();
        if (QFileInfo(target).suffix().isEmpty() && !dialog->DefaultExt().isEmpty())
            target += QLatin1Char('.') + dialog->DefaultExt();
    }
    // The name is the window's only once the files are written: a save that fails leaves the
    // current file, the title and the recent files as they were. A new file still stays out of
    // the recent files, as when the name was taken before writing.
    const bool existedBefore = QFileInfo::exists(target);
    // The save posts the edit first; should it fail, the edit still counts as unsaved.
    FSaveFailed = FSaveFailed || FConfiguration.Timers.HasPendingChange();
    FConfiguration.Save(target);
    FSaveFailed = false;
    if (needDialog)
        SetCurrentFileName(target, existedBefore);
    return true;
}

bool TFileCommands::MayClose() {
    if (!HasUnsavedEdit())
        return true;
    switch (AskSaveChanges()) {
    case TMsgButton::Yes:
        return Save(false);
    case TMsgButton::No:
        return true;
    default:
        return false;
    }
}

bool TFileCommands::HasUnsavedEdit() const {
    return FConfiguration.Timers.HasPendingChange() || FSaveFailed;
}

} // namespace lumotrix
