#include "WeekView.h"

#include <QJsonArray>

namespace lumotrix {

namespace {

const char* const DayNamesEnglish[WeekDayCount] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                   "Friday", "Saturday", "Sunday"};

QJsonArray Labels(const std::vector<TWeekTimer>& timers) {
    QJsonArray labels;
    for (const TWeekTimer& t : timers)
        labels.append(FromAnsi(t.Label));
    return labels;
}

QJsonArray Rows(const std::vector<TWeekTimer>& timers) {
    QJsonArray rows;
    for (const TWeekTimer& t : timers)
        rows.append(t.Row);
    return rows;
}

QString TimerNames(const std::vector<TWeekTimer>& timers) {
    QStringList names;
    for (const TWeekTimer& t : timers)
        names << MessageText(WeekTimerMessage(t));
    return names.join(QStringLiteral(", "));
}

} // namespace

QJsonObject WeekToJson(const TWeekModel& week) {
    QJsonArray ports;
    for (const TWeekPort& port : week.Ports) {
        QJsonArray daily;
        QJsonArray on;
        for (int d = 0; d < WeekDayCount; ++d) {
            daily.append(WeekTimeText(port.Daily[std::size_t(d)]));
            for (const TWeekInterval& i : port.Days[std::size_t(d)])
                on.append(QJsonObject{{QStringLiteral("day"), d + 1},
                                      {QStringLiteral("from"), WeekTimeText(i.From)},
                                      {QStringLiteral("to"), WeekTimeText(i.To)},
                                      {QStringLiteral("timers"), Labels(i.Timers)},
                                      {QStringLiteral("rows"), Rows(i.Timers)}});
        }
        ports.append(QJsonObject{{QStringLiteral("port"), port.Number},
                                 {QStringLiteral("name"), FromAnsi(port.Name)},
                                 {QStringLiteral("regulated"), port.Regulated},
                                 {QStringLiteral("daily"), daily},
                                 {QStringLiteral("on"), on}});
    }
    QJsonArray problems;
    for (const TWeekProblem& problem : week.Problems) {
        QJsonArray numbers;
        for (int p : problem.Ports)
            numbers.append(p);
        problems.append(QJsonObject{
            {QStringLiteral("kind"), QString::fromLatin1(WeekProblemKindName(problem.Kind))},
            {QStringLiteral("timers"), Labels(problem.Timers)},
            {QStringLiteral("rows"), Rows(problem.Timers)},
            {QStringLiteral("ports"), numbers}});
    }
    return QJsonObject{{QStringLiteral("ports"), ports}, {QStringLiteral("problems"), problems}};
}

QString WeekToText(const TWeekModel& week) {
    QString out;
    for (const TWeekPort& port : week.Ports) {
        out +=
            QStringLiteral("Port %1 \"%2\"%3\n")
                .arg(port.Number)
                .arg(FromAnsi(port.Name),
                     port.Regulated ? QStringLiteral(", regulated by the temperature") : QString());
        bool ever = false;
        for (int d = 0; d < WeekDayCount; ++d) {
            const std::vector<TWeekInterval>& intervals = port.Days[std::size_t(d)];
            if (intervals.empty())
                continue;
            ever = true;
            out += QStringLiteral("  %1 %2 on\n")
                       .arg(QString::fromLatin1(DayNamesEnglish[d]).leftJustified(9))
                       .arg(WeekTimeText(port.Daily[std::size_t(d)]));
            for (const TWeekInterval& i : intervals)
                out += QStringLiteral("    %1-%2  %3%4\n")
                           .arg(WeekTimeText(i.From), WeekTimeText(i.To), TimerNames(i.Timers),
                                i.Overlapping ? QStringLiteral("  (overlap)") : QString());
        }
        if (!ever)
            out += QStringLiteral("  never on\n");
    }
    if (week.Problems.empty())
        return out + QStringLiteral("\nNo problems\n");
    out += QStringLiteral("\nProblems (%1)\n").arg(week.Problems.size());
    for (const TWeekProblem& problem : week.Problems)
        out += QStringLiteral("  %1\n").arg(MessageText(WeekProblemMessage(problem, week)));
    return out;
}

} // namespace lumotrix
