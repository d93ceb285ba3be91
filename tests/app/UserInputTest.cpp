// What the user types: text left in a grid's cell editor, numbers in the temperature editors,
// and characters the controller cannot store.

#include "AppFixture.h"

#include "runtime/FormatSettings.h"
#include "runtime/ScopeExit.h"
#include "widgets/GridTableView.h"
#include "widgets/SpinEdit.h"
#include "widgets/qt/FloatSpinEdit.h"

#include <QApplication>
#include <QLineEdit>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

struct UserInputTest : MainWindowTest {
    // Opens the cell editor of the first timer's label and types `text` into it, without
    // leaving the cell.
    void TypeIntoTimerCell(const QString& text) {
        GridView* grid = Form->Grid1DBTableView1->Grid();
        const int column = Get<TGridColumnDef>("Grid1DBTableView1Column2")->ModelColumn();
        const QModelIndex cell = grid->model()->index(0, column);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
    }
    AnsiString FirstTimerLabel() {
        TMemData& timers = Form->MemData1();
        return std::get<AnsiString>(
            timers.CellValue(0, timers.FieldIndex(QStringLiteral("Timer"))));
    }
    // Types `text` into a temperature editor and leaves it, as pressing Tab would.
    double Type(TSpinEdit* edit, const QString& text) {
        edit->Editor()->findChild<QLineEdit*>()->setText(text);
        edit->Editor()->interpretText();
        return edit->Value();
    }
};

} // namespace

TEST_F(UserInputTest, TextInAnOpenCellEditorIsAChangeBeforeEveryCommandThatWouldLoseIt) {
    FillConfiguration();
    Form->Show();

    // Closing asks, and the typed text is in the table.
    TypeIntoTimerCell(QStringLiteral("Tramonto"));
    Boxes().PushAnswer(TMsgButton::Cancel);
    EXPECT_FALSE(Form->Close());
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(FirstTimerLabel(), AnsiString("Tramonto"));
    Form->MemData1().Post();

    // "Apri " asks before the dialog.
    TypeIntoTimerCell(QStringLiteral("Alba"));
    Boxes().PushAnswer(TMsgButton::Cancel);
    Form->BarButtonOpen->Click();
    ASSERT_EQ(Boxes().Questions().size(), 2u);
    EXPECT_TRUE(Files().Requests().empty());
    EXPECT_EQ(FirstTimerLabel(), AnsiString("Alba"));

    // "Azzera dati" answered No keeps what was typed.
    TypeIntoTimerCell(QStringLiteral("Meriggio"));
    Boxes().PushAnswer(TMsgButton::No);
    Form->BarButtonClear->Click();
    EXPECT_EQ(FirstTimerLabel(), AnsiString("Meriggio"));
}

TEST_F(UserInputTest, TemperatureEditorsClampToTheirRangeAndReadEitherDecimalMark) {
    Form->Show();
    EXPECT_DOUBLE_EQ(Type(Form->MaxTemp, QStringLiteral("91")), 90);
    EXPECT_DOUBLE_EQ(Type(Form->Isteresi, QStringLiteral("150")), 100);
    EXPECT_DOUBLE_EQ(Type(Form->MinTemp, QStringLiteral("-3")), 0);

    // Both marks, whichever the locale in force uses.
    TFormatSettings& settings = FormatSettings();
    const QChar decimal = settings.DecimalSeparator;
    const QChar thousands = settings.ThousandSeparator;
    const TScopeExit restore([&] {
        settings.DecimalSeparator = decimal;
        settings.ThousandSeparator = thousands;
    });
    for (const QChar mark : {QLatin1Char(','), QLatin1Char('.')}) {
        settings.DecimalSeparator = mark;
        settings.ThousandSeparator = mark == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        EXPECT_DOUBLE_EQ(Type(Form->TempIdeale, QStringLiteral("25,5")), 25.5) << mark.toLatin1();
        EXPECT_DOUBLE_EQ(Type(Form->TempIdeale, QStringLiteral("26.5")), 26.5) << mark.toLatin1();
    }

    // Nothing readable keeps the value there was.
    EXPECT_DOUBLE_EQ(Type(Form->TempIdeale, QStringLiteral("caldo")), 26.5);
}

TEST_F(UserInputTest, CharactersTheControllerCannotStoreAreRefusedWhereTyped) {
    FillConfiguration();
    GridView* grid = Form->Grid2DBTableView1->Grid();
    const int name = Form->Grid2DBTableView1Descrizione->ModelColumn();
    const QModelIndex cell = grid->model()->index(0, name);

    EXPECT_FALSE(grid->model()->setData(cell, QStringLiteral("Luce \u2600 lunare")));
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_TRUE(Boxes().Questions()[0].Text.contains(QStringLiteral("\u2600")))
        << Boxes().Questions()[0].Text.toStdString();
    EXPECT_EQ(cell.data().toString(), QStringLiteral("Porta 1"));

    // Everything Windows-1252 has, accents and the euro sign included, goes in.
    EXPECT_TRUE(grid->model()->setData(cell, QStringLiteral("Lunedì € ñ")));
    EXPECT_EQ(cell.data().toString(), QStringLiteral("Lunedì € ñ"));
}
