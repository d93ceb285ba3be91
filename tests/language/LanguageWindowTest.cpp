// The program as a German user starts it, beside its shipped German and English translations;
// "Lingua" switches the open main window through the language dialog.

#include "app/About.h"
#include "app/HoravelForm.h"
#include "app/Startup.h"
#include "localisation/LangDialog.h"
#include "runtime/Registry.h"
#include "runtime/ScopeExit.h"
#include "runtime/SerialSettingsStore.h"
#include "support/AccessibleSearch.h"
#include "support/NamedComponent.h"
#include "support/PrintQString.h"
#include "support/ScriptedDialogs.h"
#include "widgets/Application.h"
#include "widgets/Button.h"
#include "widgets/Dialogs.h"
#include "widgets/GridTableView.h"
#include "widgets/Label.h"
#include "widgets/PageControl.h"
#include "widgets/Ribbon.h"
#include "widgets/SpinEdit.h"
#include "widgets/StatusBar.h"
#include "widgets/WeekChart.h"
#include "widgets/qt/ComPortSetupDialog.h"
#include "widgets/qt/GridView.h"
#include "widgets/qt/LedWidget.h"
#include "widgets/qt/PageControlWidget.h"
#include "widgets/qt/RibbonBar.h"
#include "widgets/qt/StatusBarWidget.h"
#include "widgets/qt/WeekChart.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace lumotrix::test {
namespace {

std::unique_ptr<TProgram> GProgram;
ScriptedMessageBoxes* GBoxes = nullptr;

class GermanUserEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        // A child run of this program starts fresh in another language (see FreshStartOutline).
        qputenv(
            "LANG",
            qEnvironmentVariable("LANGUAGE_TESTS_LANG", QStringLiteral("de_DE.UTF-8")).toUtf8());
        qputenv("HOME", FHome.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", FHome.filePath(QStringLiteral(".config")).toUtf8());
        TRegistry::SetStorePath(FHome.filePath(QStringLiteral("registry.json")));
        static int argc = 1;
        static char name[] = "language_tests";
        static char* argv[] = {name, nullptr};
        GProgram = StartProgram(argc, argv);
        auto boxes = std::make_unique<ScriptedMessageBoxes>();
        GBoxes = boxes.get();
        SetMessageBoxes(std::move(boxes));
        GProgram->MainForm->Show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        SetMessageBoxes(nullptr);
        GProgram.reset();
    }

private:
    QTemporaryDir FHome;
};

[[maybe_unused]] testing::Environment* const GEnvironment =
    testing::AddGlobalTestEnvironment(new GermanUserEnvironment);

// Presses the control named `name` in `window` as a screen reader would.
void Press(QWidget* window, const QString& name) {
    const auto named = AccessibleNamed(name);
    QAccessibleInterface* control =
        FindAccessible(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* a) {
            return named(a) && a->actionInterface() &&
                   a->actionInterface()->actionNames().contains(
                       QAccessibleActionInterface::pressAction());
        });
    ASSERT_NE(control, nullptr) << qPrintable(name);
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// What a screen reader finds in a window, one line per accessible in tree order: role, name,
// description and value (which shows numbers as the language writes them).
QStringList AccessibleOutline(QWidget* window) {
    QStringList lines;
    AccessiblesMatching(
        QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* a) {
            lines << QStringLiteral("%1 | %2 | %3 | %4")
                         .arg(int(a->role()))
                         .arg(a->text(QAccessible::Name), a->text(QAccessible::Description),
                              a->text(QAccessible::Value));
            return false;
        });
    return lines;
}

// The main window's first page and first ribbon tab, where a start leaves them.
void ShowFirstPages(TForm1& form) {
    form.PageControl1->SetActivePage(form.TabSheet1);
    auto* ribbon = form.Widget()->findChild<RibbonBar*>();
    ribbon->SetActiveTab(ribbon->Tab(0));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The outline of the main window of this program started afresh with LANG=`lang`.
QStringList FreshStartOutline(const QString& lang) {
    QTemporaryDir dir;
    const QString outline = dir.filePath(QStringLiteral("outline.txt"));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANGUAGE_TESTS_LANG"), lang);
    environment.insert(QStringLiteral("LANGUAGE_TESTS_OUTLINE"), outline);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=FreshStart.WritesTheWindowsOutline")});
    EXPECT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    QFile file(outline);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("no outline from a start with LANG=%1").arg(lang)};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

struct LanguageWindowTest : testing::Test {
    // Every case starts from the user's German, whatever language the case before left.
    void SetUp() override {
        if (CurrentLanguage != "DE")
            SwitchTo(Caption("BarLargeButton12"), QStringLiteral("Deutsch"));
        // The ribbon fits its groups to the new captions in a queued step, then lays them out.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        ASSERT_EQ(CurrentLanguage, "DE");
    }

    TForm1& Form() { return *GProgram->MainForm; }
    template <typename T> T* Find(const char* name) { return NamedComponent<T>(&Form(), name); }
    QString Caption(const char* item) { return Find<TBarItem>(item)->Caption(); }
    QString Header(const char* column) { return Find<TGridColumnDef>(column)->Caption(); }
    QString Tab(const char* sheet) { return Find<TTabSheet>(sheet)->Caption(); }
    QString Label(const char* label) { return Find<TLabel>(label)->Caption(); }
    QString Tip(const char* item) { return Find<TBarItem>(item)->ScreenTip()->Header(); }
    QStringList Rows(const TLangLanguageDialog* dialog) {
        QStringList rows;
        for (int i = 0; i < dialog->LanguageCount(); ++i)
            rows.append(dialog->List->Items()->Strings(i));
        return rows;
    }

    // "Lingua" pressed in the window; the dialog then chooses the row named `row` and is
    // confirmed with its OK button. Returns the rows it listed.
    QStringList SwitchTo(const QString& lingua, const QString& row) {
        QStringList rows;
        QTimer::singleShot(0, [&] {
            for (TForm* form : ScreenForms())
                if (auto* dialog = dynamic_cast<TLangLanguageDialog*>(form)) {
                    rows = Rows(dialog);
                    dialog->List->SetItemIndex(int(rows.indexOf(row)));
                    Press(dialog->Widget(), dialog->OkButton->Caption());
                    return;
                }
            ADD_FAILURE() << "no language dialog";
        });
        Press(Form().Widget(), lingua);
        QCoreApplication::processEvents();
        return rows;
    }

    // What the ribbon says of itself, apart from the form's own captions: its names for screen
    // readers, the caption bar's buttons, the title of the recent files, its context menu.
    QStringList RibbonChrome() {
        auto* ribbon = Form().Widget()->findChild<RibbonBar*>();
        QStringList texts{ribbon->accessibleName(), ribbon->Qat()->accessibleName(),
                          ribbon->Qat()->CustomizeButton()->accessibleName(),
                          ribbon->AppMenu()->accessibleName(), ribbon->AppMenu()->RecentCaption()};
        auto* captionBar = ribbon->findChild<QWidget*>(QStringLiteral("RibbonCaption"));
        for (QToolButton* button : captionBar->findChildren<QToolButton*>())
            if (button->property("captionItem").toBool())
                texts << button->accessibleName() << button->toolTip();
        const std::unique_ptr<QMenu> menu(ribbon->CreateContextMenu(QPoint(-1, -1)));
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                texts << action->text();
        return texts;
    }
    // What assistive tools read of the status bar, the page tabs and an unlit LED.
    QStringList AccessibleTexts() {
        QWidget* window = Form().Widget();
        QStringList texts{window->findChild<StatusBarWidget*>()->accessibleName(),
                          window->findChild<PageControlWidget*>()->tabBar()->accessibleName()};
        for (LedWidget* led : window->findChildren<LedWidget*>())
            if (!led->State())
                return texts << led->accessibleDescription();
        return texts;
    }
    // The words of the timer grid's state column, as its cells paint them.
    QStringList StateChoices() {
        auto* state = Find<TGridColumnDef>("Grid1DBTableView1Stato");
        const TGridColumn& shown = state->View()->Grid()->Model()->Column(state->ModelColumn());
        return {shown.OffCaption, shown.OnCaption};
    }
    // The serial settings dialog as it is built now: title, row labels, the choices in words.
    QStringList SerialDialog() {
        TComPortSetupDialog dialog(Form().Widget());
        QStringList texts{dialog.windowTitle()};
        auto* form = dialog.findChild<QFormLayout*>();
        for (int row = 0; row < form->rowCount(); ++row)
            texts << qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget())
                         ->text();
        for (const char* name : {"Parity", "FlowControl"}) {
            auto* box = dialog.findChild<QComboBox*>(QString::fromLatin1(name));
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        }
        return texts;
    }

    void FillPorts() {
        TMemData& ports = Form().MemData2();
        ports.Close();
        ports.Open();
        for (int port = 1; port <= 8; ++port) {
            std::vector<TFieldValue> row(size_t(ports.FieldCount()));
            row[size_t(ports.FieldIndex("Nporta"))] = qint32(port);
            row[size_t(ports.FieldIndex("Descrizione"))] =
                AnsiString("Luce ") + AnsiString::number(port);
            ports.AppendRecord(row);
        }
    }
    QString AskedToClear() {
        GBoxes->Clear();
        GBoxes->PushAnswer(TMsgButton::No);
        Press(Form().Widget(), Caption("BarButtonClear"));
        return GBoxes->Questions().empty() ? QString() : GBoxes->Questions().back().Text;
    }
};

TEST_F(LanguageWindowTest, StartsInTheUsersLanguage) {
    EXPECT_EQ(CurrentLanguage, "DE");
    EXPECT_EQ(Caption("BarLargeButton12"), "Sprache");
    EXPECT_EQ(Tab("TabSheet2"), "Ausgänge");
    EXPECT_EQ(Header("Grid1DBTableView1Uscita"), "Ausgang");
    EXPECT_EQ(Tip("BarButtonInvio"), "Konfiguration senden");
    EXPECT_TRUE(Label("TempMon").startsWith("(Die Ausgänge sind nicht aktiv bei "))
        << qPrintable(Label("TempMon"));
}

TEST_F(LanguageWindowTest, LongGermanGroupCaptionsLeaveTheButtonsTheirCaptions) {
    QWidget* window = Form().Widget();
    ASSERT_EQ(window->width(), 789) << "the window's first width";
    auto* ribbon = window->findChild<RibbonBar*>();
    ASSERT_NE(ribbon, nullptr);
    RibbonTab* first = ribbon->ActiveTab();
    for (int i = 0; i < ribbon->TabCount(); ++i) {
        RibbonTab* tab = ribbon->Tab(i);
        ribbon->SetActiveTab(tab);
        QCoreApplication::processEvents();
        SCOPED_TRACE(ribbon->TabCaption(i).toStdString());
        int captioned = 0;
        for (RibbonGroup* group : tab->Groups()) {
            captioned += group->Reduction() < RibbonGroup::MaxReduction;
            for (RibbonButton* button : group->Buttons())
                if (button->isVisible() && button->Size() != RibbonButton::TSize::IconOnly) {
                    EXPECT_GE(button->width(), button->sizeHint().width())
                        << button->accessibleName().toStdString();
                }
        }
        EXPECT_GT(captioned, 0);
    }
    ribbon->SetActiveTab(first);
}

TEST_F(LanguageWindowTest, LinguaSwitchesTheOpenWindowInPlaceAndBack) {
    FillPorts();
    Find<TBarItem>("BarButtonInvio")->SetEnabled(true);

    const QStringList rows = SwitchTo("Sprache", "English");
    EXPECT_EQ(rows,
              (QStringList{"Deutsch", "English", "español", "français", "italiano", "Nederlands"}));
    EXPECT_EQ(CurrentLanguage, "EN");
    EXPECT_EQ(Caption("BarLargeButton12"), "Language");
    EXPECT_EQ(Tab("TabSheet2"), "Ports");
    EXPECT_EQ(Find<TRibbonTab>("tabAppearance")->Caption(), "Appearance");
    EXPECT_EQ(Header("Grid1DBTableView1Uscita"), "Port");
    EXPECT_EQ(Tip("BarButtonInvio"), "Send configuration");
    EXPECT_TRUE(Label("TempMon").startsWith("(The ports will not be active at "))
        << qPrintable(Label("TempMon"));
    EXPECT_EQ(AskedToClear(), "Do you want to clear the current settings?");
    // The rerun of the window's creation and showing: commands that need data off again, the
    // tables and the day names as they were.
    EXPECT_FALSE(Find<TBarItem>("BarButtonInvio")->Enabled());
    EXPECT_FALSE(Find<TBarItem>("BarButtonSave")->Enabled());
    EXPECT_EQ(Form().MemData2().RecordCount(), 8);
    EXPECT_EQ(FromAnsi(Form().DayNames()[1]), "Lunedì");

    SwitchTo("Language", "italiano");
    EXPECT_EQ(CurrentLanguage, "");
    EXPECT_EQ(Caption("BarLargeButton12"), "Lingua");
    EXPECT_EQ(Tab("TabSheet2"), "Porte");
    EXPECT_EQ(Header("Grid1DBTableView1Uscita"), "Porta");
    EXPECT_EQ(Tip("BarButtonInvio"), "Invia configurazione");
    EXPECT_TRUE(Label("TempMon").startsWith("(Le porte non saranno attive alla "))
        << qPrintable(Label("TempMon"));
    EXPECT_EQ(AskedToClear(), "Vuoi eliminare le impostazioni correnti ?");
    EXPECT_EQ(Form().MemData2().RecordCount(), 8);
}

TEST_F(LanguageWindowTest, CancelledDialogLeavesTheWindowAsItWas) {
    Find<TBarItem>("BarButtonInvio")->SetEnabled(true);
    QTimer::singleShot(0, [&] {
        for (TForm* form : ScreenForms())
            if (auto* dialog = dynamic_cast<TLangLanguageDialog*>(form))
                Press(dialog->Widget(), dialog->CancelButton->Caption());
    });
    Press(Form().Widget(), "Sprache");
    EXPECT_EQ(CurrentLanguage, "DE");
    EXPECT_TRUE(Find<TBarItem>("BarButtonInvio")->Enabled()) << "nothing rerun";
}

TEST_F(LanguageWindowTest, AFailureSpeaksTheLanguageInForceWhenShown) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rotto.tmr"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a table at all");
    file.close();
    try {
        Form().MemData1().LoadFromBinaryFile(path);
        ADD_FAILURE() << "loaded";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Die Tabellendatei „%1“ kann nicht gelesen werden: das "
                                 "ist keine Tabellendatei (bei Byte 0).")
                      .arg(path));
        SwitchTo("Sprache", "English");
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot read the table file \"%1\": this is not a "
                                              "table file (at byte 0).")
                                   .arg(path));
        SwitchTo("Language", "italiano");
        EXPECT_EQ(e.Message(), QStringLiteral("Impossibile leggere il file di tabella \"%1\": non "
                                              "è un file di tabella (al byte 0).")
                                   .arg(path));
    }
}

TEST_F(LanguageWindowTest, TheWidgetsOwnTextsFollowTheLanguage) {
    EXPECT_EQ(RibbonChrome(),
              (QStringList{"Menüband", "Symbolleiste für den Schnellzugriff",
                           "Symbolleiste für den Schnellzugriff anpassen", "Anwendungsmenü",
                           "Zuletzt verwendete Dateien", "Minimieren", "Minimieren", "Maximieren",
                           "Maximieren", "Schließen", "Schließen",
                           "Symbolleiste für den Schnellzugriff unter dem Menüband anzeigen",
                           "Menüband minimieren"}));
    EXPECT_EQ(SerialDialog(),
              (QStringList{"Einstellungen der seriellen Schnittstelle", "Schnittstelle:",
                           "Geschwindigkeit (Bit/s):", "Datenbits:", "Parität:", "Stoppbits:",
                           "Flusssteuerung:", "Keine", "Ungerade", "Gerade", "Markierung",
                           "Leerzeichen", "Keine", "Hardware (RTS/CTS)", "Software (XON/XOFF)"}));
    EXPECT_EQ(AccessibleTexts(), (QStringList{"Statusleiste", "Seiten", "aus"}));
    EXPECT_EQ(StateChoices(), (QStringList{"Aus", "Ein"}));

    SwitchTo("Sprache", "italiano");
    EXPECT_EQ(RibbonChrome(),
              (QStringList{"Barra multifunzione", "Barra di accesso rapido",
                           "Personalizza barra di accesso rapido", "Menu Applicazioni",
                           "Documenti recenti", "Riduci a icona", "Riduci a icona", "Ingrandisci",
                           "Ingrandisci", "Chiudi", "Chiudi",
                           "Mostra la barra di accesso rapido sotto la barra multifunzione",
                           "Riduci a icona la barra multifunzione"}));
    EXPECT_EQ(SerialDialog(),
              (QStringList{"Impostazioni porta seriale",
                           "Porta:", "Velocità (bit/s):", "Bit di dati:", "Parità:", "Bit di stop:",
                           "Controllo di flusso:", "Nessuna", "Dispari", "Pari", "Mark", "Space",
                           "Nessuno", "Hardware (RTS/CTS)", "Software (XON/XOFF)"}));
    EXPECT_EQ(AccessibleTexts(), (QStringList{"Barra di stato", "Pagine", "spento"}));
    EXPECT_EQ(StateChoices(), (QStringList{"Off", "On"}));

    SwitchTo("Lingua", "English");
    EXPECT_EQ(RibbonChrome().mid(0, 6),
              (QStringList{"Ribbon", "Quick Access Toolbar", "Customize Quick Access Toolbar",
                           "Application Menu", "Recent files", "Minimize"}));
    EXPECT_EQ(SerialDialog().mid(0, 3),
              (QStringList{"Serial Port Settings", "Port:", "Speed (bit/s):"}));
    EXPECT_EQ(AccessibleTexts(), (QStringList{"Status bar", "Pages", "off"}));
}

TEST_F(LanguageWindowTest, TheUnsavedEditMarkFollowsTheLanguage) {
    TMemData& timers = Form().MemData1();
    const bool empty = timers.RecordCount() == 0;
    if (empty)
        timers.AppendRecord(std::vector<TFieldValue>(size_t(timers.FieldCount())));
    timers.Edit();
    const TScopeExit leave([&] {
        timers.Cancel();
        if (empty) {
            timers.Close();
            timers.Open();
        }
    });
    auto* mark = Find<TBarStatic>("stModified");
    SwitchTo("Sprache", "English");
    EXPECT_EQ(mark->Caption(), "Modified");
    SwitchTo("Language", "Deutsch");
    EXPECT_EQ(mark->Caption(), "Geändert");
    SwitchTo("Sprache", "italiano");
    EXPECT_EQ(mark->Caption(), "Modified");
}

TEST_F(LanguageWindowTest, ADamagedSettingsStoreIsReportedInTheLanguageInForce) {
    const QString store = TRegistry::StorePath();
    QFile file(store);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{ not a settings file");
    file.close();
    const QString key = QStringLiteral("Software\\Prova");
    try {
        TComSettings settings;
        LoadComSettings(TStoreType::stRegistry, key, settings);
        ADD_FAILURE() << "loaded";
    } catch (const EComPortError& e) {
        QFile::remove(store);
        EXPECT_EQ(e.Message(), QStringLiteral("Die seriellen Einstellungen können nicht aus %1 "
                                              "gelesen werden: die Einstellungsdatei „%2“ ist "
                                              "beschädigt")
                                   .arg(key, store));
        SwitchTo("Sprache", "italiano");
        EXPECT_EQ(e.Message(), QStringLiteral("Impossibile leggere le impostazioni seriali da %1: "
                                              "il file delle impostazioni \"%2\" è danneggiato")
                                   .arg(key, store));
    }
    QFile::remove(store);
}

// The child run of FreshStartOutline.
TEST(FreshStart, WritesTheWindowsOutline) {
    const QString outline = qEnvironmentVariable("LANGUAGE_TESTS_OUTLINE");
    if (outline.isEmpty())
        GTEST_SKIP() << "run by the switch test only";
    GProgram->MainForm->ClearAllData();
    ShowFirstPages(*GProgram->MainForm);
    QFile file(outline);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(AccessibleOutline(GProgram->MainForm->Widget()).join(QLatin1Char('\n')).toUtf8());
}

// Beside the controller's Italian day names the day drop-down and the day cell's tool tip show
// the day in the interface language; what the cell stores stays the Italian text.
TEST_F(LanguageWindowTest, TheDayChoicesShowTheDayInTheLanguageInForce) {
    const struct {
        const char* Row;
        const char* Thursday; // as the drop-down shows the fourth choice
        const char* AllDays;  // and the eighth
    } languages[] = {
        {"Deutsch", "Giovedì (Donnerstag)", "Tutti i giorni (Jeden Tag)"},
        {"English", "Giovedì (Thursday)", "Tutti i giorni (Every day)"},
        {"español", "Giovedì (jueves)", "Tutti i giorni (Todos los días)"},
        {"français", "Giovedì (jeudi)", "Tutti i giorni (Tous les jours)"},
        {"Nederlands", "Giovedì (donderdag)", "Tutti i giorni (Elke dag)"},
        {"italiano", "Giovedì", "Tutti i giorni"},
    };
    TMemData& timers = Form().MemData1();
    timers.Close();
    timers.Open();
    std::vector<TFieldValue> row(size_t(timers.FieldCount()));
    row[size_t(timers.FieldIndex("Giorno"))] = AnsiString("Gioved\xec");
    timers.AppendRecord(row);
    TGridColumnDef* day = Form().Grid1DBTableView1Giorno;
    GridView* grid = day->View()->Grid();
    const QModelIndex cell = grid->Model()->index(0, day->ModelColumn());
    for (const auto& language : languages) {
        SCOPED_TRACE(language.Row);
        SwitchTo(Caption("BarLargeButton12"), QString::fromUtf8(language.Row));
        EXPECT_EQ(cell.data(Qt::DisplayRole).toString(), "Giovedì");
        EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), QString::fromUtf8(language.Thursday));

        QStyleOptionViewItem option;
        std::unique_ptr<QWidget> editor(grid->itemDelegate()->createEditor(grid, option, cell));
        auto* combo = qobject_cast<QComboBox*>(editor.get());
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), 8);
        EXPECT_EQ(combo->itemText(3), QString::fromUtf8(language.Thursday));
        EXPECT_EQ(combo->itemText(7), QString::fromUtf8(language.AllDays));
        grid->itemDelegate()->setEditorData(combo, cell);
        EXPECT_EQ(combo->currentIndex(), 3);
        // Choosing "all days" and back commits the Italian texts, never the shown ones.
        combo->setCurrentIndex(7);
        grid->itemDelegate()->setModelData(combo, grid->Model(), cell);
        EXPECT_EQ(FromAnsi(timers.Fields(timers.FieldIndex("Giorno")).AsString()),
                  "Tutti i giorni");
        combo->setCurrentIndex(3);
        grid->itemDelegate()->setModelData(combo, grid->Model(), cell);
        EXPECT_EQ(cell.data(Qt::EditRole).toString(), "Giovedì");
    }
}

// Labels that hold translated text make room for it: at the window's first width, in every
// shipped language and with the band texts at their longest, no text of the temperature page is
// cut and no label runs under the control beside it.
TEST_F(LanguageWindowTest, TheTemperaturePageFitsEveryLanguage) {
    QWidget* window = Form().Widget();
    window->resize(789, window->height());
    TControl* page = Form().CheckBox1->Parent();
    Form().PageControl1->SetActivePage(static_cast<TTabSheet*>(page));
    const auto restore = TScopeExit([&] { Form().PageControl1->SetActivePage(Form().TabSheet1); });
    for (const char* row :
         {"Deutsch", "English", "español", "français", "italiano", "Nederlands"}) {
        SCOPED_TRACE(row);
        SwitchTo(Caption("BarLargeButton12"), QString::fromUtf8(row));
        Form().TempIdeale->SetValue(95.8);
        Form().Isteresi->SetValue(3);
        Form().Vtempmon();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        for (QWidget* widget : page->Widget()->findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(widget);
            auto* check = qobject_cast<QCheckBox*>(widget);
            if (!widget->isVisible() || (!label && !check))
                continue;
            const QString text = label ? label->text() : check->text();
            SCOPED_TRACE(text.toStdString());
            if (label) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(text),
                          label->contentsRect().width());
            } else {
                EXPECT_LE(check->sizeHint().width(), check->width());
            }
            QWidget* parent = widget->parentWidget();
            EXPECT_TRUE(parent->rect().contains(widget->geometry()));
            for (QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (sibling != widget && sibling->isVisible()) {
                    EXPECT_FALSE(widget->geometry().intersects(sibling->geometry()))
                        << sibling->objectName().toStdString();
                }
            }
        }
        // The box holding the rows stays inside the page.
        QWidget* group = Form().Label10->Widget()->parentWidget();
        EXPECT_TRUE(page->Widget()->rect().contains(group->geometry()));
    }
}

// After each switch a screen reader finds in the window what it finds after a start in that
// language: nothing is left in the language before, neither the form's texts nor the widgets'.
TEST_F(LanguageWindowTest, ASwitchedWindowReadsLikeAFreshStart) {
    const struct {
        const char* Row;
        const char* Lang;
    } switches[] = {{"italiano", "it_IT.UTF-8"},
                    {"Deutsch", "de_DE.UTF-8"},
                    {"English", "en_US.UTF-8"},
                    {"français", "fr_FR.UTF-8"},
                    {"italiano", "it_IT.UTF-8"}};
    Form().ClearAllData(); // whatever the cases before left; then only the switches change it
    for (const auto& to : switches) {
        SCOPED_TRACE(to.Row);
        SwitchTo(Caption("BarLargeButton12"), QString::fromUtf8(to.Row));
        ShowFirstPages(Form());
        const QStringList switched = AccessibleOutline(Form().Widget());
        const QStringList fresh = FreshStartOutline(QString::fromLatin1(to.Lang));
        EXPECT_EQ(switched.size(), fresh.size());
        for (qsizetype i = 0; i < qMin(switched.size(), fresh.size()); ++i)
            EXPECT_EQ(switched[i], fresh[i]) << "accessible " << i;
    }
}

} // namespace
} // namespace lumotrix::test

namespace lumotrix::test {
namespace {

TEST_F(LanguageWindowTest, TheWeekPageFollowsASwitchWhileShown) {
    TMemData& timers = Form().MemData1();
    const bool empty = timers.RecordCount() == 0;
    if (empty) {
        // One timer on for Monday, enough for a bar and its name.
        std::vector<TFieldValue> row(size_t(timers.FieldCount()));
        timers.AppendRecord(row);
        timers.SetCellValue(0, timers.FieldIndex(QStringLiteral("Uscita")), qint32(1));
        timers.SetCellValue(0, timers.FieldIndex(QStringLiteral("Giorno")),
                            AnsiString("Luned\xEC"));
        timers.SetCellValue(0, timers.FieldIndex(QStringLiteral("Inizio")),
                            qint32(8 * 3600 * 1000));
        timers.SetCellValue(0, timers.FieldIndex(QStringLiteral("Durata")),
                            qint32(2 * 3600 * 1000));
        timers.SetCellValue(0, timers.FieldIndex(QStringLiteral("Stato")), true);
        timers.Post();
    }
    const TScopeExit restore([&] {
        Form().PageControl1->SetActivePage(Form().TabSheet1);
        if (empty) {
            timers.Close();
            timers.Open();
        }
    });
    Form().PageControl1->SetActivePage(Form().TabSheet4);
    QCoreApplication::processEvents();
    WeekChart* chart = Form().WeekChart1->Chart();
    EXPECT_EQ(Tab("TabSheet4"), "Woche");
    EXPECT_EQ(chart->Data().DayHeaders[0], "Montag");
    ASSERT_GT(chart->BarCount(), 0);
    EXPECT_TRUE(chart->Bar(0).Text.contains(QStringLiteral(", Montag, ")))
        << chart->Bar(0).Text.toStdString();

    SwitchTo("Sprache", "English");
    EXPECT_EQ(Tab("TabSheet4"), "Week");
    EXPECT_EQ(Find<TButton>("ButtonEsporta")->Caption(), QString::fromUtf8("Export…"));
    EXPECT_EQ(chart->Data().DayHeaders[0], "Monday");
    EXPECT_EQ(chart->Data().Texts.LegendOn, "on");
    ASSERT_GT(chart->BarCount(), 0);
    EXPECT_TRUE(chart->Bar(0).Text.contains(QStringLiteral(", Monday, ")))
        << chart->Bar(0).Text.toStdString();
}

} // namespace
} // namespace lumotrix::test
