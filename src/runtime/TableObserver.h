#pragma once

#include <vector>

namespace lumotrix {

// What a change to a table was, for whoever follows the table.
struct TTableChange {
    enum class TKind {
        Reset,          // rows added, removed, reordered or replaced: re-read everything
        RowChanged,     // the values of row Row changed (edit buffer or posted)
        CurrentChanged, // the current row moved to Row (-1: none)
        StateChanged,   // inactive / browse / edit
        Destroyed,      // the table is going away: drop every pointer to it
    };
    TKind Kind = TKind::Reset;
    int Row = -1;

    bool operator==(const TTableChange&) const = default;
};

// The one way a table tells its views, adapters and editors what changed: the in-memory
// tables of the configuration and the tables the grids show alike.
class ITableObserver {
public:
    virtual void TableChanged(const TTableChange& change) = 0;

protected:
    ~ITableObserver() = default;
};

// The observers of one table, told in the order they were attached. An observer may detach
// itself or another one while being told; one detached meanwhile is not told.
class TTableObservers {
public:
    TTableObservers() = default;
    TTableObservers(const TTableObservers&) = delete;
    TTableObservers& operator=(const TTableObservers&) = delete;

    // Attaching an observer already attached changes nothing.
    void Attach(ITableObserver* observer);
    void Detach(ITableObserver* observer);
    void Notify(const TTableChange& change);

private:
    std::vector<ITableObserver*> FObservers;
};

} // namespace lumotrix
