#include "widgets/ListControls.h"

#include "runtime/ScopeExit.h"
#include "widgets/Application.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

namespace lumotrix {

namespace {
constexpr int ObjectRole = Qt::UserRole + 1;
}

// The lines of a list box, kept in its widget alone so that there is one copy to follow.
class TListBoxStrings : public TStrings {
public:
    TListBoxStrings(TListBox* owner, QListWidget* list) : FOwner(owner), FList(list) {}

    int Count() const override { return FList ? FList->count() : 0; }
    QString Get(int index) const override {
        CheckIndex(index, Count());
        return FList->item(index)->text();
    }
    TObject* GetObject(int index) const override {
        CheckIndex(index, Count());
        return static_cast<TObject*>(FList->item(index)->data(ObjectRole).value<void*>());
    }
    void PutObject(int index, TObject* object) override {
        CheckIndex(index, Count());
        FList->item(index)->setData(ObjectRole, QVariant::fromValue(static_cast<void*>(object)));
    }
    int Add(const QString& text) override {
        int index = Count();
        if (FOwner->Sorted())
            index = SortedPosition(text);
        Insert(index, text);
        return index;
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
    // Stable: a line equal to others goes after them.
    int SortedPosition(const QString& text) const {
        int low = 0, high = Count();
        while (low < high) {
            const int mid = (low + high) / 2;
            if (Get(mid).compare(text, Qt::CaseInsensitive) <= 0)
                low = mid + 1;
            else
                high = mid;
        }
        return low;
    }

private:
    void CheckIndex(int index, int limit) const {
        if (!FList || index < 0 || index >= limit)
            Error(QStringLiteral("List index out of bounds (%1)"), index);
    }
    TListBox* FOwner;
    QPointer<QListWidget> FList;
};

// Hands the drawing of each line to the list box when it is owner-drawn.
class TListBoxDelegate : public QStyledItemDelegate {
public:
    TListBoxDelegate(TListBox* box, QObject* parent) : QStyledItemDelegate(parent), FBox(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (FBox->Style() == lbStandard || !FBox->OnDrawItem) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        TOwnerDrawState state;
        if (option.state & QStyle::State_Selected)
            state.Include(odSelected);
        if (option.state & QStyle::State_HasFocus)
            state.Include(odFocused);
        if (!(option.state & QStyle::State_Enabled))
            state.Include(odDisabled);
        // The line's background and highlight as the style draws them; the text is the
        // handler's.
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
        painter->save();
        if (option.state & QStyle::State_Selected)
            painter->setPen(option.palette.color(QPalette::HighlightedText));
        else
            painter->setPen(option.palette.color(QPalette::Text));
        FBox->DrawItem(painter, index.row(), option.rect, state);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (FBox->Style() == lbOwnerDrawFixed)
            size.setHeight(std::max(FBox->ItemHeight(), option.fontMetrics.height()));
        return size;
    }

private:
    TListBox* FBox;
};

TListBox::TListBox(TComponent* owner) : TCustomListControl(owner) {
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setItemDelegate(new TListBoxDelegate(this, list));
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this] { Fire(OnDblClick); });
    SetWidget(list);
    FItems = std::make_unique<TListBoxStrings>(this, list);
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

void TListBox::SetStyle(TListBoxStyle style) {
    FStyle = style;
    if (List())
        List()->setUniformItemSizes(style == lbOwnerDrawFixed);
}

void TListBox::SetItemHeight(qint32 height) {
    FItemHeight = height;
    if (List())
        List()->doItemsLayout();
}

void TListBox::SetSorted(bool sorted) {
    FSorted = sorted;
    if (sorted && List())
        List()->sortItems(Qt::AscendingOrder);
}

void TListBox::DrawItem(QPainter* painter, qint32 index, const QRect& rect, TOwnerDrawState state) {
    FCanvas = painter;
    const TScopeExit done([this] { FCanvas = nullptr; });
    Guarded([&] { OnDrawItem(this, index, rect, state); });
}

LUMOTRIX_REGISTER_CLASS(TListBoxStrings, TStrings) {}

LUMOTRIX_REGISTER_CLASS(TCustomListControl, TControl) {}

LUMOTRIX_REGISTER_CLASS(TListBox, TCustomListControl) {
    Property("Items", &TListBox::Items);
    Property("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
    Property("Style", &TListBox::Style, &TListBox::SetStyle);
    Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight);
    Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted);
    Property("OnDblClick", &TListBox::OnDblClick);
    Property("OnDrawItem", &TListBox::OnDrawItem);
}

} // namespace lumotrix
