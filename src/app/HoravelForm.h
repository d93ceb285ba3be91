#pragma once

// The main window: the configuration tables and their grids, the ribbon's commands, the
// temperature page, the transfers with the controller and the configuration files.

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
class TBarButton;
class TBarEdit;
class TBarItem;
class TBarLargeButton;
class TBarStatic;
class TCheckBox;
class TComLed;
class TComPort;
class TGridColumnDef;
class TGridTableView;
class TLabel;
class TLookupComboBox;
class TOpenDialog;
class TPageControl;
class TProgressBar;
class TRibbon;
class TRibbonTab;
class TSaveDialog;
class TSpinEdit;
class TStatusBar;
class TTabSheet;

// The key under which the serial settings are kept.
inline const QString SerialSettingsKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmoran");

// The window is the controller link's TLinkWindow: the link locks and unlocks it, moves its
// progress bar and hands it a received temperature record.
class TForm1 : public TForm, public TLinkWindow {
public:
    explicit TForm1(TComponent* owner = nullptr);
    ~TForm1() override;

    // --- published fields: the components the handlers use, set by the form loader ---
    TBarLargeButton* BarButtonOpen = nullptr;
    TBarLargeButton* BarButtonSave = nullptr;
    TBarLargeButton* BarButtonPrint = nullptr;
    TBarLargeButton* BarButtonClear = nullptr;
    TBarLargeButton* BarButtonExit = nullptr;
    TBarLargeButton* BarButtonInvio = nullptr;
    TBarLargeButton* BarButtonRicevi = nullptr;
    TBarLargeButton* buttonDate = nullptr;
    TBarLargeButton* BarButtonSettings = nullptr;
    TBarButton* BarButtonLoadSet = nullptr;
    TBarButton* BarButtonSaveSet = nullptr;
    TBarEdit* BarEdit1 = nullptr;
    TBarLargeButton* BarLargeButton7 = nullptr;
    TBarLargeButton* BarLargeButton8 = nullptr;
    TBarLargeButton* BarLargeButton9 = nullptr;
    TBarButton* BarButtonClose = nullptr;
    TBarStatic* stModified = nullptr;
    TComPort* ComPort = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TRibbon* Ribbon = nullptr;
    TRibbonTab* tabAppearance = nullptr;
    TStatusBar* StatusBar = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TComLed* ComLed1 = nullptr;
    TComLed* ComLed2 = nullptr;
    TComLed* ComLed3 = nullptr;
    TComLed* ComLed4 = nullptr;
    TComLed* ComLed5 = nullptr;
    TComLed* ComLed6 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TGridTableView* Grid1DBTableView1 = nullptr;
    TGridColumnDef* Grid1DBTableView1Uscita = nullptr;
    TGridColumnDef* Grid1DBTableView1Giorno = nullptr;
    TGridColumnDef* Grid1DBTableView1Inizio = nullptr;
    TGridColumnDef* Grid1DBTableView1Durata = nullptr;
    TGridColumnDef* Grid1DBTableView1Stato = nullptr;
    TGridTableView* Grid2DBTableView1 = nullptr;
    TGridColumnDef* Grid2DBTableView1Descrizione = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TLabel* Label1 = nullptr;
    TSpinEdit* MinTemp = nullptr;
    TLabel* Label7 = nullptr;
    TSpinEdit* MaxTemp = nullptr;
    TLabel* Label8 = nullptr;
    TSpinEdit* TempIdeale = nullptr;
    TLabel* Label9 = nullptr;
    TSpinEdit* Isteresi = nullptr;
    TLabel* TempMon = nullptr;
    TLabel* Label10 = nullptr;
    TLookupComboBox* PrimaPt = nullptr;
    TLabel* Label11 = nullptr;
    TLookupComboBox* SecondaPt = nullptr;

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
    void ClearAllData();

    // --- configuration files ---
    // An empty name asks with the open dialog.
    void OpenConfiguration(const QString& fileName);
    // True when the three files have been written.
    bool SaveConfiguration(bool saveAs);
    TMsgButton AskSaveChanges();
    void SetCurrentFileName(const QString& fileName);
    const QString& CurrentFileName() const { return FCurrentFileName; }
    // Most recent first, as the application menu lists them.
    const QStringList& RecentFiles() const { return FRecentFiles; }

    // --- temperature page ---
    void Vtempmon();
    void MemoTemp();
    void RetrTemp();

    // --- transfers ---
    void TransferStart(const QString& mode) override;
    void TransferEnd(const QString& mode) override;
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
    // The About box, made the first time it is asked for.
    TAboutBox* AboutBox();

private:
    // The rest of TLinkWindow.
    void SetProgressMax(int maximum) override;
    void SetProgress(int position) override;
    void SetReceiveEnabled(bool enabled) override;
    void SetSendEnabled(bool enabled) override;
    void DisableSaveAndClear() override;
    void StoreTemperature(const TTemperatureSettings& settings) override;
    void ShowError(const QString& message) override;

    void BindComponents();
    void UpdateModifiedIndicator();
    void PostCellEditors();
    // A pending change of the timer table, or one that a failed save posted but did not write.
    bool HasUnsavedEdit() const;
    void ApplyColorScheme(const QString& name);
    void SetTemperatureControlsEnabled(bool enabled);
    void SetTransferCommandsEnabled(bool enabled);
    TTemperatureSettings ReadTemperature() const;
    QString DialogFolder(const QString& folder) const;
    void CreateLink();

    QString FCurrentFileName;
    QStringList FRecentFiles;
    TConfiguration FConfiguration;
    TDataSource FDataSource1{QStringLiteral("DataSource1"), &FConfiguration.Timers};
    TDataSource FDataSource2{QStringLiteral("DataSource2"), &FConfiguration.Ports};
    TDataSource FDataSource3{QStringLiteral("DataSource3"), &FConfiguration.Temperature};
    std::unique_ptr<TMemDataTable> FTimerView;
    std::unique_ptr<TMemDataTable> FPortView;
    std::unique_ptr<TPause> FPause;
    TSystemClock FClock;
    std::unique_ptr<TControllerLink> FLink;
    std::unique_ptr<TAboutBox> FAboutBox;
    bool FBound = false;
    bool FSaveFailed = false;
};

} // namespace lumotrix
