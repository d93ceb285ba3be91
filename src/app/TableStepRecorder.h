#pragma once

#include "model/TableRecords.h"
#include "runtime/TableObserver.h"

namespace lumotrix {

class TEditHistory;
class TGridTableView;
class TMemData;
class TTabSheet;

// Follows one table of the undo history and makes a step of every row that changed once the
// table is back in browse state: the grid's commit of a row, a row deleted. It compares with the
// table as the last step (or the start of the history) left it.
class TTableStepRecorder final : private ITableObserver {
public:
    TTableStepRecorder(TEditHistory& history, int index, TMemData& table, TGridTableView* grid,
                       TTabSheet* page);
    ~TTableStepRecorder();
    TTableStepRecorder(const TTableStepRecorder&) = delete;
    TTableStepRecorder& operator=(const TTableStepRecorder&) = delete;

    TMemData& Table() const { return *FTable; }
    // What the table holds now is what the next step is compared with.
    void Take() { FRows = CommittedRows(*FTable); }

    // Where the table's steps are shown.
    TGridTableView* const Grid;
    TTabSheet* const Page;

private:
    void TableChanged(const TTableChange& change) override;
    void Record();

    TEditHistory& FHistory;
    int FIndex;
    TMemData* FTable;
    TTableRows FRows;
};

} // namespace lumotrix
