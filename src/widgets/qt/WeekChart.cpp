#include "widgets/qt/WeekChart.h"

#include "widgets/qt/WeekChartAccessible.h"
#include "widgets/qt/WeekChartPainter.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

namespace lumotrix {

WeekChart::WeekChart(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FMinute.setSingleShot(true);
    connect(&FMinute, &QTimer::timeout, this, &WeekChart::Tick);
    InstallWeekChartAccessibility();
}

WeekChart::~WeekChart() {
    ForgetAccessibleChildren();
}

void WeekChart::SetData(TWeekChartData data) {
    FData = std::move(data);
    FBarOrder.clear();
    for (std::size_t p = 0; p < FData.Ports.size(); ++p)
        for (std::size_t b = 0; b < FData.Ports[p].Bars.size(); ++b)
            FBarOrder.emplace_back(static_cast<int>(p), static_cast<int>(b));
    if (FFocusBar >= BarCount())
        FFocusBar = BarCount() - 1;
    ForgetAccessibleChildren();
    Invalidate();
    if (QAccessible::isActive()) {
        QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    }
}

void WeekChart::SetColorScheme(const QString& schemeName) {
    if (schemeName == FScheme)
        return;
    FScheme = schemeName;
    update();
}

void WeekChart::SetClock(std::function<QDateTime()> clock) {
    FClock = std::move(clock);
    if (isVisible())
        Tick();
}

const TWeekChartBar& WeekChart::Bar(int index) const {
    const auto& [port, bar] = FBarOrder.at(static_cast<std::size_t>(index));
    return FData.Ports[port].Bars[bar];
}

void WeekChart::SetFocusBar(int index) {
    if (index < -1 || index >= BarCount() || index == FFocusBar)
        return;
    FFocusBar = index;
    update();
    if (index >= 0 && hasFocus() && QAccessible::isActive())
        if (QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(this))
            if (QAccessibleInterface* child = chart->child(index)) {
                QAccessibleEvent focus(child, QAccessible::Focus);
                QAccessible::updateAccessibility(&focus);
            }
}

QRect WeekChart::BarRect(int index) const {
    if (!FLayout || index < 0 || index >= static_cast<int>(FLayout->Bars.size()))
        return {};
    return FLayout->Bars[index].Rect;
}

void WeekChart::ActivateBar(int index) {
    if (index >= 0 && index < BarCount())
        emit barActivated(Bar(index).TimerRow);
}

// The layout waits for the chart to be shown: a page never opened costs nothing.
void WeekChart::Invalidate() {
    FLayout.reset();
    if (isVisible()) {
        setMinimumHeight(Layout().Height);
        update();
    }
}

const TWeekChartLayout& WeekChart::Layout() {
    if (!FLayout)
        FLayout = LayOutWeekChart(FData, font(), width());
    return *FLayout;
}

void WeekChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const TWeekChartColors& colors = WeekChartColorsFor(FScheme);
    painter.fillRect(rect(), colors.Background);
    TWeekChartState state;
    state.Now = FNow;
    state.FocusBar = hasFocus() ? FFocusBar : -1;
    PaintWeekChart(painter, FData, Layout(), colors, state);
}

void WeekChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Invalidate();
}

void WeekChart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit shown();
    if (!FLayout)
        Invalidate();
    Tick();
}

void WeekChart::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    FMinute.stop();
}

void WeekChart::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Invalidate();
}

// Moves "now" and waits for the next minute to begin.
void WeekChart::Tick() {
    const QDateTime now = FClock ? FClock() : QDateTime::currentDateTime();
    const TWeekChartNow next{now.date().dayOfWeek() - 1,
                             static_cast<int>(now.time().msecsSinceStartOfDay() / 1000)};
    if (next.Day != FNow.Day || next.Second / 60 != FNow.Second / 60)
        update();
    FNow = next;
    if (isVisible())
        FMinute.start(60'000 - now.time().msecsSinceStartOfDay() % 60'000);
}

bool WeekChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int bar = Layout().BarAt(help->pos());
        if (bar >= 0)
            QToolTip::showText(help->globalPos(), Bar(bar).Text, this, BarRect(bar));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void WeekChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const int bar = Layout().BarAt(event->position().toPoint());
    if (bar < 0)
        return QWidget::mousePressEvent(event);
    SetFocusBar(bar);
    ActivateBar(bar);
}

void WeekChart::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (BarCount() > 0)
            SetFocusBar(FFocusBar < 0 ? 0 : Layout().Neighbour(FFocusBar, event->key()));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (FFocusBar >= 0) {
            ActivateBar(FFocusBar);
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void WeekChart::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (FFocusBar < 0 && BarCount() > 0)
        SetFocusBar(0);
    update();
}

void WeekChart::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void WeekChart::ForgetAccessibleChildren() {
    for (QAccessible::Id id : FAccessibleChildren)
        QAccessible::deleteAccessibleInterface(id);
    FAccessibleChildren.clear();
}

} // namespace lumotrix
