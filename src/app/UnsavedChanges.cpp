#include "app/UnsavedChanges.h"

#include "model/Configuration.h"

namespace lumotrix {

TUnsavedChanges::TUnsavedChanges(TConfiguration& configuration, TReadTemperature temperature,
                                 TShow show)
    : FConfiguration(configuration), FTemperature(std::move(temperature)), FShow(std::move(show)) {
    FConfiguration.Timers.AttachObserver(this);
    FConfiguration.Ports.AttachObserver(this);
    FSaved = Take();
}

TUnsavedChanges::~TUnsavedChanges() {
    FConfiguration.Timers.DetachObserver(this);
    FConfiguration.Ports.DetachObserver(this);
}

TUnsavedChanges::TSnapshot TUnsavedChanges::Take() const {
    const auto bytes = [](TMemData& table) {
        return table.Active() ? table.SaveToBytes() : QByteArray();
    };
    return {bytes(FConfiguration.Timers), bytes(FConfiguration.Ports), FTemperature()};
}

void TUnsavedChanges::MarkSaved() {
    FSaved = Take();
    if (FModified) {
        FModified = false;
        FShow(false);
    }
}

void TUnsavedChanges::Check() {
    // A row being edited is not a change yet: it counts once it is posted.
    if (FConfiguration.Timers.State() == TDataSetState::dsEdit ||
        FConfiguration.Ports.State() == TDataSetState::dsEdit)
        return;
    const bool modified = !(Take() == FSaved);
    if (modified != FModified) {
        FModified = modified;
        FShow(modified);
    }
}

void TUnsavedChanges::TableChanged(const TTableChange& change) {
    if (change.Kind == TTableChange::TKind::Reset || change.Kind == TTableChange::TKind::RowChanged)
        Check();
}

} // namespace lumotrix
