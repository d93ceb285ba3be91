#pragma once

#include "model/MemData.h"

namespace lumotrix {

// Binds a table to its views and reports the table's state.
class TDataSource : private ITableObserver {
public:
    explicit TDataSource(QString name = {}, TMemData* dataSet = nullptr);
    virtual ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    const QString& Name() const { return FName; }
    TMemData* DataSet() const { return FDataSet; }
    // Observers of the source follow whichever table it is bound to; rebinding sends a Reset.
    void SetDataSet(TMemData* dataSet);
    TDataSetState State() const;
    void AttachObserver(ITableObserver* observer);
    void DetachObserver(ITableObserver* observer);

private:
    void TableChanged(const TTableChange& change) override;

    QString FName;
    TMemData* FDataSet = nullptr;
    TTableObservers FObservers;
};

} // namespace lumotrix
