// The main window as the program creates it: start-up state, layout, the close question,
// appearance and the port lookups.

#include "AppFixture.h"
#include "support/AccessibleSearch.h"
#include "support/PrintQString.h"

#include "localisation/LangDialog.h"
#include "localisation/LangForms.h"
#include "widgets/Button.h"
#include "widgets/ComPort.h"
#include "widgets/Control.h"
#include "widgets/GridTableView.h"
#include "widgets/Label.h"
#include "widgets/LookupComboBox.h"
#include "widgets/ProgressBar.h"
#include "widgets/qt/ComPortSetupDialog.h"
#include "widgets/qt/RibbonBar.h"
#include "widgets/qt/StatusBarWidget.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

const QString Title = QStringLiteral("Lumotrix - Windows Side of Lumotrix");

struct TCommand {
    const char* Name;
    const char* ShortCut; // empty: none
    bool Enabled;
};

} // namespace

// The captions are the form's as written; what a user relies on at start is each command's
// shortcut and whether it can be used.
TEST_F(MainWindowTest, EveryCommandStartsWithItsShortcutAndState) {
    const TCommand commands[] = {
        {"BarButtonOpen", "Ctrl+O", true},
        {"BarButtonSave", "Ctrl+S", false},
        {"BarButton8", "Ctrl+Shift+S", true},
        {"BarButtonPrint", "", false},
        {"BarButtonClear", "", true},
        {"BarButtonExit", "Alt+X", true},
        {"BarButtonInvio", "Ctrl+H", false},
        {"BarButtonRicevi", "Ctrl+F", true},
        {"buttonDate", "", true},
        {"BarButtonSettings", "", true},
        {"BarButtonLoadSet", "", true},
        {"BarButtonSaveSet", "", true},
        {"BarEdit1", "", true},
        {"BarLargeButton3", "", true},
        {"BarLargeButton4", "", true},
        {"BarLargeButton5", "", true},
        {"BarLargeButton6", "", true},
        {"BarLargeButton7", "", true},
        {"BarLargeButton12", "", true},
        {"BarLargeButton10", "", true},
        {"BarLargeButton8", "", true},
        {"BarLargeButton9", "", true},
        {"BarButton9", "F1", true},
        {"BarButtonClose", "", false},
        {"BarButtonUndo", "Ctrl+Z", false},
        {"BarButtonRedo", "Ctrl+Y", false},
    };
    for (const TCommand& c : commands) {
        SCOPED_TRACE(c.Name);
        TBarItem* item = Item(c.Name);
        EXPECT_EQ(item->Command()->shortcut().toString(), QString::fromLatin1(c.ShortCut));
        EXPECT_EQ(item->Enabled(), c.Enabled);
    }
    // Down at start: the date toggle, "Blu", the form mode, the toolbar's visibility and place.
    for (const char* down : {"buttonDate", "BarLargeButton3", "BarLargeButton6", "BarLargeButton7",
                             "BarLargeButton10", "BarLargeButton8"})
        EXPECT_TRUE(Button(down)->Down()) << down;
    for (const char* up : {"BarLargeButton4", "BarLargeButton5", "BarLargeButton9"})
        EXPECT_FALSE(Button(up)->Down()) << up;
    EXPECT_EQ(Form->BarEdit1->Text(), QStringLiteral("1"));
    EXPECT_EQ(Form->BarButtonRedo->Command()->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                   QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));

    EXPECT_EQ(Form->BarButtonPrint->Hint(), QStringLiteral("Print the document"));
    EXPECT_EQ(Form->BarEdit1->Hint(),
              QStringLiteral("Indicare il ritardo in secondi  per la trasmissione"));
    EXPECT_EQ(Form->buttonDate->Hint(), QStringLiteral("Sincronizza la data del PC con il PIC"));
    EXPECT_EQ(Form->BarButtonRicevi->Hint(), QStringLiteral("Ricezione dati"));
    EXPECT_EQ(Form->BarButtonLoadSet->Description(),
              QStringLiteral("Carica i parametri di configurazione seriale "));
    EXPECT_EQ(Form->BarButtonInvio->ScreenTip()->Header(), QStringLiteral("Invia configurazione"));
    EXPECT_EQ(Item("BarLargeButton10")->ScreenTip()->Header(),
              QStringLiteral("Visibilità della Quick Access Toolbar "));
}

TEST_F(MainWindowTest, WindowPagesAndStatusBarStartAsDesigned) {
    EXPECT_EQ(Form->Caption(), QStringLiteral("Horavel "));
    EXPECT_EQ(Form->ClientWidth(), 789);
    EXPECT_EQ(Form->ClientHeight(), 487); // the minimum height wins over the designed 451
    EXPECT_EQ(Form->Widget()->minimumHeight(), 487);
    EXPECT_EQ(Form->Left(), 267);
    EXPECT_EQ(Form->Top(), 165);
    EXPECT_TRUE(Form->KeyPreview());

    auto* pages = Form->PageControl1;
    EXPECT_EQ(pages->ActivePage(), Get<TTabSheet>("TabSheet2"));
    EXPECT_EQ(pages->Page(0)->Caption(), QStringLiteral("Timers"));
    EXPECT_EQ(pages->Page(2)->Caption(), QStringLiteral("Temperatura"));
    EXPECT_FALSE(Form->ProgressBar1->Visible());
    EXPECT_EQ(Form->StatusBar->Bar()->PanelCount(), 10);
    auto* modified = Form->stModified;
    EXPECT_EQ(modified->Caption(), QString());
    EXPECT_EQ(modified->ImageIndex(), -1);

    auto* ribbon = Form->Ribbon;
    EXPECT_EQ(ribbon->ActiveTab(), Get<TRibbonTab>("tabHome"));
    EXPECT_EQ(ribbon->ColorSchemeName(), QStringLiteral("Blue"));
    EXPECT_TRUE(ribbon->SupportNonClientDrawing());
    EXPECT_EQ(ribbon->Bar()->Qat()->Commands(),
              (QList<RibbonCommand*>{Form->BarButtonOpen->Command(), Form->BarButtonSave->Command(),
                                     Item("BarButton9")->Command()}));
    EXPECT_EQ(ribbon->Bar()->AppMenu()->Commands().size(), 5);

    // Headers from the string table, the day names, empty open tables.
    auto* grid = Form->Grid1DBTableView1->Grid();
    EXPECT_EQ(grid->model()
                  ->headerData(Form->Grid1DBTableView1Uscita->ModelColumn(), Qt::Horizontal)
                  .toString(),
              QStringLiteral("Porta"));
    EXPECT_EQ(Form->Grid2DBTableView1Descrizione->Caption(), QStringLiteral("Descrizione"));
    EXPECT_EQ(FromAnsi(Form->DayNames()[3]), QStringLiteral("Mercoledì"));
    EXPECT_TRUE(Form->MemData1().Active());
    EXPECT_EQ(Form->MemData1().RecordCount(), 0);
    EXPECT_EQ(Form->MemData2().RecordCount(), 0);
    EXPECT_EQ(Form->PrimaPt->Text(), QString());

    // The serial port keeps the controller's defaults until settings are stored.
    EXPECT_EQ(Form->ComPort->Port(), QStringLiteral("COM1"));
    EXPECT_EQ(Form->ComPort->BaudRate(), 9600);
    EXPECT_FALSE(Form->ComPort->IsOpen());
}

TEST_F(MainWindowTest, AboutCommandShowsOneAboutBoxMadeWhenFirstAskedFor) {
    const auto aboutBoxes = [] {
        int count = 0;
        for (TForm* form : ScreenForms())
            count += dynamic_cast<TAboutBox*>(form) != nullptr;
        return count;
    };
    EXPECT_EQ(aboutBoxes(), 0);
    QList<TAboutBox*> shown;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, [&] {
            for (TForm* form : ScreenForms())
                if (auto* about = dynamic_cast<TAboutBox*>(form);
                    about && about->Widget()->isVisible()) {
                    shown << about;
                    about->OKButton->Click();
                }
        });
        Item("BarButton9")->Click();
    }
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0], Form->AboutBox());
    EXPECT_EQ(aboutBoxes(), 1);
    EXPECT_FALSE(shown[0]->Widget()->isVisible());
}

TEST_F(MainWindowTest, AboutBoxIsReadFromItsOwnForm) {
    std::unique_ptr<TAboutBox> about(CreateForm<TAboutBox>());
    EXPECT_EQ(about->Caption(), QStringLiteral("About"));
    EXPECT_EQ(about->ClientWidth(), 298);
    EXPECT_EQ(about->ClientHeight(), 213);
    EXPECT_EQ(about->Version->Caption(), QStringLiteral("Version 1.0.2"));
    EXPECT_EQ(about->Comments->Caption(),
              QStringLiteral("Richiede la versione firmware di Lumotrix >= 1.0.1"));
    EXPECT_TRUE(about->OKButton->Default());
    EXPECT_FALSE(about->Widget()->isVisible());
}

TEST_F(MainWindowTest, PublishedFieldsAreTheDescribedComponents) {
    // Every published field was filled by the loader with the component of its name.
    for (const TFieldInfo* field : Form->ClassType()->Fields()) {
        SCOPED_TRACE(field->Name.toStdString());
        TComponent* component = Form->FindComponent(field->Name);
        ASSERT_NE(component, nullptr);
        EXPECT_TRUE(component->InheritsFrom(field->FieldClass));
    }
    EXPECT_EQ(Form->BarButtonInvio, Form->FindComponent(QStringLiteral("BarButtonInvio")));
    EXPECT_EQ(Form->SecondaPt, Form->FindComponent(QStringLiteral("SecondaPt")));
}

TEST_F(MainWindowTest, TemperatureEditorsAllowWhatTheConfigurationChecksAllow) {
    for (TSpinEdit* degrees : {Form->MinTemp, Form->MaxTemp, Form->TempIdeale}) {
        EXPECT_EQ(degrees->MinValue(), 0);
        EXPECT_EQ(degrees->MaxValue(), MaxDegrees);
    }
    EXPECT_EQ(Form->Isteresi->MinValue(), 0);
    EXPECT_EQ(Form->Isteresi->MaxValue(), MaxHysteresis);
}

TEST_F(MainWindowTest, ClosingWithAnUncommittedEditAsksFirst) {
    FillConfiguration();
    Form->Show();

    // No pending change: closes without a word.
    EXPECT_TRUE(Form->Close());
    EXPECT_TRUE(Boxes().Questions().empty());

    Form->Show();
    MakePendingChange();
    Boxes().PushAnswer(TMsgButton::Cancel);
    EXPECT_FALSE(Form->Close());
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    const auto& question = Boxes().Questions()[0];
    EXPECT_EQ(question.Text,
              QStringLiteral("Vuoi salvare le impostazioni del timer corrente in \"\"?"));
    EXPECT_EQ(question.Caption, Title);
    EXPECT_EQ(question.Buttons, TMsgButton::Yes | TMsgButton::No | TMsgButton::Cancel);
    EXPECT_EQ(question.Icon, TMsgIcon::Question);
    EXPECT_EQ(question.DefaultButton, TMsgButton::Yes);

    // Yes, then the save dialog cancelled: the window stays.
    Boxes().PushAnswer(TMsgButton::Yes);
    EXPECT_FALSE(Form->Close());
    EXPECT_EQ(Files().Requests().size(), 1u);
    EXPECT_TRUE(Form->Widget()->isVisible());

    // Yes with a file chosen: saved, then closed.
    Boxes().PushAnswer(TMsgButton::Yes);
    Files().PushFileName(Path(QStringLiteral("acquario.tmr")));
    EXPECT_TRUE(Form->Close());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("acquario.tmr"))));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("Pacquario"))));
}

TEST_F(MainWindowTest, ASaveThatFailsOnClosingKeepsTheWindowAndTheEdit) {
    FillConfiguration();
    Form->Show();
    MakePendingChange();
    Boxes().PushAnswer(TMsgButton::Yes);
    Files().PushFileName(Path(QStringLiteral("manca/acquario.tmr")));
    EXPECT_FALSE(Form->Close());
    ASSERT_EQ(Boxes().Questions().size(), 2u); // the question, then the failure
    EXPECT_TRUE(Boxes().Questions()[1].Text.contains(QStringLiteral("acquario")))
        << Boxes().Questions()[1].Text.toStdString();
    EXPECT_TRUE(Form->Widget()->isVisible());
    EXPECT_EQ(Form->MemData1().FieldByName(QStringLiteral("Timer")).AsString(),
              AnsiString("Luce alba"));

    // The edit still counts as unsaved: the next close asks again.
    Boxes().PushAnswer(TMsgButton::Cancel);
    EXPECT_FALSE(Form->Close());
    EXPECT_EQ(Boxes().Questions().size(), 3u);
}

TEST_F(MainWindowTest, AnsweringNoClosesWithoutSaving) {
    FillConfiguration();
    Form->Show();
    MakePendingChange();
    Boxes().PushAnswer(TMsgButton::No);
    EXPECT_TRUE(Form->Close());
    EXPECT_TRUE(Files().Requests().empty());
}

TEST_F(MainWindowTest, UscitaNeverAsks) {
    FillConfiguration();
    MakePendingChange();
    Form->BarButtonExit->Click();
    EXPECT_TRUE(Boxes().Questions().empty());
}

TEST_F(MainWindowTest, ColourButtonsAreExclusiveAndRecolourTheStatusBar) {
    auto* ribbon = Form->Ribbon;
    auto* status = Form->StatusBar;
    Item("BarLargeButton4")->Click();
    EXPECT_TRUE(Button("BarLargeButton4")->Down());
    EXPECT_FALSE(Button("BarLargeButton3")->Down());
    EXPECT_EQ(ribbon->ColorSchemeName(), QStringLiteral("Black"));
    EXPECT_EQ(status->Bar()->Scheme().Name, QStringLiteral("Black"));
    Item("BarLargeButton5")->Click();
    EXPECT_FALSE(Button("BarLargeButton4")->Down());
    EXPECT_EQ(ribbon->ColorSchemeName(), QStringLiteral("Silver"));
    Item("BarLargeButton3")->Click();
    EXPECT_EQ(ribbon->ColorSchemeName(), QStringLiteral("Blue"));
    EXPECT_FALSE(Button("BarLargeButton5")->Down());
}

TEST_F(MainWindowTest, FormModeEnablesTheApplicationButtonToggle) {
    auto* ribbon = Form->Ribbon;
    Item("BarLargeButton6")->Click();
    EXPECT_FALSE(ribbon->SupportNonClientDrawing());
    EXPECT_FALSE(Button("BarLargeButton6")->Down());
    EXPECT_FALSE(Form->BarLargeButton7->Enabled());
    Item("BarLargeButton6")->Click();
    EXPECT_TRUE(ribbon->SupportNonClientDrawing());
    EXPECT_TRUE(Form->BarLargeButton7->Enabled());

    Form->BarLargeButton7->Click();
    EXPECT_FALSE(ribbon->ApplicationButton()->Visible());
    Form->BarLargeButton7->Click();
    EXPECT_TRUE(ribbon->ApplicationButton()->Visible());
}

TEST_F(MainWindowTest, ToolbarVisibilityEnablesItsPlacementButtons) {
    auto* toolbar = Form->Ribbon->QuickAccessToolbar();
    Item("BarLargeButton10")->Click();
    EXPECT_FALSE(toolbar->Visible());
    EXPECT_FALSE(Form->BarLargeButton8->Enabled());
    EXPECT_FALSE(Form->BarLargeButton9->Enabled());
    Item("BarLargeButton10")->Click();
    EXPECT_TRUE(toolbar->Visible());
    EXPECT_TRUE(Form->BarLargeButton8->Enabled());
    EXPECT_TRUE(Form->BarLargeButton9->Enabled());

    Form->BarLargeButton9->Click();
    EXPECT_EQ(toolbar->Position(), qtpBelowRibbon);
    EXPECT_FALSE(Form->BarLargeButton8->Down());
    Form->BarLargeButton8->Click();
    EXPECT_EQ(toolbar->Position(), qtpAboveRibbon);
}

TEST_F(MainWindowTest, ResizePressesTheButtonOfTheToolbarsActualPlace) {
    Form->Show();
    auto* bar = Form->Ribbon->Bar();
    // Moved by the ribbon itself (its context menu), not by the two buttons.
    bar->SetQatPosition(RibbonBar::TQatPosition::Below);
    Form->FormResize(nullptr);
    EXPECT_TRUE(Form->BarLargeButton9->Down());
    EXPECT_FALSE(Form->BarLargeButton8->Down());
    bar->SetQatPosition(RibbonBar::TQatPosition::Above);
    Form->Widget()->resize(900, 600);
    QApplication::processEvents();
    EXPECT_TRUE(Form->BarLargeButton8->Down());
    EXPECT_FALSE(Form->BarLargeButton9->Down());
}

TEST_F(MainWindowTest, PortLookupsShowTheNewNameAfterARename) {
    FillConfiguration();
    auto* timerGrid = Form->Grid1DBTableView1->Grid();
    const int uscita = Form->Grid1DBTableView1Uscita->ModelColumn();
    QAbstractItemModel* model = timerGrid->model();
    ASSERT_EQ(model->rowCount(), 42);
    EXPECT_EQ(model->index(0, uscita).data().toString(), QStringLiteral("Porta 1"));
    Form->PrimaPt->SetKeyValue(1);
    EXPECT_EQ(Form->PrimaPt->Text(), QStringLiteral("Porta 1"));

    // Renamed in the port grid.
    auto* portGrid = Form->Grid2DBTableView1->Grid();
    const int name = Form->Grid2DBTableView1Descrizione->ModelColumn();
    ASSERT_TRUE(portGrid->model()->setData(portGrid->model()->index(0, name),
                                           QStringLiteral("Luce lunare")));
    Form->MemData2().Post();
    EXPECT_EQ(model->index(0, uscita).data().toString(), QStringLiteral("Luce lunare"));
    EXPECT_EQ(model->index(8, uscita).data().toString(), QStringLiteral("Luce lunare"));
    EXPECT_EQ(Form->PrimaPt->Text(), QStringLiteral("Luce lunare"));

    // A port number with no port row shows an empty cell.
    TMemData& timers = Form->MemData1();
    timers.SetCellValue(1, timers.FieldIndex(QStringLiteral("Uscita")), qint32(0));
    timers.Post();
    EXPECT_EQ(model->index(1, uscita).data().toString(), QString());
}

TEST_F(MainWindowTest, AFailingCommandEndsInTheMessageBoxAndTheWindowStaysUsable) {
    QFile bad(Path(QStringLiteral("rotto.tmr")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a table at all");
    bad.close();
    Files().PushFileName(bad.fileName());
    Form->BarButtonOpen->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(Boxes().Questions()[0].Caption, Title);
    EXPECT_EQ(Boxes().Questions()[0].Text,
              QStringLiteral("Impossibile leggere il file di tabella \"%1\": non è un file di "
                             "tabella (al byte 0).")
                  .arg(bad.fileName()));
    EXPECT_TRUE(Form->BarButtonOpen->Enabled());
    EXPECT_EQ(Form->MemData1().RecordCount(), 0);
}

// What a screen reader finds in each window the user meets: every control it can act on has a
// name (its caption or its label, never its value), no column header is blank, and no
// description holds a screen tip's markup, which would be read aloud.
TEST_F(MainWindowTest, EveryControlHasANameAndNoDescriptionHoldsMarkup) {
    // Drop-downs showing a value, and a recent file in the application menu.
    FillConfiguration();
    Form->PrimaPt->SetKeyValue(3);
    Form->Ribbon->Bar()->AppMenu()->SetRecentFiles({Path(QStringLiteral("acquario.tmr"))});
    Form->Show();
    TComPortSetupDialog serial(Form->Widget());
    serial.Load(Form->ComPort->Settings());
    serial.show();
    std::unique_ptr<TLangLanguageDialog> languages(CreateFormInLanguage<TLangLanguageDialog>());
    languages->Show();
    const QSet<QAccessible::Role> acting{
        QAccessible::PushButton,     QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox,       QAccessible::EditableText, QAccessible::SpinBox,
        QAccessible::List,           QAccessible::ListItem,     QAccessible::Table,
        QAccessible::ColumnHeader,   QAccessible::PageTab,      QAccessible::PageTabList,
        QAccessible::MenuItem,       QAccessible::PopupMenu,    QAccessible::ButtonMenu,
        QAccessible::ButtonDropDown, QAccessible::ToolBar,      QAccessible::StatusBar,
        QAccessible::ProgressBar,    QAccessible::Slider,       QAccessible::Window,
        QAccessible::Dialog};
    const QRegularExpression markup(QStringLiteral("<[a-zA-Z/][^>]*>"));
    const struct {
        const char* Window;
        QWidget* Widget;
        QAccessible::Role Role;
        QWidget* Holds; // a part a screen reader must reach, shown or not
    } windows[] = {
        {"main window", Form->Widget(), QAccessible::Window, Form->Ribbon->Bar()->AppMenu()},
        {"serial dialog", &serial, QAccessible::Dialog, serial.PortBox()},
        {"language dialog", languages->Widget(), QAccessible::Dialog, languages->List->Widget()}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.Window);
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(w.Widget);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->role(), w.Role);
        QStringList unnamed, marked;
        AccessiblesMatching(root, [&](QAccessibleInterface* a) {
            const QString where =
                QStringLiteral("role %1 '%2' (value '%3') in '%4'")
                    .arg(QString::number(int(a->role()), 16), a->text(QAccessible::Name),
                         a->text(QAccessible::Value),
                         a->parent() ? a->parent()->text(QAccessible::Name) : QString());
            const QString name = a->text(QAccessible::Name).trimmed();
            // A drop-down read out by its value leaves the listener guessing what it is for.
            if (acting.contains(a->role()) &&
                (name.isEmpty() ||
                 (a->role() == QAccessible::ComboBox && name == a->text(QAccessible::Value))))
                unnamed << where;
            if (markup.match(a->text(QAccessible::Description)).hasMatch())
                marked << a->text(QAccessible::Name);
            return false;
        });
        EXPECT_NE(
            FindAccessible(root, [&](QAccessibleInterface* a) { return a->object() == w.Holds; }),
            nullptr);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("; ")).toStdString();
        EXPECT_TRUE(marked.isEmpty()) << marked.join(QStringLiteral("; ")).toStdString();
    }
}
