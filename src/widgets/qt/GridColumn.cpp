#include "widgets/qt/GridColumn.h"

#include "runtime/FormatSettings.h"

#include <QTime>
#include <cmath>

namespace lumotrix {

namespace {
constexpr int MsecsPerDay = 24 * 60 * 60 * 1000;
} // namespace

// The time columns' pictures: a 24-hour clock (a duration has no AM or PM) with the time
// separator of the format settings in force.
QString NotedItem(const TGridColumn& column, const QString& item) {
    const qsizetype at = column.Items.indexOf(item);
    if (at < 0 || at >= column.ItemNotes.size() || column.ItemNotes[at].isEmpty())
        return item;
    return QStringLiteral("%1 (%2)").arg(item, column.ItemNotes[at]);
}

QString TimeColumnFormat(TColumnKind kind) {
    const QChar c = FormatSettings().TimeSeparator;
    const QString separator =
        c.isLetter() || c == u'\'' ? QStringLiteral("'%1'").arg(c) : QString(c);
    return kind == TColumnKind::Time ? QLatin1String("HH") + separator + QLatin1String("mm") +
                                           separator + QLatin1String("ss")
                                     : QLatin1String("HH") + separator + QLatin1String("mm");
}

double DayFraction(const QVariant& value) {
    if (value.typeId() == QMetaType::QTime) {
        QTime time = value.toTime();
        return time.isValid() ? time.msecsSinceStartOfDay() / double(MsecsPerDay) : 0.0;
    }
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time().msecsSinceStartOfDay() / double(MsecsPerDay);
    bool ok = false;
    double days = value.toDouble(&ok);
    return ok ? days : 0.0;
}

QTime ToTime(const QVariant& value) {
    if (value.typeId() == QMetaType::QTime)
        return value.toTime();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time();
    bool ok = false;
    double days = value.toDouble(&ok);
    if (!ok || !value.isValid() || value.isNull())
        return QTime();
    // Only the time of day counts: a whole number of days is dropped.
    double fraction = days - std::floor(days);
    int msecs = qBound(0, qRound(fraction * MsecsPerDay), MsecsPerDay - 1);
    return QTime::fromMSecsSinceStartOfDay(msecs);
}

} // namespace lumotrix
