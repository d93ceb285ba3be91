#include "link/ControllerLink.h"

#include "link/LinkMessageIds.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"
#include "runtime/Message.h"
#include "runtime/ScopeExit.h"

#include <limits>

namespace lumotrix {

namespace {

TLinkWindow& NoWindow() {
    static TLinkWindow none;
    return none;
}

constexpr int SendProgressMax = 454;
constexpr int ReceiveProgressMax = 1396;
constexpr qint64 Second = 1000;

} // namespace

TControllerLink::TControllerLink(TSerialPort& port, TPause& pause, const TClock& clock,
                                 TConfiguration& configuration, TLinkWindow* window)
    : FPort(port), FPause(pause), FClock(clock), FConfiguration(configuration),
      FWindow(window ? window : &NoWindow()) {}

void TControllerLink::SetWindow(TLinkWindow* window) {
    FWindow = window ? window : &NoWindow();
}

void TControllerLink::RetrieveMemData() {
    lumotrix::RetrieveMemData(FConfiguration.Timers, FConfiguration.DayNames, FTimerImage);
}

void TControllerLink::BindPortEvents() {
    FPort.OnRxChar = [this](int count) { ComPortRxChar(count); };
    FPort.OnRxFlag = [this] { ComPortRxFlag(); };
}

int TControllerLink::ReadDelay(const QString& text) {
    const QString trimmed = text.trimmed();
    bool digitsOnly = !trimmed.isEmpty();
    for (QChar c : trimmed)
        digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    bool ok = false;
    const qint64 seconds = trimmed.toLongLong(&ok);
    if (!digitsOnly || !ok || seconds > std::numeric_limits<int>::max() / Second)
        throw EConvertError(TMessage(msgBadDelay, {text}));
    return int(seconds);
}

void TControllerLink::CheckSendRequest(const TSendRequest& request,
                                       const QList<AnsiString>& portNames) {
    ReadDelay(request.DelayText);
    if (portNames.size() < PortCount)
        throw Exception(TMessage(msgPortTableIncomplete, {portNames.size(), PortCount}));
    for (int p = 0; p < PortCount; ++p)
        for (char c : portNames[p])
            if (c >= SOH && c <= EOT)
                throw Exception(TMessage(msgPortNameControlChar, {p + 1, int(c)}));
}

void TControllerLink::Write(const QByteArray& bytes) {
    FPort.WriteStr(bytes);
}

void TControllerLink::WritePieces(const QList<AnsiString>& pieces) {
    for (const AnsiString& piece : pieces)
        Write(piece);
}

void TControllerLink::Pause(qint64 milliseconds) {
    if (milliseconds > 0)
        FPause.Sleep(milliseconds);
}

void TControllerLink::Advance(int by) {
    FProgress += by;
    FWindow->SetProgress(FProgress);
}

void TControllerLink::PacketSend(int index) {
    if (index < 1 || index > TimerCount)
        throw ERangeError(DeveloperText(QStringLiteral("No timer %1").arg(index)));
    WritePieces(TimerPacket(index, FTimerImage[index - 1]));
}

void TControllerLink::DateSend(bool syncDate) {
    WritePieces(DatePacket(syncDate ? FClock.Now() : QDateTime()));
}

void TControllerLink::Send(const TSendRequest& request) {
    FTransferMode = QStringLiteral("I");
    FWindow->TransferStart(FTransferMode);
    const TScopeExit transferEnd([this] { FWindow->TransferEnd(FTransferMode); });
    FWindow->SetProgressMax(SendProgressMax);
    const QList<AnsiString> portNames = FConfiguration.PortNames();
    CheckSendRequest(request, portNames);
    const qint64 delay = ReadDelay(request.DelayText) * Second;
    if (!FPort.IsOpen())
        FPort.Open();
    Pause(delay);
    RetrieveMemData();

    Write(QByteArray(1, STX));
    FProgress = 0;
    Advance(1);
    for (int index = 1; index <= TimerCount; ++index) {
        PacketSend(index);
        Advance(10);
    }
    Pause(Second);
    Write(QByteArray(1, SOH));
    Pause(Second);
    Advance(1);
    Pause(Second);
    for (int p = 0; p < PortCount; ++p) {
        Write(portNames[p]);
        Advance(1);
        Write(QByteArray(1, EOT));
        Pause(delay);
        Advance(1);
    }
    Pause(Second);
    Write(QByteArray(1, SOH));
    Advance(1);
    Pause(Second);
    DateSend(request.SyncDate);
    Advance(8);
    Pause(Second);
    Write(QByteArray(1, SOH));
    Advance(1);
    Pause(Second);
    WritePieces(TemperatureRecord(request.Temperature));
    Advance(8);
    Write(QByteArray(1, ETX));
}

void TControllerLink::ReceiveCommand() {
    FTransferMode = QStringLiteral("R");
    const auto unlock = [this] {
        FWindow->TransferEnd(FTransferMode);
        FWindow->DisableSaveAndClear();
    };
    if (FPort.IsOpen()) {
        const TScopeExit unlocked(unlock);
        FPort.Close();
        return;
    }
    FRxBuffer.clear();
    FWindow->SetProgressMax(ReceiveProgressMax);
    FWindow->TransferStart(FTransferMode);
    const TScopeExit unlocked(unlock);
    FPort.Open();
}

void TControllerLink::LineLost(const QString& message) {
    FRxBuffer.clear();
    if (FTransferMode == QLatin1String("R")) {
        FWindow->TransferEnd(FTransferMode);
        FWindow->DisableSaveAndClear();
    }
    FWindow->ShowError(message);
}

void TControllerLink::ComPortRxChar(int count) {
    FWindow->SetReceiveEnabled(false);
    const QByteArray batch = FPort.ReadStr(count);
    if (batch.isEmpty())
        return;
    // The controller sends its STX in a batch of its own ahead of the dump.
    if (batch.front() != STX)
        FRxBuffer += batch;
    FWindow->SetProgress(int(qMin<qsizetype>(FRxBuffer.size(), std::numeric_limits<int>::max())));
}

void TControllerLink::ReceiveEnd() {
    FWindow->TransferEnd(QStringLiteral("R"));
    FWindow->SetSendEnabled(true);
}

void TControllerLink::ComPortRxFlag() {
    const TScopeExit receiveEnd([this] { ReceiveEnd(); });
    TParsedDump parsed;
    TTimerImage merged;
    TTableRows timerRows, portRows;
    try {
        parsed = ParseDump(FRxBuffer);
        merged = MergeDumpTimers(FTimerImage, parsed);
        timerRows = BuildTimerRows(FConfiguration.Timers, merged, FConfiguration.DayNames);
        portRows = BuildPortRows(FConfiguration.Ports, parsed.PortNames);
    } catch (const Exception& e) {
        // A line glitch must leave the keeper's configuration as it was.
        FLastDumpError = e.Message();
        FWindow->ShowError(MessageText(msgSerialError));
        return;
    }
    FLastDumpError.clear();
    FTimerImage = merged;
    FPortNames = parsed.PortNames;
    FRxBuffer.remove(0, DumpConsumedLength);
    ReplaceRows(FConfiguration.Timers, timerRows);
    ReplaceRows(FConfiguration.Ports, portRows);
    FWindow->StoreTemperature(parsed.Temperature);
}

} // namespace lumotrix
