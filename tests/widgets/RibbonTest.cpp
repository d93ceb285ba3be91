#include "runtime/Message.h"
#include "support/TestApplication.h"
#include "widgets/qt/Icons.h"
#include "widgets/qt/RibbonBar.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// A window with the ribbon of the main window in small: two tabs, the command kinds and
// the exclusive groups.
struct RibbonFixture : testing::Test {
    QWidget window;
    RibbonBar* ribbon = new RibbonBar(&window);
    RibbonTab* home = nullptr;
    RibbonTab* appearance = nullptr;
    RibbonCommand* open = new RibbonCommand(QStringLiteral("Apri "), &window);
    RibbonCommand* print = new RibbonCommand(QStringLiteral("Stampa"), &window);
    RibbonCommand* date = new RibbonCommand(QStringLiteral("Sync Data"), &window);
    RibbonCommand* blue = new RibbonCommand(QStringLiteral("Blu"), &window);
    RibbonCommand* black = new RibbonCommand(QStringLiteral("Nero"), &window);
    RibbonCommand* silver = new RibbonCommand(QStringLiteral("Silver"), &window);
    RibbonCommand* above = new RibbonCommand(QStringLiteral("Sopra il nastro"), &window);
    RibbonCommand* below = new RibbonCommand(QStringLiteral("Sotto il nastro"), &window);
    RibbonEditItem* delay = nullptr;

    void SetUp() override {
        test::App();
        home = ribbon->AddTab(QStringLiteral("Azioni"));
        appearance = ribbon->AddTab(QStringLiteral("Apparenza"));
        RibbonGroup* file = home->AddGroup(QStringLiteral("File"));
        for (RibbonCommand* c : {open, print, date, blue, black, silver, above, below})
            ribbon->RegisterCommand(c);
        file->AddLargeButton(open);
        file->AddLargeButton(print);
        RibbonGroup* pic = home->AddGroup(QStringLiteral("Comunicazione con il PIC"));
        date->SetCheckStyle(true);
        date->SetDown(true);
        pic->AddLargeButton(date);
        delay = pic->AddEditItem(QStringLiteral("Ritardo sec.:"), 32);
        RibbonGroup* colours = appearance->AddGroup(QStringLiteral("Colori e Lingua"));
        for (RibbonCommand* c : {blue, black, silver}) {
            c->SetGroupIndex(11);
            colours->AddLargeButton(c, c != black && c != silver);
        }
        blue->SetDown(true);
        RibbonGroup* qat = appearance->AddGroup(QStringLiteral("Toolbar accesso veloce"));
        for (RibbonCommand* c : {above, below}) {
            c->SetGroupIndex(2);
            qat->AddSmallButton(c);
        }
        above->SetDown(true);
        ribbon->Qat()->AddCommand(open);
        window.resize(800, 200);
        window.show();
    }
};

QAccessibleInterface* FindAccessible(QAccessibleInterface* root, const QString& name,
                                     QAccessible::Role role) {
    if (!root)
        return nullptr;
    // A check-style button may be announced as a check box.
    bool roleMatches = root->role() == role ||
                       (role == QAccessible::Button && root->role() == QAccessible::CheckBox);
    if (roleMatches && root->text(QAccessible::Name) == name)
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface* found = FindAccessible(root->child(i), name, role))
            return found;
    return nullptr;
}

} // namespace

TEST_F(RibbonFixture, ExclusiveGroupPressingOneReleasesTheOthers) {
    EXPECT_TRUE(blue->Down());
    black->trigger();
    EXPECT_TRUE(black->Down());
    EXPECT_FALSE(blue->Down());
    EXPECT_FALSE(silver->Down());
    // Pressing the down button of a group keeps it down: a group always has one pressed.
    black->trigger();
    EXPECT_TRUE(black->Down());
    // Setting the state from code releases the others just the same.
    silver->SetDown(true);
    EXPECT_FALSE(black->Down());
    // Groups are separate: the placement group is untouched by the colour group.
    EXPECT_TRUE(above->Down());
    below->trigger();
    EXPECT_FALSE(above->Down());
    EXPECT_TRUE(silver->Down());
}

TEST_F(RibbonFixture, CheckButtonWithoutGroupFlipsAtEachClick) {
    QList<RibbonButton*> buttons = home->findChildren<RibbonButton*>();
    auto it = std::find_if(buttons.begin(), buttons.end(),
                           [&](RibbonButton* b) { return b->Command() == date; });
    ASSERT_NE(it, buttons.end());
    (*it)->click();
    EXPECT_FALSE(date->Down());
    (*it)->click();
    EXPECT_TRUE(date->Down());
}

TEST_F(RibbonFixture, QuickAccessToolbarShowsHidesAndMoves) {
    QuickAccessToolbar* qat = ribbon->Qat();
    EXPECT_TRUE(qat->isVisible());
    int calls = 0;
    QObject::connect(ribbon, &RibbonBar::sizeChanged, [&] { ++calls; });

    ribbon->SetQatVisible(false);
    EXPECT_FALSE(qat->isVisible());
    ribbon->SetQatVisible(true);
    EXPECT_TRUE(qat->isVisible());

    // Above sits over the tabs, below under the group panel.
    int tabsY = ribbon->TabBar()->mapTo(&window, QPoint(0, 0)).y();
    QApplication::processEvents();
    EXPECT_LT(qat->mapTo(&window, QPoint(0, 0)).y(), tabsY);
    ribbon->SetQatPosition(RibbonBar::TQatPosition::Below);
    ribbon->adjustSize();
    QApplication::processEvents();
    EXPECT_GT(qat->mapTo(&window, QPoint(0, 0)).y(), tabsY);
    EXPECT_TRUE(qat->isVisible());
    EXPECT_GT(calls, 0);

    // In form mode the toolbar above goes into the ribbon's caption bar.
    ribbon->SetSupportNonClientDrawing(true);
    ribbon->SetQatPosition(RibbonBar::TQatPosition::Above);
    EXPECT_TRUE(ribbon->CaptionBar()->isAncestorOf(qat));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    ribbon->SetSupportNonClientDrawing(false);
    EXPECT_FALSE(ribbon->CaptionBar()->isAncestorOf(qat));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(RibbonFixture, ContextMenuMovesToolbarAndMinimisesRibbon) {
    std::unique_ptr<QMenu> menu(ribbon->CreateContextMenu(QPoint(-1, -1)));
    QAction* move = nullptr;
    QAction* minimise = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == MessageText(msgRibbonQatBelow))
            move = action;
        if (action->text() == MessageText(msgRibbonMinimize))
            minimise = action;
    }
    ASSERT_NE(move, nullptr);
    ASSERT_NE(minimise, nullptr);
    move->trigger();
    EXPECT_EQ(ribbon->QatPosition(), RibbonBar::TQatPosition::Below);
    minimise->trigger();
    EXPECT_TRUE(ribbon->Minimized());

    // Now the menu offers the way back up.
    menu.reset(ribbon->CreateContextMenu(QPoint(-1, -1)));
    bool offersAbove = false;
    for (QAction* action : menu->actions())
        offersAbove |= action->text() == MessageText(msgRibbonQatAbove);
    EXPECT_TRUE(offersAbove);
}

TEST_F(RibbonFixture, ContextMenuOnAnItemAddsItToTheToolbar) {
    ribbon->SetActiveTab(home);
    QApplication::processEvents();
    RibbonButton* printButton = nullptr;
    for (RibbonButton* b : home->findChildren<RibbonButton*>())
        if (b->Command() == print)
            printButton = b;
    ASSERT_NE(printButton, nullptr);
    QPoint at = printButton->mapTo(ribbon, printButton->rect().center());
    std::unique_ptr<QMenu> menu(ribbon->CreateContextMenu(at));
    ASSERT_FALSE(menu->actions().isEmpty());
    menu->actions().first()->trigger();
    EXPECT_TRUE(ribbon->Qat()->Contains(print));
    menu.reset(ribbon->CreateContextMenu(at));
    menu->actions().first()->trigger();
    EXPECT_FALSE(ribbon->Qat()->Contains(print));
}

TEST_F(RibbonFixture, ScreenTipShowsHeaderTextFooterAndShortcut) {
    open->SetShortCut(QKeySequence(QStringLiteral("Ctrl+O")));
    open->SetScreenTip({QStringLiteral("Apri"),
                        QStringLiteral("Apri una configurazione Lumotrix salvata"),
                        QStringLiteral("Premi F1 per la guida")});
    RibbonButton* button = ribbon->Qat()->findChild<RibbonButton*>();
    ASSERT_NE(button, nullptr);
    QString tip = button->toolTip();
    EXPECT_TRUE(tip.contains(QStringLiteral("<b>Apri (Ctrl+O)</b>"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("Apri una configurazione Lumotrix salvata")));
    EXPECT_TRUE(tip.contains(QStringLiteral("Premi F1 per la guida")));
    EXPECT_TRUE(Qt::mightBeRichText(tip));

    // Without a screen tip the hint shows, and the caption when there is no hint either.
    print->SetHint(QStringLiteral("Print the document"));
    EXPECT_EQ(print->toolTip(), QStringLiteral("Print the document"));
    EXPECT_EQ(black->toolTip(), QStringLiteral("Nero"));
    // Markup in a tip is shown as text.
    print->SetScreenTip({QStringLiteral("<x>"), QString(), QString()});
    EXPECT_TRUE(print->toolTip().contains(QStringLiteral("&lt;x&gt;")));
}

TEST_F(RibbonFixture, ShortcutTriggersTheCommand) {
    int clicks = 0;
    QObject::connect(open, &QAction::triggered, [&] { ++clicks; });
    open->SetShortCut(QKeySequence(QStringLiteral("Ctrl+O")));
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
    open->setEnabled(false);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
}

TEST_F(RibbonFixture, AccessibilityFindsCommandsTabsAndEditorsByCaption) {
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(root, nullptr);
    print->setEnabled(false);
    QAccessibleInterface* printItem =
        FindAccessible(root, QStringLiteral("Stampa"), QAccessible::Button);
    ASSERT_NE(printItem, nullptr);
    EXPECT_TRUE(printItem->state().disabled);
    // Captions with a trailing blank are announced without it.
    QAccessibleInterface* openItem =
        FindAccessible(root, QStringLiteral("Apri"), QAccessible::Button);
    ASSERT_NE(openItem, nullptr);
    EXPECT_FALSE(openItem->state().disabled);
    // Pressing through accessibility runs the command.
    int clicks = 0;
    QObject::connect(open, &QAction::triggered, [&] { ++clicks; });
    ASSERT_NE(openItem->actionInterface(), nullptr);
    openItem->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);

    QAccessibleInterface* dateItem =
        FindAccessible(root, QStringLiteral("Sync Data"), QAccessible::Button);
    ASSERT_NE(dateItem, nullptr);
    EXPECT_TRUE(dateItem->state().checkable);
    EXPECT_TRUE(dateItem->state().checked);
    date->SetDown(false);
    EXPECT_FALSE(dateItem->state().checked);

    EXPECT_NE(FindAccessible(root, QStringLiteral("Apparenza"), QAccessible::PageTab), nullptr);
    EXPECT_NE(FindAccessible(root, QStringLiteral("Ritardo sec.:"), QAccessible::EditableText),
              nullptr);
}

TEST_F(RibbonFixture, AccessibleToggleRunsTheCommandAndShowsWhatItMadeOfIt) {
    ribbon->Qat()->AddCommand(date);
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
    QAccessibleInterface* dateItem =
        FindAccessible(root, QStringLiteral("Sync Data"), QAccessible::Button);
    ASSERT_NE(dateItem, nullptr);
    QAccessibleActionInterface* actions = dateItem->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    QList<bool> runs;
    QObject::connect(date, &QAction::triggered, [&](bool down) { runs.append(down); });
    auto buttonsDown = [&] {
        QList<bool> down;
        for (RibbonButton* b : window.findChildren<RibbonButton*>())
            if (b->Command() == date)
                down.append(b->isChecked());
        return down;
    };
    ASSERT_EQ(buttonsDown(), (QList<bool>{true, true}));

    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(runs, QList<bool>{false});
    EXPECT_FALSE(date->Down());
    EXPECT_EQ(buttonsDown(), (QList<bool>{false, false})) << "every place shows the new state";
    EXPECT_FALSE(dateItem->state().checked);
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(runs, (QList<bool>{false, true}));
    EXPECT_TRUE(date->Down());

    // A command that refuses to go up stays down, and so does its look.
    QObject::connect(date, &QAction::triggered, date, [&] { date->SetDown(true); });
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(runs.size(), 3);
    EXPECT_TRUE(date->Down());
    EXPECT_EQ(buttonsDown(), (QList<bool>{true, true}));
    EXPECT_TRUE(dateItem->state().checked);

    // A disabled command neither runs nor changes its look.
    date->setEnabled(false);
    for (RibbonButton* b : window.findChildren<RibbonButton*>())
        if (b->Command() == date)
            b->toggle();
    EXPECT_EQ(runs.size(), 3);
    EXPECT_EQ(buttonsDown(), (QList<bool>{true, true}));
}

TEST_F(RibbonFixture, AccessibleToggleInAnExclusiveGroupPressesThroughTheCommand) {
    ribbon->SetActiveTab(appearance);
    QApplication::processEvents();
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
    QAccessibleInterface* blueItem =
        FindAccessible(root, QStringLiteral("Blu"), QAccessible::Button);
    QAccessibleInterface* blackItem =
        FindAccessible(root, QStringLiteral("Nero"), QAccessible::Button);
    ASSERT_NE(blueItem, nullptr);
    ASSERT_NE(blackItem, nullptr);
    int blueRuns = 0, blackRuns = 0;
    QObject::connect(blue, &QAction::triggered, [&] { ++blueRuns; });
    QObject::connect(black, &QAction::triggered, [&] { ++blackRuns; });

    // The pressed one of a group stays pressed, but the command still runs.
    blueItem->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(blueRuns, 1);
    EXPECT_TRUE(blue->Down());
    EXPECT_TRUE(blueItem->state().checked);

    blackItem->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(blackRuns, 1);
    EXPECT_TRUE(black->Down());
    EXPECT_FALSE(blue->Down());
    EXPECT_FALSE(blueItem->state().checked);
    EXPECT_TRUE(blackItem->state().checked);
}

TEST_F(RibbonFixture, LargeCaptionsWrapButKeepTheirAccessibleName) {
    RibbonButton* button = nullptr;
    for (RibbonButton* b : appearance->findChildren<RibbonButton*>())
        if (b->Command() == above)
            button = b;
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(RibbonButton::WrapCaption(QStringLiteral("Carica impostazioni")),
              QStringLiteral("Carica\nimpostazioni"));
    EXPECT_EQ(RibbonButton::WrapCaption(QStringLiteral("Blu")), QStringLiteral("Blu"));
    above->SetCaption(QStringLiteral("Sopra"));
    EXPECT_EQ(button->accessibleName(), QStringLiteral("Sopra"));
    EXPECT_EQ(button->text(), QStringLiteral("Sopra"));
}

TEST_F(RibbonFixture, EditItemKeepsTextAndCaption) {
    delay->SetText(QStringLiteral("1"));
    EXPECT_EQ(delay->Text(), QStringLiteral("1"));
    EXPECT_EQ(delay->Edit()->width(), 32);
    int changes = 0;
    QObject::connect(delay, &RibbonEditItem::changed, [&] { ++changes; });
    QTest::keyClicks(delay->Edit(), QStringLiteral("5"));
    EXPECT_EQ(changes, 1);
    delay->SetCaption(QStringLiteral("Delay s:"));
    EXPECT_EQ(delay->Edit()->accessibleName(), QStringLiteral("Delay s:"));
}

TEST_F(RibbonFixture, ApplicationMenuListsRecentFilesMostRecentFirst) {
    ApplicationMenu* menu = ribbon->AppMenu();
    menu->SetMaxRecentFiles(3);
    for (const char* f : {"/a/one.tmr", "/a/two.tmr", "/a/three.tmr", "/a/two.tmr", "/a/four.tmr"})
        menu->AddRecentFile(QString::fromLatin1(f));
    EXPECT_EQ(menu->RecentFiles(),
              (QStringList{QStringLiteral("/a/four.tmr"), QStringLiteral("/a/two.tmr"),
                           QStringLiteral("/a/three.tmr")}));
    QList<QAbstractButton*> buttons = menu->RecentFileButtons();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[0]->accessibleName(), QStringLiteral("four.tmr"));
    QString clicked;
    QObject::connect(menu, &ApplicationMenu::recentFileClicked,
                     [&](const QString& f) { clicked = f; });
    buttons[1]->click();
    EXPECT_EQ(clicked, QStringLiteral("/a/two.tmr"));

    menu->AddCommand(open);
    open->SetDescription(QStringLiteral("Apri una configurazione Lumotrix salvata"));
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(menu);
    QAccessibleInterface* item = FindAccessible(root, QStringLiteral("Apri"), QAccessible::Button);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(QAccessible::Description),
              QStringLiteral("Apri una configurazione Lumotrix salvata"));
}

// The string table in force, as a language switch replaces it.
QString GLanguage;
QString LanguageTexts(quint16 id) {
    return GLanguage + QString::number(id);
}

TEST_F(RibbonFixture, ALanguageChangeRereadsTheRibbonsOwnTextsAndKeepsTheOwnersOnes) {
    GLanguage = QStringLiteral("de:");
    SetMessageTexts(&LanguageTexts);
    RibbonBar fresh;
    EXPECT_EQ(fresh.accessibleName(), "de:" + QString::number(msgRibbon));
    ribbon->AppMenu()->SetRecentCaption(QStringLiteral("Zuletzt"));
    ribbon->SetAppButtonScreenTip({QStringLiteral("Menü"), {}, {}});

    GLanguage = QStringLiteral("en:");
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(ribbon->accessibleName(), "en:" + QString::number(msgRibbon));
    EXPECT_EQ(ribbon->Qat()->CustomizeButton()->accessibleName(),
              "en:" + QString::number(msgRibbonQatCustomize));
    EXPECT_EQ(ribbon->AppMenu()->accessibleName(), "en:" + QString::number(msgRibbonAppMenu));
    EXPECT_EQ(ribbon->AppMenu()->RecentCaption(), QStringLiteral("Zuletzt"));
    EXPECT_EQ(ribbon->AppButton()->accessibleName(), QStringLiteral("Menü"));
    // A tip without a header gives the button its own name back.
    ribbon->SetAppButtonScreenTip({{}, QStringLiteral("Apre il menu"), {}});
    EXPECT_EQ(ribbon->AppButton()->accessibleName(), "en:" + QString::number(msgRibbonAppButton));
    SetMessageTexts(nullptr);
}

TEST_F(RibbonFixture, ColourSchemesChangeTheLookAndUnknownNamesFallBack) {
    int changes = 0;
    QObject::connect(ribbon, &RibbonBar::colorSchemeChanged, [&] { ++changes; });
    QString blueSheet = ribbon->styleSheet();
    ribbon->SetColorSchemeName(QStringLiteral("Black"));
    EXPECT_EQ(ribbon->ColorSchemeName(), QStringLiteral("Black"));
    EXPECT_NE(ribbon->styleSheet(), blueSheet);
    EXPECT_EQ(ribbon->ColorScheme().Name, QStringLiteral("Black"));
    ribbon->SetColorSchemeName(QStringLiteral("Pink"));
    EXPECT_EQ(ribbon->ColorSchemeName(), QStringLiteral("Blue"));
    EXPECT_EQ(changes, 2);
}

TEST(Icons, EveryCommandHasAPictureThatRenders) {
    lumotrix::test::App();
    for (const char* name :
         {"open",         "save",       "print",       "clear",          "exit",
          "send",         "receive",    "datesync",    "serialsettings", "loadsettings",
          "savesettings", "schemeblue", "schemeblack", "schemesilver",   "ribbonform",
          "language",     "qatvisible", "qatabove",    "qatbelow",       "about"}) {
        QIcon icon = CommandIcon(QString::fromLatin1(name));
        ASSERT_FALSE(icon.isNull()) << name;
        QImage image = icon.pixmap(32, 32).toImage();
        // Something was drawn: not every pixel is transparent.
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(drawn) << name;
    }
    EXPECT_TRUE(CommandIcon(QStringLiteral("nonexistent")).isNull());
}

// A picture carries only the gradients it paints with; one it names but lacks draws nothing.
TEST(Icons, EveryGradientAPictureNamesIsDefinedInIt) {
    const QRegularExpression reference(QStringLiteral(R"(url\(#(\w+)\))"));
    int references = 0;
    for (const QString& name : CommandIconNames()) {
        const QString svg = QString::fromUtf8(CommandIconSvg(name));
        for (const QRegularExpressionMatch& match : reference.globalMatch(svg)) {
            ++references;
            EXPECT_TRUE(svg.contains(QStringLiteral("id=\"%1\"").arg(match.captured(1))))
                << name.toStdString() << " lacks " << match.captured(1).toStdString();
        }
    }
    EXPECT_GT(references, 20);
}
