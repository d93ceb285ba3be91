#include "widgets/ListControls.h"

#include <QListWidget>

namespace lumotrix {

// The lines of a list box, kept in its widget alone so that there is one copy to follow.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(QListWidget* list) : FList(list) {}

    int Count() const override { return FList ? FList->count() : 0; }
    QString Get(int index) const override {
        CheckIndex(index, Count());
        return FList->item(index)->text();
    }
    void Insert(int index, const QString& text) override {
        CheckIndex(index, Count() + 1);
        FList->insertItem(index, text);
    }
    void Delete(int index) override {
        CheckIndex(index, Count());
        delete FList->takeItem(index);
    }
    void Clear() override {
        if (FList)
            FList->clear();
    }

private:
    void CheckIndex(int index, int limit) const {
        if (!FList || index < 0 || index >= limit)
            Error(QStringLiteral("List index out of bounds (%1)"), index);
    }
    QPointer<QListWidget> FList;
};

TListBox::TListBox(TComponent* owner) : TCustomListControl(owner) {
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    SetWidget(list);
    FItems = std::make_unique<TListBoxStrings>(list);
}

TListBox::~TListBox() = default;

QListWidget* TListBox::List() const {
    return static_cast<QListWidget*>(Widget());
}

qint32 TListBox::ItemIndex() const {
    if (!List())
        return -1;
    const QList<QListWidgetItem*> selected = List()->selectedItems();
    return selected.isEmpty() ? -1 : List()->row(selected.first());
}

void TListBox::SetItemIndex(qint32 index) {
    if (!List())
        return;
    if (index < 0 || index >= List()->count()) {
        List()->clearSelection();
        List()->setCurrentRow(-1);
        return;
    }
    List()->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

LUMOTRIX_REGISTER_CLASS(TListBoxStrings, TStrings) {}

LUMOTRIX_REGISTER_CLASS(TCustomListControl, TControl) {}

LUMOTRIX_REGISTER_CLASS(TListBox, TCustomListControl) {
    Property("Items", &TListBox::Items);
    Property("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
}

} // namespace lumotrix
