#pragma once

// The steps of the window's undo history: a committed row of the timer or port table, a value
// of an editor on the temperature page.

#include "model/TableRecords.h"

#include <QUndoCommand>
#include <QVariant>
#include <optional>

namespace lumotrix {

class TEditHistory;

// One row as it was and as it became; no row on either side means it was added or removed.
class TRowStep final : public QUndoCommand {
public:
    TRowStep(TEditHistory& history, int table, std::optional<TTableRow> before,
             std::optional<TTableRow> after, QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    TEditHistory& FHistory;
    int FTable;
    std::optional<TTableRow> FBefore;
    std::optional<TTableRow> FAfter;
    qint32 FRecId = 0;
    int FField = 0; // the first field that differs: the cell shown after undo or redo
    bool FDone = false;
};

// One editor's value. The steps an editor makes while it keeps the focus (the spin buttons, a
// number typed digit by digit) merge into one; back where they started, they are no step.
class TEditorStep final : public QUndoCommand {
public:
    TEditorStep(TEditHistory& history, int editor, int session, QVariant before, QVariant after);
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    TEditHistory& FHistory;
    int FEditor;
    int FSession;
    QVariant FBefore;
    QVariant FAfter;
    bool FDone = false;
};

} // namespace lumotrix
