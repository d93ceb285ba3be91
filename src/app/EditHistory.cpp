#include "app/EditHistory.h"

#include "app/AppMessageIds.h"
#include "app/EditSteps.h"
#include "app/TableStepRecorder.h"
#include "model/Configuration.h"
#include "runtime/ModuleList.h"
#include "runtime/ScopeExit.h"
#include "widgets/BarItem.h"
#include "widgets/Button.h"
#include "widgets/GridTableView.h"
#include "widgets/LookupComboBox.h"
#include "widgets/PageControl.h"
#include "widgets/SpinEdit.h"
#include "widgets/qt/FloatSpinEdit.h"
#include "widgets/qt/LookupComboBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace lumotrix {

namespace {

// Whether `widget` is (in) a grid's open cell editor: the only widgets on a grid's viewport.
bool InOpenCellEditor(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (auto* view = qobject_cast<QAbstractItemView*>(w))
            return view->viewport()->isAncestorOf(widget);
    return false;
}

// The text field that takes Ctrl+Z for itself when `widget` has the focus.
QLineEdit* OwnTextField(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit;
    if (qobject_cast<QAbstractSpinBox*>(widget))
        return widget->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    return nullptr;
}

} // namespace

TEditHistory::TEditHistory(const TForm1Fields& fields, TConfiguration& configuration,
                           std::function<void()> postEditors)
    : F(fields), FPostEditors(std::move(postEditors)) {
    FTables.push_back(std::make_unique<TTableStepRecorder>(*this, 0, configuration.Timers,
                                                           F.Grid1DBTableView1, F.TabSheet1));
    FTables.push_back(std::make_unique<TTableStepRecorder>(*this, 1, configuration.Ports,
                                                           F.Grid2DBTableView1, F.TabSheet2));
    WatchEditors();
    F.BarButtonUndo->OnClick = [this](TObject*) { Undo(); };
    F.BarButtonRedo->OnClick = [this](TObject*) { Redo(); };
    F.BarButtonRedo->Command()->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(&FStack, &QUndoStack::indexChanged, this, &TEditHistory::UpdateCommands);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget*) { FocusChanged(old); });
    qApp->installEventFilter(this);
    UpdateCommands();
}

TEditHistory::~TEditHistory() {
    qApp->removeEventFilter(this);
    // The stack empties itself as it goes, after the tables' watches have gone.
    disconnect(&FStack, nullptr, this, nullptr);
}

void TEditHistory::WatchEditors() {
    for (TSpinEdit* spin : {F.MinTemp, F.MaxTemp, F.TempIdeale, F.Isteresi}) {
        FEditors.push_back({spin,
                            [spin] { return QVariant(spin->Value()); },
                            [spin](const QVariant& v) { spin->SetValue(v.toDouble()); },
                            {}});
        connect(spin->Editor(), &QDoubleSpinBox::valueChanged, this,
                [this, i = int(FEditors.size()) - 1] { EditorChanged(i); });
    }
    for (TLookupComboBox* box : {F.PrimaPt, F.SecondaPt}) {
        FEditors.push_back({box,
                            [box] { return QVariant(box->KeyValue()); },
                            [box](const QVariant& v) { box->SetKeyValue(v.toInt()); },
                            {}});
        connect(box->Editor(), &LookupComboBox::keyChanged, this,
                [this, i = int(FEditors.size()) - 1] { EditorChanged(i); });
    }
    TCheckBox* sensor = F.CheckBox1;
    FEditors.push_back({sensor,
                        [sensor] { return QVariant(sensor->Checked()); },
                        [sensor](const QVariant& v) { sensor->SetChecked(v.toBool()); },
                        {}});
    connect(static_cast<QAbstractButton*>(sensor->Widget()), &QAbstractButton::toggled, this,
            [this, i = int(FEditors.size()) - 1] { EditorChanged(i); });
    for (TEditor& editor : FEditors)
        editor.Shown = editor.Read();
}

void TEditHistory::Clear() {
    FStack.clear();
    for (auto& table : FTables)
        table->Take();
    for (TEditor& editor : FEditors) {
        editor.Shown = editor.Read();
        ++editor.Session;
    }
    UpdateCommands();
}

void TEditHistory::Undo() {
    CommitPendingEdits();
    FStack.undo();
}

void TEditHistory::Redo() {
    CommitPendingEdits();
    FStack.redo();
}

// An edit still open (a cell editor, a row not yet posted) becomes the step to take back first.
void TEditHistory::CommitPendingEdits() {
    FPostEditors();
    for (auto& table : FTables)
        table->Table().CheckBrowseMode();
}

void TEditHistory::Translate() {
    const struct {
        TBarItem* Item;
        quint16 Caption;
        quint16 Tip;
    } commands[] = {{F.BarButtonUndo, msgUndo, msgUndoTip}, {F.BarButtonRedo, msgRedo, msgRedoTip}};
    for (const auto& c : commands) {
        c.Item->SetCaption(LoadResString(c.Caption));
        c.Item->ScreenTip()->SetHeader(LoadResString(c.Caption));
        c.Item->ScreenTip()->SetText(LoadResString(c.Tip));
    }
}

void TEditHistory::PutRow(int table, qint32 recId, const std::optional<TTableRow>& values,
                          int field) {
    TTableStepRecorder& watch = *FTables[std::size_t(table)];
    TMemData& data = watch.Table();
    {
        FReplaying = true;
        const TScopeExit replayed([this] { FReplaying = false; });
        if (values)
            lumotrix::PutRow(data, *values);
        else
            RemoveRow(data, recId);
    }
    watch.Take();
    Show(watch.Page);
    const int row = RowOfRecId(data, recId);
    GridView* grid = watch.Grid->Grid();
    int column = grid->Model()->ColumnOfField(data.FieldDefs()[std::size_t(field)].Name);
    if (field == 0 || column < 0 || grid->isColumnHidden(column))
        column = grid->currentIndex().isValid() ? grid->currentIndex().column() : 0;
    if (row >= 0) {
        const QModelIndex cell =
            grid->FilterModel()->mapFromSource(grid->Model()->index(row, column));
        if (cell.isValid())
            grid->setCurrentIndex(cell);
    }
    grid->setFocus();
}

void TEditHistory::PutEditorValue(int editor, const QVariant& value) {
    TEditor& e = FEditors[std::size_t(editor)];
    {
        FReplaying = true;
        const TScopeExit replayed([this] { FReplaying = false; });
        e.Write(value);
    }
    e.Shown = e.Read();
    Show(F.TabSheet3);
    e.Control->Widget()->setFocus();
    // Whatever the user changes next is a step of its own.
    ++e.Session;
}

void TEditHistory::Show(TTabSheet* page) {
    F.PageControl1->SetActivePage(page);
}

void TEditHistory::EditorChanged(int editor) {
    TEditor& e = FEditors[std::size_t(editor)];
    if (FReplaying)
        return;
    QVariant value = e.Read();
    if (value == e.Shown)
        return;
    Push(new TEditorStep(*this, editor, e.Session, std::exchange(e.Shown, value), value));
}

void TEditHistory::FocusChanged(QWidget* old) {
    if (!old)
        return;
    for (TEditor& editor : FEditors) {
        QWidget* widget = editor.Control->Widget();
        if (old == widget || widget->isAncestorOf(old))
            ++editor.Session;
    }
}

void TEditHistory::Push(QUndoCommand* step) {
    FStack.push(step);
}

bool TEditHistory::HasPendingRow() const {
    for (const auto& table : FTables)
        if (table->Table().HasPendingChange())
            return true;
    return false;
}

void TEditHistory::UpdateCommands() {
    F.BarButtonUndo->SetEnabled(FStack.canUndo() || HasPendingRow());
    F.BarButtonRedo->SetEnabled(FStack.canRedo());
}

bool TEditHistory::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination pressed = key->keyCombination();
    const bool undo = pressed == (Qt::CTRL | Qt::Key_Z);
    const bool redo =
        pressed == (Qt::CTRL | Qt::Key_Y) || pressed == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((!undo && !redo) || !widget || widget->window() != F.PageControl1->Widget()->window())
        return false;
    if (InOpenCellEditor(widget)) {
        key->accept();
        return true;
    }
    QLineEdit* field = OwnTextField(widget);
    if (!field || (undo ? field->isUndoAvailable() : field->isRedoAvailable()))
        return false;
    // The field has nothing to take back: the key is the window's, not the field's.
    return true;
}

} // namespace lumotrix
