#pragma once

#include "widgets/qt/GridModel.h"

#include <QStyledItemDelegate>

namespace lumotrix {

// Paints and edits the cells by column kind; leaves the row's preview strip to the view.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(GridModel* model, QObject* parent = nullptr);
    void SetPreviewHeight(int height) { FPreviewHeight = height; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Rectangles of the "Off" and "On" halves of a radio cell.
    static std::pair<QRect, QRect> RadioRects(const QRect& cell);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    QRect CellRect(const QRect& rowRect) const;
    GridModel* FModel;
    int FPreviewHeight = 0;
};

} // namespace lumotrix
