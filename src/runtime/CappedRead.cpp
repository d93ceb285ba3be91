#include "runtime/CappedRead.h"

namespace lumotrix {

std::optional<QByteArray> ReadAllUpTo(QIODevice& device, qint64 limit) {
    constexpr qint64 Chunk = 64 * 1024;
    QByteArray bytes;
    // A regular file says how much it holds: one allocation of that size (plus the probe byte
    // that tells a file which grew meanwhile).
    const qint64 announced = device.isSequential() ? 0 : device.size() - device.pos();
    if (announced > limit)
        return std::nullopt;
    bytes.reserve(qsizetype(qMax<qint64>(announced, 0) + 1));
    for (;;) {
        const qint64 want = qMin(Chunk, limit + 1 - qint64(bytes.size()));
        const qsizetype before = bytes.size();
        bytes.resize(before + qsizetype(want));
        const qint64 got = device.read(bytes.data() + before, want);
        bytes.resize(before + qsizetype(qMax<qint64>(got, 0)));
        if (bytes.size() > limit)
            return std::nullopt;
        if (got <= 0)
            return bytes;
    }
}

} // namespace lumotrix
