#include "widgets/qt/GridDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTime>
#include <QTimeEdit>

namespace lumotrix {

GridDelegate::GridDelegate(GridModel* model, QObject* parent)
    : QStyledItemDelegate(parent), FModel(model) {}

QRect GridDelegate::CellRect(const QRect& rowRect) const {
    return rowRect.adjusted(0, FPreviewHeight, 0, 0);
}

std::pair<QRect, QRect> GridDelegate::RadioRects(const QRect& cell) {
    int half = cell.width() / 2;
    return {QRect(cell.left(), cell.top(), half, cell.height()),
            QRect(cell.left() + half, cell.top(), cell.width() - half, cell.height())};
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    cell.rect = CellRect(option.rect);
    const TGridColumn& column = FModel->Column(index.column());
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    if (column.Kind == TColumnKind::Progress) {
        QStyleOptionProgressBar bar;
        bar.rect = cell.rect.adjusted(3, 4, -3, -4);
        bar.minimum = 0;
        bar.maximum = 1000;
        bar.progress = qRound(qBound(0.0, DayFraction(index.data(Qt::EditRole)), 1.0) * 1000);
        bar.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        bar.palette = option.palette;
        bar.textVisible = false;
        style->drawControl(QStyle::CE_ProgressBar, &bar, painter, option.widget);
        return;
    }
    if (column.Kind == TColumnKind::OffOn) {
        initStyleOption(&cell, index);
        cell.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);
        bool on = index.data(Qt::EditRole).toBool();
        auto [offRect, onRect] = RadioRects(cell.rect);
        auto drawRadio = [&](const QRect& rect, const QString& caption, bool checked) {
            QStyleOptionButton radio;
            radio.rect = rect.adjusted(4, 0, 0, 0);
            radio.text = caption;
            radio.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
            radio.palette = option.palette;
            if (option.state & QStyle::State_Selected)
                radio.palette.setColor(QPalette::WindowText,
                                       option.palette.color(QPalette::HighlightedText));
            style->drawControl(QStyle::CE_RadioButton, &radio, painter, option.widget);
        };
        drawRadio(offRect, column.OffCaption, !on);
        drawRadio(onRect, column.OnCaption, on);
        return;
    }
    QStyledItemDelegate::paint(painter, cell, index);
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const TGridColumn& column = FModel->Column(index.column());
    switch (column.Kind) {
    case TColumnKind::Lookup: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        for (const auto& [key, text] : column.Lookup.Items())
            combo->addItem(text, key);
        combo->setAccessibleName(column.Caption);
        return combo;
    }
    case TColumnKind::PickList: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        // The stored item rides as the data: the note beside it is for the eye only.
        for (const QString& item : column.Items)
            combo->addItem(NotedItem(column, item), item);
        combo->setAccessibleName(column.Caption);
        return combo;
    }
    case TColumnKind::Time:
    case TColumnKind::ShortTime: {
        auto* edit = new QTimeEdit(parent);
        edit->setDisplayFormat(TimeColumnFormat(column.Kind));
        edit->setAccessibleName(column.Caption);
        return edit;
    }
    case TColumnKind::Progress:
    case TColumnKind::OffOn:
        return nullptr; // edited in place by editorEvent
    case TColumnKind::Text: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        if (column.MaxLength > 0)
            edit->setMaxLength(column.MaxLength);
        edit->setAccessibleName(column.Caption);
        return edit;
    }
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const TGridColumn& column = FModel->Column(index.column());
    QVariant value = index.data(Qt::EditRole);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        int found = -1;
        if (column.Kind == TColumnKind::Lookup) {
            for (int i = 0; i < combo->count() && found < 0; ++i)
                if (combo->itemData(i).toLongLong() == value.toLongLong())
                    found = i;
        } else {
            found = combo->findData(value.toString());
        }
        combo->setCurrentIndex(found);
    } else if (auto* time = qobject_cast<QTimeEdit*>(editor)) {
        QTime t = ToTime(value);
        time->setTime(t.isValid() ? t : QTime(0, 0));
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(value.toString());
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    const TGridColumn& column = FModel->Column(index.column());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() < 0)
            return; // nothing chosen: the value stays
        model->setData(index, combo->currentData());
    } else if (auto* time = qobject_cast<QTimeEdit*>(editor)) {
        QTime t = time->time();
        if (column.Kind == TColumnKind::ShortTime)
            t = QTime(t.hour(), t.minute());
        model->setData(index, t);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, line->text());
    }
}

void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const {
    editor->setGeometry(CellRect(option.rect));
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    return QSize(size.width(), qMax(size.height(), 22) + FPreviewHeight);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    const TGridColumn& column = FModel->Column(index.column());
    if (column.Kind != TColumnKind::OffOn || column.ReadOnly)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto [offRect, onRect] = RadioRects(CellRect(option.rect));
        if (onRect.contains(mouse->position().toPoint()))
            return model->setData(index, true);
        if (offRect.contains(mouse->position().toPoint()))
            return model->setData(index, false);
        return false;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
        return model->setData(index, !index.data(Qt::EditRole).toBool());
    return false;
}

} // namespace lumotrix
