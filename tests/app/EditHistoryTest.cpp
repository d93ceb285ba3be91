// The window's undo history: which edits are steps, what undo and redo put back and show, the
// keys, and when the history starts afresh.

#include "AppFixture.h"

#include "app/EditHistory.h"
#include "widgets/GridTableView.h"
#include "widgets/LookupComboBox.h"
#include "widgets/SpinEdit.h"
#include "widgets/qt/FloatSpinEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QUndoStack>
#include <functional>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

struct EditHistoryTest : MainWindowTest {
    // A configuration saved and opened again: nothing unsaved, nothing to undo.
    void StartFromFile() {
        Form->Show();
        FillConfiguration();
        Form->CheckBox1->SetChecked(true);
        Form->MinTemp->SetValue(21.5);
        Form->PrimaPt->SetKeyValue(3);
        const QString file = Path(QStringLiteral("vasca.tmr"));
        Files().PushFileName(file);
        Item("BarButton8")->Click();
        Files().PushFileName(file);
        Form->BarButtonOpen->Click();
        ASSERT_EQ(Stack().count(), 0);
        ASSERT_FALSE(Marked());
    }
    const QUndoStack& Stack() const { return Form->EditHistory().Stack(); }
    bool Marked() const { return Form->Widget()->isWindowModified(); }
    // Commits `value` into a cell as the grid does: the row is posted when it is left.
    static void CommitCell(TMemData& table, int row, const char* field, const TFieldValue& value) {
        table.SetCellValue(row, table.FieldIndex(QString::fromLatin1(field)), value);
        table.Post();
    }
    static QString Cell(TMemData& table, int row, const char* field) {
        return std::get<AnsiString>(table.CellValue(row, table.FieldIndex(QLatin1String(field))));
    }
    // The source cell the grid shows as current: row and field name.
    static std::pair<int, QString> CurrentCell(TGridTableView* view) {
        GridView* grid = view->Grid();
        const QModelIndex cell = grid->FilterModel()->mapToSource(grid->currentIndex());
        return {cell.row(), grid->Model()->Column(cell.column()).FieldName};
    }
    QWidget* Focused() const { return Form->Widget()->focusWidget(); }
};

} // namespace

// Each kind of edit is one step: undo puts back what was there and shows where (page, cell or
// editor), the title's "*" goes with it, redo makes the edit again.
TEST_F(EditHistoryTest, EachKindOfEditIsOneStepUndoneAndRedoneWhereItWasMade) {
    StartFromFile();
    TMemData& timers = Form->MemData1();
    TMemData& ports = Form->MemData2();
    struct TCase {
        const char* Name;
        std::function<void()> Edit;
        std::function<QVariant()> Read;
        TTabSheet* Page;
        std::function<bool()> Shown;
    };
    const TCase cases[] = {
        {"timer row (two cells, one commit)",
         [&] {
             timers.SetCellValue(3, timers.FieldIndex(QStringLiteral("Timer")), AnsiString("Alba"));
             CommitCell(timers, 3, "Giorno", AnsiString("Sabato"));
         },
         [&] { return QVariant(Cell(timers, 3, "Timer") + Cell(timers, 3, "Giorno")); },
         Form->TabSheet1,
         [&] {
             return CurrentCell(Form->Grid1DBTableView1) == std::pair(3, QStringLiteral("Timer"));
         }},
        {"port name", [&] { CommitCell(ports, 6, "Descrizione", AnsiString("Pompa")); },
         [&] { return QVariant(Cell(ports, 6, "Descrizione")); }, Form->TabSheet2,
         [&] {
             return CurrentCell(Form->Grid2DBTableView1) ==
                    std::pair(6, QStringLiteral("Descrizione"));
         }},
        {"temperature spin steps, merged",
         [&] {
             for (int step = 0; step < 3; ++step)
                 Form->MinTemp->Editor()->stepUp();
         },
         [&] { return QVariant(Form->MinTemp->Value()); }, Form->TabSheet3,
         [&] { return Focused() == Form->MinTemp->Widget(); }},
        {"hysteresis", [&] { Form->Isteresi->SetValue(3); },
         [&] { return QVariant(Form->Isteresi->Value()); }, Form->TabSheet3,
         [&] { return Focused() == Form->Isteresi->Widget(); }},
        {"port drop-down", [&] { Form->SecondaPt->SetKeyValue(5); },
         [&] { return QVariant(Form->SecondaPt->KeyValue()); }, Form->TabSheet3,
         [&] { return Focused() == Form->SecondaPt->Widget(); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const QVariant before = c.Read();
        c.Edit();
        const QVariant after = c.Read();
        ASSERT_NE(after, before);
        EXPECT_EQ(Stack().count(), 1);
        EXPECT_TRUE(Marked());
        EXPECT_TRUE(Form->BarButtonUndo->Enabled());
        EXPECT_FALSE(Form->BarButtonRedo->Enabled());

        // Undone from another page: the page of the edit comes back with the edit's place.
        Form->PageControl1->SetActivePage(c.Page == Form->TabSheet1 ? Form->TabSheet2
                                                                    : Form->TabSheet1);
        Form->BarButtonUndo->Click();
        EXPECT_EQ(c.Read(), before);
        EXPECT_FALSE(Marked()) << "back as saved";
        EXPECT_EQ(Form->PageControl1->ActivePage(), c.Page);
        EXPECT_TRUE(c.Shown());
        EXPECT_FALSE(Form->BarButtonUndo->Enabled());
        EXPECT_TRUE(Form->BarButtonRedo->Enabled());

        Form->BarButtonRedo->Click();
        EXPECT_EQ(c.Read(), after);
        EXPECT_TRUE(Marked());
        Form->BarButtonUndo->Click();
        EXPECT_EQ(c.Read(), before);
    }
    // The temperature page's own reaction ran on the undone value: the band texts follow.
    const QString band = Form->TempMon->Caption();
    Form->TempIdeale->SetValue(26);
    ASSERT_NE(Form->TempMon->Caption(), band);
    Form->BarButtonUndo->Click();
    EXPECT_EQ(Form->TempMon->Caption(), band);
}

// A row changed and not yet committed is committed by undo, and so is the step undone; a row the
// grid deletes comes back.
TEST_F(EditHistoryTest, APendingRowIsTheStepUndoneAndADeletedRowComesBack) {
    StartFromFile();
    TMemData& ports = Form->MemData2();
    const QString name = Cell(ports, 2, "Descrizione");
    ports.SetCellValue(2, ports.FieldIndex(QStringLiteral("Descrizione")), AnsiString("Filtro"));
    EXPECT_TRUE(Form->BarButtonUndo->Enabled()) << "something to undo before the commit";
    Form->BarButtonUndo->Click();
    EXPECT_EQ(Cell(ports, 2, "Descrizione"), name);
    EXPECT_EQ(ports.State(), TDataSetState::dsBrowse);
    Form->BarButtonRedo->Click();
    EXPECT_EQ(Cell(ports, 2, "Descrizione"), QStringLiteral("Filtro"));
    Form->BarButtonUndo->Click();

    ports.SetRecNo(5);
    ports.Delete();
    ASSERT_EQ(ports.RecordCount(), 7);
    Form->BarButtonUndo->Click();
    ASSERT_EQ(ports.RecordCount(), 8);
    EXPECT_EQ(Cell(ports, 4, "Descrizione"), QStringLiteral("Porta 5"));
    EXPECT_FALSE(Marked()) << "the row is back as it was, RecId included";
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z reach the history, except inside an open cell editor and in a
// text field that has typing of its own to take back.
TEST_F(EditHistoryTest, KeysUndoAndRedoUnlessTheFocusedEditorHasItsOwnUndo) {
    StartFromFile();
    QApplication::setActiveWindow(Form->Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
    TMemData& ports = Form->MemData2();
    const QString name = Cell(ports, 6, "Descrizione");
    CommitCell(ports, 6, "Descrizione", AnsiString("Pompa"));
    GridView* grid = Form->Grid2DBTableView1->Grid();
    Form->PageControl1->SetActivePage(Form->TabSheet2);
    grid->setFocus();
    const struct {
        Qt::KeyboardModifiers Modifiers;
        Qt::Key Key;
        const char* Expected;
    } keys[] = {{Qt::ControlModifier, Qt::Key_Z, nullptr},
                {Qt::ControlModifier, Qt::Key_Y, "Pompa"},
                {Qt::ControlModifier, Qt::Key_Z, nullptr},
                {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z, "Pompa"}};
    for (const auto& k : keys) {
        QTest::keyClick(QApplication::focusWidget(), k.Key, k.Modifiers);
        EXPECT_EQ(Cell(ports, 6, "Descrizione"),
                  k.Expected ? QString::fromLatin1(k.Expected) : name);
    }

    // In an open cell editor the key is the editor's, typed or not.
    const QModelIndex cell = grid->FilterModel()->mapFromSource(
        grid->Model()->index(1, grid->Model()->ColumnOfField(QStringLiteral("Descrizione"))));
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* cellEditor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    ASSERT_NE(cellEditor, nullptr);
    cellEditor->setFocus();
    QTest::keyClick(cellEditor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClicks(cellEditor, QStringLiteral("xy"));
    QTest::keyClick(cellEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Cell(ports, 6, "Descrizione"), QStringLiteral("Pompa"));
    EXPECT_EQ(Stack().index(), 1);
    grid->PostEditor();

    // A spin box whose text has nothing to undo leaves the key to the window; once typed into,
    // the key takes the typing back and the history keeps its steps.
    Form->PageControl1->SetActivePage(Form->TabSheet3);
    FloatSpinEdit* spin = Form->MaxTemp->Editor();
    spin->setFocus();
    spin->stepUp();
    const int steps = Stack().index();
    QTest::keyClick(spin, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Stack().index(), steps - 1);
    auto* text = spin->findChild<QLineEdit*>();
    text->end(false);
    QTest::keyClicks(spin, QStringLiteral("5"));
    ASSERT_TRUE(text->isUndoAvailable());
    const double typed = Form->MaxTemp->Value();
    QTest::keyClick(spin, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(Form->MaxTemp->Value(), typed) << "the field took its typing back";
    EXPECT_EQ(Cell(ports, 6, "Descrizione"), QStringLiteral("Pompa")) << "no window step undone";
}

// Open, receive (a refused dump too) and "Azzera dati" start a fresh history; a language switch
// keeps it.
TEST_F(EditHistoryTest, OpenReceiveAndClearStartAFreshHistoryALanguageSwitchKeepsIt) {
    StartFromFile();
    const QString file = Path(QStringLiteral("vasca.tmr"));
    const struct {
        const char* Name;
        std::function<void()> Run;
        bool Fresh;
    } cases[] = {
        {"open",
         [&] {
             Boxes().PushAnswer(TMsgButton::No); // the unsaved edit is dropped
             Files().PushFileName(file);
             Form->BarButtonOpen->Click();
         },
         true},
        {"refused receive", [&] { Form->ComPortRxFlag(Form.get()); }, true},
        {"Azzera dati",
         [&] {
             Boxes().PushAnswer(TMsgButton::Yes);
             Form->BarButtonClear->Click();
         },
         true},
        {"language switch",
         [&] {
             Form->FormCreate(Form.get());
             Form->FormShow(Form.get());
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->Isteresi->SetValue(Form->Isteresi->Value() + 1);
        Form->BarButtonUndo->Click();
        Form->Isteresi->SetValue(Form->Isteresi->Value() + 2);
        ASSERT_GT(Stack().count(), 0);
        const int count = Stack().count();
        c.Run();
        EXPECT_EQ(Stack().count(), c.Fresh ? 0 : count);
        EXPECT_EQ(Form->BarButtonUndo->Enabled(), !c.Fresh);
        EXPECT_FALSE(Form->BarButtonRedo->Enabled());
        EXPECT_EQ(Marked(), !c.Fresh);
    }
}

// The two commands are offered on the quick access toolbar's customise menu, and once put there
// show whether there is something to undo or redo.
TEST_F(EditHistoryTest, TheCustomiseMenuOffersAnnullaAndRipeti) {
    QuickAccessToolbar* qat = Form->Ribbon->Bar()->Qat();
    QMenu* menu = qat->CustomizeButton()->menu();
    emit menu->aboutToShow();
    const auto offered = [&](const char* caption) -> QAction* {
        for (QAction* action : menu->actions())
            if (action->text() == QLatin1String(caption) && action->isCheckable())
                return action;
        return nullptr;
    };
    QAction* undo = offered("Annulla");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(offered("Ripeti"), nullptr);
    EXPECT_FALSE(undo->isChecked());
    undo->trigger();
    ASSERT_TRUE(qat->Contains(Form->BarButtonUndo->Command()));
    EXPECT_FALSE(Form->BarButtonUndo->Command()->isEnabled());
    Form->MinTemp->SetValue(Form->MinTemp->Value() + 1);
    EXPECT_TRUE(Form->BarButtonUndo->Command()->isEnabled());
}
