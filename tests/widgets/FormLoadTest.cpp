#include "runtime/Exception.h"
#include "runtime/FormStream.h"
#include "runtime/ModuleList.h"
#include "runtime/ScopeExit.h"
#include "runtime/TextForm.h"
#include "support/AccessibleSearch.h"
#include "support/FormResourceFiles.h"
#include "support/TestApplication.h"
#include "widgets/Button.h"
#include "widgets/ComLed.h"
#include "widgets/ComPort.h"
#include "widgets/Forms.h"
#include "widgets/GridTableView.h"
#include "widgets/Label.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"
#include "widgets/ProgressBar.h"
#include "widgets/Ribbon.h"
#include "widgets/SpinEdit.h"
#include "widgets/StatusBar.h"
#include "widgets/qt/PageControlWidget.h"
#include "widgets/qt/StatusBarWidget.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace lumotrix {

// A small main window described as text, with the component kinds the program's window uses.
class TTestMainForm : public TForm {
public:
    using TForm::TForm;
    QStringList Calls;
    void FormCreate(TObject*) { Calls << QStringLiteral("FormCreate"); }
    void FormResize(TObject*) { Calls << QStringLiteral("FormResize"); }
    void FormCloseQuery(TObject*, bool& canClose) {
        Calls << QStringLiteral("FormCloseQuery");
        canClose = AllowClose;
    }
    void BarButtonOpenClick(TObject*) { Calls << QStringLiteral("Open"); }
    void BarButtonFailClick(TObject*) { throw EReadError(QStringLiteral("File danneggiato")); }
    void CheckBox1Click(TObject*) { Calls << QStringLiteral("CheckBox1Click"); }
    void TempIdealePropertiesChange(TObject*) { Calls << QStringLiteral("TempIdeale"); }
    bool AllowClose = true;
};

LUMOTRIX_REGISTER_CLASS(TTestMainForm, TForm) {
    Method("FormCreate", &TTestMainForm::FormCreate);
    Method("FormResize", &TTestMainForm::FormResize);
    Method("FormCloseQuery", &TTestMainForm::FormCloseQuery);
    Method("BarButtonOpenClick", &TTestMainForm::BarButtonOpenClick);
    Method("BarButtonFailClick", &TTestMainForm::BarButtonFailClick);
    Method("CheckBox1Click", &TTestMainForm::CheckBox1Click);
    Method("TempIdealePropertiesChange", &TTestMainForm::TempIdealePropertiesChange);
}

} // namespace lumotrix

using namespace lumotrix;

namespace {

const char* const MainFormText = R"form(object TestMainForm: TTestMainForm
  Left = 267
  Top = 165
  Caption = 'Horavel '
  ClientWidth = 789
  ClientHeight = 451
  Constraints.MinHeight = 487
  KeyPreview = True
  OnCreate = FormCreate
  OnResize = FormResize
  OnCloseQuery = FormCloseQuery
  object BarManager1: TBarManager
    ImageNames.Strings = (
      'open'
      'save'
      'modified')
  end
  object BarButtonOpen: TBarLargeButton
    Caption = 'Apri '
    Description = 'Apri una configurazione Lumotrix salvata'
    ShortCut = 16463
    IconName = 'open'
    ScreenTip.Header = 'Apri'
    ScreenTip.Text = 'Apri una configurazione Lumotrix salvata'
    ScreenTip.Footer = 'Lumotrix'
    OnClick = BarButtonOpenClick
  end
  object BarButtonFail: TBarLargeButton
    Caption = 'Stampa'
    Hint = 'Print the document'
    OnClick = BarButtonFailClick
  end
  object BarLargeButton3: TBarLargeButton
    Caption = 'Blu'
    ButtonStyle = bsChecked
    GroupIndex = 11
    Down = True
  end
  object BarLargeButton4: TBarLargeButton
    Caption = 'Nero'
    ButtonStyle = bsChecked
    GroupIndex = 11
  end
  object BarEdit1: TBarEdit
    Caption = 'Ritardo sec.:'
    Hint = 'Indicare il ritardo in secondi  per la trasmissione'
    Width = 32
    Text = '1'
  end
  object stModified: TBarStatic
    BarManager = BarManager1
    ImageIndex = -1
  end
  object BarManagerBar12: TBar
    Caption = 'File'
    ItemLinks = <
      item
        Item = BarButtonOpen
      end
      item
        Item = BarButtonFail
        BeginGroup = True
      end>
  end
  object BarManagerBar4: TBar
    Caption = 'Colori e Lingua'
    ItemLinks = <
      item
        Item = BarLargeButton3
      end
      item
        Item = BarLargeButton4
        ViewSize = vsSmall
      end
      item
        Item = BarEdit1
      end>
  end
  object BarManagerBar7: TBar
    ItemLinks = <
      item
        Item = BarButtonOpen
      end>
  end
  object BarManagerBar13: TBar
    ItemLinks = <
      item
        Item = stModified
      end>
  end
  object ApplicationMenu: TApplicationMenu
    ItemLinks = <
      item
        Item = BarButtonOpen
      end
      item
        Item = BarButtonFail
        BeginGroup = True
      end>
  end
  object Ribbon: TRibbon
    Align = alTop
    ColorSchemeName = 'Blue'
    ActiveTab = tabHome
    ApplicationButton.Menu = ApplicationMenu
    ApplicationButton.ScreenTip.Header = 'Menu Applicazioni'
    QuickAccessToolbar.Toolbar = BarManagerBar7
    OnResize = FormResize
    object tabHome: TRibbonTab
      Caption = 'Azioni'
      Groups = <
        item
          ToolBar = BarManagerBar12
        end>
    end
    object tabAppearance: TRibbonTab
      Caption = 'Apparenza'
      Groups = <
        item
          ToolBar = BarManagerBar4
        end>
    end
  end
  object StatusBar: TStatusBar
    Align = alBottom
    Height = 34
    Ribbon = Ribbon
    Panels = <
      item
        Width = 80
        Bar = BarManagerBar13
      end
      item
        Width = 280
        Control = ProgressBar1
      end
      item
        Width = 30
        Control = ComLed1
      end
      item
        Width = 20
        Bevel = pbNone
      end>
    object ProgressBar1: TProgressBar
      Max = 42
    end
    object ComLed1: TComLed
      Caption = 'CTS'
      Kind = lkPurpleLight
      LedSignal = lsCTS
    end
  end
  object PageControl1: TPageControl
    Align = alClient
    TabPosition = tpBottom
    ActivePage = TabSheet2
    object TabSheet1: TTabSheet
      Caption = 'Timers'
      object Grid1DBTableView1: TGridTableView
        Align = alClient
        object Grid1DBTableView1Timer: TGridColumnDef
          FieldName = 'Timer'
          IsPreview = True
        end
        object Grid1DBTableView1Uscita: TGridColumnDef
          Caption = 'Porta'
          FieldName = 'Uscita'
          Kind = ckLookup
          KeyField = 'Nporta'
          ListField = 'Descrizione'
          Width = 159
        end
        object Grid1DBTableView1Giorno: TGridColumnDef
          Caption = 'Giorno'
          FieldName = 'Giorno'
          Kind = ckPickList
          Items.Strings = (
            'Luned'#236
            'Tutti i giorni')
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Porte'
    end
    object TabSheet3: TTabSheet
      Caption = 'Temperatura'
      object CheckBox1: TCheckBox
        Left = 24
        Top = 20
        Width = 150
        Height = 20
        Caption = 'Sensore abilitato'
        OnClick = CheckBox1Click
      end
      object GroupBox1: TGroupBox
        Left = 185
        Top = 6
        Width = 561
        Height = 217
        object Label1: TLabel
          Left = 8
          Top = 20
          Caption = 'Temperatura Minima:'
          Font.Color = clNavy
          Font.Height = -13
          Font.Name = 'Arial'
        end
        object TempIdeale: TSpinEdit
          Left = 140
          Top = 60
          Width = 80
          Height = 21
          MinValue = 0
          MaxValue = 90
          Increment = 0.5
          LargeIncrement = 1
          DisplayFormat = '#0.0'#176
          EditFormat = '#0.0'
          Value = 1
          OnChange = TempIdealePropertiesChange
        end
        object TempMon: TLabel
          Left = 123
          Top = 90
          Caption = '(Le porte non saranno attive nell''intervallo tra )'
          Font.Style = [fsItalic]
        end
      end
    end
  end
end
)form";

struct FormFixture : testing::Test {
    std::unique_ptr<TTestMainForm> form;
    void SetUp() override {
        test::App();
        test::Boxes().Clear();
        form = std::make_unique<TTestMainForm>();
        form->LoadFromStream(FormTextToBinary(QByteArray(MainFormText)));
        form->DoCreate();
    }
    template <typename T> T* Find(const char* name) {
        return dynamic_cast<T*>(form->FindComponent(QString::fromLatin1(name)));
    }
};

} // namespace

TEST_F(FormFixture, LoadsPropertiesAndBindsHandlers) {
    EXPECT_EQ(form->Caption(), QStringLiteral("Horavel "));
    EXPECT_EQ(form->ClientWidth(), 789);
    EXPECT_EQ(form->Widget()->minimumHeight(), 487);
    EXPECT_EQ(form->Calls.value(0), QStringLiteral("FormCreate"));
    EXPECT_FALSE(form->Widget()->isVisible()); // shown only when asked

    auto* open = Find<TBarItem>("BarButtonOpen");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->Command()->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    open->Click();
    EXPECT_TRUE(form->Calls.contains(QStringLiteral("Open")));
    EXPECT_EQ(Find<TBarEdit>("BarEdit1")->Text(), QStringLiteral("1"));
}

TEST_F(FormFixture, RibbonIsBuiltFromBarsTabsToolbarAndMenu) {
    auto* ribbon = Find<TRibbon>("Ribbon");
    ASSERT_NE(ribbon, nullptr);
    ASSERT_EQ(ribbon->TabCount(), 2);
    EXPECT_EQ(ribbon->Bar()->TabCaption(1), QStringLiteral("Apparenza"));
    EXPECT_EQ(ribbon->ActiveTab(), Find<TRibbonTab>("tabHome"));
    RibbonTab* home = ribbon->Tab(0)->Page();
    ASSERT_EQ(home->Groups().size(), 1);
    EXPECT_EQ(home->Groups()[0]->Caption(), QStringLiteral("File"));
    EXPECT_EQ(home->Groups()[0]->Buttons().size(), 2);

    RibbonTab* appearance = ribbon->Tab(1)->Page();
    QList<RibbonButton*> buttons = appearance->Groups()[0]->Buttons();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[1]->Size(), RibbonButton::TSize::Small); // the link asked for small
    ASSERT_EQ(Find<TBarEdit>("BarEdit1")->Editors().size(), 1);
    EXPECT_EQ(Find<TBarEdit>("BarEdit1")->Editors()[0]->Edit()->width(), 32);

    EXPECT_EQ(ribbon->Bar()->Qat()->Commands(),
              QList<RibbonCommand*>{Find<TBarItem>("BarButtonOpen")->Command()});
    EXPECT_EQ(ribbon->Bar()->AppMenu()->Commands().size(), 2);
    EXPECT_EQ(ribbon->Bar()->AppButton()->accessibleName(), QStringLiteral("Menu Applicazioni"));
}

TEST_F(FormFixture, ExclusiveButtonsFromTheFormReleaseEachOther) {
    auto* blue = Find<TBarButton>("BarLargeButton3");
    auto* black = Find<TBarButton>("BarLargeButton4");
    EXPECT_TRUE(blue->Down());
    black->Click();
    EXPECT_TRUE(black->Down());
    EXPECT_FALSE(blue->Down());
    black->Click(); // the pressed one stays pressed
    EXPECT_TRUE(black->Down());
    blue->SetDown(true);
    EXPECT_FALSE(black->Down());
}

TEST_F(FormFixture, HandlerExceptionIsReportedAndTheFormStaysUsable) {
    Find<TBarItem>("BarButtonFail")->Click();
    ASSERT_EQ(test::Boxes().Questions().size(), 1u);
    EXPECT_EQ(test::Boxes().Questions()[0].Text, QStringLiteral("File danneggiato"));
    EXPECT_EQ(test::Boxes().Questions()[0].Caption,
              QStringLiteral("Lumotrix - Windows Side of Lumotrix"));
    Find<TBarItem>("BarButtonOpen")->Click();
    EXPECT_TRUE(form->Calls.contains(QStringLiteral("Open")));
}

TEST_F(FormFixture, PagesStatusBarAndControlsAreInPlace) {
    auto* pages = Find<TPageControl>("PageControl1");
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>("TabSheet2"));
    EXPECT_EQ(pages->Pages()->tabPosition(), QTabWidget::South);

    auto* status = Find<TStatusBar>("StatusBar");
    EXPECT_EQ(status->Bar()->PanelCount(), 4);
    EXPECT_EQ(status->Bar()->Panel(1)->width(), 280);
    EXPECT_TRUE(
        status->Bar()->Panel(1)->isAncestorOf(Find<TProgressBar>("ProgressBar1")->Widget()));
    EXPECT_EQ(Find<TProgressBar>("ProgressBar1")->Max(), 42);
    auto* led = Find<TComLed>("ComLed1");
    EXPECT_EQ(led->Caption(), QStringLiteral("CTS"));
    EXPECT_EQ(led->LedSignal(), lsCTS);
    TComPort port;
    BindComLeds(&port, form.get());
    EXPECT_FALSE(led->State()); // a closed port lights nothing
    port.Engine().OnSignalChanged(TComSignal::lsCTS, true);
    EXPECT_TRUE(led->State());
    port.Engine().OnSignalChanged(TComSignal::lsDSR, false);
    EXPECT_TRUE(led->State());

    // The status item follows its caption and picture.
    auto* modified = Find<TBarStatic>("stModified");
    modified->SetCaption(QStringLiteral("Modified"));
    modified->SetImageIndex(2);
    QList<StatusItem*> items = status->Widget()->findChildren<StatusItem*>();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->Caption(), QStringLiteral("Modified"));
    EXPECT_EQ(items[0]->Image(), QStringLiteral("modified"));
    modified->SetImageIndex(-1);
    EXPECT_EQ(items[0]->Image(), QString());

    // The status bar takes the ribbon's colours.
    Find<TRibbon>("Ribbon")->SetColorSchemeName(QStringLiteral("Black"));
    EXPECT_EQ(status->Bar()->Scheme().Name, QStringLiteral("Black"));
}

TEST_F(FormFixture, TemperatureControlsCarryTheirSettingsAndEvents) {
    auto* check = Find<TCheckBox>("CheckBox1");
    check->SetChecked(true);
    EXPECT_TRUE(form->Calls.contains(QStringLiteral("CheckBox1Click")));
    auto* ideal = Find<TSpinEdit>("TempIdeale");
    EXPECT_DOUBLE_EQ(ideal->Value(), 1.0);
    EXPECT_DOUBLE_EQ(ideal->Increment(), 0.5);
    EXPECT_EQ(ideal->DisplayFormat(), QStringLiteral("#0.0°"));
    form->Calls.clear();
    ideal->SetValue(25.5);
    EXPECT_EQ(form->Calls, QStringList{QStringLiteral("TempIdeale")});
    ideal->SetValue(500);
    EXPECT_DOUBLE_EQ(ideal->Value(), 90);
    auto* label = Find<TLabel>("Label1");
    EXPECT_EQ(label->Widget()->font().pixelSize(), 13);
    EXPECT_EQ(label->Widget()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_TRUE(Find<TLabel>("TempMon")->Widget()->font().italic());
}

TEST_F(FormFixture, GridColumnsComeFromTheFormAndTheLookupFollowsRenames) {
    auto* view = Find<TGridTableView>("Grid1DBTableView1");
    ASSERT_NE(view, nullptr);
    TVariantTable ports{{QStringLiteral("Nporta"), QStringLiteral("Descrizione")}};
    ports.AppendRow({1, QStringLiteral("Luce")});
    TVariantTable timers{
        {QStringLiteral("Timer"), QStringLiteral("Uscita"), QStringLiteral("Giorno")}};
    timers.AppendRow({QStringLiteral("Timer 01"), 1, QStringLiteral("Lunedì")});
    timers.AppendRow({QStringLiteral("Timer 02"), 5, QStringLiteral("Lunedì")});
    Find<TGridColumnDef>("Grid1DBTableView1Uscita")->SetLookupTable(&ports);
    view->SetTable(&timers);
    QAbstractItemModel* model = view->Grid()->model();
    int uscita = Find<TGridColumnDef>("Grid1DBTableView1Uscita")->ModelColumn();
    EXPECT_EQ(model->index(0, uscita).data().toString(), QStringLiteral("Luce"));
    EXPECT_EQ(model->index(1, uscita).data().toString(), QString());
    ports.SetValue(0, 1, QStringLiteral("Luce blu"));
    EXPECT_EQ(model->index(0, uscita).data().toString(), QStringLiteral("Luce blu"));
    EXPECT_TRUE(view->Grid()->PreviewVisible());
    EXPECT_EQ(model->index(1, 0).data(GridModel::PreviewRole).toString(),
              QStringLiteral("Timer 02"));
    EXPECT_TRUE(view->Grid()->isColumnHidden(
        Find<TGridColumnDef>("Grid1DBTableView1Timer")->ModelColumn()));
    EXPECT_EQ(view->Grid()
                  ->Model()
                  ->Column(Find<TGridColumnDef>("Grid1DBTableView1Giorno")->ModelColumn())
                  .Items,
              (QStringList{QStringLiteral("Lunedì"), QStringLiteral("Tutti i giorni")}));
    // Headers can be set again later (a language change).
    Find<TGridColumnDef>("Grid1DBTableView1Uscita")->SetCaption(QStringLiteral("Port"));
    EXPECT_EQ(model->headerData(uscita, Qt::Horizontal).toString(), QStringLiteral("Port"));
}

TEST_F(FormFixture, GridColumnsReadTogetherKeepTheFormsOrderAndSettings) {
    auto* view = Find<TGridTableView>("Grid1DBTableView1");
    ASSERT_NE(view, nullptr);
    const QStringList names{QStringLiteral("Grid1DBTableView1Timer"),
                            QStringLiteral("Grid1DBTableView1Uscita"),
                            QStringLiteral("Grid1DBTableView1Giorno")};
    GridModel* model = view->Grid()->Model();
    ASSERT_EQ(view->ColumnCount(), names.size());
    ASSERT_EQ(model->ColumnCount(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(view->Column(i)->Name(), names[i]);
        EXPECT_EQ(view->Column(i)->ModelColumn(), i);
        EXPECT_EQ(model->Column(i).Name, names[i]);
    }
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Porta"));
    EXPECT_EQ(model->Column(1).Width, 159);
    EXPECT_EQ(model->Column(1).Kind, TColumnKind::Lookup);
    EXPECT_EQ(model->PreviewField(), QStringLiteral("Timer"));

    // A column made in code after loading goes after those read, and takes effect at once.
    auto* extra = new TGridColumnDef(form.get());
    extra->SetView(view);
    extra->SetCaption(QStringLiteral("Extra"));
    EXPECT_EQ(extra->ModelColumn(), 3);
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Extra"));
    delete extra;
    EXPECT_EQ(view->ColumnCount(), names.size());
}

TEST_F(FormFixture, CloseQueryCanKeepTheWindowOpen) {
    form->Show();
    form->AllowClose = false;
    EXPECT_FALSE(form->Close());
    EXPECT_TRUE(form->Widget()->isVisible());
    form->AllowClose = true;
    EXPECT_TRUE(form->Close());
    EXPECT_FALSE(form->Widget()->isVisible());
}

TEST_F(FormFixture, ShownFormLaysOutAndExposesItsControlsByCaption) {
    form->Show();
    QApplication::processEvents();
    auto* ribbon = Find<TRibbon>("Ribbon");
    auto* status = Find<TStatusBar>("StatusBar");
    auto* pages = Find<TPageControl>("PageControl1");
    EXPECT_EQ(ribbon->Widget()->y(), 0);
    EXPECT_EQ(status->Widget()->geometry().bottom(), form->Widget()->height() - 1);
    EXPECT_EQ(pages->Widget()->y(), ribbon->Widget()->height());
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(form->Widget());
    for (const char* name : {"Apri", "Porte", "Ritardo sec.:"})
        EXPECT_NE(test::FindAccessible(root, test::AccessibleNamed(QString::fromUtf8(name))),
                  nullptr)
            << name;
    // The tab rows made while the form was read show every tab whole.
    for (QTabBar* tabs : {ribbon->Bar()->TabBar(), pages->Pages()->tabBar()}) {
        EXPECT_TRUE(tabs->isVisible());
        EXPECT_GE(tabs->width(), tabs->sizeHint().width());
        EXPECT_GE(tabs->tabRect(tabs->count() - 1).right(), tabs->tabRect(0).right());
        EXPECT_GT(tabs->tabRect(0).width(), 0);
    }
    form->Calls.clear();
    ribbon->Bar()->SetQatPosition(RibbonBar::TQatPosition::Below);
    EXPECT_TRUE(form->Calls.contains(QStringLiteral("FormResize")));
}

TEST(FormLoad, ControlsReadHiddenStayHiddenAndTheOthersShowFittedWithTheForm) {
    test::App();
    TForm form;
    form.LoadFromStream(FormTextToBinary(QByteArray(R"form(object Form: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Panel1: TPanel
    Align = alTop
    Height = 60
    object Shown: TLabel
      Caption = 'Temperatura Minima:'
      Font.Height = -13
      Font.Name = 'Arial'
    end
    object Hidden: TLabel
      Top = 30
      Caption = 'Nascosta'
      Visible = False
    end
  end
  object Panel2: TPanel
    Align = alClient
    Visible = False
  end
end
)form")));
    auto widget = [&form](const char* name) {
        return dynamic_cast<TControl*>(form.FindComponent(QString::fromLatin1(name)))->Widget();
    };
    EXPECT_FALSE(form.Widget()->isVisible());
    form.Show();
    QApplication::processEvents();
    EXPECT_TRUE(widget("Shown")->isVisible());
    EXPECT_FALSE(widget("Hidden")->isVisible());
    EXPECT_FALSE(widget("Panel2")->isVisible());
    EXPECT_EQ(widget("Shown")->size(), widget("Shown")->sizeHint()); // fitted with its font
    EXPECT_EQ(widget("Panel1")->geometry(), QRect(0, 0, 300, 60));
    dynamic_cast<TControl*>(form.FindComponent(QStringLiteral("Hidden")))->Show();
    EXPECT_TRUE(widget("Hidden")->isVisible());
}

TEST(FormLoad, ALabelOnAPageNotShownFitsItsLatestTextWhenThePageIsShown) {
    test::App();
    TForm form;
    form.LoadFromStream(FormTextToBinary(QByteArray(R"form(object Form: TForm
  ClientWidth = 400
  ClientHeight = 200
  object Pages: TPageControl
    Align = alClient
    ActivePage = First
    object First: TTabSheet
      Caption = 'Uno'
    end
    object Second: TTabSheet
      Caption = 'Due'
      object Band: TLabel
        Caption = 'Porta'
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsItalic]
      end
    end
  end
end
)form")));
    form.Show();
    QApplication::processEvents();
    auto* band = dynamic_cast<TLabel*>(form.FindComponent(QStringLiteral("Band")));
    band->SetCaption(QStringLiteral("Porta attiva da 0°C a 24,5°C"));
    auto* pages = dynamic_cast<TPageControl*>(form.FindComponent(QStringLiteral("Pages")));
    pages->SetActivePage(dynamic_cast<TTabSheet*>(form.FindComponent(QStringLiteral("Second"))));
    QApplication::processEvents();
    ASSERT_TRUE(band->Widget()->isVisible());
    EXPECT_EQ(band->Widget()->size(), band->Widget()->sizeHint());
    EXPECT_EQ(band->Width(), band->Widget()->sizeHint().width());
}

TEST(FormLoad, MissingResourceAndBadStreamsAreRefused) {
    test::App();
    TTestMainForm form;
    EXPECT_THROW(form.LoadFromResource(), EResNotFound);
    EXPECT_ANY_THROW(form.LoadFromStream(QByteArray("TPF0\x05garbage", 12)));
    EXPECT_EQ(ShortCutToKeySequence(0x8000 | 'X'), QKeySequence(QStringLiteral("Alt+X")));
    EXPECT_EQ(ShortCutToKeySequence(0x4000 | 'H'), QKeySequence(QStringLiteral("Ctrl+H")));
    EXPECT_TRUE(ShortCutToKeySequence(0x4000 | 0xFF).isEmpty());
}

TEST(FormLoad, EightBitStringsAreReadInTheCodePageOfTheResourceFileInForce) {
    test::App();
    QTemporaryDir dir;
    test::UseResourceFile(test::SavedAndLoaded(
        test::FormResourceFile({{"TForm", test::CyrillicCaptionForm("TForm", "Form")}}),
        dir.filePath(QStringLiteral("lumotrix.RUS"))));
    const TScopeExit restore([] { test::UseResourceFile(nullptr); });
    const std::unique_ptr<TForm> form(CreateForm<TForm>());
    EXPECT_EQ(form->Caption(), QString::fromUtf8("Привет"));
}

TEST(FormLoad, ScreenListsFormsAndDataModulesWhileTheyExist) {
    test::App();
    int forms = static_cast<int>(ScreenForms().size());
    auto first = std::make_unique<TTestMainForm>();
    auto module = std::make_unique<TDataModule>();
    {
        TForm second;
        ASSERT_EQ(ScreenForms().size(), forms + 2);
        EXPECT_EQ(ScreenForms()[forms], first.get());
        EXPECT_EQ(ScreenForms()[forms + 1], &second);
    }
    EXPECT_EQ(ScreenForms().size(), forms + 1);
    EXPECT_TRUE(ScreenDataModules().contains(module.get()));
    module.reset();
    EXPECT_TRUE(ScreenDataModules().isEmpty());
}

TEST(FormLoad, AWindowDesignedForALargerScreenOpensInsideThisOne) {
    test::App();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    TForm form;
    form.SetPosition(poDesigned);
    form.SetLeft(area.right() - 100);
    form.SetTop(area.bottom() - 50);
    form.SetWidth(area.width() / 2);
    form.SetHeight(area.height() / 2);
    form.Show();
    const QRect placed(form.Widget()->pos(), form.Widget()->size());
    EXPECT_TRUE(area.contains(placed)) << placed.x() << "," << placed.y();
    // Only as far as needed: the window ends at the area's edge, not at its centre.
    EXPECT_EQ(placed.right(), area.right());
    EXPECT_EQ(placed.bottom(), area.bottom());
    form.Hide();

    // Larger than the screen: the title bar stays reachable.
    EXPECT_EQ(KeepInside(QRect(-40, -30, 5000, 4000), area), area.topLeft());
    EXPECT_EQ(KeepInside(QRect(area.left() + 10, area.top() + 20, 30, 40), area),
              QPoint(area.left() + 10, area.top() + 20));
}
