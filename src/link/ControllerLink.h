#pragma once

#include "link/Dump.h"
#include "link/Framing.h"
#include "link/Pause.h"
#include "link/TimerTables.h"
#include "runtime/SerialPort.h"

#include <QString>
#include <functional>

namespace lumotrix {

// What the window does around a transfer. Every hook may be left empty.
struct TLinkHooks {
    // Lock and unlock the window's commands; the argument is TransferMode ("I" or "R").
    std::function<void(const QString& mode)> TransferStart;
    std::function<void(const QString& mode)> TransferEnd;
    std::function<void(int maximum)> SetProgressMax;
    std::function<void(int position)> SetProgress;
    std::function<void(bool enabled)> SetReceiveEnabled; // "Ricezione dati"
    std::function<void(bool enabled)> SetSendEnabled;    // "Invio dati"
    // The receive command disables "Salva " and "Azzera dati" after its unlock.
    std::function<void()> DisableSaveAndClear;
    // A dump that passed every check: set the temperature page's editors. The attached
    // tables have been rebuilt by then.
    std::function<void(const TTemperatureSettings& received)> StoreTemperature;
    // An error message box captioned with the application title.
    std::function<void(const QString& message)> ShowError;
};

// What a send carries, read from the window before the transfer starts.
struct TSendRequest {
    QString DelayText = QStringLiteral("1"); // the text of "Ritardo sec.:"
    bool SyncDate = true;                    // "Sync Data" is down
    QList<AnsiString> PortNames;             // Descrizione of the port rows, in row order
    TTemperatureSettings Temperature;
};

// The message shown for any dump that fails a check.
inline const QString SerialErrorMessage = QStringLiteral("12:Errore di comunicazione seriale");

// The controller link's transfer state and its operations: the send sequence, the receive
// command, the accumulation of received batches and the parse of the dump.
class TControllerLink {
public:
    TControllerLink(TSerialPort& port, TPause& pause, const TClock& clock, TLinkHooks hooks = {});

    TLinkHooks& Hooks() { return FHooks; }

    // The window's timer table, port table and day names. The send fills TimerImage from the
    // timer table; a good dump rebuilds both tables. Without them TimerImage is sent as it
    // stands and a dump only updates TimerImage and PortNames.
    void AttachTables(TMemData* timerTable, TMemData* portTable, const TDayNames* dayNames);
    // TimerImage from the attached timer table.
    void RetrieveMemData();

    const QString& TransferMode() const { return FTransferMode; }
    const QByteArray& RxBuffer() const { return FRxBuffer; }
    TTimerImage& TimerImage() { return FTimerImage; }
    const TPortNames& PortNames() const { return FPortNames; }
    // Why the last dump was refused; empty after a successful parse.
    const QString& LastDumpError() const { return FLastDumpError; }

    // The delay text as whole seconds. Throws EConvertError, saying what to type, when the
    // text is not a whole number of seconds or is negative.
    static int ReadDelay(const QString& text);
    // Throws an Exception saying what to do when a send could not go out whole.
    static void CheckSendRequest(const TSendRequest& request);

    // The send command ("Invio dati"), start to end. Everything that could stop it half way
    // is checked before the port is opened; TransferEnd("I") runs however it ends.
    void Send(const TSendRequest& request);
    // Writes the timer packet of timer `index` (1..42) from TimerImage.
    void PacketSend(int index);
    // Writes the date packet: the clock's reading when `syncDate`, zeros otherwise.
    void DateSend(bool syncDate);

    // The receive command ("Ricezione dati"): opens the port and listens, or closes it when
    // it is open.
    void ReceiveCommand();
    // OnRxChar: appends the waiting batch to RxBuffer unless it begins with STX.
    void ComPortRxChar(int count);
    // OnRxFlag: checks the dump whole, then stores it into TimerImage, PortNames, the
    // attached tables and (through the hook) the temperature page. A dump that fails any
    // check changes nothing and shows SerialErrorMessage; the window is unlocked either way.
    void ComPortRxFlag();

    // Routes the port's receive events to ComPortRxChar and ComPortRxFlag.
    void BindPortEvents();

private:
    void Write(const QByteArray& bytes);
    void WritePieces(const QList<AnsiString>& pieces);
    void Pause(qint64 milliseconds);
    void Advance(int by);
    void ReceiveEnd();

    TSerialPort& FPort;
    TPause& FPause;
    const TClock& FClock;
    TLinkHooks FHooks;
    TMemData* FTimerTable = nullptr;
    TMemData* FPortTable = nullptr;
    const TDayNames* FDayNames = nullptr;

    QString FTransferMode;
    QByteArray FRxBuffer;
    TTimerImage FTimerImage{};
    TPortNames FPortNames{};
    QString FLastDumpError;
    int FProgress = 0;
};

} // namespace lumotrix
