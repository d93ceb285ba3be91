#pragma once

#include "runtime/TypInfo.h"

#include <QList>
#include <QString>

namespace lumotrix {

// The line signals a port reports, one LED each.
enum class TComSignal { lsCTS, lsDSR, lsRLSD, lsTx, lsRx, lsConn };
inline constexpr TComSignal AllComSignals[] = {TComSignal::lsCTS,  TComSignal::lsDSR,
                                               TComSignal::lsRLSD, TComSignal::lsTx,
                                               TComSignal::lsRx,   TComSignal::lsConn};

enum class TParityBits { prNone, prOdd, prEven, prMark, prSpace };
LUMOTRIX_ENUM_NAMES(TParityBits, "prNone", "prOdd", "prEven", "prMark", "prSpace")
enum class TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
LUMOTRIX_ENUM_NAMES(TStopBits, "sbOneStopBit", "sbOne5StopBits", "sbTwoStopBits")
enum class TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
LUMOTRIX_ENUM_NAMES(TDTRFlowControl, "dtrDisable", "dtrEnable", "dtrHandshake")
enum class TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
LUMOTRIX_ENUM_NAMES(TRTSFlowControl, "rtsDisable", "rtsEnable", "rtsHandshake", "rtsToggle")

struct TComFlowControl {
    bool OutCTSFlow = false;
    bool OutDSRFlow = false;
    bool XonXoffOut = false;
    bool XonXoffIn = false;
    TDTRFlowControl ControlDTR = TDTRFlowControl::dtrDisable;
    TRTSFlowControl ControlRTS = TRTSFlowControl::rtsDisable;

    bool operator==(const TComFlowControl&) const = default;
};

// Everything the setup dialog edits and the store keeps, applied to a port as one set. The
// defaults are the controller's: "COM1", 9600 8N1, no flow control, DTR and RTS held off.
struct TComSettings {
    QString Port = QStringLiteral("COM1");
    int BaudRate = 9600;
    int DataBits = 8;
    TParityBits Parity = TParityBits::prNone;
    TStopBits StopBits = TStopBits::sbOneStopBit;
    TComFlowControl FlowControl;

    bool operator==(const TComSettings&) const = default;
};

const QList<int>& StandardBaudRates();
// Throws ERangeError naming the first refused value.
void CheckSettings(const TComSettings& settings);
// The device a port name stands for: "COM3" -> "/dev/ttyS2" on Linux; any other name (a
// device path) is taken as it is.
QString DeviceName(const QString& port);

} // namespace lumotrix
