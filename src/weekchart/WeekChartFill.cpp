#include "weekchart/WeekChartFill.h"

#include "model/ModelMessageIds.h"
#include "runtime/CodePage.h"
#include "runtime/FormatSettings.h"
#include "weekchart/WeekChartMessageIds.h"

#include <algorithm>

namespace lumotrix {

namespace {

QString PortLabel(const TWeekPort& port) {
    return port.Name.isEmpty() ? MessageText(TMessage(msgWeekPortNoName, {port.Number}))
                               : FromAnsi(port.Name);
}

// A timer by its label; one without a label by its row, so it can still be found.
QString TimerLabel(const TWeekTimer& timer) {
    const QString label = FromAnsi(timer.Label).trimmed();
    return label.isEmpty() ? MessageText(TMessage(msgWeekTimerNoLabel, {timer.Row})) : label;
}

QString Capitalised(QString text) {
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// Seconds as "10:30": the day's total under its strip, short enough for a narrow column.
QString ClockText(int seconds) {
    return QStringLiteral("%1:%2")
        .arg(seconds / 3600)
        .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'));
}

// Beside the port's name: the same time every day, the shortest and the longest day, or none.
QString TotalsText(const TWeekPort& port) {
    const auto [least, most] = std::minmax_element(port.Daily.begin(), port.Daily.end());
    if (*most == 0)
        return port.Regulated ? MessageText(msgWeekRegulated) : MessageText(msgWeekNeverOn);
    if (*least == *most)
        return MessageText(TMessage(msgWeekPerDay, {WeekDurationText(*most)}));
    return MessageText(
        TMessage(msgWeekPerDayRange, {WeekDurationText(*least), WeekDurationText(*most)}));
}

TWeekChartBar Bar(const TWeekPort& port, int day, const TWeekInterval& interval,
                  const TWeekDayNames& dayNames) {
    TWeekChartBar bar;
    bar.Day = day;
    bar.From = interval.From;
    bar.To = interval.To;
    bar.Problem = port.IsProblem(interval);
    bar.TimerRow = interval.Timers.empty() ? 0 : interval.Timers.front().Row;
    QStringList timers;
    for (const TWeekTimer& timer : interval.Timers)
        timers << TimerLabel(timer);
    bar.Text = MessageText(
        TMessage(msgWeekBar, {PortLabel(port), dayNames[day], WeekTimeText(interval.From),
                              WeekTimeText(interval.To), timers.join(QStringLiteral(", "))}));
    return bar;
}

} // namespace

QString WeekDurationText(int seconds) {
    const int minutes = seconds / 60;
    if (minutes % 60 == 0)
        return MessageText(TMessage(msgWeekHours, {minutes / 60}));
    if (minutes < 60)
        return MessageText(TMessage(msgWeekMinutes, {minutes}));
    return MessageText(TMessage(msgWeekHoursMinutes, {minutes / 60, minutes % 60}));
}

TWeekChartData FillWeekChart(const TWeekModel& week, const TWeekDayNames& dayNames,
                             const QString& title) {
    TWeekChartData data;
    for (int day = 0; day < WeekDayCount; ++day)
        data.DayHeaders[day] = Capitalised(dayNames[day]);
    for (const TWeekPort& source : week.Ports) {
        TWeekChartPort port;
        port.Number = source.Number;
        port.Name = PortLabel(source);
        port.Regulated = source.Regulated;
        port.Totals = TotalsText(source);
        for (int day = 0; day < WeekDayCount; ++day) {
            if (source.Daily[day] > 0)
                port.DayTotals[day] = ClockText(source.Daily[day]);
            for (const TWeekInterval& interval : source.Days[day])
                port.Bars.push_back(Bar(source, day, interval, dayNames));
        }
        data.Ports.push_back(std::move(port));
    }
    for (const TWeekProblem& problem : week.Problems)
        data.Problems << MessageText(WeekProblemMessage(problem, week));
    TWeekChartTexts& texts = data.Texts;
    texts.Title = title;
    texts.Regulated = MessageText(msgWeekRegulated);
    texts.LegendOn = MessageText(msgWeekLegendOn);
    texts.LegendProblem = MessageText(msgWeekLegendProblem);
    texts.LegendNow = MessageText(msgWeekLegendNow);
    texts.Note = MessageText(msgWeekNote);
    texts.ProblemsHeading = MessageText(msgWeekProblems);
    texts.NoProblems = MessageText(msgWeekNoProblems);
    return data;
}

TWeekDayNames FormatSettingsDayNames() {
    const TFormatSettings& settings = FormatSettings();
    TWeekDayNames names;
    // The settings start with Sunday.
    for (int day = 0; day < WeekDayCount; ++day)
        names[day] = settings.LongDayNames[(day + 1) % 7];
    return names;
}

} // namespace lumotrix
