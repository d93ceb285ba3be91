#include "lumotrix-sim/VirtualController.h"

#include "link/Framing.h"
#include "runtime/Exception.h"

namespace lumotrix {

namespace {

QString Two(qint64 v) {
    return QString::fromLatin1(PaddedDecimal(v, 2));
}
QString Three(qint64 v) {
    return QString::fromLatin1(PaddedDecimal(v, 3));
}

// A name as readable text: Windows-1252 decoded, quotes and controls escaped.
QString Quoted(const AnsiString& name) {
    QString text = QStringLiteral("\"");
    for (QChar c : FromAnsi(name)) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            text += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text + QLatin1Char('"');
}

} // namespace

QStringList TVirtualController::Describe(const TTransferContent& content, qsizetype bytes) {
    const auto& d = content.Date;
    QStringList lines;
    lines << QStringLiteral("transfer ok: %1 bytes, %2 timers, %3 port names, date %4")
                 .arg(bytes)
                 .arg(TimerCount)
                 .arg(PortCount)
                 .arg(std::all_of(d.begin(), d.end(), [](int v) { return v == 0; })
                          ? QStringLiteral("not synchronised")
                          : QStringLiteral("20%1-%2-%3 %4:%5:%6 weekday %7")
                                .arg(Two(d[0]), Two(d[1]), Two(d[2]), Two(d[3]), Two(d[4]),
                                     Two(d[5]), Two(d[6])));
    for (int k = 0; k < TimerCount; ++k) {
        const TimerRecord& r = content.Config.Timers[k];
        lines << QStringLiteral("timer %1: start %2:%3:%4 day %5 duration %6:%7 state %8 port %9")
                     .arg(Two(k), Two(r.StartHour), Two(r.StartMinute), Two(r.StartSecond),
                          Two(r.Day), Two(r.DurationHour), Two(r.DurationMinute), Two(r.IsOn),
                          Two(r.OutputPort - 1));
    }
    for (int p = 0; p < PortCount; ++p)
        lines << QStringLiteral("port %1: %2").arg(p + 1).arg(Quoted(content.Config.PortNames[p]));
    const TTemperatureSettings& t = content.Config.Temperature;
    lines << QStringLiteral("temperature: sensor %1 min %2 max %3 ideal %4 hysteresis %5 "
                            "first %6 second %7")
                 .arg(Two(t.SensorEnabled ? 1 : 0), Three(Tenths(t.MinTemp)),
                      Three(Tenths(t.MaxTemp)), Three(Tenths(t.TempIdeale)), Three(t.Isteresi),
                      Two(t.PrimaPt - 1), Two(t.SecondaPt - 1));
    return lines;
}

QStringList TVirtualController::Feed(const QByteArray& bytes) {
    QStringList report;
    for (char b : bytes) {
        // A new STX while a transfer is still open means the last one broke off.
        if (b == STX && !FPending.isEmpty()) {
            report << QStringLiteral("transfer error: broken off after %1 bytes, a new STX "
                                     "arrived before its ETX")
                          .arg(FPending.size())
                   << QStringLiteral("end");
            FPending.clear();
        }
        FPending += b;
        if (b != ETX)
            continue;
        try {
            const TTransferContent content = ParseTransfer(FPending);
            report << Describe(content, FPending.size());
            FConfig = content.Config;
            FLastTransfer = FPending;
            ++FGoodTransfers;
        } catch (const Exception& e) {
            report << QStringLiteral("transfer error: %1").arg(e.Message())
                   << QStringLiteral("received %1 bytes").arg(FPending.size());
        }
        report << QStringLiteral("end");
        FPending.clear();
    }
    return report;
}

} // namespace lumotrix
