#pragma once

#include "widgets/qt/GridDelegate.h"
#include "widgets/qt/GridModel.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <map>

namespace lumotrix {

// Sorting by SortRole and one exact-text filter per column.
class GridFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit GridFilterModel(QObject* parent = nullptr);
    void SetColumnFilter(int column, const QString& text); // empty text clears it
    QString ColumnFilter(int column) const;
    void ClearFilters();
    bool HasFilters() const { return !FFilters.empty(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::map<int, QString> FFilters;
};

// The row indicator: a triangle at the current row, a pencil mark while it is edited.
class RowIndicator : public QHeaderView {
    Q_OBJECT
public:
    explicit RowIndicator(QWidget* parent = nullptr);
    void SetEditing(bool editing);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    bool FEditing = false;
};

// The grid: a table view over GridModel through GridFilterModel, with a preview strip above
// each row, a row indicator, click-to-sort headers, a filter menu on the header's context menu,
// columns sharing the view's width, no adding rows, and deleting rows (Ctrl+Del) only where
// allowed.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    GridModel* Model() const { return FModel; }
    GridFilterModel* FilterModel() const { return FFilter; }
    GridDelegate* Delegate() const { return FDelegate; }

    void SetPreviewVisible(bool visible);
    bool PreviewVisible() const { return FPreviewVisible; }
    int PreviewHeight() const;
    void SetAllowDelete(bool allow) { FAllowDelete = allow; }
    bool AllowDelete() const { return FAllowDelete; }
    void SetColumnAutoWidth(bool on);
    void ApplyColumns(); // widths, visibility, after columns were added or changed
    // The filter menu of a column (caller owns it): "(Tutti)" and each distinct shown text.
    QMenu* CreateFilterMenu(int column);
    // The source row of the current cell, -1 when none.
    int CurrentRow() const;
    // Writes the text of an open cell editor into the table and closes the editor, as leaving
    // the cell would.
    void PostEditor();

protected:
    // Asked before Ctrl+Del deletes `row` (a source row); a view that must ask first overrides it.
    virtual bool ConfirmDelete(int row);
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void FitColumns();
    void UpdateRowHeights();

    GridModel* FModel;
    GridFilterModel* FFilter;
    GridDelegate* FDelegate;
    RowIndicator* FIndicator;
    bool FPreviewVisible = false;
    bool FAllowDelete = false;
    bool FAutoWidth = true;
};

} // namespace lumotrix
