#include "app/TableStepRecorder.h"

#include "app/EditHistory.h"
#include "app/EditSteps.h"

#include <map>

namespace lumotrix {

namespace {

qint32 RecIdOf(const TTableRow& row) {
    const auto* recId = row.empty() ? nullptr : std::get_if<qint32>(&row.front());
    return recId ? *recId : 0;
}

} // namespace

TTableStepRecorder::TTableStepRecorder(TEditHistory& history, int index, TMemData& table,
                                       TGridTableView* grid, TTabSheet* page)
    : Grid(grid), Page(page), FHistory(history), FIndex(index), FTable(&table) {
    FTable->AttachObserver(this);
    Take();
}

TTableStepRecorder::~TTableStepRecorder() {
    if (FTable)
        FTable->DetachObserver(this);
}

void TTableStepRecorder::TableChanged(const TTableChange& change) {
    if (change.Kind == TTableChange::TKind::Destroyed) {
        FTable = nullptr;
        return;
    }
    FHistory.UpdateCommands();
    if (!FHistory.FReplaying && FTable->State() == TDataSetState::dsBrowse)
        Record();
}

void TTableStepRecorder::Record() {
    TTableRows now = CommittedRows(*FTable);
    std::map<qint32, const TTableRow*> before;
    for (const TTableRow& row : FRows)
        before.emplace(RecIdOf(row), &row);
    std::vector<std::pair<std::optional<TTableRow>, std::optional<TTableRow>>> changes;
    for (const TTableRow& row : now) {
        const auto was = before.find(RecIdOf(row));
        if (was == before.end()) {
            changes.emplace_back(std::nullopt, row);
            continue;
        }
        if (*was->second != row)
            changes.emplace_back(*was->second, row);
        before.erase(was);
    }
    for (const auto& [recId, row] : before)
        changes.emplace_back(*row, std::nullopt);
    FRows = std::move(now);
    if (changes.empty())
        return;
    if (changes.size() == 1) {
        FHistory.Push(new TRowStep(FHistory, FIndex, changes[0].first, changes[0].second));
        return;
    }
    // Several rows at once (rows replaced from code): one step for all of them.
    auto* step = new QUndoCommand;
    for (auto& [was, is] : changes)
        new TRowStep(FHistory, FIndex, std::move(was), std::move(is), step);
    FHistory.Push(step);
}

} // namespace lumotrix
