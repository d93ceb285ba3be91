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

// The dump a controller holding `config` transmits (1425 bytes, ETX last). Negative numbers
// are right-aligned behind spaces, which the reader accepts. Throws ERangeError when a value
// doesn't fit its field.
QByteArray BuildDump(const TControllerConfig& config);

// A whole PC-to-controller transfer, STX to ETX, decoded.
struct TTransferContent {
    TControllerConfig Config;  // Day as the day code, OutputPort as the port number
    std::array<int, 7> Date{}; // year - 2000, month, day, hour, minute, second, day of week
};

// Checks a transfer as the controller receives it: framing, every packet's width, the 42
// timers in order, the eight names, a plausible date packet and the temperature record.
// Throws EReadError saying what and where.
TTransferContent ParseTransfer(const QByteArray& transfer);

} // namespace lumotrix
