#pragma once

#include "link/Dump.h"
#include "link/Framing.h"
#include "link/LinkMessageIds.h"
#include "link/LinkWindow.h"
#include "link/Pause.h"
#include "model/Configuration.h"
#include "runtime/SerialPort.h"

#include <QString>

namespace lumotrix {

// What only the window knows at the moment of a send; the timers, the port names and the day
// names come from the configuration.
struct TSendRequest {
    QString DelayText = QStringLiteral("1"); // the text of "Ritardo sec.:"
    bool SyncDate = true;                    // "Sync Data" is down
    TTemperatureSettings Temperature;        // read from the temperature page's editors
};

// The controller link's transfer state and its operations: the send sequence, the receive
// command, the accumulation of received batches and the parse of the dump.
class TControllerLink {
public:
    // The send fills TimerImage from the configuration's timer table and reads its port table;
    // a good dump rebuilds both tables. `window` is told what happens; without one nothing is.
    TControllerLink(TSerialPort& port, TPause& pause, const TClock& clock,
                    TConfiguration& configuration, TLinkWindow* window = nullptr);

    void SetWindow(TLinkWindow* window);

    // TimerImage from the configuration's timer table.
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
    // Throws an Exception saying what to do when a send could not go out whole: a bad delay,
    // fewer than eight port names, a name holding a framing byte.
    static void CheckSendRequest(const TSendRequest& request, const QList<AnsiString>& portNames);

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
    // configuration's tables and (through the window) the temperature page. A dump that fails any
    // check changes nothing and shows msgSerialError; the window is unlocked either way.
    void ComPortRxFlag();

    // The port closed by itself, the line gone: a half-received dump is dropped, a receive's
    // commands return to where closing the port leaves them, and the window says why.
    void LineLost(const QString& message);

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
    TConfiguration& FConfiguration;
    TLinkWindow* FWindow;

    QString FTransferMode;
    QByteArray FRxBuffer;
    TTimerImage FTimerImage{};
    TPortNames FPortNames{};
    QString FLastDumpError;
    int FProgress = 0;
};

} // namespace lumotrix
