#pragma once

#include "widgets/qt/RibbonButton.h"

#include <QFrame>
#include <QList>

class QHBoxLayout;
class QVBoxLayout;

namespace lumotrix {

class ElidedLabel;

// A captioned group of items on a ribbon tab. Items flow in columns: a large button takes a
// column of its own, small items stack three to a column; `beginGroup` draws a separator
// before the item and `newColumn` starts a fresh column.
//
// Short of room, a group is reduced rather than cut: at reduction 1 its large buttons become
// small ones with their captions, stacked like the small items; at reduction 2 every button
// shows its picture only (the caption stays its tooltip and accessible name). The group's own
// caption never widens it beyond what its items need: it is cut with "…" first.
class RibbonGroup : public QFrame {
    Q_OBJECT
public:
    explicit RibbonGroup(const QString& caption, QWidget* parent = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    RibbonButton* AddLargeButton(RibbonCommand* command, bool beginGroup = false);
    RibbonButton* AddSmallButton(RibbonCommand* command, bool beginGroup = false,
                                 bool newColumn = false);
    RibbonEditItem* AddEditItem(const QString& caption, int editWidth, bool beginGroup = false,
                                bool newColumn = false);
    void AddItem(QWidget* item, bool large, bool beginGroup, bool newColumn);
    QList<RibbonButton*> Buttons() const;
    // Every item, in the order added.
    QList<QWidget*> Items() const;
    static constexpr int MaxReduction = 2;
    int Reduction() const { return FReduction; }
    void SetReduction(int reduction);

private:
    struct TItem {
        QWidget* Widget;
        bool Large, BeginGroup, NewColumn;
    };
    void Place(const TItem& item);
    void Relayout();

    ElidedLabel* FCaption;
    QHBoxLayout* FColumns;
    QVBoxLayout* FCurrentColumn = nullptr;
    int FCurrentColumnCount = 0;
    QList<TItem> FItems;
    int FReduction = 0;
};

} // namespace lumotrix
