#include "widgets/qt/GridView.h"

#include "runtime/Message.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <set>

namespace lumotrix {

GridFilterModel::GridFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(GridModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setSortLocaleAware(true);
}

void GridFilterModel::SetColumnFilter(int column, const QString& text) {
    if (text.isNull())
        FFilters.erase(column);
    else
        FFilters[column] = text;
    invalidateFilter();
}

QString GridFilterModel::ColumnFilter(int column) const {
    auto it = FFilters.find(column);
    return it == FFilters.end() ? QString() : it->second;
}

void GridFilterModel::ClearFilters() {
    FFilters.clear();
    invalidateFilter();
}

bool GridFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    for (const auto& [column, text] : FFilters) {
        QModelIndex index = sourceModel()->index(sourceRow, column, sourceParent);
        if (sourceModel()->data(index, Qt::DisplayRole).toString() != text)
            return false;
    }
    return true;
}

RowIndicator::RowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionsClickable(false);
    setDefaultSectionSize(22);
    setFixedWidth(14);
}

void RowIndicator::SetEditing(bool editing) {
    FEditing = editing;
    viewport()->update();
}

void RowIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QHeaderView::paintSection(painter, rect, logicalIndex);
    auto* view = qobject_cast<QAbstractItemView*>(parentWidget());
    if (!view || view->currentIndex().row() != logicalIndex)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette().color(QPalette::WindowText));
    QPoint c = rect.center();
    if (FEditing) {
        painter->drawRect(QRect(c.x() - 3, c.y() - 4, 6, 8));
    } else {
        QPolygon triangle;
        triangle << QPoint(c.x() - 2, c.y() - 4) << QPoint(c.x() + 3, c.y())
                 << QPoint(c.x() - 2, c.y() + 4);
        painter->drawPolygon(triangle);
    }
    painter->restore();
}

GridView::GridView(QWidget* parent)
    : QTableView(parent), FModel(new GridModel(this)), FFilter(new GridFilterModel(this)),
      FDelegate(new GridDelegate(FModel, this)), FIndicator(new RowIndicator(this)) {
    FFilter->setSourceModel(FModel);
    setModel(FFilter);
    setItemDelegate(FDelegate);
    setVerticalHeader(FIndicator);
    setSortingEnabled(true);
    sortByColumn(-1, Qt::AscendingOrder); // rows stay in table order until a header is clicked
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // Tab and Shift+Tab go on to the window's next control; the arrows move between cells.
    setTabKeyNavigation(false);
    setAlternatingRowColors(true);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                int column = horizontalHeader()->logicalIndexAt(pos);
                if (column < 0)
                    return;
                if (QMenu* menu = CreateFilterMenu(column)) {
                    menu->setAttribute(Qt::WA_DeleteOnClose);
                    menu->popup(horizontalHeader()->mapToGlobal(pos));
                }
            });
    connect(FModel, &QAbstractItemModel::modelReset, this, &GridView::UpdateRowHeights);
    connect(FModel, &QAbstractItemModel::columnsInserted, this, &GridView::ApplyColumns);
    // A filter on a choice keeps that choice in its new words.
    connect(FModel, &GridModel::ChoicesReworded, this,
            [this](int column, const QString& oldOff, const QString& oldOn) {
                const QString filter = FFilter->ColumnFilter(column);
                const TGridColumn& now = FModel->Column(column);
                if (!filter.isNull() && filter == oldOff)
                    FFilter->SetColumnFilter(column, now.OffCaption);
                else if (!filter.isNull() && filter == oldOn)
                    FFilter->SetColumnFilter(column, now.OnCaption);
            });
}

int GridView::PreviewHeight() const {
    return FPreviewVisible ? fontMetrics().height() + 4 : 0;
}

void GridView::SetPreviewVisible(bool visible) {
    FPreviewVisible = visible;
    FDelegate->SetPreviewHeight(PreviewHeight());
    UpdateRowHeights();
}

void GridView::UpdateRowHeights() {
    FIndicator->setDefaultSectionSize(24 + PreviewHeight());
    viewport()->update();
}

void GridView::SetColumnAutoWidth(bool on) {
    FAutoWidth = on;
    ApplyColumns();
}

void GridView::ApplyColumns() {
    for (int c = 0; c < FModel->ColumnCount(); ++c) {
        setColumnHidden(c, !FModel->Column(c).Visible);
        setColumnWidth(c, FModel->Column(c).Width);
    }
    if (FAutoWidth)
        FitColumns();
}

void GridView::FitColumns() {
    // Share the width among the visible columns in proportion to their designed widths.
    int designed = 0;
    for (int c = 0; c < FModel->ColumnCount(); ++c)
        if (FModel->Column(c).Visible)
            designed += FModel->Column(c).Width;
    int available = viewport()->width();
    if (designed <= 0 || available <= 0)
        return;
    int used = 0, last = -1;
    for (int c = 0; c < FModel->ColumnCount(); ++c) {
        const TGridColumn& column = FModel->Column(c);
        if (!column.Visible)
            continue;
        int width = qMax(column.MinWidth, column.Width * available / designed);
        setColumnWidth(c, width);
        used += width;
        last = c;
    }
    if (last >= 0 && used < available)
        setColumnWidth(last, columnWidth(last) + available - used);
}

QMenu* GridView::CreateFilterMenu(int column) {
    if (column < 0 || column >= FModel->ColumnCount() || !FModel->Column(column).Filtering)
        return nullptr;
    auto* menu = new QMenu(this);
    QString current = FFilter->ColumnFilter(column);
    QAction* all = menu->addAction(MessageText(msgFilterAll), this,
                                   [this, column] { FFilter->SetColumnFilter(column, QString()); });
    all->setCheckable(true);
    all->setChecked(current.isNull());
    std::set<QString> seen;
    QStringList values;
    for (int row = 0; row < FModel->rowCount(); ++row) {
        QString text = FModel->data(FModel->index(row, column), Qt::DisplayRole).toString();
        if (seen.insert(text).second)
            values.append(text);
    }
    values.sort(Qt::CaseInsensitive);
    for (const QString& value : values) {
        QAction* action = menu->addAction(
            value.isEmpty() ? MessageText(msgFilterEmpty) : value, this, [this, column, value] {
                FFilter->SetColumnFilter(column, value.isNull() ? QStringLiteral("") : value);
            });
        action->setCheckable(true);
        action->setChecked(!current.isNull() && current == value);
    }
    return menu;
}

int GridView::CurrentRow() const {
    QModelIndex current = FFilter->mapToSource(currentIndex());
    return current.isValid() ? current.row() : -1;
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    int previewHeight = PreviewHeight();
    if (previewHeight <= 0 || FFilter->rowCount() == 0)
        return;
    // The preview strip: the row's label across the whole row, above its cells.
    QPainter painter(viewport());
    QFont font = painter.font();
    font.setItalic(true);
    painter.setFont(font);
    int first = rowAt(0), last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = FFilter->rowCount() - 1;
    for (int row = qMax(first, 0); row <= last; ++row) {
        int top = rowViewportPosition(row);
        QRect strip(0, top, viewport()->width(), previewHeight);
        bool selected = selectionModel() && selectionModel()->isRowSelected(row, {});
        painter.fillRect(strip, selected ? palette().color(QPalette::Highlight).lighter(160)
                                         : palette().color(QPalette::Base));
        painter.setPen(QColor("#1f4f8f"));
        QString text = FFilter->index(row, 0).data(GridModel::PreviewRole).toString();
        painter.drawText(strip.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(strip.bottomLeft(), strip.bottomRight());
    }
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (FAutoWidth)
        FitColumns();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    // No row is ever added from the grid; deleting needs the view's and the table's consent.
    if (event->key() == Qt::Key_Insert)
        return;
    if (event->key() == Qt::Key_Delete && event->modifiers() & Qt::ControlModifier) {
        int row = CurrentRow();
        IDataTable* table = FModel->Table();
        if (FAllowDelete && row >= 0 && table && table->CanDeleteRows() && ConfirmDelete(row))
            table->DeleteRow(row);
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab in a cell editor keeps the text and leaves the grid, as Tab does from the grid itself.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool leave = next || hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, leave ? QAbstractItemDelegate::NoHint : hint);
    if (leave)
        focusNextPrevChild(next);
}

bool GridView::ConfirmDelete(int) {
    return true;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    FIndicator->viewport()->update();
}

void GridView::PostEditor() {
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

} // namespace lumotrix
