#include "widgets/qt/WeekChartColors.h"

#include "widgets/qt/ColorScheme.h"

namespace lumotrix {

namespace {

TWeekChartColors Common(const TColorScheme& scheme) {
    TWeekChartColors c;
    c.Background = QColor("#ffffff");
    c.Text = scheme.TabActiveText;
    c.DimText = QColor("#5c636a");
    c.Problem = QColor("#e8590c");
    c.ProblemPattern = QColor("#7a1f00");
    c.Now = QColor("#d6336c");
    c.Focus = QColor("#000000");
    return c;
}

TWeekChartColors Blue() {
    TWeekChartColors c = Common(ColorSchemeByName(QStringLiteral("Blue")));
    c.Strip = QColor("#eef4fb");
    c.Grid = QColor("#c3d7ef");
    c.Tick = QColor("#8aa9d0");
    c.Bar = QColor("#2f6fbf");
    c.BarBorder = QColor("#15428b");
    c.Regulated = QColor("#6a8fc0");
    return c;
}

TWeekChartColors Black() {
    TWeekChartColors c = Common(ColorSchemeByName(QStringLiteral("Black")));
    c.Strip = QColor("#eceef0");
    c.Grid = QColor("#b9bec4");
    c.Tick = QColor("#7d838a");
    c.Bar = QColor("#2b8a3e");
    c.BarBorder = QColor("#1b4d26");
    c.Regulated = QColor("#6c757d");
    return c;
}

TWeekChartColors Silver() {
    TWeekChartColors c = Common(ColorSchemeByName(QStringLiteral("Silver")));
    c.Strip = QColor("#f3f4f6");
    c.Grid = QColor("#d3d7dd");
    c.Tick = QColor("#9aa1ab");
    c.Bar = QColor("#5f6f86");
    c.BarBorder = QColor("#33404f");
    c.Regulated = QColor("#9c8c6a");
    return c;
}

} // namespace

const TWeekChartColors& WeekChartColorsFor(const QString& schemeName) {
    static const TWeekChartColors blue = Blue(), black = Black(), silver = Silver();
    if (schemeName == QLatin1String("Black"))
        return black;
    if (schemeName == QLatin1String("Silver"))
        return silver;
    return blue;
}

} // namespace lumotrix
