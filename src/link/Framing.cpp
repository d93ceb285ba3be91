#include "link/Framing.h"

#include <cmath>

namespace lumotrix {

AnsiString PaddedDecimal(qint64 value, int width) {
    AnsiString text = AnsiString::number(value);
    if (text.size() < width)
        text.prepend(AnsiString(width - text.size(), '0'));
    return text;
}

qint64 Tenths(double degrees) {
    return std::llround(degrees * 10.0);
}

QList<AnsiString> TimerPacket(int index, const TimerRecord& record) {
    return {PaddedDecimal(index - 1, 2),
            PaddedDecimal(record.StartHour, 2),
            PaddedDecimal(record.StartMinute, 2),
            PaddedDecimal(record.StartSecond, 2),
            PaddedDecimal(record.Day, 2),
            PaddedDecimal(record.DurationHour, 2),
            PaddedDecimal(record.DurationMinute, 2),
            AnsiString(record.IsOn == 1 ? "01" : "00"),
            PaddedDecimal(qint64(record.OutputPort) - 1, 2),
            AnsiString(1, EOT)};
}

QList<AnsiString> DatePacket(const QDateTime& now) {
    int fields[7] = {};
    if (now.isValid()) {
        // One reading of the clock, so the fields can't straddle a change of second.
        const QDate date = now.date();
        const QTime time = now.time();
        fields[0] = ((date.year() % 100) + 100) % 100;
        fields[1] = date.month();
        fields[2] = date.day();
        fields[3] = time.hour();
        fields[4] = time.minute();
        fields[5] = time.second();
        fields[6] = date.dayOfWeek(); // 1 = Monday .. 7 = Sunday
    }
    QList<AnsiString> pieces;
    for (int field : fields)
        pieces.append(PaddedDecimal(field, 2));
    pieces.append(AnsiString(1, EOT));
    return pieces;
}

QList<AnsiString> TemperatureRecord(const TTemperatureSettings& settings) {
    return {PaddedDecimal(settings.SensorEnabled ? 1 : 0, 2),
            PaddedDecimal(Tenths(settings.MinTemp), 3),
            PaddedDecimal(Tenths(settings.MaxTemp), 3),
            PaddedDecimal(Tenths(settings.TempIdeale), 3),
            PaddedDecimal(settings.Isteresi, 3),
            PaddedDecimal(qint64(settings.PrimaPt) - 1, 2),
            PaddedDecimal(qint64(settings.SecondaPt) - 1, 2),
            AnsiString(1, EOT)};
}

} // namespace lumotrix
