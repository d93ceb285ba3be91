#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/Message.h"
#include "runtime/ScopeExit.h"
#include "support/TestApplication.h"
#include "widgets/FileDialogComponents.h"
#include "widgets/qt/FloatSpinEdit.h"
#include "widgets/qt/LedWidget.h"
#include "widgets/qt/PageControlWidget.h"
#include "widgets/qt/RibbonBar.h"
#include "widgets/qt/StatusBarWidget.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

struct BoxesFixture : testing::Test {
    void SetUp() override {
        test::App();
        test::Boxes().Clear();
    }
};

} // namespace

namespace {
// An object whose event handling fails, as a form's handler may.
class Failing : public QObject {
public:
    int Events = 0;
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (++Events == 1)
            throw ERangeError(QStringLiteral("12:Errore di comunicazione seriale"));
        return true;
    }
};
} // namespace

TEST_F(BoxesFixture, TopLevelHandlerShowsTheMessageAndTheLoopGoesOn) {
    Failing failing;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&failing, &event));
    ASSERT_EQ(test::Boxes().Questions().size(), 1u);
    const auto& shown = test::Boxes().Questions()[0];
    EXPECT_EQ(shown.Text, QStringLiteral("12:Errore di comunicazione seriale"));
    EXPECT_EQ(shown.Caption, QStringLiteral("Lumotrix - Windows Side of Lumotrix"));
    EXPECT_EQ(shown.Buttons, static_cast<unsigned>(TMsgButton::Ok));
    EXPECT_EQ(shown.Icon, TMsgIcon::Error);
    // Posted through the loop as well, and later events are handled normally.
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&failing, QEvent::User);
    EXPECT_EQ(failing.Events, 2);
    EXPECT_EQ(test::Boxes().Questions().size(), 1u);
}

TEST_F(BoxesFixture, GuardedClickHandlerReportsAndTheWindowStaysUsable) {
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Invio dati"), &window);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, GuardedHandler([&](bool) {
                         if (++clicks == 1)
                             throw EWriteError(QStringLiteral("Porta non aperta"));
                     }));
    window.show();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(test::Boxes().Questions().size(), 1u);
    EXPECT_EQ(test::Boxes().Questions()[0].Text, QStringLiteral("Porta non aperta"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(test::Boxes().Questions().size(), 1u);
    EXPECT_TRUE(button->isEnabled() && window.isVisible());
}

TEST_F(BoxesFixture, GuardedReportsAndTellsWhetherTheCodeCompleted) {
    EXPECT_TRUE(Guarded([] {}));
    EXPECT_FALSE(Guarded([] { throw EConvertError(QStringLiteral("'abc' non è un numero")); }));
    ASSERT_EQ(test::Boxes().Questions().size(), 1u);
    EXPECT_EQ(test::Boxes().Questions()[0].Text, QStringLiteral("'abc' non è un numero"));
    EXPECT_EQ(test::Boxes().Questions()[0].Icon, TMsgIcon::Error);
}

TEST_F(BoxesFixture, ScriptedBoxesAnswerInOrderThenWithTheDefault) {
    auto& boxes = test::Boxes();
    boxes.PushAnswer(TMsgButton::No);
    TMsgButtons ync = TMsgButton::Yes | TMsgButton::No | TMsgButton::Cancel;
    EXPECT_EQ(MessageBoxes().Ask(QStringLiteral("Salvare?"), QStringLiteral("T"), ync,
                                 TMsgIcon::Question, TMsgButton::Yes),
              TMsgButton::No);
    EXPECT_EQ(MessageBoxes().Ask(QStringLiteral("Salvare?"), QStringLiteral("T"), ync,
                                 TMsgIcon::Question, TMsgButton::Yes),
              TMsgButton::Yes);
    EXPECT_EQ(boxes.Questions().size(), 2u);

    ScriptedFileDialogs files;
    files.PushFileName(QStringLiteral("/tmp/a"));
    files.PushFileName(QString());
    QString name = QStringLiteral("unchanged");
    EXPECT_TRUE(files.GetSaveFileName(QStringLiteral("Salva"), QString(),
                                      QStringLiteral("Timer (*.tmr)"), QStringLiteral("tmr"),
                                      name));
    EXPECT_EQ(name, QStringLiteral("/tmp/a.tmr"));
    name = QStringLiteral("unchanged");
    EXPECT_FALSE(files.GetOpenFileName(QStringLiteral("Apri"), QString(), QString(), name));
    EXPECT_EQ(name, QStringLiteral("unchanged"));
    EXPECT_FALSE(files.GetOpenFileName(QStringLiteral("Apri"), QString(), QString(), name));
    EXPECT_EQ(files.Requests().size(), 3u);
}

TEST_F(BoxesFixture, ScreenListsOpenFormsInCreationOrder) {
    int before = Screen::Instance().FormCount();
    auto first = std::make_unique<QWidget>();
    auto second = std::make_unique<QWidget>();
    Screen::Instance().AddForm(first.get());
    Screen::Instance().AddForm(second.get());
    Screen::Instance().AddForm(first.get());
    EXPECT_EQ(Screen::Instance().FormCount(), before + 2);
    EXPECT_EQ(Screen::Instance().Form(before), first.get());
    first.reset(); // a destroyed form drops out by itself
    EXPECT_EQ(Screen::Instance().FormCount(), before + 1);
    EXPECT_THROW(Screen::Instance().Form(before + 1), ERangeError);
    Screen::Instance().RemoveForm(second.get());
    EXPECT_EQ(Screen::Instance().FormCount(), before);
}

TEST(NumberFormat, PicturesFormatWithTheLocaleSeparator) {
    const QChar comma = QLatin1Char(','), point = QLatin1Char('.');
    EXPECT_EQ(TNumberFormat::Parse(QStringLiteral("#0.0°")).Format(25.5, comma),
              QStringLiteral("25,5°"));
    EXPECT_EQ(TNumberFormat::Parse(QStringLiteral("#0.0")).Format(0, comma), QStringLiteral("0,0"));
    EXPECT_EQ(TNumberFormat::Parse(QStringLiteral("#.0")).Format(0.5, comma), QStringLiteral(",5"));
    EXPECT_EQ(TNumberFormat::Parse(QStringLiteral("0%")).Format(7, point), QStringLiteral("7%"));
    EXPECT_EQ(TNumberFormat::Parse(QStringLiteral("#0.0")).Format(12345.5, point),
              QStringLiteral("12345.5"));
    EXPECT_EQ(TNumberFormat::Parse(QStringLiteral("00")).Format(-3, point), QStringLiteral("-03"));
}

TEST(SpinEdits, ShowPictureKeepRangeAndStep) {
    test::App();
    // The editors follow the format settings, not the widget's locale.
    const TFormatSettings saved = FormatSettings();
    const TScopeExit restore([&] { FormatSettings() = saved; });
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    FloatSpinEdit temp;
    temp.setLocale(QLocale::c());
    temp.setRange(0, 90);
    temp.setSingleStep(0.5);
    temp.SetLargeIncrement(1.0);
    temp.SetDisplayFormat(QStringLiteral("#0.0°"));
    temp.SetEditFormat(QStringLiteral("#0.0"));
    int changes = 0;
    QObject::connect(&temp, &QDoubleSpinBox::valueChanged, [&] { ++changes; });
    temp.setValue(25);
    EXPECT_EQ(temp.text(), QStringLiteral("25,0°"));
    temp.stepBy(1);
    EXPECT_DOUBLE_EQ(temp.value(), 25.5);
    QTest::keyClick(&temp, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(temp.value(), 26.5);
    temp.setValue(200);
    EXPECT_DOUBLE_EQ(temp.value(), 90);
    EXPECT_EQ(changes, 4);
    EXPECT_DOUBLE_EQ(temp.valueFromText(QStringLiteral("12,5°")), 12.5);
    EXPECT_DOUBLE_EQ(temp.valueFromText(QStringLiteral("12.5")), 12.5);
    EXPECT_DOUBLE_EQ(temp.valueFromText(QStringLiteral("999")), 90);
    QString bad = QStringLiteral("abc");
    int pos = 0;
    EXPECT_EQ(temp.validate(bad, pos), QValidator::Invalid);

    IntSpinEdit hysteresis;
    hysteresis.setRange(0, 100);
    hysteresis.SetDisplayFormat(QStringLiteral("0%"));
    hysteresis.SetLargeIncrement(5);
    hysteresis.setValue(2);
    EXPECT_EQ(hysteresis.text(), QStringLiteral("2%"));
    QTest::keyClick(&hysteresis, Qt::Key_PageUp);
    EXPECT_EQ(hysteresis.value(), 7);
    EXPECT_EQ(hysteresis.valueFromText(QStringLiteral("40%")), 40);
    hysteresis.setValue(-5);
    EXPECT_EQ(hysteresis.value(), 0);
}

TEST(StatusBar, PanelsKeepTheirWidthsAndLedsReportTheirState) {
    test::App();
    StatusBarWidget bar;
    auto* item = new StatusItem;
    bar.AddPanel(item, 80);
    auto* led = new LedPanel(QStringLiteral("CTS"));
    bar.AddPanel(led, 30);
    bar.AddTextPanel(0, false);
    bar.resize(600, 34);
    bar.show();
    QApplication::processEvents();
    EXPECT_EQ(bar.PanelCount(), 3);
    EXPECT_EQ(bar.Panel(0)->width(), 80);
    EXPECT_EQ(bar.Panel(1)->width(), 30);
    EXPECT_THROW(bar.Panel(3), ERangeError);

    item->SetCaption(QStringLiteral("Modified"));
    item->SetImage(QStringLiteral("modified"));
    EXPECT_EQ(item->Caption(), QStringLiteral("Modified"));

    led->Led()->SetKind(TLedKind::Purple);
    led->Led()->SetState(true);
    QAccessibleInterface* ledAccessible = QAccessible::queryAccessibleInterface(led->Led());
    ASSERT_NE(ledAccessible, nullptr);
    EXPECT_EQ(ledAccessible->text(QAccessible::Name), QStringLiteral("CTS"));
    EXPECT_EQ(ledAccessible->text(QAccessible::Description), MessageText(msgLedOn));
    EXPECT_NE(LedOnColor(TLedKind::Red), LedOffColor(TLedKind::Red));

    // The bar asks its ribbon for the scheme at paint time, so a redraw takes the new colours.
    RibbonBar ribbon;
    bar.FollowScheme(&ribbon);
    ribbon.SetColorSchemeName(QStringLiteral("Black"));
    EXPECT_EQ(bar.Scheme().Name, QStringLiteral("Black"));
    QImage shot(bar.size(), QImage::Format_ARGB32);
    bar.render(&shot);
    EXPECT_EQ(QColor(shot.pixel(300, 20)).lightness() < 100, true);
}

TEST(PageControl, TabsSitAtTheBottomAndAreNamedByCaption) {
    test::App();
    PageControlWidget pages;
    pages.AddPage(QStringLiteral("Timers"));
    pages.AddPage(QStringLiteral("Porte"));
    pages.resize(400, 300);
    pages.show();
    QApplication::processEvents();
    EXPECT_EQ(pages.tabPosition(), QTabWidget::South);
    EXPECT_GT(pages.tabBar()->geometry().top(), pages.height() / 2);
    pages.SetPageCaption(1, QStringLiteral("Ports"));
    EXPECT_EQ(pages.widget(1)->accessibleName(), QStringLiteral("Ports"));
    EXPECT_EQ(pages.tabText(1), QStringLiteral("Ports"));
}

TEST(FileDialogComponents, FilterAndScriptedAnswers) {
    EXPECT_EQ(TOpenDialog::QtFilter(QStringLiteral("Timer|*.tmr|Tutti|*.*")),
              QStringLiteral("Timer (*.tmr);;Tutti (*.*)"));
    EXPECT_EQ(TOpenDialog::QtFilter(QStringLiteral("Immagini|*.png;*.jpg|Altro")),
              QStringLiteral("Immagini (*.png *.jpg);;Altro (*)"));
    auto files = std::make_unique<ScriptedFileDialogs>();
    ScriptedFileDialogs* script = files.get();
    SetFileDialogs(std::move(files));
    script->PushFileName(QStringLiteral("/home/u/acquario"));
    script->PushFileName(QString());
    TSaveDialog save;
    save.SetDefaultExt(QStringLiteral("tmr"));
    save.SetFilter(QStringLiteral("Timer|*.tmr"));
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/home/u/acquario.tmr"));
    TOpenDialog open;
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName(), QString());
    ASSERT_EQ(script->Requests().size(), 2u);
    EXPECT_EQ(script->Requests()[0].Filter, QStringLiteral("Timer (*.tmr)"));
    EXPECT_TRUE(script->Requests()[0].Save);
    SetFileDialogs(nullptr);
}
