// What a user and a screen reader meet in the main window: labelled editors, disabled looks,
// the save dialog's proposal and the ribbon's layout in each of its states.

#include "AppFixture.h"

#include "runtime/ScopeExit.h"
#include "widgets/Controls.h"
#include "widgets/Editors.h"
#include "widgets/Grids.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStandardPaths>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

// Every accessible object below `root` with the given role and name.
void Collect(QAccessibleInterface* root, QAccessible::Role role, const QString& name,
             QList<QAccessibleInterface*>& found) {
    if (!root)
        return;
    if (root->role() == role && root->text(QAccessible::Name) == name)
        found.append(root);
    for (int i = 0; i < root->childCount(); ++i)
        Collect(root->child(i), role, name, found);
}

int CountAccessible(QWidget* window, QAccessible::Role role, const QString& name) {
    QList<QAccessibleInterface*> found;
    Collect(QAccessible::queryAccessibleInterface(window), role, name, found);
    return static_cast<int>(found.size());
}

} // namespace

TEST_F(MainWindowTest, TemperatureEditorsAreNamedByTheirLabels) {
    Form->Show();
    Get<TPageControl>("PageControl1")->SetActivePage(Get<TTabSheet>("TabSheet3"));
    Get<TCheckBox>("CheckBox1")->SetChecked(true);
    QWidget* window = Form->Widget();
    for (const char* name :
         {"Temperatura Minima:", "Temperatura Massima:", "Temperatura Ideale:", "Isteresi:"})
        EXPECT_EQ(CountAccessible(window, QAccessible::SpinBox, QString::fromUtf8(name)), 1)
            << name;
    // The port drop-downs are read with the text their labels show now.
    const QString lower = Get<TLabel>("Label10")->Caption();
    const QString upper = Get<TLabel>("Label11")->Caption();
    EXPECT_EQ(CountAccessible(window, QAccessible::ComboBox, lower), 1) << lower.toStdString();
    EXPECT_EQ(CountAccessible(window, QAccessible::ComboBox, upper), 1) << upper.toStdString();

    // The name follows a rewritten label, and the label is the editor's buddy (Alt+letter).
    Get<TSpinEdit>("TempIdeale")->SetValue(25);
    EXPECT_NE(Get<TLabel>("Label10")->Caption(), lower);
    EXPECT_EQ(CountAccessible(window, QAccessible::ComboBox, Get<TLabel>("Label10")->Caption()), 1);
    auto* label = qobject_cast<QLabel*>(Get<TLabel>("Label9")->Widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), Get<TSpinEdit>("Isteresi")->Widget());
}

TEST_F(MainWindowTest, DisabledTemperatureLabelsLookDisabled) {
    Form->Show();
    auto* check = Get<TCheckBox>("CheckBox1");
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
    const QPalette& band = Get<TLabel>("TempMon")->Widget()->palette();
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
