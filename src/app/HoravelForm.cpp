#include "app/HoravelForm.h"

#include "app/About.h"
#include "app/AppMessageIds.h"
#include "app/Appearance.h"
#include "app/ConfigurationCommands.h"
#include "app/EditHistory.h"
#include "app/FileCommands.h"
#include "app/KeyTips.h"
#include "app/SerialSettings.h"
#include "app/StatusMessage.h"
#include "app/TemperaturePage.h"
#include "app/TemperatureRows.h"
#include "app/TransferCommands.h"
#include "app/UnsavedChanges.h"
#include "app/WeekPage.h"
#include "app/WindowTexts.h"
#include "localisation/LangDialog.h"
#include "localisation/LangForms.h"
#include "localisation/LangResource.h"
#include "runtime/FormatSettings.h"
#include "runtime/Locales.h"
#include "runtime/ModuleList.h"
#include "widgets/Application.h"
#include "widgets/Button.h"
#include "widgets/ComLed.h"
#include "widgets/ComPort.h"
#include "widgets/FileDialogComponents.h"
#include "widgets/GridTableView.h"
#include "widgets/LookupComboBox.h"
#include "widgets/PageControl.h"
#include "widgets/Ribbon.h"
#include "widgets/SpinEdit.h"
#include "widgets/StatusBar.h"
#include "widgets/WeekChart.h"

namespace lumotrix {

namespace {

// Picture index of the bar manager for the status item of an edit in progress.
constexpr int ImageModified = 2;

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    FTimerView = std::make_unique<TMemDataTable>(FConfiguration.Timers);
    FPortView = std::make_unique<TMemDataTable>(FConfiguration.Ports);
    FTemperature = std::make_unique<TTemperaturePage>(*this, FConfiguration.Temperature);
    FTemperatureRows = std::make_unique<TTemperatureRows>(*this);
    FFiles = std::make_unique<TFileCommands>(*this, FConfiguration, *FTemperature);
    FAppearance = std::make_unique<TAppearance>(*this);
    FTransfer = std::make_unique<TTransferCommands>(*this, *FTemperature);
    FSerial = std::make_unique<TSerialSettings>(*this);
    FWeek = std::make_unique<TWeekPage>(*this, FConfiguration, *FTemperature,
                                        [this] { return CurrentFileName(); });
}

TForm1::~TForm1() {
    // The port outlives this destructor (the form's components go last).
    FTransfer->ReleasePort();
}

void TForm1::CreateLink() {
    TTimerImage image{};
    if (FLink)
        image = FLink->TimerImage();
    // The send's pause: the window keeps painting and the progress bar moves, while user
    // input waits (the port holds its receive events meanwhile).
    if (!FPause)
        FPause = std::make_unique<TEventPause>(ComPort->Engine());
    FLink = std::make_unique<TControllerLink>(ComPort->Engine(), *FPause, FClock, FConfiguration,
                                              FTransfer.get());
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
    FTemperature->SetRanges();
    FTemperatureRows->Watch();
    ComPort->OnLineLost = [this](TObject* sender, const TMessage& message) {
        ComPortLineLost(sender, message);
    };
    Grid1DBTableView1Uscita->SetLookupTable(FPortView.get());
    Grid1DBTableView1->SetTable(FTimerView.get());
    Grid2DBTableView1->SetTable(FPortView.get());
    PrimaPt->SetListTable(FPortView.get());
    SecondaPt->SetListTable(FPortView.get());
    FUnsaved = std::make_unique<TUnsavedChanges>(
        FConfiguration, [this] { return FTemperature->Read(); },
        [this](bool modified) { SetModified(modified); });
    WatchTemperaturePage();
    FWeek->Bind();
    FHistory = std::make_unique<TEditHistory>(*this, FConfiguration, [this] { PostCellEditors(); });
    FStatus = std::make_unique<TStatusMessage>(*StatusBar);
    FConfigCommands = std::make_unique<TConfigurationCommands>(
        *this, FConfiguration, *FFiles, *FTemperature, *FUnsaved, *FStatus,
        [this]() -> TControllerLink& { return *FLink; }, [this] { StartAfresh(); });
}

void TForm1::StartAfresh() {
    if (FUnsaved)
        FUnsaved->MarkSaved();
    if (FHistory)
        FHistory->Clear();
}

// The temperature page's editors change the configuration as well as the tables do.
void TForm1::WatchTemperaturePage() {
    FTemperature->WatchEdits(Widget(), [this] {
        if (FUnsaved)
            FUnsaved->Check();
    });
}

void TForm1::FormCreate(TObject*) {
    BindComponents();
    FHistory->Translate();
    AssignKeyTips(*this);
    FConfiguration.DayNames.Fill();
    UpdateModifiedIndicator();
    ProgressBar1->Hide();
    BarButtonPrint->SetEnabled(false);
    BarButtonInvio->SetEnabled(false);
    // Whatever the store holds, the headers follow.
    FSerial->LoadAtStart();
    TranslateGridTexts(*this);
    // The week page's day names and texts follow the language too.
    FWeek->Refresh();
    FStatus->Retranslate();
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
    status->SetCaption(editing ? LoadResString(msgStatusModified) : QString());
    BarButtonSave->SetEnabled(editing);
}

void TForm1::FormShow(TObject*) {
    for (TComLed* led : {ComLed1, ComLed2, ComLed3, ComLed4, ComLed5, ComLed6})
        led->Show();
    FTemperature->SetControlsEnabled(false);
    if (CheckBox1->Checked())
        FTemperature->SetControlsEnabled(true);
    Vtempmon();
}

void TForm1::FormResize(TObject*) {
    FAppearance->ShowToolbarPosition();
}

void TForm1::FormCloseQuery(TObject*, bool& canClose) {
    PostCellEditors();
    canClose = FFiles->MayClose();
}

void TForm1::BarButtonExitClick(TObject*) {
    if (ComPort->IsOpen())
        ComPort->Close();
    if (auto* app = Application::Instance())
        app->Terminate();
}

void TForm1::BarLargeButton3Click(TObject*) {
    FAppearance->ApplyColorScheme(QStringLiteral("Blue"));
}
void TForm1::BarLargeButton4Click(TObject*) {
    FAppearance->ApplyColorScheme(QStringLiteral("Black"));
}
void TForm1::BarLargeButton5Click(TObject*) {
    FAppearance->ApplyColorScheme(QStringLiteral("Silver"));
}
void TForm1::BarLargeButton6Click(TObject*) {
    FAppearance->ToggleFormMode();
}
void TForm1::BarLargeButton7Click(TObject*) {
    FAppearance->ToggleApplicationButton();
}
void TForm1::BarLargeButton10Click(TObject*) {
    FAppearance->ToggleQuickAccessToolbar();
}
void TForm1::BarLargeButton8Click(TObject*) {
    FAppearance->SetToolbarAbove(true);
}
void TForm1::BarLargeButton9Click(TObject*) {
    FAppearance->SetToolbarAbove(false);
}

// "Lingua": after a switch the window recomputes what it computed at creation and showing (the
// headers, the temperature labels, the commands that need data) in the new language.
void TForm1::BarLargeButton12Click(TObject*) {
    RequireResourceFiles();
    if (ChooseLanguage(BuiltInLanguage, {}, {}, poMainFormCenter)) {
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
void TForm1::CheckBox1Click(TObject*) {
    FTemperature->SetControlsEnabled(CheckBox1->Checked());
}
void TForm1::TempIdealePropertiesChange(TObject*) {
    FTemperature->Vtempmon();
}
void TForm1::IsteresiPropertiesChange(TObject*) {
    FTemperature->Vtempmon();
}
void TForm1::ButtonEsportaClick(TObject*) {
    FWeek->Export();
}
void TForm1::Vtempmon() {
    FTemperature->Vtempmon();
}
void TForm1::MemoTemp() {
    FTemperature->MemoTemp();
}
void TForm1::RetrTemp() {
    FTemperature->RetrTemp();
}
void TForm1::TransferStart(const QString& mode) {
    FTransfer->TransferStart(mode);
}
void TForm1::TransferEnd(const QString& mode) {
    FTransfer->TransferEnd(mode);
}
void TForm1::ComPortAfterOpen(TObject*) {
    FTransfer->PortOpened(true);
}
void TForm1::ComPortAfterClose(TObject*) {
    FTransfer->PortOpened(false);
}
void TForm1::ComPortLineLost(TObject*, const TMessage& message) {
    FTransfer->LineLost(*FLink, *FStatus, message);
}
void TForm1::ComPortRxChar(TObject*, int count) {
    FLink->ComPortRxChar(count);
}
void TForm1::ComPortRxFlag(TObject*) {
    FTransfer->Received(*FLink, *FStatus, FConfiguration.Timers, [this] { StartAfresh(); });
}
void TForm1::BarButtonInvioClick(TObject*) {
    PostCellEditors();
    FTransfer->Send(*FLink, *FStatus);
}
void TForm1::BarButtonRiceviClick(TObject*) {
    PostCellEditors();
    FTransfer->Receive(*FLink, *FStatus);
}

// "Disconnetti" follows the port's state but has no action of its own.
void TForm1::BarButtonCloseClick(TObject*) {}

TMsgButton TForm1::AskSaveChanges() {
    return FFiles->AskSaveChanges();
}
bool TForm1::SaveConfiguration(bool saveAs) {
    return FConfigCommands->Save(saveAs);
}
void TForm1::SetCurrentFileName(const QString& fileName) {
    FFiles->SetCurrentFileName(fileName);
}
const QString& TForm1::CurrentFileName() const {
    return FFiles->CurrentFileName();
}
const QStringList& TForm1::RecentFiles() const {
    return FFiles->RecentFiles();
}

void TForm1::OpenConfiguration(const QString& fileName) {
    PostCellEditors();
    FConfigCommands->Open(fileName);
}
void TForm1::ClearAllData() {
    FConfigCommands->Clear();
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
    FConfigCommands->AskAndClear();
}

void TForm1::BarButtonSettingsClick(TObject*) {
    FSerial->ShowDialog(Widget());
}
void TForm1::Button_SettingsClick(TObject* sender) {
    BarButtonSettingsClick(sender);
}
void TForm1::BarButtonLoadSetClick(TObject*) {
    if (FSerial->Load())
        FStatus->Show(TMessage(msgStatusSettingsLoaded));
}
void TForm1::BarButtonSaveSetClick(TObject*) {
    FSerial->Store();
    FStatus->Show(TMessage(msgStatusSettingsStored));
}

LUMOTRIX_REGISTER_CLASS(TForm1, TForm) {
    ForEachForm1Field([this](const char* name, auto member) { Field(name, member); });
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
    Method("ButtonEsportaClick", &TForm1::ButtonEsportaClick);
    Method("ClearAllData", &TForm1::ClearAllData);
    Method("ComPortAfterOpen", &TForm1::ComPortAfterOpen);
    Method("ComPortAfterClose", &TForm1::ComPortAfterClose);
    Method("ComPortRxChar", &TForm1::ComPortRxChar);
    Method("ComPortRxFlag", &TForm1::ComPortRxFlag);
}

} // namespace lumotrix
