#pragma once

#include "link/Framing.h"

#include <QByteArray>
#include <array>

namespace lumotrix {

// The controller's dump as it stands in RxBuffer when ETX arrives (its STX is not counted).
constexpr int DumpLength = 1425;
constexpr int DumpTimerRecordLength = 27;
constexpr int DumpPortNameLength = 32;
// What a successful parse leaves unread in RxBuffer: the second port field and the ETX.
constexpr int DumpConsumedLength = 1420;

// One timer record of the dump: the image record it names (0..41) and its values, with Day
// the day-name position (code + 1) and OutputPort the port number (code + 1).
struct TDumpTimer {
    int Index = 0;
    TimerRecord Record;
};

struct TParsedDump {
    std::array<TDumpTimer, TimerCount> Timers{}; // in the order they came
    TPortNames PortNames{};                      // 32 bytes each, fill included
    TTemperatureSettings Temperature{};
};

// Checks and decodes a whole dump. Throws EReadError saying what and where when the length,
// the closing ETX, a number, a timer index (0..41), a day code (0..7) or a time of day is
// wrong; nothing is returned in part.
TParsedDump ParseDump(const QByteArray& dump);

// `image` with the dump's records stored where their index says, in the order they came;
// records no index names keep their contents.
TTimerImage MergeDumpTimers(const TTimerImage& image, const TParsedDump& dump);

// Refuses a dump or transfer: EReadError saying what, with the offset where it sits.
[[noreturn]] void RefuseDump(const QString& what, qsizetype offset);

// A field of `width` bytes at `offset` holding a whole number: leading spaces, an optional
// minus (only when `signedOk`), then at least one digit and nothing else. RefuseDump otherwise,
// naming `what`.
qint64 ReadFixedNumber(const QByteArray& bytes, qsizetype offset, int width, bool signedOk,
                       const QString& what);

} // namespace lumotrix
