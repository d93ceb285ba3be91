#include "link/Dump.h"

#include "runtime/Exception.h"
#include "runtime/MessageIds.h"

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

qint64 ReadFixedNumber(const QByteArray& bytes, qsizetype offset, int width, bool signedOk,
                       const QString& what) {
    if (offset < 0 || offset + width > bytes.size())
        RefuseDump(QStringLiteral("%1 is cut short").arg(what), offset);
    const QByteArray field = bytes.mid(offset, width);
    int i = 0;
    while (i < width && field[i] == ' ')
        ++i;
    bool negative = false;
    if (signedOk && i < width && field[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == width)
        RefuseDump(QStringLiteral("%1 is not a number: \"%2\"").arg(what, Shown(field)), offset);
    qint64 value = 0;
    for (; i < width; ++i) {
        const char c = field[i];
        if (c < '0' || c > '9')
            RefuseDump(QStringLiteral("%1 is not a number: \"%2\"").arg(what, Shown(field)),
                       offset);
        value = value * 10 + (c - '0'); // at most 6 digits: no overflow
    }
    return negative ? -value : value;
}

namespace {

void CheckRange(qint64 value, qint64 low, qint64 high, const QString& what, qsizetype offset) {
    if (value < low || value > high)
        RefuseDump(
            QStringLiteral("%1 is %2, outside %3 to %4").arg(what).arg(value).arg(low).arg(high),
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
        const QString record = QStringLiteral("timer record %1").arg(r + 1);
        qint64 f[9];
        for (int k = 0; k < 9; ++k)
            f[k] = ReadFixedNumber(dump, at + 3 * k, 3, true,
                                   QStringLiteral("field %1 of %2").arg(k + 1).arg(record));
        CheckRange(f[0], 0, TimerCount - 1, record + QStringLiteral(": timer index"), at);
        CheckRange(f[1], 0, 23, record + QStringLiteral(": start hour"), at + 3);
        CheckRange(f[2], 0, 59, record + QStringLiteral(": start minute"), at + 6);
        CheckRange(f[3], 0, 59, record + QStringLiteral(": start second"), at + 9);
        CheckRange(f[4], 0, 7, record + QStringLiteral(": day code"), at + 12);
        CheckRange(f[5], 0, 23, record + QStringLiteral(": duration hours"), at + 15);
        CheckRange(f[6], 0, 59, record + QStringLiteral(": duration minutes"), at + 18);
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
