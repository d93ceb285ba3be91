// The week page in the main window: built only once shown, following the tables at once, and
// taking the keeper from a bar to its timer.

#include "AppFixture.h"
#include "support/PrintQString.h"
#include "widgets/GridTableView.h"
#include "widgets/WeekChart.h"
#include "widgets/qt/GridView.h"
#include "widgets/qt/WeekChart.h"

#include <QAccessibleActionInterface>
#include <QApplication>
#include <QRegularExpression>
#include <QTest>

namespace lumotrix::test {

namespace {

WeekChart* ShowWeekPage(TForm1& form) {
    form.Show();
    form.Widget()->resize(1240, 700);
    form.PageControl1->SetActivePage(form.TabSheet4);
    QApplication::processEvents();
    return form.WeekChart1->Chart();
}

} // namespace

TEST_F(MainWindowTest, TheWeekPageWaitsUntilShownThenFollowsAGridEditItsUndoAndAClear) {
    FillConfiguration();
    Form->Show();
    WeekChart* chart = Form->WeekChart1->Chart();
    EXPECT_EQ(chart->BarCount(), 0) << "built while never shown";
    ShowWeekPage(*Form);
    ASSERT_GT(chart->BarCount(), 0);
    ASSERT_EQ(chart->Data().Ports.size(), 8u);
    EXPECT_EQ(chart->Data().Ports[1].Name, "Porta 2");

    // Renamed in the port grid, not yet posted.
    auto* portGrid = Form->Grid2DBTableView1->Grid();
    const int name = Form->Grid2DBTableView1Descrizione->ModelColumn();
    ASSERT_TRUE(portGrid->model()->setData(portGrid->model()->index(1, name),
                                           QStringLiteral("Luce lunare")));
    EXPECT_EQ(chart->Data().Ports[1].Name, "Luce lunare");
    int portTwoBars = 0;
    for (const TWeekChartBar& bar : chart->Data().Ports[1].Bars) {
        EXPECT_TRUE(bar.Text.startsWith(QStringLiteral("Luce lunare, "))) << bar.Text.toStdString();
        ++portTwoBars;
    }
    EXPECT_GT(portTwoBars, 0);

    // Undone (the undo shows the port grid): back on the page, the old name again.
    Form->BarButtonUndo->Click();
    ShowWeekPage(*Form);
    EXPECT_EQ(chart->Data().Ports[1].Name, "Porta 2");

    // Cleared: the page empties with the tables.
    Form->ClearAllData();
    EXPECT_EQ(chart->BarCount(), 0);
}

TEST_F(MainWindowTest, ABarClickedEnteredOrPressedByAssistiveToolsOpensItsTimer) {
    FillConfiguration();
    WeekChart* chart = ShowWeekPage(*Form);
    ASSERT_GE(chart->BarCount(), 3);
    // Three bars of different first timers, none of them the current row.
    std::vector<int> bars;
    for (int i = 0; i < chart->BarCount() && bars.size() < 3; ++i) {
        const int row = chart->Bar(i).TimerRow;
        bool seen = row == Form->MemData1().RecNo();
        for (int b : bars)
            seen = seen || chart->Bar(b).TimerRow == row;
        if (!seen)
            bars.push_back(i);
    }
    ASSERT_EQ(bars.size(), 3u);

    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->BarRect(bars[0]).center());
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TabSheet1);
    EXPECT_EQ(Form->MemData1().RecNo(), chart->Bar(bars[0]).TimerRow);

    Form->PageControl1->SetActivePage(Form->TabSheet4);
    QApplication::processEvents();
    chart->setFocus();
    chart->SetFocusBar(bars[1]);
    QTest::keyClick(chart, Qt::Key_Return);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TabSheet1);
    EXPECT_EQ(Form->MemData1().RecNo(), chart->Bar(bars[1]).TimerRow);

    Form->PageControl1->SetActivePage(Form->TabSheet4);
    QApplication::processEvents();
    QAccessibleInterface* element = QAccessible::queryAccessibleInterface(chart)->child(bars[2]);
    ASSERT_NE(element, nullptr);
    // "Porta 2, martedì, 17:47:41–20:06:17, Timer 18, Timer 42": port, day, times, timers.
    const TWeekChartBar& bar = chart->Bar(bars[2]);
    EXPECT_EQ(element->text(QAccessible::Name), bar.Text);
    const QRegularExpression name(
        QStringLiteral("^Porta \\d, [^,]+, \\d\\d:\\d\\d:\\d\\d\u2013\\d\\d:\\d\\d:\\d\\d, .+$"));
    EXPECT_TRUE(name.match(bar.Text).hasMatch()) << bar.Text.toStdString();
    element->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Form->MemData1().RecNo(), bar.TimerRow);
}

TEST_F(MainWindowTest, TheArrowKeysWalkTheBarsOfARowAndBetweenRows) {
    FillConfiguration();
    WeekChart* chart = ShowWeekPage(*Form);
    chart->setFocus();
    chart->SetFocusBar(0);
    QTest::keyClick(chart, Qt::Key_Left);
    EXPECT_EQ(chart->FocusBar(), 0) << "left of the first bar";
    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_EQ(chart->FocusBar(), 1);
    QTest::keyClick(chart, Qt::Key_Down);
    ASSERT_GT(chart->FocusBar(), 1);
    const QRect below = chart->BarRect(chart->FocusBar());
    EXPECT_GT(below.top(), chart->BarRect(1).top()) << "Down stays in the same row";
    QTest::keyClick(chart, Qt::Key_Up);
    EXPECT_EQ(chart->BarRect(chart->FocusBar()).top(), chart->BarRect(1).top());
}

} // namespace lumotrix::test
