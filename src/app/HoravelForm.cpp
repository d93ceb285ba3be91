#include "app/HoravelForm.h"

#include "app/About.h"
#include "app/TemperatureBand.h"
#include "link/TimerTables.h"
#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/ModuleList.h"
#include "widgets/Application.h"
#include "widgets/BarManager.h"
#include "widgets/ComCtrls.h"
#include "widgets/ComLed.h"
#include "widgets/ComPort.h"
#include "widgets/FileDialogComponents.h"
#include "widgets/GridTableView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace lumotrix {

namespace {

// String-table ids of the window's texts.
constexpr quint16 IdHeaderPorta = 65504;
constexpr quint16 IdHeaderGiorno = 65505;
constexpr quint16 IdHeaderInizio = 65506;
constexpr quint16 IdHeaderDurata = 65507;
constexpr quint16 IdHeaderStato = 65508;
constexpr quint16 IdHeaderDescrizione = 65509;
constexpr quint16 IdCancelReceive = 65510;
constexpr quint16 IdReceive = 65511;
constexpr quint16 IdSend = 65512;
constexpr quint16 IdAskSave = 65520;
constexpr quint16 IdSettingsStored = 65530;
constexpr quint16 IdSettingsLoaded = 65531;
constexpr quint16 IdAskClear = 65532;

// Picture indexes of the bar manager used by the two transfer buttons.
constexpr int ImageSend = 9;
constexpr int ImageCancelReceive = 10;
constexpr int ImageReceive = 23;
constexpr int ImageModified = 2;

// The send's pause: the window keeps painting and the progress bar moves, while user input
// waits (the port holds its receive events meanwhile).
class TWindowPause : public TPause {
public:
    void Sleep(qint64 milliseconds) override {
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            const qint64 left = milliseconds - timer.elapsed();
            if (left <= 0)
                break;
            QThread::msleep(static_cast<unsigned long>(qMin<qint64>(left, 15)));
        }
    }
};

// The thirteen controls the sensor check box switches, in switching order.
const char* const TemperatureControls[] = {
    "MinTemp", "MaxTemp", "Label1",  "Label7",  "Label8",  "TempIdeale", "Isteresi",
    "Label9",  "TempMon", "Label10", "Label11", "PrimaPt", "SecondaPt"};

const char* const LedNames[] = {"ComLed1", "ComLed2", "ComLed3", "ComLed4", "ComLed5", "ComLed6"};

// Commands the window locks during a transfer.
const char* const LockedDuringTransfer[] = {
    "BarButtonClear",   "BarButtonSave", "BarButtonOpen", "BarButtonSettings", "BarButtonLoadSet",
    "BarButtonSaveSet", "BarButtonExit", "buttonDate",    "BarEdit1"};

QString Res(quint16 id) {
    return LoadResString(id);
}

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    DefineTimerTable(FMemData1);
    DefinePortTable(FMemData2);
    DefineTemperatureTable(FMemData3);
    FTimerView = std::make_unique<TMemDataTable>(FMemData1);
    FPortView = std::make_unique<TMemDataTable>(FMemData2);
    FPause = std::make_unique<TWindowPause>();
}

TForm1::~TForm1() {
    // The port outlives this destructor (the form's components go last): its events must not
    // reach a half-destroyed window.
    if (FComPort) {
        FComPort->SetOnRxCharEvent({});
        FComPort->SetOnRxFlagEvent({});
        FComPort->OnAfterOpen = {};
        FComPort->OnAfterClose = {};
        if (FComPort->IsOpen())
            FComPort->Close();
    }
}

void TForm1::CreateLink() {
    TLinkHooks hooks;
    hooks.TransferStart = [this](const QString& mode) { TransferStart(mode); };
    hooks.TransferEnd = [this](const QString& mode) { TransferEnd(mode); };
    hooks.SetProgressMax = [this](int maximum) {
        Get<TProgressBar>(QStringLiteral("ProgressBar1"))->SetMax(maximum);
    };
    hooks.SetProgress = [this](int position) {
        Get<TProgressBar>(QStringLiteral("ProgressBar1"))->SetPosition(position);
    };
    hooks.SetReceiveEnabled = [this](bool on) {
        Get<TBarItem>(QStringLiteral("BarButtonRicevi"))->SetEnabled(on);
    };
    hooks.SetSendEnabled = [this](bool on) {
        Get<TBarItem>(QStringLiteral("BarButtonInvio"))->SetEnabled(on);
    };
    hooks.DisableSaveAndClear = [this] {
        Get<TBarItem>(QStringLiteral("BarButtonSave"))->SetEnabled(false);
        Get<TBarItem>(QStringLiteral("BarButtonClear"))->SetEnabled(false);
    };
    hooks.StoreTemperature = [this](const TTemperatureSettings& t) { StoreTemperature(t); };
    hooks.ShowError = [](const QString& message) {
        MessageBoxes().Ask(message, ApplicationTitle(), static_cast<unsigned>(TMsgButton::Ok),
                           TMsgIcon::Error, TMsgButton::Ok);
    };
    TTimerImage image{};
    if (FLink)
        image = FLink->TimerImage();
    FLink =
        std::make_unique<TControllerLink>(FComPort->Engine(), *FPause, FClock, std::move(hooks));
    FLink->AttachTables(&FMemData1, &FMemData2, &FDayNames);
    FLink->TimerImage() = image;
}

void TForm1::ThrowMissing(const QString& name) const {
    throw EInvalidCast(QStringLiteral("La finestra principale non ha il componente %1").arg(name));
}

void TForm1::SetPause(std::unique_ptr<TPause> pause) {
    // The link keeps a reference to the pause, so it is rebuilt around the new one.
    FPause = std::move(pause);
    if (FLink)
        CreateLink();
}

// Grids, drop-downs and LEDs are bound once, the first time the window is created.
void TForm1::BindComponents() {
    if (FBound)
        return;
    FBound = true;
    FComPort = Get<TComPort>(QStringLiteral("ComPort"));
    CreateLink();
    Get<TGridColumnDef>(QStringLiteral("Grid1DBTableView1Uscita"))->SetLookupTable(FPortView.get());
    Get<TGridTableView>(QStringLiteral("Grid1DBTableView1"))->SetTable(FTimerView.get());
    Get<TGridTableView>(QStringLiteral("Grid2DBTableView1"))->SetTable(FPortView.get());
    Get<TLookupComboBox>(QStringLiteral("PrimaPt"))->SetListTable(FPortView.get());
    Get<TLookupComboBox>(QStringLiteral("SecondaPt"))->SetListTable(FPortView.get());
}

// --- creation, showing, resizing, closing ---

void TForm1::FormCreate(TObject*) {
    BindComponents();
    FDayNames.Fill();
    UpdateModifiedIndicator();
    Get<TProgressBar>(QStringLiteral("ProgressBar1"))->Hide();
    Get<TBarItem>(QStringLiteral("BarButtonPrint"))->SetEnabled(false);
    Get<TBarItem>(QStringLiteral("BarButtonInvio"))->SetEnabled(false);
    try {
        FComPort->LoadSettings(TStoreType::stRegistry, SerialSettingsKey);
    } catch (const Exception& error) {
        // A damaged store must not keep the program from starting: say so, keep the defaults
        // and go on with the headers.
        ShowException(error);
    }
    Get<TGridColumnDef>(QStringLiteral("Grid1DBTableView1Uscita"))->SetCaption(Res(IdHeaderPorta));
    Get<TGridColumnDef>(QStringLiteral("Grid1DBTableView1Giorno"))->SetCaption(Res(IdHeaderGiorno));
    Get<TGridColumnDef>(QStringLiteral("Grid1DBTableView1Inizio"))->SetCaption(Res(IdHeaderInizio));
    Get<TGridColumnDef>(QStringLiteral("Grid1DBTableView1Durata"))->SetCaption(Res(IdHeaderDurata));
    Get<TGridColumnDef>(QStringLiteral("Grid1DBTableView1Stato"))->SetCaption(Res(IdHeaderStato));
    Get<TGridColumnDef>(QStringLiteral("Grid2DBTableView1Descrizione"))
        ->SetCaption(Res(IdHeaderDescrizione));
}

void TForm1::UpdateModifiedIndicator() {
    auto* status = Get<TBarStatic>(QStringLiteral("stModified"));
    const bool editing = FDataSource1.State() == TDataSetState::dsEdit;
    status->SetImageIndex(editing ? ImageModified : -1);
    status->SetCaption(editing ? QStringLiteral("Modified") : QString());
    Get<TBarItem>(QStringLiteral("BarButtonSave"))->SetEnabled(editing);
}

void TForm1::FormShow(TObject*) {
    for (const char* led : LedNames)
        Get<TControl>(QString::fromLatin1(led))->Show();
    SetTemperatureControlsEnabled(false);
    if (Get<TCheckBox>(QStringLiteral("CheckBox1"))->Checked())
        SetTemperatureControlsEnabled(true);
    Vtempmon();
}

void TForm1::FormResize(TObject*) {
    auto* ribbon = Get<TRibbon>(QStringLiteral("Ribbon"));
    if (ribbon->QuickAccessToolbar()->Position() == qtpAboveRibbon)
        Get<TBarButton>(QStringLiteral("BarLargeButton8"))->SetDown(true);
    else
        Get<TBarButton>(QStringLiteral("BarLargeButton9"))->SetDown(true);
}

void TForm1::FormCloseQuery(TObject*, bool& canClose) {
    if (!FMemData1.HasPendingChange()) {
        canClose = true;
        return;
    }
    switch (AskSaveChanges()) {
    case TMsgButton::Yes:
        canClose = SaveConfiguration(false);
        break;
    case TMsgButton::No:
        canClose = true;
        break;
    default:
        canClose = false;
    }
}

void TForm1::BarButtonExitClick(TObject*) {
    if (FComPort->IsOpen())
        FComPort->Close();
    if (auto* app = Application::Instance())
        app->Terminate();
}

// --- appearance ---

void TForm1::ApplyColorScheme(const QString& name) {
    Get<TRibbon>(QStringLiteral("Ribbon"))->SetColorSchemeName(name);
    Get<TStatusBar>(QStringLiteral("StatusBar"))->Repaint();
}

void TForm1::BarLargeButton3Click(TObject*) {
    ApplyColorScheme(QStringLiteral("Blue"));
}
void TForm1::BarLargeButton4Click(TObject*) {
    ApplyColorScheme(QStringLiteral("Black"));
}
void TForm1::BarLargeButton5Click(TObject*) {
    ApplyColorScheme(QStringLiteral("Silver"));
}

void TForm1::BarLargeButton6Click(TObject*) {
    auto* ribbon = Get<TRibbon>(QStringLiteral("Ribbon"));
    ribbon->SetSupportNonClientDrawing(!ribbon->SupportNonClientDrawing());
    Get<TBarItem>(QStringLiteral("BarLargeButton7"))->SetEnabled(ribbon->SupportNonClientDrawing());
}

void TForm1::BarLargeButton7Click(TObject*) {
    auto* button = Get<TRibbon>(QStringLiteral("Ribbon"))->ApplicationButton();
    button->SetVisible(!button->Visible());
}

void TForm1::BarLargeButton10Click(TObject*) {
    auto* toolbar = Get<TRibbon>(QStringLiteral("Ribbon"))->QuickAccessToolbar();
    toolbar->SetVisible(!toolbar->Visible());
    Get<TBarItem>(QStringLiteral("BarLargeButton8"))->SetEnabled(toolbar->Visible());
    Get<TBarItem>(QStringLiteral("BarLargeButton9"))->SetEnabled(toolbar->Visible());
}

void TForm1::BarLargeButton8Click(TObject*) {
    Get<TRibbon>(QStringLiteral("Ribbon"))->QuickAccessToolbar()->SetPosition(qtpAboveRibbon);
}

void TForm1::BarLargeButton9Click(TObject*) {
    Get<TRibbon>(QStringLiteral("Ribbon"))->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
}

// The language command arrives with the localisation runtime; until then it does nothing.
void TForm1::BarLargeButton12Click(TObject*) {}
void TForm1::BarButton12Click(TObject* sender) {
    BarLargeButton12Click(sender);
}
void TForm1::BarButton13Click(TObject* sender) {
    BarLargeButton12Click(sender);
}

void TForm1::BarButton9Click(TObject*) {
    if (FAboutBox)
        FAboutBox->ShowModal();
}

// --- temperature page ---

void TForm1::SetTemperatureControlsEnabled(bool enabled) {
    for (const char* name : TemperatureControls)
        Get<TControl>(QString::fromLatin1(name))->SetEnabled(enabled);
}

void TForm1::CheckBox1Click(TObject*) {
    SetTemperatureControlsEnabled(Get<TCheckBox>(QStringLiteral("CheckBox1"))->Checked());
}

void TForm1::TempIdealePropertiesChange(TObject*) {
    Vtempmon();
}

void TForm1::IsteresiPropertiesChange(TObject*) {
    Vtempmon();
}

void TForm1::Vtempmon() {
    const double ideal = Get<TSpinEdit>(QStringLiteral("TempIdeale"))->Value();
    const int hysteresis = qRound(Get<TSpinEdit>(QStringLiteral("Isteresi"))->Value());
    const TTemperatureBandTexts texts = TemperatureBandTexts(
        ideal, hysteresis, [](int id) { return LoadResString(static_cast<quint16>(id)); },
        [](double value) { return FloatToStr(value); });
    Get<TLabel>(QStringLiteral("TempMon"))->SetCaption(texts.TempMon);
    Get<TLabel>(QStringLiteral("Label10"))->SetCaption(texts.Label10);
    Get<TLabel>(QStringLiteral("Label11"))->SetCaption(texts.Label11);
}

TTemperatureSettings TForm1::ReadTemperature() const {
    TTemperatureSettings t;
    t.SensorEnabled = Get<TCheckBox>(QStringLiteral("CheckBox1"))->Checked();
    t.MinTemp = Get<TSpinEdit>(QStringLiteral("MinTemp"))->Value();
    t.MaxTemp = Get<TSpinEdit>(QStringLiteral("MaxTemp"))->Value();
    t.TempIdeale = Get<TSpinEdit>(QStringLiteral("TempIdeale"))->Value();
    t.Isteresi = qRound(Get<TSpinEdit>(QStringLiteral("Isteresi"))->Value());
    t.PrimaPt = Get<TLookupComboBox>(QStringLiteral("PrimaPt"))->KeyValue();
    t.SecondaPt = Get<TLookupComboBox>(QStringLiteral("SecondaPt"))->KeyValue();
    return t;
}

void TForm1::StoreTemperature(const TTemperatureSettings& t) {
    Get<TCheckBox>(QStringLiteral("CheckBox1"))->SetChecked(t.SensorEnabled);
    Get<TSpinEdit>(QStringLiteral("MinTemp"))->SetValue(t.MinTemp);
    Get<TSpinEdit>(QStringLiteral("MaxTemp"))->SetValue(t.MaxTemp);
    Get<TSpinEdit>(QStringLiteral("TempIdeale"))->SetValue(t.TempIdeale);
    Get<TSpinEdit>(QStringLiteral("Isteresi"))->SetValue(t.Isteresi);
    Get<TLookupComboBox>(QStringLiteral("PrimaPt"))->SetKeyValue(t.PrimaPt);
    Get<TLookupComboBox>(QStringLiteral("SecondaPt"))->SetKeyValue(t.SecondaPt);
}

void TForm1::MemoTemp() {
    try {
        FMemData3.Delete();
    } catch (const Exception&) {
        // An empty or closed table has nothing to replace.
        FMemData3.Open();
    }
    FMemData3.Open();
    AppendTemperatureRecord(FMemData3, ReadTemperature());
}

void TForm1::RetrTemp() {
    if (FMemData3.Active() && !FMemData3.IsEmpty())
        FMemData3.First();
    StoreTemperature(ReadTemperatureRecord(FMemData3));
}

// --- transfers ---

void TForm1::TransferStart(const QString& mode) {
    Get<TProgressBar>(QStringLiteral("ProgressBar1"))->Show();
    for (const char* name : LockedDuringTransfer)
        Get<TBarItem>(QString::fromLatin1(name))->SetEnabled(false);
    auto* ribbon = Get<TRibbon>(QStringLiteral("Ribbon"));
    auto* appearance = Get<TRibbonTab>(QStringLiteral("tabAppearance"));
    ribbon->Bar()->SetTabVisible(ribbon->Bar()->TabIndex(appearance->Page()), false);
    auto* receive = Get<TBarItem>(QStringLiteral("BarButtonRicevi"));
    auto* send = Get<TBarItem>(QStringLiteral("BarButtonInvio"));
    if (mode == QLatin1String("R")) {
        receive->SetImageIndex(ImageCancelReceive);
        receive->SetCaption(Res(IdCancelReceive));
        send->SetEnabled(false);
    }
    if (mode == QLatin1String("I")) {
        receive->SetEnabled(false);
        send->SetEnabled(false);
    }
    auto* pages = Get<TPageControl>(QStringLiteral("PageControl1"));
    pages->SetActivePage(Get<TTabSheet>(QStringLiteral("TabSheet1")));
    pages->SetEnabled(false);
}

void TForm1::TransferEnd(const QString& mode) {
    Get<TProgressBar>(QStringLiteral("ProgressBar1"))->Hide();
    for (const char* name : LockedDuringTransfer)
        Get<TBarItem>(QString::fromLatin1(name))->SetEnabled(true);
    auto* ribbon = Get<TRibbon>(QStringLiteral("Ribbon"));
    auto* appearance = Get<TRibbonTab>(QStringLiteral("tabAppearance"));
    ribbon->Bar()->SetTabVisible(ribbon->Bar()->TabIndex(appearance->Page()), true);
    if (mode == QLatin1String("R")) {
        auto* receive = Get<TBarItem>(QStringLiteral("BarButtonRicevi"));
        receive->SetImageIndex(ImageReceive);
        receive->SetCaption(Res(IdReceive));
        receive->SetEnabled(true);
    }
    if (mode == QLatin1String("I")) {
        auto* send = Get<TBarItem>(QStringLiteral("BarButtonInvio"));
        send->SetImageIndex(ImageSend);
        send->SetCaption(Res(IdSend));
        send->SetEnabled(true);
    }
    Get<TPageControl>(QStringLiteral("PageControl1"))->SetEnabled(true);
}

void TForm1::ComPortAfterOpen(TObject*) {
    Get<TBarItem>(QStringLiteral("BarButtonClose"))->SetEnabled(true);
    Get<TPageControl>(QStringLiteral("PageControl1"))->SetEnabled(false);
}

void TForm1::ComPortAfterClose(TObject*) {
    Get<TBarItem>(QStringLiteral("BarButtonClose"))->SetEnabled(false);
    Get<TPageControl>(QStringLiteral("PageControl1"))->SetEnabled(true);
}

void TForm1::ComPortRxChar(TObject*, int count) {
    FLink->ComPortRxChar(count);
}

void TForm1::ComPortRxFlag(TObject*) {
    FLink->ComPortRxFlag();
}

void TForm1::BarButtonInvioClick(TObject*) {
    TSendRequest request;
    request.DelayText = Get<TBarEdit>(QStringLiteral("BarEdit1"))->Text();
    request.SyncDate = Get<TBarButton>(QStringLiteral("buttonDate"))->Down();
    request.PortNames = ReadPortNames(FMemData2);
    request.Temperature = ReadTemperature();
    // Bytes the controller sends meanwhile are handled once the send is over.
    FComPort->HoldEvents(true);
    try {
        FLink->Send(request);
    } catch (...) {
        FComPort->HoldEvents(false);
        throw;
    }
    FComPort->HoldEvents(false);
}

void TForm1::BarButtonRiceviClick(TObject*) {
    FLink->ReceiveCommand();
}

// "Disconnetti" follows the port's state but has no action of its own.
void TForm1::BarButtonCloseClick(TObject*) {}

// --- configuration files ---

QString TForm1::DialogFolder(const QString& folder) const {
    QString expanded = folder;
    expanded.replace(QStringLiteral("%MYDOCUMENTS%"),
                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                     Qt::CaseInsensitive);
    expanded.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return expanded;
}

TMsgButton TForm1::AskSaveChanges() {
    QString text = Res(IdAskSave);
    text.replace(QStringLiteral("%s"), QFileInfo(FCurrentFileName).fileName());
    return MessageBoxes().Ask(text, ApplicationTitle(),
                              TMsgButton::Yes | TMsgButton::No | TMsgButton::Cancel,
                              TMsgIcon::Question, TMsgButton::Yes);
}

void TForm1::SetCurrentFileName(const QString& fileName) {
    Get<TRibbon>(QStringLiteral("Ribbon"))
        ->Bar()
        ->SetDocumentName(fileName.isEmpty() ? QString() : QFileInfo(fileName).fileName());
    FCurrentFileName = fileName;
    if (!fileName.isEmpty() && QFileInfo::exists(fileName)) {
        FRecentFiles.removeAll(fileName);
        FRecentFiles.prepend(fileName);
        Get<TRibbon>(QStringLiteral("Ribbon"))->Bar()->AppMenu()->SetRecentFiles(FRecentFiles);
    }
}

void TForm1::OpenConfiguration(const QString& fileName) {
    if (FMemData1.HasPendingChange()) {
        switch (AskSaveChanges()) {
        case TMsgButton::Yes:
            if (!SaveConfiguration(false))
                return;
            break;
        case TMsgButton::No:
            FMemData1.Cancel();
            break;
        default:
            return;
        }
    }
    auto* dialog = Get<TOpenDialog>(QStringLiteral("OpenDialog"));
    dialog->SetFileName(fileName);
    if (fileName.isEmpty()) {
        const QString designed = dialog->InitialDir();
        dialog->SetInitialDir(DialogFolder(designed));
        const bool chosen = dialog->Execute();
        dialog->SetInitialDir(designed);
        if (!chosen)
            return;
    }
    ClearAllData();
    SetCurrentFileName(dialog->FileName());
    LoadConfigurationFiles(FMemData1, FMemData2, FMemData3, FCurrentFileName);
    Get<TBarItem>(QStringLiteral("BarButtonInvio"))->SetEnabled(true);
    FLink->RetrieveMemData();
    RetrTemp();
    Get<TBarItem>(QStringLiteral("BarButtonSave"))->SetEnabled(true);
    Get<TBarItem>(QStringLiteral("BarButtonClear"))->SetEnabled(true);
}

bool TForm1::SaveConfiguration(bool saveAs) {
    auto* dialog = Get<TSaveDialog>(QStringLiteral("SaveDialog"));
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
    }
    MemoTemp();
    if (needDialog) {
        QString chosen = dialog->FileName();
        if (QFileInfo(chosen).suffix().isEmpty() && !dialog->DefaultExt().isEmpty())
            chosen += QLatin1Char('.') + dialog->DefaultExt();
        SetCurrentFileName(chosen);
    }
    SaveConfigurationFiles(FMemData1, FMemData2, FMemData3, FCurrentFileName);
    return true;
}

void TForm1::ClearAllData() {
    FLink->TimerImage() = TTimerImage{};
    for (TMemData* table : {&FMemData1, &FMemData2, &FMemData3}) {
        WithControlsDisabled(*table, [table] {
            table->Close();
            table->Open();
        });
    }
    Get<TBarItem>(QStringLiteral("BarButtonInvio"))->SetEnabled(false);
    SetCurrentFileName(QString());
    Get<TSpinEdit>(QStringLiteral("TempIdeale"))->SetValue(0);
    Get<TSpinEdit>(QStringLiteral("MinTemp"))->SetValue(0);
    Get<TSpinEdit>(QStringLiteral("MaxTemp"))->SetValue(0);
    Get<TSpinEdit>(QStringLiteral("Isteresi"))->SetValue(0);
    Get<TLookupComboBox>(QStringLiteral("PrimaPt"))->SetKeyValue(0);
    Get<TLookupComboBox>(QStringLiteral("SecondaPt"))->SetKeyValue(0);
}

void TForm1::BarButtonOpenClick(TObject*) {
    OpenConfiguration(QString());
}

void TForm1::BarButtonSaveClick(TObject*) {
    SaveConfiguration(false);
}

void TForm1::BarButton8Click(TObject*) {
    SaveConfiguration(true);
}

void TForm1::BarSubItemSaveAsClick(TObject*) {
    SaveConfiguration(true);
}

void TForm1::BarButtonClearClick(TObject*) {
    const TMsgButton answer =
        MessageBoxes().Ask(Res(IdAskClear), ApplicationTitle(), TMsgButton::Yes | TMsgButton::No,
                           TMsgIcon::Question, TMsgButton::Yes);
    if (answer == TMsgButton::Yes)
        ClearAllData();
    Get<TBarItem>(QStringLiteral("BarButtonRicevi"))->SetEnabled(true);
}

// --- serial settings ---

void TForm1::BarButtonSettingsClick(TObject*) {
    FComPort->ShowSetupDialog(Widget());
}

void TForm1::Button_SettingsClick(TObject* sender) {
    BarButtonSettingsClick(sender);
}

void TForm1::BarButtonLoadSetClick(TObject*) {
    const QString text = Res(IdSettingsLoaded);
    FComPort->LoadSettings(TStoreType::stRegistry, SerialSettingsKey);
    MessageBoxes().Show(text, QStringLiteral("Horavel"), TMsgIcon::None);
}

void TForm1::BarButtonSaveSetClick(TObject*) {
    const QString text = Res(IdSettingsStored);
    FComPort->StoreSettings(TStoreType::stRegistry, SerialSettingsKey);
    MessageBoxes().Show(text, QStringLiteral("Horavel"), TMsgIcon::None);
}

LUMOTRIX_REGISTER_CLASS(TForm1, TForm) {
    Method("FormCreate", &TForm1::FormCreate);
    Method("FormShow", &TForm1::FormShow);
    Method("FormResize", &TForm1::FormResize);
    Method("FormCloseQuery", &TForm1::FormCloseQuery);
    Method("BarButtonOpenClick", &TForm1::BarButtonOpenClick);
    Method("BarButtonSaveClick", &TForm1::BarButtonSaveClick);
    Method("BarButton8Click", &TForm1::BarButton8Click);
    Method("BarSubItemSaveAsClick", &TForm1::BarSubItemSaveAsClick);
    Method("BarButtonClearClick", &TForm1::BarButtonClearClick);
    Method("BarButtonExitClick", &TForm1::BarButtonExitClick);
    Method("BarButtonInvioClick", &TForm1::BarButtonInvioClick);
    Method("BarButtonRiceviClick", &TForm1::BarButtonRiceviClick);
    Method("BarButtonCloseClick", &TForm1::BarButtonCloseClick);
    Method("BarButtonSettingsClick", &TForm1::BarButtonSettingsClick);
    Method("Button_SettingsClick", &TForm1::Button_SettingsClick);
    Method("BarButtonLoadSetClick", &TForm1::BarButtonLoadSetClick);
    Method("BarButtonSaveSetClick", &TForm1::BarButtonSaveSetClick);
    Method("BarLargeButton3Click", &TForm1::BarLargeButton3Click);
    Method("BarLargeButton4Click", &TForm1::BarLargeButton4Click);
    Method("BarLargeButton5Click", &TForm1::BarLargeButton5Click);
    Method("BarLargeButton6Click", &TForm1::BarLargeButton6Click);
    Method("BarLargeButton7Click", &TForm1::BarLargeButton7Click);
    Method("BarLargeButton10Click", &TForm1::BarLargeButton10Click);
    Method("BarLargeButton8Click", &TForm1::BarLargeButton8Click);
    Method("BarLargeButton9Click", &TForm1::BarLargeButton9Click);
    Method("BarLargeButton12Click", &TForm1::BarLargeButton12Click);
    Method("BarButton12Click", &TForm1::BarButton12Click);
    Method("BarButton13Click", &TForm1::BarButton13Click);
    Method("BarButton9Click", &TForm1::BarButton9Click);
    Method("CheckBox1Click", &TForm1::CheckBox1Click);
    Method("TempIdealePropertiesChange", &TForm1::TempIdealePropertiesChange);
    Method("IsteresiPropertiesChange", &TForm1::IsteresiPropertiesChange);
    Method("ClearAllData", &TForm1::ClearAllData);
    Method("ComPortAfterOpen", &TForm1::ComPortAfterOpen);
    Method("ComPortAfterClose", &TForm1::ComPortAfterClose);
    Method("ComPortRxChar", &TForm1::ComPortRxChar);
    Method("ComPortRxFlag", &TForm1::ComPortRxFlag);
}

} // namespace lumotrix
