#pragma once

#include "app/HoravelFormFields.h"
#include "widgets/Dialogs.h"

#include <QString>
#include <QStringList>

namespace lumotrix {

class TConfiguration;
class TTemperaturePage;

// The window's configuration files: the file in use and the recent-file list, the open and save
// dialogs, the question about unsaved changes, and saving.
class TFileCommands {
public:
    TFileCommands(const TForm1Fields& fields, TConfiguration& configuration,
                  TTemperaturePage& temperature)
        : F(fields), FConfiguration(configuration), FTemperature(temperature) {}

    // Asks about unsaved changes, then for a file when `fileName` is empty, and reads that file
    // in full into `read`. The name read, or empty when the user stopped; throws when the file
    // cannot be read.
    QString ReadToOpen(const QString& fileName, TConfiguration& read);
    // True when the three files have been written.
    bool Save(bool saveAs);
    TMsgButton AskSaveChanges();
    // Whether the window may close: nothing unsaved, or the user saved or dropped it.
    bool MayClose();
    // A pending change of the timer table, or one that a failed save posted but did not write.
    bool HasUnsavedEdit() const;
    // The configuration was replaced: nothing of it is left unsaved.
    void Forget() { FSaveFailed = false; }

    // Names the window's file; an existing file moves to the top of the recent files unless
    // `listAsRecent` is false.
    void SetCurrentFileName(const QString& fileName, bool listAsRecent = true);
    const QString& CurrentFileName() const { return FCurrentFileName; }
    // Most recent first, as the application menu lists them.
    const QStringList& RecentFiles() const { return FRecentFiles; }

private:
    QString DialogFolder(const QString& folder) const;
    void RememberFolder(const QString& fileName);

    const TForm1Fields& F;
    TConfiguration& FConfiguration;
    TTemperaturePage& FTemperature;
    QString FCurrentFileName;
    QString FLastFolder; // where the last file dialog was confirmed
    QStringList FRecentFiles;
    bool FSaveFailed = false;
};

} // namespace lumotrix
