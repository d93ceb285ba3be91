#pragma once

#include "app/HoravelFormFields.h"

#include <QString>
#include <functional>

namespace lumotrix {

class TConfiguration;
class TControllerLink;
class TFileCommands;
class TStatusMessage;
class TTemperaturePage;
class TUnsavedChanges;

// Opening, saving and clearing as the window's commands: the configuration replaced in full, the
// commands that follow what it holds, and the status message saying what was done.
class TConfigurationCommands {
public:
    // `link` gives the link in use (the window rebuilds it around a new pause); `startAfresh`
    // leaves nothing unsaved and nothing to undo.
    TConfigurationCommands(const TForm1Fields& fields, TConfiguration& configuration,
                           TFileCommands& files, TTemperaturePage& temperature,
                           TUnsavedChanges& unsaved, TStatusMessage& status,
                           std::function<TControllerLink&()> link,
                           std::function<void()> startAfresh)
        : F(fields), FConfiguration(configuration), FFiles(files), FTemperature(temperature),
          FUnsaved(unsaved), FStatus(status), FLink(std::move(link)),
          FStartAfresh(std::move(startAfresh)) {}

    // An empty name asks with the open dialog.
    void Open(const QString& fileName);
    // True when the three files have been written.
    bool Save(bool saveAs);
    // An empty configuration with no file.
    void Clear();
    // "Cancella": clears once the user agrees.
    void AskAndClear();

private:
    const TForm1Fields& F;
    TConfiguration& FConfiguration;
    TFileCommands& FFiles;
    TTemperaturePage& FTemperature;
    TUnsavedChanges& FUnsaved;
    TStatusMessage& FStatus;
    std::function<TControllerLink&()> FLink;
    std::function<void()> FStartAfresh;
};

} // namespace lumotrix
