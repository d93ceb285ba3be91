#pragma once

#include "model/Configuration.h"

#include <QStringList>

namespace lumotrix {

// What differs between two configurations, one line per difference, old value first.
struct TConfigDiff {
    // What reaches the controller: each timer's port, day, start, duration and state as the send
    // reads them, the port names without their fill, the temperature settings as sent.
    QStringList Controller;
    // Timer labels, which the controller never sees.
    QStringList Labels;
};

// Reads both configurations' tables as a send would (their current rows move).
TConfigDiff DiffConfigurations(TConfiguration& first, TConfiguration& second);

// The lines of `diff`, the labels under a heading of their own; empty when nothing differs.
QString DiffToText(const TConfigDiff& diff);

} // namespace lumotrix
