#pragma once

// The main window: the configuration tables and their grids, the ribbon's commands, the
// temperature page, the transfers with the controller and the configuration files, each part
// in a file pair of its own.

#include "app/HoravelFormFields.h"
#include "link/ControllerLink.h"
#include "link/LinkWindow.h"
#include "model/Configuration.h"
#include "model/DataSource.h"
#include "model/MemDataTable.h"
#include "widgets/Button.h"
#include "widgets/Dialogs.h"
#include "widgets/Forms.h"
#include "widgets/Label.h"
#include "widgets/LookupComboBox.h"
#include "widgets/ProgressBar.h"
#include "widgets/SpinEdit.h"

#include <memory>

namespace lumotrix {

class TAboutBox;
class TAppearance;
class TConfigurationCommands;
class TEditHistory;
class TFileCommands;
class TSerialSettings;
class TStatusMessage;
class TTemperaturePage;
class TTemperatureRows;
class TTransferCommands;
class TUnsavedChanges;
class TWeekPage;

// The main window. Its parts do its jobs: the temperature page, the configuration files, the
// appearance, and the window's side of a transfer (the controller link's TLinkWindow); the
// published handlers hand over to them.
class TForm1 : public TForm, public TForm1Fields {
public:
    explicit TForm1(TComponent* owner = nullptr);
    ~TForm1() override;

    // --- published handlers ---
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormResize(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);

    void BarButtonOpenClick(TObject* sender);
    void BarButtonSaveClick(TObject* sender);
    void BarButton8Click(TObject* sender);
    void BarSubItemSaveAsClick(TObject* sender);
    void BarButtonClearClick(TObject* sender);
    void BarButtonExitClick(TObject* sender);
    void BarButtonInvioClick(TObject* sender);
    void BarButtonRiceviClick(TObject* sender);
    void BarButtonCloseClick(TObject* sender);
    void BarButtonSettingsClick(TObject* sender);
    void Button_SettingsClick(TObject* sender);
    void BarButtonLoadSetClick(TObject* sender);
    void BarButtonSaveSetClick(TObject* sender);
    void BarLargeButton3Click(TObject* sender);
    void BarLargeButton4Click(TObject* sender);
    void BarLargeButton5Click(TObject* sender);
    void BarLargeButton6Click(TObject* sender);
    void BarLargeButton7Click(TObject* sender);
    void BarLargeButton10Click(TObject* sender);
    void BarLargeButton8Click(TObject* sender);
    void BarLargeButton9Click(TObject* sender);
    void BarLargeButton12Click(TObject* sender);
    void BarButton12Click(TObject* sender);
    void BarButton13Click(TObject* sender);
    void BarButton9Click(TObject* sender);
    void CheckBox1Click(TObject* sender);
    void TempIdealePropertiesChange(TObject* sender);
    void IsteresiPropertiesChange(TObject* sender);
    void ButtonEsportaClick(TObject* sender);
    void ClearAllData();

    // --- configuration files ---
    // An empty name asks with the open dialog.
    void OpenConfiguration(const QString& fileName);
    // True when the three files have been written.
    bool SaveConfiguration(bool saveAs);
    TMsgButton AskSaveChanges();
    void SetCurrentFileName(const QString& fileName);
    const QString& CurrentFileName() const;
    // Most recent first, as the application menu lists them.
    const QStringList& RecentFiles() const;

    // --- temperature page ---
    void Vtempmon();
    void MemoTemp();
    void RetrTemp();

    // --- transfers ---
    void TransferStart(const QString& mode);
    void TransferEnd(const QString& mode);
    void ComPortAfterOpen(TObject* sender);
    void ComPortAfterClose(TObject* sender);
    // The line went away: the port has closed by itself.
    void ComPortLineLost(TObject* sender, const TMessage& message);
    void ComPortRxChar(TObject* sender, int count);
    void ComPortRxFlag(TObject* sender);

    // The link and the configuration the window owns.
    TControllerLink& Link() const { return *FLink; }
    TConfiguration& Configuration() { return FConfiguration; }
    TMemData& MemData1() { return FConfiguration.Timers; }
    TMemData& MemData2() { return FConfiguration.Ports; }
    TMemData& MemData3() { return FConfiguration.Temperature; }
    TDataSource& DataSource1() { return FDataSource1; }
    const TDayNames& DayNames() const { return FConfiguration.DayNames; }
    // Replaces the pause of the send sequence (the window's own keeps painting).
    void SetPause(std::unique_ptr<TPause> pause);
    // The status bar's message of what a command did.
    TStatusMessage& StatusMessage() const { return *FStatus; }
    // The About box, made the first time it is asked for.
    TAboutBox* AboutBox();
    TEditHistory& EditHistory() const { return *FHistory; }

private:
    void BindComponents();
    void UpdateModifiedIndicator();
    // The configuration on screen is what the files or the controller hold: nothing unsaved,
    // nothing to undo.
    void StartAfresh();
    void PostCellEditors();
    void CreateLink();
    void WatchTemperaturePage();

    TConfiguration FConfiguration;
    TDataSource FDataSource1{QStringLiteral("DataSource1"), &FConfiguration.Timers};
    TDataSource FDataSource2{QStringLiteral("DataSource2"), &FConfiguration.Ports};
    TDataSource FDataSource3{QStringLiteral("DataSource3"), &FConfiguration.Temperature};
    std::unique_ptr<TMemDataTable> FTimerView;
    std::unique_ptr<TMemDataTable> FPortView;
    // The window's parts; the link reports to FTransfer, so they outlive it.
    std::unique_ptr<TTemperaturePage> FTemperature;
    std::unique_ptr<TWeekPage> FWeek;
    std::unique_ptr<TTemperatureRows> FTemperatureRows;
    std::unique_ptr<TFileCommands> FFiles;
    std::unique_ptr<TUnsavedChanges> FUnsaved;
    std::unique_ptr<TEditHistory> FHistory;
    std::unique_ptr<TAppearance> FAppearance;
    std::unique_ptr<TTransferCommands> FTransfer;
    std::unique_ptr<TSerialSettings> FSerial;
    std::unique_ptr<TStatusMessage> FStatus;
    // Made once the status message is, since it reports there.
    std::unique_ptr<TConfigurationCommands> FConfigCommands;
    std::unique_ptr<TPause> FPause;
    TSystemClock FClock;
    std::unique_ptr<TControllerLink> FLink;
    std::unique_ptr<TAboutBox> FAboutBox;
    bool FBound = false;
};

} // namespace lumotrix
