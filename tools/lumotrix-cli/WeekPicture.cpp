#include "WeekPicture.h"

#include "model/ModelMessageIds.h"
#include "runtime/Exception.h"
#include "weekchart/WeekChartFill.h"
#include "weekchart/WeekChartMessageIds.h"
#include "widgets/qt/WeekChartExport.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <cstring>

namespace lumotrix {

const char* const WeekPictureOptions[3] = {"--svg", "--pdf", "--png"};

std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
    bool picture = false;
    if (argc > 1 && std::strcmp(argv[1], "week") == 0)
        for (int i = 2; i < argc; ++i)
            for (const char* option : WeekPictureOptions)
                picture = picture || std::strcmp(argv[i], option) == 0;
    if (!picture)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

void WriteWeekPicture(const TWeekModel& week, const QString& timerFile, const QString& option,
                      const QString& out) {
    const QLocale english(QLocale::English);
    TWeekDayNames days;
    for (int day = 0; day < WeekDayCount; ++day)
        days[day] = english.dayName(day + 1);
    const TWeekChartData data = FillWeekChart(
        week, days,
        MessageText(TMessage(msgWeekTitleFile, {QFileInfo(timerFile).completeBaseName()})));
    const TWeekChartFormat format = option == QLatin1String("--svg")   ? TWeekChartFormat::Svg
                                    : option == QLatin1String("--pdf") ? TWeekChartFormat::Pdf
                                                                       : TWeekChartFormat::Png;
    TMessage reason;
    if (!ExportWeekChart(data, QStringLiteral("Blue"), format, out, reason))
        throw Exception(TMessage(msgNothingWritten, {out, reason}));
}

} // namespace lumotrix
