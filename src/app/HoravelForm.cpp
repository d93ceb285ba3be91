#include "app/HoravelForm.h"

#include "app/About.h"
#include "app/TemperatureBand.h"
#include "localisation/LangDialog.h"
#include "localisation/LangForms.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/MessageIds.h"
#include "runtime/ModuleList.h"
#include "runtime/ScopeExit.h"
#include "widgets/Application.h"
#include "widgets/ComLed.h"
#include "widgets/ComPort.h"
#include "widgets/FileDialogComponents.h"
#include "widgets/GridTableView.h"
#include "widgets/PageControl.h"
#include "widgets/Ribbon.h"
#include "widgets/StatusBar.h"

#include <QFileInfo>
#include <QStandardPaths>

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

QString Res(quint16 id) {
    return LoadResString(id);
}

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    FTimerView = std::make_unique<TMemDataTable>(FConfiguration.Timers);
    FPortView = std::make_unique<TMemDataTable>(FConfiguration.Ports);
}

TForm1::~TForm1() {
    // The port outlives this destructor (the form's components go last): its events must not
    // reach a half-destroyed window.
    if (ComPort) {
        ComPort->SetOnRxCharEvent({});
        ComPort->SetOnRxFlagEvent({});
        ComPort->OnAfterOpen = {};
        ComPort->OnAfterClose = {};
        ComPort->OnLineLost = {};
        if (ComPort->IsOpen())
            ComPort->Close();
    }
}

void TForm1::CreateLink() {
    TTimerImage image{};
    if (FLink)
        image = FLink->TimerImage();
    // The send's pause: the window keeps painting and the progress bar moves, while user
    // input waits (the port holds its receive events meanwhile).
    if (!FPause)
        FPause = std::make_unique<TEventPause>(ComPort->Engine());
    FLink =
        std::make_unique<TControllerLink>(ComPort->Engine(), *FPause, FClock, FConfiguration, this);
    FLink->TimerImage() = image;
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
    CreateLink();
    ComPort->OnLineLost = [this](TObject* sender, const TMessage& message) {
        ComPortLineLost(sender, message);
    };
    Grid1DBTableView1Uscita->SetLookupTable(FPortView.get());
    Grid1DBTableView1->SetTable(FTimerView.get());
    Grid2DBTableView1->SetTable(FPortView.get());
    PrimaPt->SetListTable(FPortView.get());
    SecondaPt->SetListTable(FPortView.get());
}

// --- creation, showing, resizing, closing ---

void TForm1::FormCreate(TObject*) {
    BindComponents();
    FConfiguration.DayNames.Fill();
    UpdateModifiedIndicator();
    ProgressBar1->Hide();
    BarButtonPrint->SetEnabled(false);
    BarButtonInvio->SetEnabled(false);
    try {
        ComPort->LoadSettings(TStoreType::stRegistry, SerialSettingsKey);
    } catch (const Exception& error) {
        // A damaged store must not keep the program from starting: say so, keep the defaults
        // and go on with the headers.
        ShowException(error);
    }
    Grid1DBTableView1Uscita->SetCaption(Res(IdHeaderPorta));
    Grid1DBTableView1Giorno->SetCaption(Res(IdHeaderGiorno));
    Grid1DBTableView1Inizio->SetCaption(Res(IdHeaderInizio));
    Grid1DBTableView1Durata->SetCaption(Res(IdHeaderDurata));
    Grid1DBTableView1Stato->SetCaption(Res(IdHeaderStato));
    Grid2DBTableView1Descrizione->SetCaption(Res(IdHeaderDescrizione));
}

// Text still in a grid's cell editor is a change like any other: it goes into its table before
// a command decides whether there is something to lose or to send.
void TForm1::PostCellEditors() {
    Grid1DBTableView1->PostEditor();
    Grid2DBTableView1->PostEditor();
}

void TForm1::UpdateModifiedIndicator() {
    auto* status = stModified;
    const bool editing = FDataSource1.State() == TDataSetState::dsEdit;
    status->SetImageIndex(editing ? ImageModified : -1);
    status->SetCaption(editing ? QStringLiteral("Modified") : QString());
    BarButtonSave->SetEnabled(editing);
}

void TForm1::FormShow(TObject*) {
    for (TComLed* led : {ComLed1, ComLed2, ComLed3, ComLed4, ComLed5, ComLed6})
        led->Show();
    SetTemperatureControlsEnabled(false);
    if (CheckBox1->Checked())
        SetTemperatureControlsEnabled(true);
    Vtempmon();
}

void TForm1::FormResize(TObject*) {
    auto* ribbon = Ribbon;
    if (ribbon->QuickAccessToolbar()->Position() == qtpAboveRibbon)
        BarLargeButton8->SetDown(true);
    else
        BarLargeButton9->SetDown(true);
}

void TForm1::FormCloseQuery(TObject*, bool& canClose) {
    PostCellEditors();
    if (!HasUnsavedEdit()) {
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
    if (ComPort->IsOpen())
        ComPort->Close();
    if (auto* app = Application::Instance())
        app->Terminate();
}

// --- appearance ---

void TForm1::ApplyColorScheme(const QString& name) {
    Ribbon->SetColorSchemeName(name);
    StatusBar->Repaint();
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
    auto* ribbon = Ribbon;
    ribbon->SetSupportNonClientDrawing(!ribbon->SupportNonClientDrawing());
    BarLargeButton7->SetEnabled(ribbon->SupportNonClientDrawing());
}

void TForm1::BarLargeButton7Click(TObject*) {
    auto* button = Ribbon->ApplicationButton();
    button->SetVisible(!button->Visible());
}

void TForm1::BarLargeButton10Click(TObject*) {
    auto* toolbar = Ribbon->QuickAccessToolbar();
    toolbar->SetVisible(!toolbar->Visible());
    BarLargeButton8->SetEnabled(toolbar->Visible());
    BarLargeButton9->SetEnabled(toolbar->Visible());
}

void TForm1::BarLargeButton8Click(TObject*) {
    Ribbon->QuickAccessToolbar()->SetPosition(qtpAboveRibbon);
}

void TForm1::BarLargeButton9Click(TObject*) {
    Ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
}

// "Lingua": after a switch the window recomputes what it computed at creation and showing (the
// headers, the temperature labels, the commands that need data) in the new language.
void TForm1::BarLargeButton12Click(TObject*) {
    RequireResourceFiles();
    if (ChooseLanguage(QStringLiteral("IT"), {}, {}, poMainFormCenter)) {
        FormCreate(this);
        FormShow(this);
    }
}
void TForm1::BarButton12Click(TObject* sender) {
    BarLargeButton12Click(sender);
}
void TForm1::BarButton13Click(TObject* sender) {
    BarLargeButton12Click(sender);
}

TAboutBox* TForm1::AboutBox() {
    // Nothing of it shows before it is asked for, so the window's start does not wait for it;
    // made later, it is read in the language then in force, as a translation would leave it.
    if (!FAboutBox)
        FAboutBox.reset(CreateFormInLanguage<TAboutBox>());
    return FAboutBox.get();
}

void TForm1::BarButton9Click(TObject*) {
    AboutBox()->ShowModal();
}

// --- temperature page ---

void TForm1::SetTemperatureControlsEnabled(bool enabled) {
    // In switching order.
    for (TControl* control : std::initializer_list<TControl*>{
             MinTemp, MaxTemp, Label1, Label7, Label8, TempIdeale, Isteresi, Label9, TempMon,
             Label10, Label11, PrimaPt, SecondaPt})
        control->SetEnabled(enabled);
}

void TForm1::CheckBox1Click(TObject*) {
    SetTemperatureControlsEnabled(CheckBox1->Checked());
}

void TForm1::TempIdealePropertiesChange(TObject*) {
    Vtempmon();
}

void TForm1::IsteresiPropertiesChange(TObject*) {
    Vtempmon();
}

void TForm1::Vtempmon() {
    const double ideal = TempIdeale->Value();
    const int hysteresis = qRound(Isteresi->Value());
    const TTemperatureBandTexts texts = TemperatureBandTexts(
        ideal, hysteresis, [](int id) { return LoadResString(static_cast<quint16>(id)); },
        [](double value) { return FloatToStr(value); });
    TempMon->SetCaption(texts.TempMon);
    Label10->SetCaption(texts.Label10);
    Label11->SetCaption(texts.Label11);
}

TTemperatureSettings TForm1::ReadTemperature() const {
    TTemperatureSettings t;
    t.SensorEnabled = CheckBox1->Checked();
    t.MinTemp = MinTemp->Value();
    t.MaxTemp = MaxTemp->Value();
    t.TempIdeale = TempIdeale->Value();
    t.Isteresi = qRound(Isteresi->Value());
    t.PrimaPt = PrimaPt->KeyValue();
    t.SecondaPt = SecondaPt->KeyValue();
    return t;
}

void TForm1::StoreTemperature(const TTemperatureSettings& t) {
    CheckBox1->SetChecked(t.SensorEnabled);
    MinTemp->SetValue(t.MinTemp);
    MaxTemp->SetValue(t.MaxTemp);
    TempIdeale->SetValue(t.TempIdeale);
    Isteresi->SetValue(t.Isteresi);
    PrimaPt->SetKeyValue(t.PrimaPt);
    SecondaPt->SetKeyValue(t.SecondaPt);
}

void TForm1::MemoTemp() {
    try {
        FConfiguration.Temperature.Delete();
    } catch (const Exception&) {
        // An empty or closed table has nothing to replace.
        FConfiguration.Temperature.Open();
    }
    FConfiguration.Temperature.Open();
    AppendTemperatureRecord(FConfiguration.Temperature, ReadTemperature());
}

void TForm1::RetrTemp() {
    if (FConfiguration.Temperature.Active() && !FConfiguration.Temperature.IsEmpty())
        FConfiguration.Temperature.First();
    StoreTemperature(ReadTemperatureRecord(FConfiguration.Temperature));
}

// --- transfers ---

// The commands the window locks during a transfer.
void TForm1::SetTransferCommandsEnabled(bool enabled) {
    for (TBarItem* item : std::initializer_list<TBarItem*>{
             BarButtonClear, BarButtonSave, BarButtonOpen, BarButtonSettings, BarButtonLoadSet,
             BarButtonSaveSet, BarButtonExit, buttonDate, BarEdit1})
        item->SetEnabled(enabled);
}

void TForm1::TransferStart(const QString& mode) {
    ProgressBar1->Show();
    SetTransferCommandsEnabled(false);
    auto* ribbon = Ribbon;
    auto* appearance = tabAppearance;
    ribbon->Bar()->SetTabVisible(ribbon->Bar()->TabIndex(appearance->Page()), false);
    auto* receive = BarButtonRicevi;
    auto* send = BarButtonInvio;
    if (mode == QLatin1String("R")) {
        receive->SetImageIndex(ImageCancelReceive);
        receive->SetCaption(Res(IdCancelReceive));
        send->SetEnabled(false);
    }
    if (mode == QLatin1String("I")) {
        receive->SetEnabled(false);
        send->SetEnabled(false);
    }
    auto* pages = PageControl1;
    pages->SetActivePage(TabSheet1);
    pages->SetEnabled(false);
}

void TForm1::TransferEnd(const QString& mode) {
    ProgressBar1->Hide();
    SetTransferCommandsEnabled(true);
    auto* ribbon = Ribbon;
    auto* appearance = tabAppearance;
    ribbon->Bar()->SetTabVisible(ribbon->Bar()->TabIndex(appearance->Page()), true);
    if (mode == QLatin1String("R")) {
        auto* receive = BarButtonRicevi;
        receive->SetImageIndex(ImageReceive);
        receive->SetCaption(Res(IdReceive));
        receive->SetEnabled(true);
    }
    if (mode == QLatin1String("I")) {
        auto* send = BarButtonInvio;
        send->SetImageIndex(ImageSend);
        send->SetCaption(Res(IdSend));
        send->SetEnabled(true);
    }
    PageControl1->SetEnabled(true);
}

void TForm1::SetProgressMax(int maximum) {
    ProgressBar1->SetMax(maximum);
}

void TForm1::SetProgress(int position) {
    ProgressBar1->SetPosition(position);
}

void TForm1::SetReceiveEnabled(bool enabled) {
    BarButtonRicevi->SetEnabled(enabled);
}

void TForm1::SetSendEnabled(bool enabled) {
    BarButtonInvio->SetEnabled(enabled);
}

void TForm1::DisableSaveAndClear() {
    BarButtonSave->SetEnabled(false);
    BarButtonClear->SetEnabled(false);
}

void TForm1::ShowError(const QString& message) {
    MessageBoxes().Ask(message, ApplicationTitle(), static_cast<unsigned>(TMsgButton::Ok),
                       TMsgIcon::Error, TMsgButton::Ok);
}

void TForm1::ComPortAfterOpen(TObject*) {
    BarButtonClose->SetEnabled(true);
    PageControl1->SetEnabled(false);
}

void TForm1::ComPortAfterClose(TObject*) {
    BarButtonClose->SetEnabled(false);
    PageControl1->SetEnabled(true);
}

void TForm1::ComPortLineLost(TObject*, const TMessage& message) {
    FLink->LineLost(MessageText(message));
}

void TForm1::ComPortRxChar(TObject*, int count) {
    FLink->ComPortRxChar(count);
}

void TForm1::ComPortRxFlag(TObject*) {
    FLink->ComPortRxFlag();
}

void TForm1::BarButtonInvioClick(TObject*) {
    PostCellEditors();
    TSendRequest request;
    request.DelayText = BarEdit1->Text();
    request.SyncDate = buttonDate->Down();
    request.Temperature = ReadTemperature();
    // Bytes the controller sends meanwhile are handled once the send is over.
    ComPort->HoldEvents(true);
    const TScopeExit release([this] { ComPort->HoldEvents(false); });
    FLink->Send(request);
}

void TForm1::BarButtonRiceviClick(TObject*) {
    PostCellEditors();
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
    Ribbon->Bar()->SetDocumentName(fileName.isEmpty() ? QString() : QFileInfo(fileName).fileName());
    FCurrentFileName = fileName;
    if (!fileName.isEmpty() && QFileInfo::exists(fileName)) {
        FRecentFiles.removeAll(fileName);
        FRecentFiles.prepend(fileName);
        Ribbon->Bar()->AppMenu()->SetRecentFiles(FRecentFiles);
    }
}

void TForm1::OpenConfiguration(const QString& fileName) {
    PostCellEditors();
    if (HasUnsavedEdit()) {
        switch (AskSaveChanges()) {
        case TMsgButton::Yes:
            if (!SaveConfiguration(false))
                return;
            break;
        case TMsgButton::No:
            // Dropped only once the new configuration is in force.
            break;
        default:
            return;
        }
    }
    auto* dialog = OpenDialog;
    dialog->SetFileName(fileName);
    if (fileName.isEmpty()) {
        const QString designed = dialog->InitialDir();
        dialog->SetInitialDir(DialogFolder(designed));
        const bool chosen = dialog->Execute();
        dialog->SetInitialDir(designed);
        if (!chosen)
            return;
    }
    // Read in full before anything changes: a bad file leaves the window as it was.
    TConfiguration read;
    read.LoadFiles(dialog->FileName());
    FConfiguration.Timers.Cancel();
    FSaveFailed = false;
    ClearAllData();
    SetCurrentFileName(dialog->FileName());
    FConfiguration.Assign(read);
    BarButtonInvio->SetEnabled(true);
    FLink->RetrieveMemData();
    RetrTemp();
    BarButtonSave->SetEnabled(true);
    BarButtonClear->SetEnabled(true);
}

bool TForm1::SaveConfiguration(bool saveAs) {
    auto* dialog = SaveDialog;
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
    // The save posts the edit first; should it fail, the edit still counts as unsaved.
    FSaveFailed = FSaveFailed || FConfiguration.Timers.HasPendingChange();
    FConfiguration.Save(FCurrentFileName);
    FSaveFailed = false;
    return true;
}

bool TForm1::HasUnsavedEdit() const {
    return FConfiguration.Timers.HasPendingChange() || FSaveFailed;
}

void TForm1::ClearAllData() {
    FSaveFailed = false;
    FLink->TimerImage() = TTimerImage{};
    FConfiguration.Clear();
    BarButtonInvio->SetEnabled(false);
    SetCurrentFileName(QString());
    TempIdeale->SetValue(0);
    MinTemp->SetValue(0);
    MaxTemp->SetValue(0);
    Isteresi->SetValue(0);
    PrimaPt->SetKeyValue(0);
    SecondaPt->SetKeyValue(0);
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
    PostCellEditors();
    const TMsgButton answer =
        MessageBoxes().Ask(Res(IdAskClear), ApplicationTitle(), TMsgButton::Yes | TMsgButton::No,
                           TMsgIcon::Question, TMsgButton::Yes);
    if (answer == TMsgButton::Yes)
        ClearAllData();
    BarButtonRicevi->SetEnabled(true);
}

// --- serial settings ---

void TForm1::BarButtonSettingsClick(TObject*) {
    ComPort->ShowSetupDialog(Widget());
}

void TForm1::Button_SettingsClick(TObject* sender) {
    BarButtonSettingsClick(sender);
}

void TForm1::BarButtonLoadSetClick(TObject*) {
    const bool loaded = ComPort->LoadSettings(TStoreType::stRegistry, SerialSettingsKey);
    MessageBoxes().Show(Res(loaded ? IdSettingsLoaded : quint16(msgNoSettingsStored)),
                        QStringLiteral("Horavel"), TMsgIcon::None);
}

void TForm1::BarButtonSaveSetClick(TObject*) {
    const QString text = Res(IdSettingsStored);
    ComPort->StoreSettings(TStoreType::stRegistry, SerialSettingsKey);
    MessageBoxes().Show(text, QStringLiteral("Horavel"), TMsgIcon::None);
}

LUMOTRIX_REGISTER_CLASS(TForm1, TForm) {
    Field("BarButtonOpen", &TForm1::BarButtonOpen);
    Field("BarButtonSave", &TForm1::BarButtonSave);
    Field("BarButtonPrint", &TForm1::BarButtonPrint);
    Field("BarButtonClear", &TForm1::BarButtonClear);
    Field("BarButtonExit", &TForm1::BarButtonExit);
    Field("BarButtonInvio", &TForm1::BarButtonInvio);
    Field("BarButtonRicevi", &TForm1::BarButtonRicevi);
    Field("buttonDate", &TForm1::buttonDate);
    Field("BarButtonSettings", &TForm1::BarButtonSettings);
    Field("BarButtonLoadSet", &TForm1::BarButtonLoadSet);
    Field("BarButtonSaveSet", &TForm1::BarButtonSaveSet);
    Field("BarEdit1", &TForm1::BarEdit1);
    Field("BarLargeButton7", &TForm1::BarLargeButton7);
    Field("BarLargeButton8", &TForm1::BarLargeButton8);
    Field("BarLargeButton9", &TForm1::BarLargeButton9);
    Field("BarButtonClose", &TForm1::BarButtonClose);
    Field("stModified", &TForm1::stModified);
    Field("ComPort", &TForm1::ComPort);
    Field("OpenDialog", &TForm1::OpenDialog);
    Field("SaveDialog", &TForm1::SaveDialog);
    Field("Ribbon", &TForm1::Ribbon);
    Field("tabAppearance", &TForm1::tabAppearance);
    Field("StatusBar", &TForm1::StatusBar);
    Field("ProgressBar1", &TForm1::ProgressBar1);
    Field("ComLed1", &TForm1::ComLed1);
    Field("ComLed2", &TForm1::ComLed2);
    Field("ComLed3", &TForm1::ComLed3);
    Field("ComLed4", &TForm1::ComLed4);
    Field("ComLed5", &TForm1::ComLed5);
    Field("ComLed6", &TForm1::ComLed6);
    Field("PageControl1", &TForm1::PageControl1);
    Field("TabSheet1", &TForm1::TabSheet1);
    Field("Grid1DBTableView1", &TForm1::Grid1DBTableView1);
    Field("Grid1DBTableView1Uscita", &TForm1::Grid1DBTableView1Uscita);
    Field("Grid1DBTableView1Giorno", &TForm1::Grid1DBTableView1Giorno);
    Field("Grid1DBTableView1Inizio", &TForm1::Grid1DBTableView1Inizio);
    Field("Grid1DBTableView1Durata", &TForm1::Grid1DBTableView1Durata);
    Field("Grid1DBTableView1Stato", &TForm1::Grid1DBTableView1Stato);
    Field("Grid2DBTableView1", &TForm1::Grid2DBTableView1);
    Field("Grid2DBTableView1Descrizione", &TForm1::Grid2DBTableView1Descrizione);
    Field("CheckBox1", &TForm1::CheckBox1);
    Field("Label1", &TForm1::Label1);
    Field("MinTemp", &TForm1::MinTemp);
    Field("Label7", &TForm1::Label7);
    Field("MaxTemp", &TForm1::MaxTemp);
    Field("Label8", &TForm1::Label8);
    Field("TempIdeale", &TForm1::TempIdeale);
    Field("Label9", &TForm1::Label9);
    Field("Isteresi", &TForm1::Isteresi);
    Field("TempMon", &TForm1::TempMon);
    Field("Label10", &TForm1::Label10);
    Field("PrimaPt", &TForm1::PrimaPt);
    Field("Label11", &TForm1::Label11);
    Field("SecondaPt", &TForm1::SecondaPt);
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
