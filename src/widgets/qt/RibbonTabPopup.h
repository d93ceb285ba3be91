#pragma once

// Part of the ribbon; not for use outside it.

#include <QElapsedTimer>
#include <QFrame>

class QTabBar;

namespace lumotrix {

// The pop-up that shows a minimised ribbon's groups. A press outside it closes it; a press on
// the tabs is handled here, because the pop-up takes it: the shown tab again within a double
// click's time restores the ribbon, another tab shows that tab's groups.
class RibbonTabPopup : public QFrame {
    Q_OBJECT
public:
    RibbonTabPopup(QTabBar* tabs, QWidget* parent);
    void Open(int tab, const QPoint& globalPos, int width);

signals:
    // A press on the tabs while the pop-up is open; twice on the shown tab is a double click.
    void tabPressed(int tab, bool doubleClick);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTabBar* FTabs;
    int FTab = -1;
    QElapsedTimer FOpened;
};

} // namespace lumotrix
