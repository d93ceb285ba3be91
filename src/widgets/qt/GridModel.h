#pragma once

#include "runtime/Exception.h"
#include "widgets/qt/GridColumn.h"

#include <QAbstractTableModel>
#include <map>
#include <memory>
#include <vector>

namespace lumotrix {

// A table model over an IDataTable with the columns above. Display role gives the text a user
// sees (lookup text, "On"/"Off", formatted times), edit role the stored value, SortRole a value
// that sorts naturally, PreviewRole the row's preview text.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole + 1;
    static constexpr int PreviewRole = Qt::UserRole + 2;

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    void SetTable(IDataTable* table);
    IDataTable* Table() const { return FTable; }
    int AddColumn(const TGridColumn& column);
    // Appends the columns in one insertion (the header measures once); returns the first's index.
    int AddColumns(const std::vector<TGridColumn>& columns);
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    const TGridColumn& Column(int index) const;
    int ColumnByName(const QString& name) const;
    // The first column showing the table field `fieldName` (case-insensitive); -1 when none.
    int ColumnOfField(const QString& fieldName) const;
    void SetColumnCaption(int index, const QString& caption);
    // Replaces every setting of a column at once.
    void ReplaceColumn(int index, const TGridColumn& column);
    void SetColumnLookup(int index, const TLookupSource& lookup);
    void SetPreviewField(const QString& fieldName);
    QString PreviewField() const { return FPreviewField; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // An "Off"/"On" column got other words for its choices (a language switch); the new ones are
    // in force when this is sent.
    void ChoicesReworded(int column, const QString& oldOff, const QString& oldOn);
    // The table refused a value edited in a cell; the cell keeps its old value.
    void valueRefused(const lumotrix::Exception& error);

private:
    // Follows one table for the model: the grid's own or a lookup column's.
    class TTableWatch final : public ITableObserver {
    public:
        TTableWatch(GridModel& model, IDataTable& table);
        ~TTableWatch();
        void TableChanged(const TTableChange& change) override;

    private:
        GridModel& FModel;
        IDataTable& FTable;
    };

    void Observe(IDataTable* table);
    void Unobserve();
    void OnTableChange(IDataTable* table, const TTableChange& change);
    int FieldOf(int column) const;

    IDataTable* FTable = nullptr;
    // The rows last reported. A table tells of a change once it is made; the model takes the
    // new count only between beginResetModel and endResetModel, as Qt's views expect.
    int FRows = 0;
    std::vector<TGridColumn> FColumns;
    QString FPreviewField;
    std::map<IDataTable*, std::unique_ptr<TTableWatch>> FObserved;
};

} // namespace lumotrix
