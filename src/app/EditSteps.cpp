#include "app/EditSteps.h"

#include "app/EditHistory.h"

namespace lumotrix {

namespace {

// Merge ids of the editor steps start above any other step's id.
constexpr int EditorStepIds = 1000;

} // namespace

TRowStep::TRowStep(TEditHistory& history, int table, std::optional<TTableRow> before,
                   std::optional<TTableRow> after, QUndoCommand* parent)
    : QUndoCommand(parent), FHistory(history), FTable(table), FBefore(std::move(before)),
      FAfter(std::move(after)) {
    const TTableRow& row = FBefore ? *FBefore : *FAfter;
    if (const auto* recId = std::get_if<qint32>(&row.front()))
        FRecId = *recId;
    if (FBefore && FAfter)
        for (std::size_t field = 1; field < FBefore->size(); ++field)
            if ((*FBefore)[field] != (*FAfter)[field]) {
                FField = int(field);
                break;
            }
}

void TRowStep::undo() {
    FHistory.PutRow(FTable, FRecId, FBefore, FField);
}

void TRowStep::redo() {
    // Pushed after the edit was made: the first redo has nothing left to do.
    if (std::exchange(FDone, true))
        FHistory.PutRow(FTable, FRecId, FAfter, FField);
}

TEditorStep::TEditorStep(TEditHistory& history, int editor, int session, QVariant before,
                         QVariant after)
    : FHistory(history), FEditor(editor), FSession(session), FBefore(std::move(before)),
      FAfter(std::move(after)) {}

int TEditorStep::id() const {
    return EditorStepIds + FEditor;
}

bool TEditorStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TEditorStep*>(other);
    if (next->FSession != FSession)
        return false;
    FAfter = next->FAfter;
    setObsolete(FAfter == FBefore);
    return true;
}

void TEditorStep::undo() {
    FHistory.PutEditorValue(FEditor, FBefore);
}

void TEditorStep::redo() {
    if (std::exchange(FDone, true))
        FHistory.PutEditorValue(FEditor, FAfter);
}

} // namespace lumotrix
