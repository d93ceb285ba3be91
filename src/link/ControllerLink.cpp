#include "link/ControllerLink.h"

#include "runtime/Exception.h"

#include <limits>
#include <utility>

namespace lumotrix {

namespace {

template <typename F, typename... A> void Call(const F& hook, A&&... args) {
    if (hook)
        hook(std::forward<A>(args)...);
}

// Runs `body`, then `end`, also when `body` throws; the exception goes on after `end`.
template <typename E, typename B> void AlwaysEndingWith(const E& end, B&& body) {
    try {
        body();
    } catch (...) {
        end();
        throw;
    }
    end();
}

constexpr int SendProgressMax = 454;
constexpr int ReceiveProgressMax = 1396;
constexpr qint64 Second = 1000;

} // namespace

TControllerLink::TControllerLink(TSerialPort& port, TPause& pause, const TClock& clock,
                                 TLinkHooks hooks)
    : FPort(port), FPause(pause), FClock(clock), FHooks(std::move(hooks)) {}

void TControllerLink::AttachTables(TMemData* timerTable, TMemData* portTable,
                                   const TDayNames* dayNames) {
    FTimerTable = timerTable;
    FPortTable = portTable;
    FDayNames = dayNames;
}

void TControllerLink::RetrieveMemData() {
    if (FTimerTable && FDayNames)
        lumotrix::RetrieveMemData(*FTimerTable, *FDayNames, FTimerImage);
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
        throw EConvertError(QStringLiteral("Ritardo non valido: \"%1\". Indicare in \"Ritardo "
                                           "sec.:\" un numero intero di secondi, 0 o maggiore.")
                                .arg(text));
    return int(seconds);
}

void TControllerLink::CheckSendRequest(const TSendRequest& request) {
    ReadDelay(request.DelayText);
    if (request.PortNames.size() < PortCount)
        throw Exception(QStringLiteral("La tabella delle porte ha %1 righe invece di %2: ricevere "
                                       "la configurazione dal PIC o aprire un file di "
                                       "configurazione prima dell'invio.")
                            .arg(request.PortNames.size())
                            .arg(PortCount));
    for (int p = 0; p < PortCount; ++p)
        for (char c : request.PortNames[p])
            if (c >= SOH && c <= EOT)
                throw Exception(QStringLiteral("Il nome della porta %1 contiene un carattere di "
                                               "controllo (codice %2): correggerlo nella pagina "
                                               "\"Porte\" prima dell'invio.")
                                    .arg(p + 1)
                                    .arg(int(c)));
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
    Call(FHooks.SetProgress, FProgress);
}

void TControllerLink::PacketSend(int index) {
    if (index < 1 || index > TimerCount)
        throw ERangeError(QStringLiteral("Timer %1 inesistente").arg(index));
    WritePieces(TimerPacket(index, FTimerImage[index - 1]));
}

void TControllerLink::DateSend(bool syncDate) {
    WritePieces(DatePacket(syncDate ? FClock.Now() : QDateTime()));
}

void TControllerLink::Send(const TSendRequest& request) {
    FTransferMode = QStringLiteral("I");
    Call(FHooks.TransferStart, FTransferMode);
    const auto transferEnd = [this] { Call(FHooks.TransferEnd, FTransferMode); };
    AlwaysEndingWith(transferEnd, [&] {
        Call(FHooks.SetProgressMax, SendProgressMax);
        CheckSendRequest(request);
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
            Write(request.PortNames[p]);
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
    });
}

void TControllerLink::ReceiveCommand() {
    FTransferMode = QStringLiteral("R");
    const auto unlock = [this] {
        Call(FHooks.TransferEnd, FTransferMode);
        Call(FHooks.DisableSaveAndClear);
    };
    if (FPort.IsOpen()) {
        AlwaysEndingWith(unlock, [this] { FPort.Close(); });
        return;
    }
    FRxBuffer.clear();
    Call(FHooks.SetProgressMax, ReceiveProgressMax);
    Call(FHooks.TransferStart, FTransferMode);
    AlwaysEndingWith(unlock, [this] { FPort.Open(); });
}

void TControllerLink::ComPortRxChar(int count) {
    Call(FHooks.SetReceiveEnabled, false);
    const QByteArray batch = FPort.ReadStr(count);
    if (batch.isEmpty())
        return;
    // The controller sends its STX in a batch of its own ahead of the dump.
    if (batch.front() != STX)
        FRxBuffer += batch;
    Call(FHooks.SetProgress,
         int(qMin<qsizetype>(FRxBuffer.size(), std::numeric_limits<int>::max())));
}

void TControllerLink::ReceiveEnd() {
    Call(FHooks.TransferEnd, QStringLiteral("R"));
    Call(FHooks.SetSendEnabled, true);
}

void TControllerLink::ComPortRxFlag() {
    const auto receiveEnd = [this] { ReceiveEnd(); };
    TParsedDump parsed;
    TTimerImage merged;
    TTableRows timerRows, portRows;
    try {
        parsed = ParseDump(FRxBuffer);
        merged = MergeDumpTimers(FTimerImage, parsed);
        static const TDayNames noNames;
        if (FTimerTable)
            timerRows = BuildTimerRows(*FTimerTable, merged, FDayNames ? *FDayNames : noNames);
        if (FPortTable)
            portRows = BuildPortRows(*FPortTable, parsed.PortNames);
    } catch (const Exception& e) {
        // A line glitch must leave the keeper's configuration as it was.
        FLastDumpError = e.Message();
        AlwaysEndingWith(receiveEnd, [this] { Call(FHooks.ShowError, SerialErrorMessage); });
        return;
    }
    FLastDumpError.clear();
    AlwaysEndingWith(receiveEnd, [&] {
        FTimerImage = merged;
        FPortNames = parsed.PortNames;
        FRxBuffer.remove(0, DumpConsumedLength);
        if (FTimerTable)
            ReplaceRows(*FTimerTable, timerRows);
        if (FPortTable)
            ReplaceRows(*FPortTable, portRows);
        Call(FHooks.StoreTemperature, parsed.Temperature);
    });
}

} // namespace lumotrix
