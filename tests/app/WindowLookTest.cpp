// What a user and a screen reader meet in the main window: labelled editors, disabled looks,
// the save dialog's proposal and the ribbon's layout in each of its states.

#include "AppFixture.h"
#include "support/AccessibleSearch.h"

#include "runtime/ScopeExit.h"
#include "widgets/GridTableView.h"
#include "widgets/Label.h"
#include "widgets/Ribbon.h"
#include "widgets/SpinEdit.h"
#include "widgets/qt/FloatSpinEdit.h"
#include "widgets/qt/RibbonBar.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

int CountAccessible(QWidget* window, QAccessible::Role role, const QString& name) {
    const auto named = AccessibleNamed(name);
    return static_cast<int>(
        AccessiblesMatching(QAccessible::queryAccessibleInterface(window),
                            [&](QAccessibleInterface* a) { return a->role() == role && named(a); })
            .size());
}

} // namespace

TEST_F(MainWindowTest, TemperatureEditorsAreNamedByTheirLabels) {
    Form->Show();
    Form->PageControl1->SetActivePage(Get<TTabSheet>("TabSheet3"));
    Form->CheckBox1->SetChecked(true);
    QWidget* window = Form->Widget();
    for (const char* name :
         {"Temperatura Minima:", "Temperatura Massima:", "Temperatura Ideale:", "Isteresi:"})
        EXPECT_EQ(CountAccessible(window, QAccessible::SpinBox, QString::fromUtf8(name)), 1)
            << name;
    // The port drop-downs are read with the text their labels show now.
    const QString lower = Form->Label10->Caption();
    const QString upper = Form->Label11->Caption();
    EXPECT_EQ(CountAccessible(window, QAccessible::ComboBox, lower), 1) << lower.toStdString();
    EXPECT_EQ(CountAccessible(window, QAccessible::ComboBox, upper), 1) << upper.toStdString();

    // The name follows a rewritten label, and the label is the editor's buddy (Alt+letter).
    Form->TempIdeale->SetValue(25);
    EXPECT_NE(Form->Label10->Caption(), lower);
    EXPECT_EQ(CountAccessible(window, QAccessible::ComboBox, Form->Label10->Caption()), 1);
    auto* label = qobject_cast<QLabel*>(Form->Label9->Widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), Form->Isteresi->Widget());
}

TEST_F(MainWindowTest, DisabledTemperatureLabelsLookDisabled) {
    Form->Show();
    auto* check = Form->CheckBox1;
    check->SetChecked(false);
    for (const char* name : {"Label1", "Label7", "Label8", "Label9", "Label10", "Label11"}) {
        SCOPED_TRACE(name);
        QWidget* label = Get<TLabel>(name)->Widget();
        ASSERT_FALSE(label->isEnabled());
        const QPalette& palette = label->palette();
        // Navy while enabled, the greyed text of the style when disabled.
        EXPECT_EQ(palette.color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_NE(palette.color(QPalette::Disabled, QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::WindowText),
                  QApplication::palette(label).color(QPalette::Disabled, QPalette::WindowText));
    }
    // The red band text too.
    const QPalette& band = Form->TempMon->Widget()->palette();
    EXPECT_NE(band.color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::red));
}

TEST_F(MainWindowTest, SaveDialogProposesNoNameAndShowsItsFilterOnce) {
    // The designed folder is missing here: the dialog must not take its last part ("Timer")
    // for a proposed name.
    const QByteArray home = qgetenv("HOME");
    const TScopeExit restore([&] { qputenv("HOME", home); });
    qputenv("HOME", Folder.path().toLocal8Bit());
    Files().PushFileName(QString());
    Item("BarButton8")->Click();
    ASSERT_EQ(Files().Requests().size(), 1u);
    const ScriptedFileDialogs::TRequest& first = Files().Requests()[0];
    EXPECT_TRUE(first.Save);
    EXPECT_EQ(first.Caption, QStringLiteral("Timer File"));
    EXPECT_EQ(first.FileName, QString());
    EXPECT_FALSE(first.Directory.endsWith(QStringLiteral("Timer")))
        << first.Directory.toStdString();
    EXPECT_EQ(first.Filter, QStringLiteral("Timer File (*.tmr)"));

    // Once the folder exists the dialog starts there; with a current file its name is proposed.
    const QString documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Timer";
    ASSERT_TRUE(QDir().mkpath(documents));
    Files().PushFileName(Path(QStringLiteral("acquario.old.tmr")));
    Item("BarButton8")->Click();
    Files().PushFileName(QString());
    Item("BarButton8")->Click();
    ASSERT_EQ(Files().Requests().size(), 3u);
    EXPECT_EQ(Files().Requests()[1].Directory, documents);
    EXPECT_EQ(Files().Requests()[2].FileName, QStringLiteral("acquario.old"));
}

namespace {

struct RibbonStatesTest : MainWindowTest {
    TRibbon* Ribbon() { return Form->Ribbon; }
    RibbonBar* Bar() { return Ribbon()->Bar(); }
    QWidget* Pages() { return Form->PageControl1->Widget(); }
    QRect InWindow(QWidget* widget) {
        return QRect(widget->mapTo(Form->Widget(), QPoint(0, 0)), widget->size());
    }
    void Settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        Form->Show();
        Settle();
    }
};

} // namespace

TEST_F(RibbonStatesTest, ToolbarBelowTheRibbonGetsARowOfItsOwn) {
    const int above = Bar()->height();
    Form->BarLargeButton9->Click();
    Settle();
    QWidget* qat = Bar()->Qat();
    ASSERT_TRUE(qat->isVisible());
    // The ribbon grew by the row and the pages moved down under it.
    EXPECT_GT(Bar()->height(), above);
    EXPECT_EQ(InWindow(Pages()).top(), InWindow(Bar()).bottom() + 1);
    // No group is covered: the toolbar lies below every group, inside the ribbon.
    for (RibbonGroup* group : Bar()->ActiveTab()->Groups())
        EXPECT_GT(InWindow(qat).top(), InWindow(group).bottom()) << group->Caption().toStdString();
    EXPECT_LE(InWindow(qat).bottom(), InWindow(Bar()).bottom());
    EXPECT_TRUE(Form->BarLargeButton9->Down());

    // Back above: the row goes and the pages follow.
    Form->BarLargeButton8->Click();
    Settle();
    EXPECT_EQ(Bar()->height(), above);
    EXPECT_EQ(InWindow(Pages()).top(), InWindow(Bar()).bottom() + 1);
}

TEST_F(RibbonStatesTest, MinimisedRibbonKeepsTheTabsAndShowsGroupsInAPopup) {
    const int full = Bar()->height();
    Bar()->SetMinimized(true);
    Settle();
    // Only the tab row is left (under the drawn caption) and the pages grew.
    EXPECT_EQ(Bar()->height(), InWindow(Bar()->TabBar()->parentWidget()).bottom() + 1);
    EXPECT_LT(Bar()->height(), full - 60);
    EXPECT_EQ(InWindow(Pages()).top(), InWindow(Bar()).bottom() + 1);

    // A click on a tab shows its groups over the pages; a command closes them again.
    QTabBar* tabs = Bar()->TabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    Settle();
    QWidget* popup = Bar()->TabPopup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(Bar()->ActiveTab(), Form->tabAppearance->Page());
    EXPECT_GE(popup->mapToGlobal(QPoint(0, 0)).y(), tabs->mapToGlobal(QPoint(0, 0)).y());
    int clicks = 0;
    QObject::connect(Item("BarLargeButton5")->Command(), &QAction::triggered, [&] { ++clicks; });
    RibbonButton* silver = nullptr;
    for (RibbonButton* b : popup->findChildren<RibbonButton*>())
        if (b->Command() == Item("BarLargeButton5")->Command())
            silver = b;
    ASSERT_NE(silver, nullptr);
    ASSERT_TRUE(silver->isVisible());
    silver->click();
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(Bar()->Minimized());

    // The tab clicked twice in a row (the second press reaches the pop-up) restores it.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    Settle();
    ASSERT_TRUE(popup->isVisible());
    const QPoint onTab = popup->mapFromGlobal(tabs->mapToGlobal(tabs->tabRect(0).center()));
    QTest::mousePress(popup, Qt::LeftButton, {}, onTab);
    Settle();
    EXPECT_FALSE(Bar()->Minimized());
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(Bar()->height(), full);
    EXPECT_EQ(InWindow(Pages()).top(), InWindow(Bar()).bottom() + 1);
    for (RibbonGroup* group : Bar()->ActiveTab()->Groups())
        EXPECT_TRUE(group->isVisible());

    // A double click on a tab minimises without opening the pop-up.
    QTest::mouseDClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    Settle();
    EXPECT_TRUE(Bar()->Minimized());
    EXPECT_FALSE(popup->isVisible());
    Bar()->SetMinimized(false);

    // The context menu's entry minimises and restores just the same.
    for (bool minimise : {true, false}) {
        std::unique_ptr<QMenu> menu(Bar()->CreateContextMenu(QPoint(-1, -1)));
        for (QAction* action : menu->actions())
            if (action->isCheckable())
                action->trigger();
        EXPECT_EQ(Bar()->Minimized(), minimise);
    }
}

TEST_F(RibbonStatesTest, NarrowWindowsShrinkGroupsInsteadOfCuttingCaptions) {
    for (int width : {1240, 789, 560}) {
        SCOPED_TRACE(width);
        Form->Widget()->resize(width, Form->Widget()->height());
        Settle();
        for (RibbonTab* tab : {Get<TRibbonTab>("tabHome")->Page(), Form->tabAppearance->Page()}) {
            Bar()->SetActiveTab(tab);
            Settle();
            const QList<RibbonGroup*> groups = tab->Groups();
            ASSERT_FALSE(groups.isEmpty());
            // Every button gets the room its caption needs, and the groups fit the page.
            for (RibbonGroup* group : groups) {
                for (RibbonButton* button : group->Buttons())
                    if (button->Size() != RibbonButton::TSize::IconOnly) { // no caption to cut
                        EXPECT_GE(button->width(), button->sizeHint().width())
                            << button->accessibleName().toStdString();
                    }
                EXPECT_LE(InWindow(group).right(), InWindow(tab).right());
            }
            if (width == 1240) {
                for (RibbonGroup* group : groups)
                    EXPECT_EQ(group->Reduction(), 0);
                // Room to spare goes to the last group: it reaches the page's right edge.
                EXPECT_GE(InWindow(groups.constLast()).right(), InWindow(tab).right() - 6);
            }
        }
        if (width == 560) {
            int reduced = 0;
            for (RibbonGroup* group : Get<TRibbonTab>("tabHome")->Page()->Groups())
                reduced += group->Reduction() > 0;
            EXPECT_GT(reduced, 0);
        }
    }
}

TEST_F(MainWindowTest, NothingOfTheAboutBoxIsCut) {
    std::unique_ptr<TAboutBox> about(CreateForm<TAboutBox>());
    about->Widget()->show();
    QApplication::processEvents();
    QWidget* panel =
        dynamic_cast<TControl*>(about->FindComponent(QStringLiteral("Panel1")))->Widget();
    const QRect inside = panel->contentsRect().adjusted(2, 2, -2, -2); // within the bevels
    for (QLabel* label : panel->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_TRUE(inside.contains(label->geometry())) << label->geometry().bottom();
        // The label itself has room for its whole text.
        if (label->wordWrap())
            EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        else
            EXPECT_GE(label->width(), label->sizeHint().width());
    }
    QWidget* ok =
        dynamic_cast<TControl*>(about->FindComponent(QStringLiteral("OKButton")))->Widget();
    EXPECT_TRUE(about->Widget()->rect().contains(ok->geometry()));
    EXPECT_FALSE(ok->geometry().intersects(panel->geometry()));
}
