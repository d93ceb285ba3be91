#pragma once

#include "widgets/Control.h"

#include <QRect>
#include <memory>

class QListWidget;
class QPainter;

namespace lumotrix {

// A control that shows a list of lines of which one may be selected.
class TCustomListControl : public TControl {
public:
    using TControl::TControl;
    // The selected line, -1 when none.
    virtual qint32 ItemIndex() const = 0;
    virtual void SetItemIndex(qint32 index) = 0;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
LUMOTRIX_ENUM_NAMES(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused };
LUMOTRIX_ENUM_NAMES(TOwnerDrawStateFlag, "odSelected", "odGrayed", "odDisabled", "odChecked",
                    "odFocused")
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

// Draws one line of an owner-drawn list: the control, the line, its rectangle, its state. The
// control's Canvas() is the painter for the duration of the call.
using TDrawItemEvent = TEvent<TObject*, qint32, QRect, TOwnerDrawState>;
template <> struct TEventTypeName<TDrawItemEvent> {
    static const char* Name() { return "TDrawItemEvent"; }
};

// A list of lines with at most one selected. Items edits the lines shown; replacing a line
// goes through delete and insert, as for any string list, so it may move the selection. Each
// line may carry an object (not owned). A sorted list places every added line by its text,
// letter case ignored. An owner-drawn list leaves the drawing of each line to OnDrawItem.
class TListBox : public TCustomListControl {
public:
    explicit TListBox(TComponent* owner = nullptr);
    ~TListBox() override;

    TStrings* Items() const { return FItems.get(); }
    qint32 ItemIndex() const override;
    // An index outside the lines clears the selection.
    void SetItemIndex(qint32 index) override;

    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle style);
    qint32 ItemHeight() const { return FItemHeight; }
    void SetItemHeight(qint32 height);
    bool Sorted() const { return FSorted; }
    // Turning it on sorts the lines there are.
    void SetSorted(bool sorted);
    // The painter of the line being drawn; nullptr outside OnDrawItem.
    QPainter* Canvas() const { return FCanvas; }
    QListWidget* List() const;

    TNotifyEvent OnDblClick;
    TDrawItemEvent OnDrawItem;

private:
    friend class TListBoxDelegate;
    void DrawItem(QPainter* painter, qint32 index, const QRect& rect, TOwnerDrawState state);
    std::unique_ptr<TStrings> FItems;
    TListBoxStyle FStyle = lbStandard;
    qint32 FItemHeight = 16;
    bool FSorted = false;
    QPainter* FCanvas = nullptr;
};

} // namespace lumotrix
