#include "app/ConfigurationCommands.h"

#include "app/AppMessageIds.h"
#include "app/FileCommands.h"
#include "app/StatusMessage.h"
#include "app/TemperaturePage.h"
#include "app/UnsavedChanges.h"
#include "link/ControllerLink.h"
#include "model/Configuration.h"
#include "runtime/ModuleList.h"
#include "widgets/Application.h"
#include "widgets/BarItem.h"
#include "widgets/Dialogs.h"

#include <QFileInfo>

namespace lumotrix {

void TConfigurationCommands::Open(const QString& fileName) {
    // Read in full before anything changes: a bad file leaves the window as it was.
    TConfiguration read;
    const QString opened = FFiles.ReadToOpen(fileName, read);
    if (opened.isEmpty())
        return;
    FConfiguration.Timers.Cancel();
    Clear();
    FFiles.SetCurrentFileName(opened);
    FConfiguration.Assign(read);
    F.BarButtonInvio->SetEnabled(true);
    FLink().RetrieveMemData();
    FTemperature.RetrTemp();
    F.BarButtonSave->SetEnabled(true);
    F.BarButtonClear->SetEnabled(true);
    FStartAfresh();
    FStatus.Show(TMessage(msgStatusOpened, {QFileInfo(opened).fileName()}));
}

bool TConfigurationCommands::Save(bool saveAs) {
    if (!FFiles.Save(saveAs))
        return false;
    FUnsaved.MarkSaved();
    FStatus.Show(TMessage(msgStatusSaved, {QFileInfo(FFiles.CurrentFileName()).fileName()}));
    return true;
}

void TConfigurationCommands::Clear() {
    FFiles.Forget();
    FLink().TimerImage() = TTimerImage{};
    FConfiguration.Clear();
    F.BarButtonInvio->SetEnabled(false);
    FFiles.SetCurrentFileName(QString());
    FTemperature.Clear();
    FStartAfresh();
}

void TConfigurationCommands::AskAndClear() {
    const TMsgButton answer =
        MessageBoxes().Ask(LoadResString(msgAskClear), ApplicationTitle(),
                           TMsgButton::Yes | TMsgButton::No, TMsgIcon::Question, TMsgButton::Yes);
    if (answer == TMsgButton::Yes)
        Clear();
    F.BarButtonRicevi->SetEnabled(true);
}

} // namespace lumotrix
