#include "model/DataSource.h"

namespace lumotrix {

TDataSource::TDataSource(QString name, TMemData* dataSet) : FName(std::move(name)) {
    SetDataSet(dataSet);
}

TDataSource::~TDataSource() {
    if (FDataSet)
        FDataSet->DetachObserver(this);
}

void TDataSource::SetDataSet(TMemData* dataSet) {
    if (dataSet == FDataSet)
        return;
    if (FDataSet)
        FDataSet->DetachObserver(this);
    FDataSet = dataSet;
    if (FDataSet)
        FDataSet->AttachObserver(this);
    TableChanged({TTableChange::TKind::Reset, -1});
}

TDataSetState TDataSource::State() const {
    return FDataSet ? FDataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::AttachObserver(ITableObserver* observer) {
    FObservers.Attach(observer);
}

void TDataSource::DetachObserver(ITableObserver* observer) {
    FObservers.Detach(observer);
}

void TDataSource::TableChanged(const TTableChange& change) {
    if (change.Kind == TTableChange::TKind::Destroyed) {
        // The table goes; the source stays, bound to nothing.
        FDataSet = nullptr;
        FObservers.Notify({TTableChange::TKind::Reset, -1});
        return;
    }
    FObservers.Notify(change);
}

} // namespace lumotrix
