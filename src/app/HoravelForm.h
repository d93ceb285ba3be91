#pragma once

// The main window: the configuration tables and their grids, the ribbon's commands, the
// temperature page, the transfers with the controller and the configuration files.

#include "link/ControllerLink.h"
#include "model/DayNames.h"
#include "model/MemData.h"
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
class TBarStatic;
class TCheckBox;
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

// The key under which the serial settings are kept.
inline const QString SerialSettingsKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmoran");

class TForm1 : public TForm {
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
    void TransferStart(const QString& mode);
    void TransferEnd(const QString& mode);
    void ComPortAfterOpen(TObject* sender);
    void ComPortAfterClose(TObject* sender);
    void ComPortRxChar(TObject* sender, int count);
    void ComPortRxFlag(TObject* sender);

    // The serial port, the link and the tables the window owns.
    TComPort& ComPort() const { return *FComPort; }
    TControllerLink& Link() const { return *FLink; }
    TMemData& MemData1() { return FMemData1; }
    TMemData& MemData2() { return FMemData2; }
    TMemData& MemData3() { return FMemData3; }
    TDataSource& DataSource1() { return FDataSource1; }
    const TDayNames& DayNames() const { return FDayNames; }
    // Replaces the pause of the send sequence (the window's own keeps painting).
    void SetPause(std::unique_ptr<TPause> pause);
    void SetAboutBox(TAboutBox* box) { FAboutBox = box; }

    // A component of the form by name and class; EInvalidCast when it is missing or of
    // another class.
    template <typename T> T* Get(const QString& name) const {
        auto* found = dynamic_cast<T*>(FindComponent(name));
        if (!found)
            ThrowMissing(name);
        return found;
    }

private:
    [[noreturn]] void ThrowMissing(const QString& name) const;
    void BindComponents();
    void UpdateModifiedIndicator();
    void ApplyColorScheme(const QString& name);
    void SetTemperatureControlsEnabled(bool enabled);
    void StoreTemperature(const TTemperatureSettings& settings);
    TTemperatureSettings ReadTemperature() const;
    QString DialogFolder(const QString& folder) const;
    void CreateLink();

    QString FCurrentFileName;
    QStringList FRecentFiles;
    TDayNames FDayNames;
    TMemData FMemData1{QStringLiteral("MemData1")};
    TMemData FMemData2{QStringLiteral("MemData2")};
    TMemData FMemData3{QStringLiteral("MemData3")};
    TDataSource FDataSource1{QStringLiteral("DataSource1"), &FMemData1};
    TDataSource FDataSource2{QStringLiteral("DataSource2"), &FMemData2};
    TDataSource FDataSource3{QStringLiteral("DataSource3"), &FMemData3};
    std::unique_ptr<TMemDataTable> FTimerView;
    std::unique_ptr<TMemDataTable> FPortView;
    TComPort* FComPort = nullptr; // owned by the form, from its description
    std::unique_ptr<TPause> FPause;
    TSystemClock FClock;
    std::unique_ptr<TControllerLink> FLink;
    TAboutBox* FAboutBox = nullptr;
    bool FBound = false;
};

} // namespace lumotrix
