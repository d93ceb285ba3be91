#include "widgets/qt/RibbonTabPopup.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>
#include <QVBoxLayout>

namespace lumotrix {

RibbonTabPopup::RibbonTabPopup(QTabBar* tabs, QWidget* parent)
    : QFrame(parent, Qt::Popup), FTabs(tabs) {
    setObjectName(QStringLiteral("RibbonTabPopup"));
    setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void RibbonTabPopup::Open(int tab, const QPoint& globalPos, int width) {
    FTab = tab;
    FOpened.start();
    setFixedWidth(width);
    adjustSize();
    move(globalPos);
    show();
}

void RibbonTabPopup::mousePressEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (!rect().contains(event->position().toPoint()) && FTabs->isVisible()) {
        const int tab = FTabs->tabAt(FTabs->mapFromGlobal(global));
        if (tab >= 0) {
            const bool twice =
                tab == FTab && FOpened.elapsed() <= QApplication::doubleClickInterval();
            setAttribute(Qt::WA_NoMouseReplay);
            close();
            emit tabPressed(tab, twice);
            return;
        }
    }
    QFrame::mousePressEvent(event);
}

} // namespace lumotrix
