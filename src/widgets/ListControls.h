#pragma once

#include "widgets/Controls.h"

#include <memory>

class QListWidget;

namespace lumotrix {

// A control that shows a list of lines of which one may be selected.
class TCustomListControl : public TControl {
public:
    using TControl::TControl;
    // The selected line, -1 when none.
    virtual qint32 ItemIndex() const = 0;
    virtual void SetItemIndex(qint32 index) = 0;
};

// A list of lines with at most one selected. Items edits the lines shown; replacing a line
// goes through delete and insert, as for any string list, so it may move the selection.
class TListBox : public TCustomListControl {
public:
    explicit TListBox(TComponent* owner = nullptr);
    ~TListBox() override;

    TStrings* Items() const { return FItems.get(); }
    qint32 ItemIndex() const override;
    // An index outside the lines clears the selection.
    void SetItemIndex(qint32 index) override;

private:
    QListWidget* List() const;
    std::unique_ptr<TStrings> FItems;
};

} // namespace lumotrix
