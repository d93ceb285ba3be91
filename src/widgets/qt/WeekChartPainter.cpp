#include "widgets/qt/WeekChartPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace lumotrix {

namespace {

constexpr int TickHours[] = {0, 6, 12, 18};

// Diagonal lines over `rect`, cut to it here rather than drawn with a pattern brush or a clip:
// SVG and PDF viewers render those unevenly, plain lines look the same everywhere.
void Hatch(QPainter& painter, const QRect& rect, const QColor& color, int spacing, bool cross) {
    painter.setPen(QPen(color, 1));
    const int h = rect.height() - 1;
    for (int x = rect.left() - h; x <= rect.right(); x += spacing) {
        const int from = std::max(0, rect.left() - x);
        const int to = std::min(h, rect.right() - x);
        if (from > to)
            continue;
        painter.drawLine(x + from, rect.bottom() - from, x + to, rect.bottom() - to);
        if (cross)
            painter.drawLine(x + from, rect.top() + from, x + to, rect.top() + to);
    }
}

int SecondX(const QRect& strip, int second) {
    return strip.left() +
           static_cast<int>(static_cast<qint64>(second) * strip.width() / WeekChartDaySeconds);
}

void PaintHeaders(QPainter& painter, const TWeekChartData& data, const TWeekChartLayout& layout,
                  const TWeekChartColors& colors) {
    painter.setFont(layout.BoldFont);
    painter.setPen(colors.Text);
    for (int day = 0; day < WeekChartDays; ++day)
        painter.drawText(
            layout.DayHeaders[day], Qt::AlignCenter | Qt::TextSingleLine,
            QFontMetrics(layout.BoldFont)
                .elidedText(data.DayHeaders[day], Qt::ElideRight, layout.DayHeaders[day].width()));
    painter.setFont(layout.SmallFont);
    painter.setPen(colors.DimText);
    const int labelWidth = QFontMetrics(layout.SmallFont).horizontalAdvance(QStringLiteral("18"));
    for (int day = 0; day < WeekChartDays; ++day) {
        const QRect& cell = layout.HourLabels[day];
        // Narrow columns keep the labels of midnight and noon only.
        const bool roomy = cell.width() >= labelWidth * 6;
        for (int hour : TickHours) {
            if (!roomy && hour % 12 != 0)
                continue;
            const int x = SecondX(cell, hour * 3600);
            painter.drawText(QRect(x, cell.top(), labelWidth * 2, cell.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(hour));
        }
    }
}

void PaintRegulated(QPainter& painter, const QRect& strip, const TWeekChartData& data,
                    const TWeekChartColors& colors) {
    Hatch(painter, strip, colors.Regulated, 6, false);
    painter.setPen(colors.Regulated.darker(150));
    painter.drawText(strip, Qt::AlignCenter | Qt::TextSingleLine,
                     QFontMetrics(painter.font())
                         .elidedText(data.Texts.Regulated, Qt::ElideRight, strip.width() - 4));
}

void PaintBar(QPainter& painter, const QRect& rect, bool problem, const TWeekChartColors& colors) {
    painter.fillRect(rect, problem ? colors.Problem : colors.Bar);
    if (problem)
        Hatch(painter, rect, colors.ProblemPattern, 5, true);
    painter.setPen(problem ? colors.ProblemPattern : colors.BarBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void PaintRows(QPainter& painter, const TWeekChartData& data, const TWeekChartLayout& layout,
               const TWeekChartColors& colors) {
    const QFontMetrics metrics(layout.Font);
    for (std::size_t p = 0; p < data.Ports.size() && p < layout.Rows.size(); ++p) {
        const TWeekChartPort& port = data.Ports[p];
        const TWeekChartLayout::TRow& row = layout.Rows[p];
        const QRect nameLine(row.Label.left(), row.Strips[0].top(), row.Label.width(),
                             metrics.height());
        painter.setFont(layout.BoldFont);
        painter.setPen(colors.Text);
        const QString number = QString::number(port.Number) + QStringLiteral("  ");
        painter.drawText(nameLine, Qt::AlignLeft | Qt::AlignVCenter, number);
        const int numberWidth = QFontMetrics(layout.BoldFont).horizontalAdvance(number);
        painter.setFont(layout.Font);
        painter.drawText(
            nameLine.adjusted(numberWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(port.Name, Qt::ElideRight, nameLine.width() - numberWidth));
        painter.setFont(layout.SmallFont);
        painter.setPen(colors.DimText);
        const QString totals =
            port.Regulated && port.Totals.isEmpty() ? data.Texts.Regulated : port.Totals;
        painter.drawText(row.DayTotals[0]
                             .translated(row.Label.left() - row.DayTotals[0].left(), 0)
                             .adjusted(0, 0, row.Label.width() - row.DayTotals[0].width(), 0),
                         Qt::AlignLeft | Qt::AlignVCenter, totals);

        for (int day = 0; day < WeekChartDays; ++day) {
            const QRect& strip = row.Strips[day];
            painter.fillRect(strip, colors.Strip);
            if (port.Regulated)
                PaintRegulated(painter, strip, data, colors);
            painter.setPen(colors.Tick);
            for (int hour : TickHours) {
                const int x = SecondX(strip, hour * 3600);
                painter.drawLine(x, strip.top(), x, strip.bottom());
            }
            painter.setPen(colors.Grid);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(strip.adjusted(0, 0, -1, -1));
            painter.setPen(colors.DimText);
            painter.drawText(row.DayTotals[day], Qt::AlignRight | Qt::AlignVCenter,
                             port.DayTotals[day]);
        }
    }
    for (const TWeekChartLayout::TBarPlace& place : layout.Bars)
        PaintBar(painter, place.Rect, data.Ports[place.Port].Bars[place.Bar].Problem, colors);
}

void PaintNow(QPainter& painter, const TWeekChartLayout& layout, const TWeekChartColors& colors,
              const TWeekChartNow& now) {
    if (now.Day < 0 || now.Day >= WeekChartDays || layout.Rows.empty())
        return;
    const QRect& first = layout.Rows.front().Strips[now.Day];
    const QRect& last = layout.Rows.back().Strips[now.Day];
    const int x = SecondX(first, now.Second);
    painter.setPen(QPen(colors.Now, 2));
    painter.drawLine(x, layout.HourLabels[now.Day].top(), x, last.bottom());
}

void PaintLegend(QPainter& painter, const TWeekChartData& data, const TWeekChartLayout& layout,
                 const TWeekChartColors& colors, const TWeekChartNow& now) {
    const QFontMetrics metrics(layout.SmallFont);
    painter.setFont(layout.SmallFont);
    const int swatch = metrics.height() - 2;
    int x = layout.Legend.left();
    const int top = layout.Legend.top();
    const auto item = [&](const QString& text, auto&& paintSwatch) {
        if (text.isEmpty())
            return;
        const QRect box(x, top + 1, swatch * 2, swatch);
        paintSwatch(box);
        x = box.right() + 5;
        painter.setPen(colors.Text);
        painter.drawText(QRect(x, top, metrics.horizontalAdvance(text) + 2, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += metrics.horizontalAdvance(text) + 16;
    };
    item(data.Texts.LegendOn, [&](const QRect& box) { PaintBar(painter, box, false, colors); });
    item(data.Texts.LegendProblem, [&](const QRect& box) { PaintBar(painter, box, true, colors); });
    item(data.Texts.Regulated, [&](const QRect& box) {
        painter.fillRect(box, colors.Strip);
        Hatch(painter, box, colors.Regulated, 6, false);
    });
    // A picture without the line has no use for its legend.
    item(now.Day >= 0 ? data.Texts.LegendNow : QString(), [&](const QRect& box) {
        painter.setPen(QPen(colors.Now, 2));
        painter.drawLine(box.center().x(), box.top(), box.center().x(), box.bottom());
    });
    painter.setPen(colors.DimText);
    painter.drawText(layout.Legend.adjusted(0, metrics.height() + 2, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, data.Texts.Note);
}

void PaintProblems(QPainter& painter, const TWeekChartData& data, const TWeekChartLayout& layout,
                   const TWeekChartColors& colors) {
    painter.setFont(layout.BoldFont);
    painter.setPen(colors.Text);
    painter.drawText(layout.ProblemsHeading, Qt::AlignLeft | Qt::AlignVCenter,
                     data.Problems.isEmpty() ? data.Texts.NoProblems : data.Texts.ProblemsHeading);
    painter.setFont(layout.Font);
    const int mark = QFontMetrics(layout.Font).height() / 2;
    for (qsizetype i = 0; i < data.Problems.size() && i < qsizetype(layout.Problems.size()); ++i) {
        const QRect& rect = layout.Problems[i];
        // The same mark as a problem's bar, so the list and the chart read together.
        PaintBar(painter, QRect(rect.left() - mark - 6, rect.top() + mark / 2, mark, mark), true,
                 colors);
        painter.setPen(colors.Text);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, data.Problems[i]);
    }
}

} // namespace

void PaintWeekChart(QPainter& painter, const TWeekChartData& data, const TWeekChartLayout& layout,
                    const TWeekChartColors& colors, const TWeekChartState& state) {
    painter.save();
    if (!layout.Title.isEmpty()) {
        QFont title = layout.BoldFont;
        title.setPixelSize(layout.Font.pixelSize() * 13 / 10);
        painter.setFont(title);
        painter.setPen(colors.Text);
        painter.drawText(layout.Title, Qt::AlignLeft | Qt::AlignVCenter, data.Texts.Title);
    }
    PaintHeaders(painter, data, layout, colors);
    PaintRows(painter, data, layout, colors);
    PaintNow(painter, layout, colors, state.Now);
    if (state.FocusBar >= 0 && state.FocusBar < static_cast<int>(layout.Bars.size())) {
        painter.setPen(QPen(colors.Focus, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.Bars[state.FocusBar].Rect.adjusted(-2, -2, 1, 1));
    }
    PaintLegend(painter, data, layout, colors, state.Now);
    PaintProblems(painter, data, layout, colors);
    painter.restore();
}

} // namespace lumotrix
