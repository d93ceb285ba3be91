#pragma once

#include <QIODevice>
#include <optional>

namespace lumotrix {

// Reads an open device to its end, growing the buffer with what arrives, so a small file costs
// a small buffer. nullopt once more than `limit` bytes are there; a read error leaves the
// device's errorString() set and gives what was read so far.
std::optional<QByteArray> ReadAllUpTo(QIODevice& device, qint64 limit);

} // namespace lumotrix
