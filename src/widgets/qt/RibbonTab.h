#pragma once

#include "widgets/qt/RibbonGroup.h"

#include <QWidget>

class QHBoxLayout;

namespace lumotrix {

// One tab page of the ribbon: groups side by side. When the page is narrower than its groups
// need, groups are reduced from the right; room to spare goes to the last group.
class RibbonTab : public QWidget {
    Q_OBJECT
public:
    explicit RibbonTab(QWidget* parent = nullptr);
    RibbonGroup* AddGroup(const QString& caption);
    void AddGroup(RibbonGroup* group);
    void ClearGroups();
    QList<RibbonGroup*> Groups() const;
    // Reduces the groups just as far as the page's width asks.
    void FitGroups();
    // Fits the groups once the events in hand are handled.
    void RequestFit();
    QSize minimumSizeHint() const override;
    // The string-table message holding the tab's key tip (0: none).
    quint16 KeyTipId() const { return FKeyTipId; }
    void SetKeyTipId(quint16 id) { FKeyTipId = id; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QHBoxLayout* FLayout;
    bool FFitting = false;
    bool FFitRequested = false;
    quint16 FKeyTipId = 0;
};

} // namespace lumotrix
