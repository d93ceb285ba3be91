#include "widgets/qt/LedWidget.h"

#include "runtime/Message.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QEvent>
#include <QPainter>
#include <QRadialGradient>

namespace lumotrix {

QColor LedOnColor(TLedKind kind) {
    switch (kind) {
    case TLedKind::Red:
        return QColor("#ff3b2f");
    case TLedKind::Green:
        return QColor("#3bdc3b");
    case TLedKind::Yellow:
        return QColor("#ffd21f");
    case TLedKind::Purple:
        return QColor("#c05cff");
    case TLedKind::Blue:
        return QColor("#3b8cff");
    }
    return Qt::red;
}

QColor LedOffColor(TLedKind kind) {
    return LedOnColor(kind).darker(330);
}

LedWidget::LedWidget(QWidget* parent) : QWidget(parent) {
    setFixedSize(12, 12);
    Describe();
}

void LedWidget::Describe() {
    setAccessibleDescription(MessageText(FState ? msgLedOn : msgLedOff));
}

void LedWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Describe();
    QWidget::changeEvent(event);
}

void LedWidget::SetKind(TLedKind kind) {
    FKind = kind;
    update();
}

void LedWidget::SetState(bool lit) {
    if (FState == lit)
        return;
    FState = lit;
    Describe();
    update();
}

void LedWidget::SetCaption(const QString& caption) {
    FCaption = caption;
    setAccessibleName(caption);
    setToolTip(caption);
}

void LedWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    QColor base = FState ? LedOnColor(FKind) : LedOffColor(FKind);
    QRadialGradient gradient(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() * 0.7);
    gradient.setColorAt(0, base.lighter(FState ? 170 : 140));
    gradient.setColorAt(1, base);
    painter.setPen(QPen(QColor(0, 0, 0, 140), 0.8));
    painter.setBrush(gradient);
    painter.drawEllipse(r);
}

} // namespace lumotrix
