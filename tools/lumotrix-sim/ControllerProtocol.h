#pragma once

// The controller's side of the protocol: the configuration it holds, the dump it transmits and
// its check of a transfer from the PC. The virtual controller and the tests use it; the program
// speaks only the PC's side.

#include "link/Dump.h"
#include "link/Framing.h"

#include <QByteArray>
#include <array>

namespace lumotrix {

// Everything a send carries besides the date.
struct TControllerConfig {
    TTimerImage Timers{}; // send convention: Day is the day code
    TPortNames PortNames{};
    TTemperatureSettings Temperature{};

    bool operator==(const TControllerConfig&) const = default;
};

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
