#include "widgets/qt/GridModel.h"

#include "runtime/Exception.h"

#include <QTime>

namespace lumotrix {

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
    FRows = table ? table->RowCount() : 0;
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

int GridModel::ColumnOfField(const QString& fieldName) const {
    for (int i = 0; i < ColumnCount(); ++i)
        if (FColumns[static_cast<size_t>(i)].FieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void GridModel::SetColumnCaption(int index, const QString& caption) {
    Column(index);
    FColumns[static_cast<size_t>(index)].Caption = caption;
    emit headerDataChanged(Qt::Horizontal, index, index);
}

void GridModel::ReplaceColumn(int index, const TGridColumn& column) {
    const TGridColumn old = Column(index);
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
        if (FTable == table) {
            FTable = nullptr;
            FRows = 0;
        }
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
            FRows = FTable->RowCount();
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
    return parent.isValid() ? 0 : FRows;
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
    case TColumnKind::PickList:
        if (role == Qt::ToolTipRole)
            return NotedItem(column, value.toString());
        break;
    case TColumnKind::Text:
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
    // A refused value is reported rather than unwinding through the view's editing code.
    try {
        FTable->SetValue(index.row(), field, stored);
    } catch (const Exception& error) {
        emit valueRefused(error);
        return false;
    } catch (const std::exception& error) {
        emit valueRefused(Exception(QString::fromLocal8Bit(error.what())));
        return false;
    }
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
    if (role == Qt::AccessibleTextRole) {
        const TGridColumn& column = Column(section);
        return column.Caption.isEmpty() ? column.AccessibleCaption : column.Caption;
    }
    if (role == Qt::DisplayRole)
        return Column(section).Caption;
    return {};
}

} // namespace lumotrix
