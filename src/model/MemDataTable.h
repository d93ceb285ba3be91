#pragma once

#include "model/MemData.h"
#include "runtime/DataTable.h"

namespace lumotrix {

// An in-memory table of the configuration as the grids and lookup editors see it. Texts
// cross as Unicode (Windows-1252 in the table), times of day and durations as QTime (a
// duration of a day or more as a fraction of a day, double), null as an invalid QVariant.
// It follows the table as one of its observers and passes on what the views care about;
// when the table goes away it reads as empty.
class TMemDataTable final : public IDataTable, private ITableObserver {
public:
    explicit TMemDataTable(TMemData& table);
    ~TMemDataTable() override;

    TMemData* Table() const { return FTable; }

    int RowCount() const override;
    QStringList FieldNames() const override;
    QVariant Value(int row, int field) const override;
    void SetValue(int row, int field, const QVariant& value) override;
    bool CanDeleteRows() const override { return true; }
    void DeleteRow(int row) override;

private:
    void TableChanged(const TTableChange& change) override;
    const TFieldDef& CheckCell(int row, int field) const;

    TMemData* FTable;
};

} // namespace lumotrix
