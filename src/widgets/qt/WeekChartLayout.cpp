#include "widgets/qt/WeekChartLayout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <climits>
#include <cmath>

namespace lumotrix {

namespace {

constexpr int Margin = 8;
constexpr int Gap = 4; // between day columns
constexpr int StripHeight = 20;

QFont PixelSized(const QFont& font, double scale) {
    QFont result = font;
    const int pixels = QFontInfo(font).pixelSize();
    result.setPixelSize(std::max(8, static_cast<int>(std::lround(pixels * scale))));
    return result;
}

int TextWidth(const QFontMetrics& metrics, const QString& text) {
    return metrics.horizontalAdvance(text);
}

} // namespace

TWeekChartLayout LayOutWeekChart(const TWeekChartData& data, const QFont& font, int width,
                                 bool withTitle) {
    TWeekChartLayout layout;
    layout.Font = PixelSized(font, 1.0);
    layout.SmallFont = PixelSized(font, 0.85);
    layout.BoldFont = layout.Font;
    layout.BoldFont.setBold(true);
    const QFontMetrics metrics(layout.Font), small(layout.SmallFont), bold(layout.BoldFont);
    const int line = metrics.height();
    const int smallLine = small.height();

    int y = Margin;
    if (withTitle) {
        QFont titleFont = PixelSized(font, 1.3);
        titleFont.setBold(true);
        layout.Title = QRect(Margin, y, width - 2 * Margin, QFontMetrics(titleFont).height());
        y = layout.Title.bottom() + 1 + Gap;
    }

    // The label column takes what its longest text needs, within a quarter of the width.
    int labelWidth = 0;
    for (const TWeekChartPort& port : data.Ports) {
        labelWidth = std::max(labelWidth, TextWidth(bold, QStringLiteral("8  ")) +
                                              TextWidth(metrics, port.Name));
        labelWidth = std::max(labelWidth, TextWidth(small, port.Totals));
    }
    labelWidth = std::clamp(labelWidth + Gap, 90, std::max(90, width / 4));
    const int daysLeft = Margin + labelWidth + Gap;
    const int dayWidth =
        std::max(20, (width - Margin - daysLeft - Gap * (WeekChartDays - 1)) / WeekChartDays);
    const auto dayLeft = [&](int day) { return daysLeft + day * (dayWidth + Gap); };

    for (int day = 0; day < WeekChartDays; ++day)
        layout.DayHeaders[day] = QRect(dayLeft(day), y, dayWidth, line);
    y += line;
    for (int day = 0; day < WeekChartDays; ++day)
        layout.HourLabels[day] = QRect(dayLeft(day), y, dayWidth, smallLine);
    y += smallLine + 2;

    const int rowHeight = std::max(line + smallLine, StripHeight + smallLine) + 2 * Gap;
    for (std::size_t p = 0; p < data.Ports.size(); ++p) {
        TWeekChartLayout::TRow row;
        row.Label = QRect(Margin, y, labelWidth, rowHeight);
        for (int day = 0; day < WeekChartDays; ++day) {
            row.Strips[day] = QRect(dayLeft(day), y + Gap, dayWidth, StripHeight);
            row.DayTotals[day] = QRect(dayLeft(day), y + Gap + StripHeight, dayWidth, smallLine);
        }
        const TWeekChartPort& port = data.Ports[p];
        for (std::size_t b = 0; b < port.Bars.size(); ++b) {
            const TWeekChartBar& bar = port.Bars[b];
            // Indices follow the description's bars, so a bar off the week keeps its place.
            if (bar.Day < 0 || bar.Day >= WeekChartDays) {
                layout.Bars.push_back({static_cast<int>(p), static_cast<int>(b), QRect()});
                continue;
            }
            const QRect& strip = row.Strips[bar.Day];
            const auto x = [&](int second) {
                const int s = std::clamp(second, 0, WeekChartDaySeconds);
                return strip.left() + static_cast<int>(static_cast<qint64>(s) * strip.width() /
                                                       WeekChartDaySeconds);
            };
            // A short interval stays visible and clickable.
            const int left = x(bar.From);
            const int right = std::max(x(bar.To), left + 3);
            layout.Bars.push_back({static_cast<int>(p), static_cast<int>(b),
                                   QRect(left, strip.top(), right - left, strip.height())});
        }
        layout.Rows.push_back(row);
        y += rowHeight;
    }

    y += Gap;
    layout.Legend = QRect(Margin, y, width - 2 * Margin, std::max(line, smallLine * 2 + 2));
    if (!data.Texts.Note.isEmpty()) {
        const int noteHeight = small
                                   .boundingRect(QRect(0, 0, width - 2 * Margin, INT_MAX),
                                                 Qt::TextWordWrap, data.Texts.Note)
                                   .height();
        layout.Legend.setHeight(line + noteHeight + 2);
    }
    y = layout.Legend.bottom() + 1 + 2 * Gap;

    layout.ProblemsHeading = QRect(Margin, y, width - 2 * Margin, bold.height());
    y += bold.height() + Gap;
    const int problemWidth = width - 3 * Margin;
    for (const QString& problem : data.Problems) {
        const int height =
            metrics.boundingRect(QRect(0, 0, problemWidth, INT_MAX), Qt::TextWordWrap, problem)
                .height();
        layout.Problems.push_back(QRect(2 * Margin, y, problemWidth, height));
        y += height + 2;
    }
    if (data.Problems.isEmpty())
        y += line;
    layout.Height = y + Margin;
    return layout;
}

int TWeekChartLayout::BarAt(const QPoint& point) const {
    for (std::size_t i = 0; i < Bars.size(); ++i)
        if (Bars[i].Rect.adjusted(-1, -1, 1, 1).contains(point))
            return static_cast<int>(i);
    return -1;
}

int TWeekChartLayout::Neighbour(int from, int key) const {
    if (from < 0 || from >= static_cast<int>(Bars.size()))
        return Bars.empty() ? -1 : 0;
    const TBarPlace& current = Bars[from];
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const int next = from + (key == Qt::Key_Right ? 1 : -1);
        if (next >= 0 && next < static_cast<int>(Bars.size()) && Bars[next].Port == current.Port)
            return next;
        return from;
    }
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return from;
    // Up and down go to the nearest bar of the nearest port above or below that has bars.
    const int step = key == Qt::Key_Down ? 1 : -1;
    const int centre = current.Rect.center().x();
    for (int port = current.Port + step; port >= 0 && port < static_cast<int>(Rows.size());
         port += step) {
        int best = -1;
        int bestDistance = INT_MAX;
        for (std::size_t i = 0; i < Bars.size(); ++i) {
            if (Bars[i].Port != port)
                continue;
            const int distance = std::abs(Bars[i].Rect.center().x() - centre);
            if (distance < bestDistance) {
                best = static_cast<int>(i);
                bestDistance = distance;
            }
        }
        if (best >= 0)
            return best;
    }
    return from;
}

} // namespace lumotrix
