#include "link/Dump.h"

#include "link/LinkMessageIds.h"
#include "runtime/Exception.h"

#include <limits>

namespace lumotrix {

void RefuseDump(const QString& what, qsizetype offset) {
    // The detail names the field in the protocol's terms, for whoever debugs the line.
    throw EReadError(TMessage(msgDumpRefused, {what, offset}));
}

namespace {

QString Shown(const QByteArray& bytes) {
    QString text;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F)
            text += QChar(u);
        else
            text += QStringLiteral("\\x%1").arg(u, 2, 16, QChar('0'));
    }
    return text;
}

} // namespace

namespace {

// ReadFixedNumber's test without a message: true with `value` when the `width` bytes at
// `field` hold a number. The parse calls it for every field, so nothing here allocates.
bool ParseFixedNumber(const char* field, int width, bool signedOk, qint64& value) {
    int i = 0;
    while (i < width && field[i] == ' ')
        ++i;
    bool negative = false;
    if (signedOk && i < width && field[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == width)
        return false;
    qint64 digits = 0;
    for (; i < width; ++i) {
        const char c = field[i];
        if (c < '0' || c > '9')
            return false;
        digits = digits * 10 + (c - '0'); // at most 6 digits: no overflow
    }
    value = negative ? -digits : digits;
    return true;
}

} // namespace

qint64 ReadFixedNumber(const QByteArray& bytes, qsizetype offset, int width, bool signedOk,
                       const QString& what) {
    if (offset < 0 || offset + width > bytes.size())
        RefuseDump(QStringLiteral("%1 is cut short").arg(what), offset);
    qint64 value = 0;
    if (!ParseFixedNumber(bytes.constData() + offset, width, signedOk, value)) {
        const QByteArray field = bytes.mid(offset, width);
        RefuseDump(QStringLiteral("%1 is not a number: \"%2\"").arg(what, Shown(field)), offset);
    }
    return value;
}

namespace {

// `what` names the field; it is called only to word a refusal, so a good dump builds no text.
template <typename What>
void CheckRange(qint64 value, qint64 low, qint64 high, const What& what, qsizetype offset) {
    if (value < low || value > high)
        RefuseDump(
            QStringLiteral("%1 is %2, outside %3 to %4").arg(what()).arg(value).arg(low).arg(high),
            offset);
}

} // namespace

TParsedDump ParseDump(const QByteArray& dump) {
    if (dump.size() != DumpLength)
        RefuseDump(
            QStringLiteral("dump is %1 bytes long instead of %2").arg(dump.size()).arg(DumpLength),
            0);
    if (dump.back() != ETX)
        RefuseDump(QStringLiteral("dump does not end with ETX"), DumpLength - 1);

    TParsedDump parsed;
    qsizetype at = 0;
    for (int r = 0; r < TimerCount; ++r) {
        const auto record = [r] { return QStringLiteral("timer record %1").arg(r + 1); };
        const auto named = [&record](const char* field) {
            return [&record, field] { return record() + QLatin1String(field); };
        };
        const char* const data = dump.constData() + at;
        qint64 f[9];
        for (int k = 0; k < 9; ++k)
            if (!ParseFixedNumber(data + 3 * k, 3, true, f[k]))
                f[k] = ReadFixedNumber(dump, at + 3 * k, 3, true, // refuses the field
                                       QStringLiteral("field %1 of %2").arg(k + 1).arg(record()));
        CheckRange(f[0], 0, TimerCount - 1, named(": timer index"), at);
        CheckRange(f[1], 0, 23, named(": start hour"), at + 3);
        CheckRange(f[2], 0, 59, named(": start minute"), at + 6);
        CheckRange(f[3], 0, 59, named(": start second"), at + 9);
        CheckRange(f[4], 0, 7, named(": day code"), at + 12);
        CheckRange(f[5], 0, 23, named(": duration hours"), at + 15);
        CheckRange(f[6], 0, 59, named(": duration minutes"), at + 18);
        TDumpTimer& t = parsed.Timers[r];
        t.Index = int(f[0]);
        t.Record.StartHour = std::int32_t(f[1]);
        t.Record.StartMinute = std::int32_t(f[2]);
        t.Record.StartSecond = std::int32_t(f[3]);
        t.Record.Day = std::int32_t(f[4] + 1);
        t.Record.DurationHour = std::int32_t(f[5]);
        t.Record.DurationMinute = std::int32_t(f[6]);
        t.Record.IsOn = f[7] == 1 ? 1 : 0;
        t.Record.OutputPort = std::int32_t(f[8] + 1);
        at += DumpTimerRecordLength;
    }
    for (int p = 0; p < PortCount; ++p) {
        parsed.PortNames[p] = dump.mid(at, DumpPortNameLength);
        at += DumpPortNameLength;
    }
    TTemperatureSettings& t = parsed.Temperature;
    t.SensorEnabled = ReadFixedNumber(dump, at, 4, true, QStringLiteral("sensor flag")) == 1;
    at += 4;
    double* temps[3] = {&t.MinTemp, &t.MaxTemp, &t.TempIdeale};
    const char* names[3] = {"minimum temperature", "maximum temperature", "ideal temperature"};
    for (int k = 0; k < 3; ++k) {
        *temps[k] = double(ReadFixedNumber(dump, at, 6, false, QLatin1String(names[k]))) / 10.0;
        at += 6;
    }
    t.Isteresi = int(ReadFixedNumber(dump, at, 4, true, QStringLiteral("hysteresis")));
    at += 4;
    t.PrimaPt = int(ReadFixedNumber(dump, at, 4, true, QStringLiteral("first port")) + 1);
    at += 4;
    t.SecondaPt = int(ReadFixedNumber(dump, at, 4, true, QStringLiteral("second port")) + 1);
    return parsed;
}

TTimerImage MergeDumpTimers(const TTimerImage& image, const TParsedDump& dump) {
    TTimerImage merged = image;
    for (const TDumpTimer& t : dump.Timers)
        merged[t.Index] = t.Record;
    return merged;
}

} // namespace lumotrix
