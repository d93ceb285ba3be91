#pragma once

#include <QtGlobal>

namespace lumotrix {

// The serial protocol's messages (see runtime/MessageIds.h for the numbering).
enum TLinkMessageId : quint16 {
    // Sending to the controller and reading its answer.
    msgBadDelay = 64938,
    msgPortTableIncomplete = 64937,
    msgPortNameControlChar = 64936,
    msgDumpRefused = 64935,
    // A dump refused by its checks; the leading "12:" is the controller's error number.
    msgSerialError = 64863,
};

} // namespace lumotrix
