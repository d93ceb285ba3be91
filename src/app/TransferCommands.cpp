#include "app/TransferCommands.h"

#include "app/AppMessageIds.h"
#include "app/StatusMessage.h"
#include "app/TemperaturePage.h"
#include "link/ControllerLink.h"
#include "model/MemData.h"
#include "runtime/ModuleList.h"
#include "runtime/ScopeExit.h"
#include "widgets/Application.h"
#include "widgets/BarItem.h"
#include "widgets/ComPort.h"
#include "widgets/Dialogs.h"
#include "widgets/PageControl.h"
#include "widgets/ProgressBar.h"
#include "widgets/Ribbon.h"

#include <initializer_list>

namespace lumotrix {

namespace {

// Picture indexes of the bar manager used by the two transfer buttons.
constexpr int ImageSend = 9;
constexpr int ImageCancelReceive = 10;
constexpr int ImageReceive = 23;

} // namespace

// The commands the window locks during a transfer.
void TTransferCommands::SetCommandsEnabled(bool enabled) {
    for (TBarItem* item : std::initializer_list<TBarItem*>{
             F.BarButtonClear, F.BarButtonSave, F.BarButtonOpen, F.BarButtonSettings,
             F.BarButtonLoadSet, F.BarButtonSaveSet, F.BarButtonExit, F.buttonDate, F.BarEdit1})
        item->SetEnabled(enabled);
}

void TTransferCommands::TransferStart(const QString& mode) {
    F.ProgressBar1->Show();
    SetCommandsEnabled(false);
    auto* ribbon = F.Ribbon;
    auto* appearance = F.tabAppearance;
    ribbon->Bar()->SetTabVisible(ribbon->Bar()->TabIndex(appearance->Page()), false);
    auto* receive = F.BarButtonRicevi;
    auto* send = F.BarButtonInvio;
    if (mode == QLatin1String("R")) {
        receive->SetImageIndex(ImageCancelReceive);
        receive->SetCaption(LoadResString(msgCancelReceive));
        send->SetEnabled(false);
    }
    if (mode == QLatin1String("I")) {
        receive->SetEnabled(false);
        send->SetEnabled(false);
    }
    auto* pages = F.PageControl1;
    pages->SetActivePage(F.TabSheet1);
    pages->SetEnabled(false);
}

void TTransferCommands::TransferEnd(const QString& mode) {
    F.ProgressBar1->Hide();
    SetCommandsEnabled(true);
    auto* ribbon = F.Ribbon;
    auto* appearance = F.tabAppearance;
    ribbon->Bar()->SetTabVisible(ribbon->Bar()->TabIndex(appearance->Page()), true);
    if (mode == QLatin1String("R")) {
        auto* receive = F.BarButtonRicevi;
        receive->SetImageIndex(ImageReceive);
        receive->SetCaption(LoadResString(msgReceive));
        receive->SetEnabled(true);
    }
    if (mode == QLatin1String("I")) {
        auto* send = F.BarButtonInvio;
        send->SetImageIndex(ImageSend);
        send->SetCaption(LoadResString(msgSend));
        send->SetEnabled(true);
    }
    F.PageControl1->SetEnabled(true);
}

void TTransferCommands::SetProgressMax(int maximum) {
    F.ProgressBar1->SetMax(maximum);
}
void TTransferCommands::SetProgress(int position) {
    F.ProgressBar1->SetPosition(position);
}
void TTransferCommands::SetReceiveEnabled(bool enabled) {
    F.BarButtonRicevi->SetEnabled(enabled);
}
void TTransferCommands::SetSendEnabled(bool enabled) {
    F.BarButtonInvio->SetEnabled(enabled);
}

void TTransferCommands::DisableSaveAndClear() {
    F.BarButtonSave->SetEnabled(false);
    F.BarButtonClear->SetEnabled(false);
}

void TTransferCommands::ShowError(const QString& message) {
    MessageBoxes().Ask(message, ApplicationTitle(), static_cast<unsigned>(TMsgButton::Ok),
                       TMsgIcon::Error, TMsgButton::Ok);
}

void TTransferCommands::StoreTemperature(const TTemperatureSettings& settings) {
    FTemperature.Store(settings);
}

void TTransferCommands::Send(TControllerLink& link, TStatusMessage& status) {
    TSendRequest request;
    request.DelayText = F.BarEdit1->Text();
    request.SyncDate = F.buttonDate->Down();
    request.Temperature = FTemperature.Read();
    // Bytes the controller sends meanwhile are handled once the send is over.
    F.ComPort->HoldEvents(true);
    const TScopeExit release([this] { F.ComPort->HoldEvents(false); });
    link.Send(request);
    status.Show(TMessage(msgStatusSent));
}

void TTransferCommands::Receive(TControllerLink& link, TStatusMessage& status) {
    const bool wasListening = F.ComPort->IsOpen();
    link.ReceiveCommand();
    // The controller sends its configuration only when told to on the device itself.
    if (F.ComPort->IsOpen())
        status.ShowLasting(TMessage(msgStatusListening));
    else if (wasListening)
        status.Show(TMessage(msgStatusReceiveClosed));
}

void TTransferCommands::Received(TControllerLink& link, TStatusMessage& status,
                                 const TMemData& timers, const std::function<void()>& startAfresh) {
    // What arrived is what the controller holds, and a refused dump starts afresh too.
    const TScopeExit received([&startAfresh] { startAfresh(); });
    link.ComPortRxFlag();
    if (link.LastDumpError().isEmpty())
        status.Show(TMessage(msgStatusReceived, {timers.RecordCount()}));
    else
        status.Clear();
}

void TTransferCommands::LineLost(TControllerLink& link, TStatusMessage& status,
                                 const TMessage& message) {
    status.Clear();
    link.LineLost(MessageText(message));
}

void TTransferCommands::PortOpened(bool open) {
    F.BarButtonClose->SetEnabled(open);
    F.PageControl1->SetEnabled(!open);
}

void TTransferCommands::ReleasePort() {
    TComPort* port = F.ComPort;
    if (!port)
        return;
    port->SetOnRxCharEvent({});
    port->SetOnRxFlagEvent({});
    port->OnAfterOpen = {};
    port->OnAfterClose = {};
    port->OnLineLost = {};
    if (port->IsOpen())
        port->Close();
}

} // namespace lumotrix
