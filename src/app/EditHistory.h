#pragma once

#include "app/HoravelFormFields.h"
#include "model/TableRecords.h"

#include <QObject>
#include <QUndoStack>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace lumotrix {

class TConfiguration;
class TControl;
class TMemData;
class TTableStepRecorder;

// The main window's undo history. Every committed edit of the configuration is a step: a row of
// the timer or port table as the grid commits it, a value of an editor on the temperature page.
// Undo and redo put the row back through the table, or set the editor so that the page reacts as
// to the user's own change, and show the cell or editor that changed.
class TEditHistory final : public QObject {
public:
    // `postEditors` writes what an open cell editor holds into its table.
    TEditHistory(const TForm1Fields& fields, TConfiguration& configuration,
                 std::function<void()> postEditors);
    ~TEditHistory() override;
    TEditHistory(const TEditHistory&) = delete;
    TEditHistory& operator=(const TEditHistory&) = delete;

    // Starts afresh from what the window shows now.
    void Clear();
    // A row edit not yet committed is committed first, so that it is the step undone.
    void Undo();
    void Redo();
    // The two commands' texts in the language in force.
    void Translate();
    const QUndoStack& Stack() const { return FStack; }

    // For the steps: put a row back (none: remove it), set an editor's value.
    void PutRow(int table, qint32 recId, const std::optional<TTableRow>& values, int field);
    void PutEditorValue(int editor, const QVariant& value);

protected:
    // Ctrl+Z and the redo keys stay with an open cell editor, and with a text field that has
    // something of its own to take back.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TTableStepRecorder;
    struct TEditor {
        TControl* Control;
        std::function<QVariant()> Read;
        std::function<void(const QVariant&)> Write;
        QVariant Shown;  // the value the last step left
        int Session = 0; // changes whenever the editor loses the focus
    };

    void WatchEditors();
    void CommitPendingEdits();
    void EditorChanged(int editor);
    void FocusChanged(QWidget* old);
    void UpdateCommands();
    bool HasPendingRow() const;
    void Push(QUndoCommand* step);
    void Show(TTabSheet* page);

    const TForm1Fields& F;
    std::function<void()> FPostEditors;
    QUndoStack FStack;
    std::vector<std::unique_ptr<TTableStepRecorder>> FTables;
    std::vector<TEditor> FEditors;
    bool FReplaying = false;
};

} // namespace lumotrix
