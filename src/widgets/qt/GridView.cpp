#include "widgets/qt/GridView.h"

#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/Message.h"
#include "runtime/MessageIds.h"
#include "widgets/Application.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTime>
#include <QTimeEdit>
#include <cmath>
#include <set>

namespace lumotrix {

namespace {
constexpr int MsecsPerDay = 24 * 60 * 60 * 1000;

// The time columns' pictures: a 24-hour clock (a duration has no AM or PM) with the time
// separator of the format settings in force.
QString TimeColumnFormat(TColumnKind kind) {
    const QChar c = FormatSettings().TimeSeparator;
    const QString separator =
        c.isLetter() || c == u'\'' ? QStringLiteral("'%1'").arg(c) : QString(c);
    return kind == TColumnKind::Time ? QLatin1String("HH") + separator + QLatin1String("mm") +
                                           separator + QLatin1String("ss")
                                     : QLatin1String("HH") + separator + QLatin1String("mm");
}
} // namespace

double DayFraction(const QVariant& value) {
    if (value.typeId() == QMetaType::QTime) {
        QTime time = value.toTime();
        return time.isValid() ? time.msecsSinceStartOfDay() / double(MsecsPerDay) : 0.0;
    }
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time().msecsSinceStartOfDay() / double(MsecsPerDay);
    bool ok = false;
    double days = value.toDouble(&ok);
    return ok ? days : 0.0;
}

QTime ToTime(const QVariant& value) {
    if (value.typeId() == QMetaType::QTime)
        return value.toTime();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time();
    bool ok = false;
    double days = value.toDouble(&ok);
    if (!ok || !value.isValid() || value.isNull())
        return QTime();
    // Only the time of day counts: a whole number of days is dropped.
    double fraction = days - std::floor(days);
    int msecs = qBound(0, qRound(fraction * MsecsPerDay), MsecsPerDay - 1);
    return QTime::fromMSecsSinceStartOfDay(msecs);
}

// --- GridModel -------------------------------------------------------------------------------

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel() {
    Unobserve();
}

GridModel::TTableWatch::TTableWatch(GridModel& model, IDataTable& table)
    : FModel(model), FTable(table) {
    table.AttachObserver(this);
}

GridModel::TTableWatch::~TTableWatch() {
    FTable.DetachObserver(this);
}

void GridModel::TTableWatch::TableChanged(const TTableChange& change) {
    // May end this watch (a table that goes away): nothing of it is used after the call.
    FModel.OnTableChange(&FTable, change);
}

void GridModel::Observe(IDataTable* table) {
    if (table && !FObserved.count(table))
        FObserved.emplace(table, std::make_unique<TTableWatch>(*this, *table));
}

void GridModel::Unobserve() {
    FObserved.clear();
}

void GridModel::SetTable(IDataTable* table) {
    beginResetModel();
    Unobserve();
    FTable = table;
    Observe(table);
    for (const TGridColumn& column : FColumns)
        if (column.Kind == TColumnKind::Lookup)
            Observe(column.Lookup.Table);
    endResetModel();
}

int GridModel::AddColumn(const TGridColumn& column) {
    return AddColumns({column});
}

int GridModel::AddColumns(const std::vector<TGridColumn>& columns) {
    const int first = ColumnCount();
    if (columns.empty())
        return first;
    beginInsertColumns({}, first, first + static_cast<int>(columns.size()) - 1);
    FColumns.insert(FColumns.end(), columns.begin(), columns.end());
    endInsertColumns();
    for (const TGridColumn& column : columns)
        if (column.Kind == TColumnKind::Lookup)
            Observe(column.Lookup.Table);
    return first;
}

const TGridColumn& GridModel::Column(int index) const {
    if (index < 0 || index >= ColumnCount())
        throw ERangeError(DeveloperText(QStringLiteral("No column %1").arg(index)));
    return FColumns[static_cast<size_t>(index)];
}

int GridModel::ColumnByName(const QString& name) const {
    for (int i = 0; i < ColumnCount(); ++i)
        if (FColumns[static_cast<size_t>(i)].Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void GridModel::SetColumnCaption(int index, const QString& caption) {
    Column(index);
    FColumns[static_cast<size_t>(index)].Caption = caption;
    emit headerDataChanged(Qt::Horizontal, index, index);
}

void GridModel::ReplaceColumn(int index, const TGridColumn& column) {
    TGridColumn old = Column(index);
    FColumns[static_cast<size_t>(index)] = column;
    if (column.Kind == TColumnKind::Lookup)
        Observe(column.Lookup.Table);
    if (old.Kind == TColumnKind::OffOn && column.Kind == TColumnKind::OffOn &&
        (old.OffCaption != column.OffCaption || old.OnCaption != column.OnCaption))
        emit ChoicesReworded(index, old.OffCaption, old.OnCaption);
    emit headerDataChanged(Qt::Horizontal, index, index);
    if (rowCount() > 0)
        emit dataChanged(this->index(0, index), this->index(rowCount() - 1, index));
}

void GridModel::SetColumnLookup(int index, const TLookupSource& lookup) {
    Column(index);
    FColumns[static_cast<size_t>(index)].Lookup = lookup;
    Observe(lookup.Table);
    if (rowCount() > 0)
        emit dataChanged(this->index(0, index), this->index(rowCount() - 1, index));
}

void GridModel::SetPreviewField(const QString& fieldName) {
    FPreviewField = fieldName;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {PreviewRole});
}

void GridModel::OnTableChange(IDataTable* table, const TTableChange& change) {
    if (change.Kind == TTableChange::TKind::Destroyed) {
        beginResetModel();
        FObserved.erase(table);
        if (FTable == table)
            FTable = nullptr;
        for (TGridColumn& column : FColumns)
            if (column.Lookup.Table == table)
                column.Lookup.Table = nullptr;
        endResetModel();
        return;
    }
    if (table == FTable) {
        if (change.Kind == TTableChange::TKind::RowChanged && change.Row >= 0 &&
            change.Row < rowCount()) {
            emit dataChanged(index(change.Row, 0), index(change.Row, columnCount() - 1));
        } else {
            beginResetModel();
            endResetModel();
        }
    }
    // A renamed port shows at once in every lookup column that refers to it.
    for (int c = 0; c < ColumnCount(); ++c)
        if (FColumns[static_cast<size_t>(c)].Kind == TColumnKind::Lookup &&
            FColumns[static_cast<size_t>(c)].Lookup.Table == table && rowCount() > 0)
            emit dataChanged(index(0, c), index(rowCount() - 1, c));
}

int GridModel::FieldOf(int column) const {
    return FTable ? FTable->FieldIndex(Column(column).FieldName) : -1;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !FTable ? 0 : FTable->RowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !FTable || index.row() >= FTable->RowCount())
        return {};
    if (role == PreviewRole) {
        int field = FTable->FieldIndex(FPreviewField);
        return field < 0 ? QVariant() : FTable->Value(index.row(), field).toString();
    }
    const TGridColumn& column = Column(index.column());
    int field = FieldOf(index.column());
    if (field < 0)
        return {};
    QVariant value = FTable->Value(index.row(), field);
    if (role == Qt::EditRole)
        return value;
    if (role == Qt::TextAlignmentRole)
        return column.Kind == TColumnKind::Time || column.Kind == TColumnKind::ShortTime
                   ? QVariant(Qt::AlignCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != SortRole && role != Qt::AccessibleTextRole &&
        role != Qt::ToolTipRole)
        return {};
    switch (column.Kind) {
    case TColumnKind::Lookup:
        return column.Lookup.TextFor(value);
    case TColumnKind::Time:
    case TColumnKind::ShortTime: {
        QTime time = ToTime(value);
        if (role == SortRole)
            return time.isValid() ? time.msecsSinceStartOfDay() : -1;
        if (!time.isValid())
            return QString();
        return time.toString(TimeColumnFormat(column.Kind));
    }
    case TColumnKind::Progress: {
        double fraction = qBound(0.0, DayFraction(value), 1.0);
        if (role == SortRole)
            return fraction;
        return QStringLiteral("%1%").arg(qRound(fraction * 100));
    }
    case TColumnKind::OffOn:
        if (role == SortRole)
            return value.toBool() ? 1 : 0;
        return value.toBool() ? column.OnCaption : column.OffCaption;
    case TColumnKind::Text:
    case TColumnKind::PickList:
        break;
    }
    return value.toString();
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !FTable)
        return false;
    const TGridColumn& column = Column(index.column());
    if (column.ReadOnly || column.Kind == TColumnKind::Progress)
        return false;
    int field = FieldOf(index.column());
    if (field < 0)
        return false;
    QVariant stored = value;
    if (column.Kind == TColumnKind::Text && column.MaxLength > 0)
        stored = value.toString().left(column.MaxLength);
    // A list column takes only the values its list offers.
    if (column.Kind == TColumnKind::PickList && !column.Items.contains(value.toString()))
        return false;
    if (column.Kind == TColumnKind::Lookup && column.Lookup.TextFor(value).isEmpty())
        return false;
    // A refused value is reported here, as any handler's failure is, rather than unwinding
    // through the view's editing code; the cell keeps its old value.
    if (!Guarded([&] { FTable->SetValue(index.row(), field, stored); }))
        return false;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const TGridColumn& column = Column(index.column());
    if (column.Kind == TColumnKind::Progress)
        return Qt::ItemIsEnabled; // neither selectable nor focusable
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!column.ReadOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (section < 0 || section >= ColumnCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return Column(section).Caption;
    return {};
}

// --- GridFilterModel -------------------------------------------------------------------------

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

// --- GridDelegate ----------------------------------------------------------------------------

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
        combo->addItems(column.Items);
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
            found = combo->findText(value.toString());
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
        model->setData(index, column.Kind == TColumnKind::Lookup ? combo->currentData()
                                                                 : QVariant(combo->currentText()));
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

// --- RowIndicator ----------------------------------------------------------------------------

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

// --- GridView --------------------------------------------------------------------------------

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
        if (FAllowDelete && row >= 0 && table && table->CanDeleteRows() &&
            (!OnConfirmDelete || OnConfirmDelete(row)))
            table->DeleteRow(row);
        return;
    }
    QTableView::keyPressEvent(event);
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
