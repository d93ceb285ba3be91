// The main window worked without the mouse: key tips on the ribbon, Tab out of the grids, and
// the letters of every shipped language.

#include "AppFixture.h"
#include "ToolRun.h"
#include "support/PrintQString.h"

#include "app/AppMessageIds.h"
#include "runtime/Message.h"
#include "runtime/ResourceFile.h"
#include "widgets/ComPort.h"
#include "widgets/GridTableView.h"
#include "widgets/qt/GridView.h"
#include "widgets/qt/RibbonBar.h"
#include "widgets/qt/RibbonKeyTips.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

using TLevel = RibbonKeyTips::TLevel;

struct KeyboardTest : MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        Form->Show();
        QApplication::setActiveWindow(Form->Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form->Widget()));
    }
    RibbonKeyTips* Tips() const { return Form->Ribbon->Bar()->KeyTips(); }
    // Keys go where the keyboard is: the open pop-up, else the focused widget.
    static QWidget* KeyboardTarget() {
        if (QWidget* popup = QApplication::activePopupWidget())
            return popup;
        return QApplication::focusWidget() ? QApplication::focusWidget()
                                           : QApplication::activeWindow();
    }
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(KeyboardTarget(), key, modifiers);
    }
    // Types the key tip of each message in turn, in the language in force.
    static void TypeTips(std::initializer_list<quint16> ids) {
        for (quint16 id : ids)
            QTest::keyClicks(KeyboardTarget(), MessageText(id).toLower());
    }
    QStringList BadgeTexts() const {
        QStringList texts;
        for (QLabel* badge : Tips()->Badges())
            if (badge->isVisible())
                texts.append(badge->text());
        return texts;
    }
    static bool Inside(QWidget* widget) {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == widget || widget->isAncestorOf(focus));
    }
};

} // namespace

// Alt alone and F10 show the first level; letters open a tab or the application menu and run
// its commands (enabled ones only); Esc goes back one level at a time; Alt with another key is
// that key's shortcut.
TEST_F(KeyboardTest, KeyTipsReachTheRibbonsCommandsAndEscGoesBackALevel) {
    FillConfiguration();
    Press(Qt::Key_Alt);
    ASSERT_EQ(Tips()->Level(), TLevel::Root);
    EXPECT_EQ(BadgeTexts(),
              (QStringList{MessageText(msgKeyTipAppButton), MessageText(msgKeyTipTabHome),
                           MessageText(msgKeyTipTabAppearance), "1", "2", "3"}));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Tips()->Level(), TLevel::Off);
    EXPECT_TRUE(BadgeTexts().isEmpty());

    // F10, a tab, back to the tabs, out.
    Press(Qt::Key_F10);
    TypeTips({msgKeyTipTabAppearance});
    EXPECT_EQ(Tips()->Level(), TLevel::Tab);
    EXPECT_EQ(Form->Ribbon->ActiveTab(), Form->tabAppearance);
    EXPECT_TRUE(BadgeTexts().contains(MessageText(msgKeyTipLanguage)));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Tips()->Level(), TLevel::Root);
    Press(Qt::Key_Escape);
    EXPECT_EQ(Tips()->Level(), TLevel::Off);

    // The application menu opens and closes with its level.
    Press(Qt::Key_F10);
    TypeTips({msgKeyTipAppButton});
    EXPECT_EQ(Tips()->Level(), TLevel::AppMenu);
    EXPECT_TRUE(Form->Ribbon->Bar()->AppMenu()->isVisible());
    EXPECT_TRUE(BadgeTexts().contains(MessageText(msgKeyTipSaveAs)));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Tips()->Level(), TLevel::Root);
    EXPECT_FALSE(Form->Ribbon->Bar()->AppMenu()->isVisible());
    // A click anywhere ends the mode.
    QTest::mouseClick(Form->Grid2DBTableView1->Grid()->viewport(), Qt::LeftButton);
    EXPECT_EQ(Tips()->Level(), TLevel::Off);

    // Minimised, a tab's letter opens the tab's pop-up, and Esc closes it again.
    RibbonBar* bar = Form->Ribbon->Bar();
    bar->SetMinimized(true);
    Press(Qt::Key_F10);
    TypeTips({msgKeyTipTabAppearance});
    EXPECT_EQ(Tips()->Level(), TLevel::Tab);
    EXPECT_TRUE(bar->TabPopup()->isVisible());
    EXPECT_TRUE(BadgeTexts().contains(MessageText(msgKeyTipLanguage)));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Tips()->Level(), TLevel::Root);
    EXPECT_FALSE(bar->TabPopup()->isVisible());
    Press(Qt::Key_Escape);
    bar->SetMinimized(false);

    // A disabled command keeps its letter but does not run.
    QSignalSpy sent(Form->BarButtonInvio->Command(), &QAction::triggered);
    ASSERT_FALSE(Form->BarButtonInvio->Enabled());
    Press(Qt::Key_F10);
    TypeTips({msgKeyTipTabHome, msgKeyTipSend});
    EXPECT_EQ(sent.count(), 0);
    EXPECT_EQ(Tips()->Level(), TLevel::Tab);
    Press(Qt::Key_F10);
    EXPECT_EQ(Tips()->Level(), TLevel::Off);

    // Each route runs its command once; a dialog that opens is closed by the user.
    // The send finds no line there and says so, quickly.
    Form->ComPort->SetPort(Path(QStringLiteral("ttyNONE")));
    Form->BarButtonInvio->SetEnabled(true);
    Files().PushFileName(Path(QStringLiteral("tastiera.tmr")));
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(20);
    const struct {
        std::initializer_list<quint16> Route;
        TBarItem* Item;
    } routes[] = {
        {{msgKeyTipTabHome, msgKeyTipSend}, Form->BarButtonInvio},
        {{msgKeyTipTabHome, msgKeyTipSerialSettings}, Form->BarButtonSettings},
        {{msgKeyTipTabAppearance, msgKeyTipLanguage}, Form->BarLargeButton12},
        {{msgKeyTipAppButton, msgKeyTipSaveAs}, Form->BarButton8},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.Item->Caption().toStdString());
        QSignalSpy triggered(route.Item->Command(), &QAction::triggered);
        QApplication::setActiveWindow(Form->Widget());
        Press(Qt::Key_Alt);
        TypeTips(route.Route);
        EXPECT_EQ(triggered.count(), 1);
        EXPECT_EQ(Tips()->Level(), TLevel::Off);
        EXPECT_TRUE(BadgeTexts().isEmpty());
    }
    closer.stop();
    ASSERT_FALSE(Boxes().Questions().empty());
    EXPECT_TRUE(Boxes().Questions().front().Text.contains(QStringLiteral("ttyNONE")));
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("tastiera.tmr"))));
    EXPECT_EQ(Form->CurrentFileName(), Path(QStringLiteral("tastiera.tmr")));

    // Alt+X is "Uscita", never the key tips.
    QApplication::setActiveWindow(Form->Widget());
    QSignalSpy exited(Form->BarButtonExit->Command(), &QAction::triggered);
    Press(Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(exited.count(), 1);
    EXPECT_EQ(Tips()->Level(), TLevel::Off);
}

// Tab and Shift+Tab go from a grid (or its open cell editor) to the next control; Ctrl+Tab
// still turns the page.
TEST_F(KeyboardTest, TabLeavesBothGridsAndCtrlTabTurnsThePage) {
    FillConfiguration();
    auto* pages = qobject_cast<QTabWidget*>(Form->PageControl1->Widget());
    ASSERT_NE(pages, nullptr);
    for (TGridTableView* view : {Form->Grid1DBTableView1, Form->Grid2DBTableView1}) {
        GridView* grid = view->Grid();
        pages->setCurrentWidget(pages->widget(view == Form->Grid1DBTableView1 ? 0 : 1));
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(view->Name()).arg(key).toStdString());
            grid->setFocus();
            grid->setCurrentIndex(grid->model()->index(0, 1));
            ASSERT_TRUE(Inside(grid));
            int presses = 0;
            while (Inside(grid) && presses < 20) {
                Press(key);
                ++presses;
            }
            EXPECT_EQ(presses, 1);
            EXPECT_FALSE(Inside(grid));
        }
        // From an open editor: the text is kept and the focus moves on.
        grid->setFocus();
        // A column the user types into: the timer's name, the port's description.
        const QModelIndex cell = grid->model()->index(1, view == Form->Grid1DBTableView1 ? 1 : 2);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        QTest::keyClicks(KeyboardTarget(), QStringLiteral("Alba"));
        Press(Qt::Key_Tab);
        EXPECT_FALSE(Inside(grid)) << view->Name().toStdString();
        EXPECT_EQ(cell.data().toString(), QStringLiteral("Alba")) << view->Name().toStdString();
    }
    // Ctrl+Tab from inside a grid turns to the next page.
    pages->setCurrentIndex(0);
    Form->Grid1DBTableView1->Grid()->setFocus();
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 1);
}

// Within each level every letter can be typed on its own, in the built-in language and in every
// shipped translation: none is missing, none repeats or begins another.
TEST_F(KeyboardTest, KeyTipLettersAreDistinctOnEveryLevelInEveryLanguage) {
    const QList<QList<RibbonKeyTips::TKeyTip>> levels = {Tips()->RootTips(), Tips()->TabTips(0),
                                                         Tips()->TabTips(1), Tips()->AppMenuTips()};
    const QString programDir = BuildDir() + QStringLiteral("/src/app/");
    const char* const files[] = {"lumotrix_app_resources.res",
                                 "lumotrix.DE",
                                 "lumotrix.EN",
                                 "lumotrix.ES",
                                 "lumotrix.FR",
                                 "lumotrix.NL"};
    for (const char* name : files) {
        SCOPED_TRACE(name);
        const TResourceFile resources =
            TResourceFile::LoadFromFile(programDir + QString::fromLatin1(name));
        for (qsizetype level = 0; level < levels.size(); ++level) {
            SCOPED_TRACE(level);
            QStringList texts;
            for (const RibbonKeyTips::TKeyTip& tip : levels[level]) {
                if (tip.Id == 0) {
                    texts.append(tip.Text);
                    continue;
                }
                const std::optional<QString> text = resources.LoadString(tip.Id);
                ASSERT_TRUE(text && !text->trimmed().isEmpty()) << "message " << tip.Id;
                EXPECT_FALSE(text->contains(QLatin1Char('&'))) << "message " << tip.Id;
                texts.append(text->trimmed());
            }
            for (qsizetype i = 0; i < texts.size(); ++i)
                for (qsizetype j = 0; j < texts.size(); ++j)
                    EXPECT_FALSE(i != j && texts[j].startsWith(texts[i], Qt::CaseInsensitive))
                        << texts[i].toStdString() << " and " << texts[j].toStdString();
        }
    }
}
