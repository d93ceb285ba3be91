#include "ControllerProtocol.h"

#include "runtime/Exception.h"

#include <QDate>
#include <algorithm>

namespace lumotrix {

namespace {

// A value written into a fixed-width dump field.
QByteArray FixedField(qint64 value, int width, const char* what) {
    QByteArray text = value < 0 ? QByteArray::number(value).rightJustified(width, ' ')
                                : PaddedDecimal(value, width);
    if (text.size() != width)
        throw ERangeError(QStringLiteral("%1 %2 does not fit %3 characters")
                              .arg(QLatin1String(what))
                              .arg(value)
                              .arg(width));
    return text;
}

} // namespace

QByteArray BuildDump(const TControllerConfig& config) {
    QByteArray dump;
    dump.reserve(DumpLength);
    for (int k = 0; k < TimerCount; ++k) {
        const TimerRecord& r = config.Timers[k];
        dump += FixedField(k, 3, "timer index");
        dump += FixedField(r.StartHour, 3, "start hour");
        dump += FixedField(r.StartMinute, 3, "start minute");
        dump += FixedField(r.StartSecond, 3, "start second");
        dump += FixedField(r.Day, 3, "day code");
        dump += FixedField(r.DurationHour, 3, "duration hours");
        dump += FixedField(r.DurationMinute, 3, "duration minutes");
        dump += FixedField(r.IsOn == 1 ? 1 : 0, 3, "state");
        dump += FixedField(qint64(r.OutputPort) - 1, 3, "port");
    }
    for (const AnsiString& name : config.PortNames) {
        if (name.size() > DumpPortNameLength)
            throw ERangeError(QStringLiteral("port name \"%1\" is longer than %2 characters")
                                  .arg(FromAnsi(name))
                                  .arg(DumpPortNameLength));
        dump += name.leftJustified(DumpPortNameLength, ' ');
    }
    const TTemperatureSettings& t = config.Temperature;
    dump += FixedField(t.SensorEnabled ? 1 : 0, 4, "sensor flag");
    for (double degrees : {t.MinTemp, t.MaxTemp, t.TempIdeale}) {
        const qint64 tenths = Tenths(degrees);
        if (tenths < 0)
            throw ERangeError(QStringLiteral("temperature %1 is below zero").arg(degrees));
        dump += FixedField(tenths, 6, "temperature");
    }
    dump += FixedField(t.Isteresi, 4, "hysteresis");
    dump += FixedField(qint64(t.PrimaPt) - 1, 4, "first port");
    dump += FixedField(qint64(t.SecondaPt) - 1, 4, "second port");
    dump += ETX;
    return dump;
}

namespace {

// Walks a transfer from the front, refusing anything out of place.
class TTransferReader {
public:
    explicit TTransferReader(const QByteArray& bytes) : FBytes(bytes) {}

    qsizetype Offset() const { return FAt; }

    void Expect(char control, const char* name, const QString& where) {
        if (FAt >= FBytes.size())
            RefuseDump(QStringLiteral("transfer ends where %1 is expected %2")
                           .arg(QLatin1String(name), where),
                       FAt);
        if (FBytes[FAt] != control)
            RefuseDump(QStringLiteral("byte 0x%1 where %2 is expected %3")
                           .arg(static_cast<unsigned char>(FBytes[FAt]), 2, 16, QChar('0'))
                           .arg(QLatin1String(name), where),
                       FAt);
        ++FAt;
    }

    qint64 Field(int width, bool signedOk, const QString& what) {
        const qint64 value = ReadFixedNumber(FBytes, FAt, width, signedOk, what);
        // The PC pads with zeros, never with spaces.
        if (FBytes[FAt] == ' ')
            RefuseDump(QStringLiteral("%1 starts with a space").arg(what), FAt);
        FAt += width;
        return value;
    }

    QByteArray UpTo(char control, qsizetype limit, const QString& what) {
        const qsizetype end = FBytes.indexOf(control, FAt);
        if (end < 0)
            RefuseDump(QStringLiteral("%1 is not closed by EOT").arg(what), FAt);
        const QByteArray text = FBytes.mid(FAt, end - FAt);
        if (text.size() > limit)
            RefuseDump(QStringLiteral("%1 is %2 bytes long, more than %3")
                           .arg(what)
                           .arg(text.size())
                           .arg(limit),
                       FAt);
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text[i] == SOH || text[i] == STX || text[i] == ETX)
                RefuseDump(QStringLiteral("%1 holds a control byte").arg(what), FAt + i);
        FAt = end + 1;
        return text;
    }

private:
    const QByteArray& FBytes;
    qsizetype FAt = 0;
};

} // namespace

TTransferContent ParseTransfer(const QByteArray& transfer) {
    TTransferReader in(transfer);
    TTransferContent content;
    in.Expect(STX, "STX", QStringLiteral("at the start"));
    for (int k = 0; k < TimerCount; ++k) {
        const QString packet = QStringLiteral("timer packet %1").arg(k + 1);
        qint64 f[9];
        const qsizetype start = in.Offset();
        for (int i = 0; i < 9; ++i)
            f[i] = in.Field(2, true, QStringLiteral("field %1 of %2").arg(i + 1).arg(packet));
        in.Expect(EOT, "EOT", QStringLiteral("after the 18 digits of %1").arg(packet));
        if (f[0] != k)
            RefuseDump(QStringLiteral("%1 carries index %2").arg(packet).arg(f[0]), start);
        if (f[7] != 0 && f[7] != 1)
            RefuseDump(QStringLiteral("%1 has state %2, neither 00 nor 01").arg(packet).arg(f[7]),
                       start + 14);
        TimerRecord& r = content.Config.Timers[k];
        r.StartHour = std::int32_t(f[1]);
        r.StartMinute = std::int32_t(f[2]);
        r.StartSecond = std::int32_t(f[3]);
        r.Day = std::int32_t(f[4]);
        r.DurationHour = std::int32_t(f[5]);
        r.DurationMinute = std::int32_t(f[6]);
        r.IsOn = std::uint8_t(f[7]);
        r.OutputPort = std::int32_t(f[8] + 1);
    }
    in.Expect(SOH, "SOH", QStringLiteral("after the timers"));
    for (int p = 0; p < PortCount; ++p)
        content.Config.PortNames[p] =
            in.UpTo(EOT, DumpPortNameLength, QStringLiteral("name of port %1").arg(p + 1));
    in.Expect(SOH, "SOH", QStringLiteral("after the port names"));

    const qsizetype dateAt = in.Offset();
    for (int i = 0; i < 7; ++i)
        content.Date[i] =
            int(in.Field(2, false, QStringLiteral("field %1 of the date").arg(i + 1)));
    in.Expect(EOT, "EOT", QStringLiteral("after the date"));
    const auto& d = content.Date;
    const bool allZero = std::all_of(d.begin(), d.end(), [](int v) { return v == 0; });
    if (!allZero) {
        const QDate date(2000 + d[0], d[1], d[2]);
        if (!date.isValid())
            RefuseDump(QStringLiteral("date packet holds no valid date"), dateAt);
        if (d[3] > 23 || d[4] > 59 || d[5] > 59)
            RefuseDump(QStringLiteral("date packet holds no valid time"), dateAt + 6);
        if (d[6] != date.dayOfWeek())
            RefuseDump(QStringLiteral("date packet names day of week %1, the date falls on %2")
                           .arg(d[6])
                           .arg(date.dayOfWeek()),
                       dateAt + 12);
    }
    in.Expect(SOH, "SOH", QStringLiteral("after the date"));

    TTemperatureSettings& t = content.Config.Temperature;
    const qint64 sensor = in.Field(2, false, QStringLiteral("sensor flag"));
    if (sensor > 1)
        RefuseDump(QStringLiteral("sensor flag is %1, neither 00 nor 01").arg(sensor),
                   in.Offset() - 2);
    t.SensorEnabled = sensor == 1;
    t.MinTemp = double(in.Field(3, false, QStringLiteral("minimum temperature"))) / 10.0;
    t.MaxTemp = double(in.Field(3, false, QStringLiteral("maximum temperature"))) / 10.0;
    t.TempIdeale = double(in.Field(3, false, QStringLiteral("ideal temperature"))) / 10.0;
    t.Isteresi = int(in.Field(3, false, QStringLiteral("hysteresis")));
    t.PrimaPt = int(in.Field(2, true, QStringLiteral("first port")) + 1);
    t.SecondaPt = int(in.Field(2, true, QStringLiteral("second port")) + 1);
    in.Expect(EOT, "EOT", QStringLiteral("after the temperature record"));
    in.Expect(ETX, "ETX", QStringLiteral("at the end"));
    if (in.Offset() != transfer.size())
        RefuseDump(QStringLiteral("%1 bytes follow the ETX").arg(transfer.size() - in.Offset()),
                   in.Offset());
    return content;
}

} // namespace lumotrix
