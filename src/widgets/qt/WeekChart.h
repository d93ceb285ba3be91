#pragma once

#include "widgets/qt/WeekChartColors.h"
#include "widgets/qt/WeekChartData.h"
#include "widgets/qt/WeekChartLayout.h"

#include <QAccessible>
#include <QDateTime>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace lumotrix {

// The week chart on screen: one 24-hour strip per port and day, the problems under it, a line
// for "now" that moves once a minute while the chart is shown. Hovering a bar shows its text;
// a click, or Enter on the focused bar, reports the bar's timer row; the arrow keys move
// between bars. Nothing is laid out or measured until the chart is shown.
class WeekChart : public QWidget {
    Q_OBJECT
public:
    explicit WeekChart(QWidget* parent = nullptr);
    ~WeekChart() override;

    void SetData(TWeekChartData data);
    const TWeekChartData& Data() const { return FData; }
    void SetColorScheme(const QString& schemeName);
    QString ColorScheme() const { return FScheme; }
    // The clock the "now" line follows; the PC's by default.
    void SetClock(std::function<QDateTime()> clock);
    TWeekChartNow Now() const { return FNow; }

    // The bars in the order the arrow keys walk, and the one with the focus (-1: none).
    int BarCount() const { return static_cast<int>(FBarOrder.size()); }
    const TWeekChartBar& Bar(int index) const;
    int FocusBar() const { return FFocusBar; }
    void SetFocusBar(int index);
    // The bar's place on the chart, empty until the chart has been laid out.
    QRect BarRect(int index) const;
    // Reports the bar's timer row, as a click on it does.
    void ActivateBar(int index);

signals:
    void barActivated(int timerRow);
    // About to be shown: the moment to fill a description that waited.
    void shown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class WeekChartAccessible;
    void Invalidate();
    const TWeekChartLayout& Layout();
    void Tick();
    void ForgetAccessibleChildren();

    TWeekChartData FData;
    std::vector<std::pair<int, int>> FBarOrder; // port, bar
    std::optional<TWeekChartLayout> FLayout;
    QString FScheme = QStringLiteral("Blue");
    TWeekChartNow FNow;
    int FFocusBar = -1;
    QTimer FMinute;
    std::function<QDateTime()> FClock;
    // Assistive tools' view of the bars and problems, made when first asked for.
    std::vector<QAccessible::Id> FAccessibleChildren;
};

} // namespace lumotrix
