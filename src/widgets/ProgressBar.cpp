#include "widgets/ProgressBar.h"

#include <QProgressBar>

namespace lumotrix {

TProgressBar::TProgressBar(TComponent* owner) : TControl(owner) {
    auto* bar = new QProgressBar;
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
    SetWidget(bar);
}

QProgressBar* TProgressBar::Bar() const {
    return static_cast<QProgressBar*>(Widget());
}
qint32 TProgressBar::Min() const {
    return Bar()->minimum();
}
void TProgressBar::SetMin(qint32 value) {
    Bar()->setMinimum(value);
}
qint32 TProgressBar::Max() const {
    return Bar()->maximum();
}
void TProgressBar::SetMax(qint32 value) {
    Bar()->setMaximum(value);
}
qint32 TProgressBar::Position() const {
    return Bar()->value();
}
void TProgressBar::SetPosition(qint32 value) {
    Bar()->setValue(qBound(Bar()->minimum(), value, Bar()->maximum()));
}

LUMOTRIX_REGISTER_CLASS(TProgressBar, TControl) {
    Property("Min", &TProgressBar::Min, &TProgressBar::SetMin);
    Property("Max", &TProgressBar::Max, &TProgressBar::SetMax);
    Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
}

} // namespace lumotrix
