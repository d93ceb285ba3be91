#include "runtime/FormatSettings.h"
#include "runtime/ScopeExit.h"
#include "support/TestApplication.h"
#include "widgets/qt/GridView.h"
#include "widgets/qt/LookupComboBox.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTime>
#include <QTimeEdit>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

TGridColumn Col(const char* name, const char* field, const QString& caption, int width,
                TColumnKind kind) {
    TGridColumn column;
    column.Name = QString::fromLatin1(name);
    column.FieldName = QString::fromLatin1(field);
    column.Caption = caption;
    column.Width = width;
    column.Kind = kind;
    return column;
}

const QStringList Days = {QStringLiteral("Lunedì"),    QStringLiteral("Martedì"),
                          QStringLiteral("Mercoledì"), QStringLiteral("Giovedì"),
                          QStringLiteral("Venerdì"),   QStringLiteral("Sabato"),
                          QStringLiteral("Domenica"),  QStringLiteral("Tutti i giorni")};

// The timer grid over a timer table and a port table, as the main window builds it.
struct GridFixture : testing::Test {
    TVariantTable ports{
        {QStringLiteral("RecId"), QStringLiteral("Nporta"), QStringLiteral("Descrizione")}};
    TVariantTable timers{{QStringLiteral("RecId"), QStringLiteral("Timer"),
                          QStringLiteral("Uscita"), QStringLiteral("Giorno"),
                          QStringLiteral("Inizio"), QStringLiteral("Durata"),
                          QStringLiteral("Stato")}};
    // A view whose delete confirmation the test answers.
    struct TConfirmingView : GridView {
        bool Confirm = true;
        bool ConfirmDelete(int) override { return Confirm; }
    };
    std::unique_ptr<TConfirmingView> view;
    int port = -1, day = -1, start = -1, duration = -1, bar = -1, state = -1, label = -1;

    void SetUp() override {
        test::App();
        for (int p = 1; p <= 3; ++p)
            ports.AppendRow({p, p, QStringLiteral("Porta %1").arg(p)});
        timers.AppendRow(
            {1, QStringLiteral("Timer 01"), 2, Days[0], QTime(8, 30, 15), QTime(6, 0), false});
        timers.AppendRow(
            {2, QStringLiteral("Timer 02"), 0, Days[7], QTime(20, 0, 0), QTime(12, 0), true});
        timers.AppendRow(
            {3, QStringLiteral("Timer 03"), 3, Days[0], QTime(6, 0, 0), QTime(0, 30), false});
        view = std::make_unique<TConfirmingView>();
        GridModel* model = view->Model();
        model->SetTable(&timers);
        model->SetPreviewField(QStringLiteral("Timer"));
        auto add = [&](TGridColumn c) { return model->AddColumn(c); };
        TGridColumn text = Col("Grid1DBTableView1Column2", "Timer", QStringLiteral("Timer"), 105,
                               TColumnKind::Text);
        text.MaxLength = 20;
        label = add(text);
        TGridColumn lookup = Col("Grid1DBTableView1Uscita", "Uscita", QStringLiteral("Porta"), 159,
                                 TColumnKind::Lookup);
        lookup.Lookup = {&ports, QStringLiteral("Nporta"), QStringLiteral("Descrizione")};
        port = add(lookup);
        TGridColumn days = Col("Grid1DBTableView1Giorno", "Giorno", QStringLiteral("Giorno"), 122,
                               TColumnKind::PickList);
        days.Items = Days;
        day = add(days);
        start = add(Col("Grid1DBTableView1Inizio", "Inizio", QStringLiteral("Inizio"), 85,
                        TColumnKind::Time));
        duration = add(Col("Grid1DBTableView1Durata", "Durata", QStringLiteral("Durata"), 79,
                           TColumnKind::ShortTime));
        TGridColumn progress =
            Col("Grid1DBTableView1Column1", "Durata", QString(), 90, TColumnKind::Progress);
        progress.MinWidth = 40;
        progress.Filtering = false;
        bar = add(progress);
        state = add(Col("Grid1DBTableView1Stato", "Stato", QStringLiteral("Stato"), 135,
                        TColumnKind::OffOn));
        view->SetPreviewVisible(true);
        view->resize(800, 300);
        view->show();
    }

    QString Shown(int row, int column) const {
        return view->model()->index(row, column).data().toString();
    }
    QModelIndex At(int row, int column) const { return view->model()->index(row, column); }

    // Opens the column's editor at a cell, lets `change` work on it, and commits it.
    template <typename Editor, typename Change> void EditCell(int row, int column, Change change) {
        QModelIndex index = At(row, column);
        QStyleOptionViewItem option;
        option.rect = view->visualRect(index);
        std::unique_ptr<QWidget> editor(
            view->Delegate()->createEditor(view->viewport(), option, index));
        ASSERT_NE(editor, nullptr);
        auto* typed = qobject_cast<Editor*>(editor.get());
        ASSERT_NE(typed, nullptr);
        view->Delegate()->setEditorData(typed, index);
        change(typed);
        view->Delegate()->setModelData(typed, view->model(), index);
    }
};

} // namespace

TEST_F(GridFixture, LookupShowsThePortNameAndEmptyForAnUnknownNumber) {
    EXPECT_EQ(Shown(0, port), QStringLiteral("Porta 2"));
    EXPECT_EQ(Shown(1, port), QString()); // 0 is no port
    EXPECT_EQ(Shown(2, port), QStringLiteral("Porta 3"));
}

TEST_F(GridFixture, LookupFollowsARenamedPortAtOnce) {
    QSignalSpy changed(view->Model(), &QAbstractItemModel::dataChanged);
    ports.SetValue(1, 2, QStringLiteral("Riscaldatore"));
    EXPECT_EQ(Shown(0, port), QStringLiteral("Riscaldatore"));
    bool lookupColumnRefreshed = false;
    for (const QList<QVariant>& signal : changed)
        lookupColumnRefreshed |=
            signal[0].toModelIndex().column() <= port && signal[1].toModelIndex().column() >= port;
    EXPECT_TRUE(lookupColumnRefreshed);
}

// Views read the row count when a reset is announced and again when it ends: the model must
// report the old rows until the reset begins, although the table changed before it told us.
TEST_F(GridFixture, AResetAnnouncesTheOldRowsAndEndsWithTheNewOnes) {
    GridModel* model = view->Model();
    QList<int> counts;
    QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset,
                     [&] { counts << model->rowCount(); });
    QObject::connect(model, &QAbstractItemModel::modelReset, [&] { counts << model->rowCount(); });
    timers.AppendRow({4, QStringLiteral("Timer 04"), 1, Days[1], QTime(7, 0), QTime(1, 0), false});
    timers.Clear();
    EXPECT_EQ(counts, (QList<int>{3, 4, 4, 0}));
}

TEST_F(GridFixture, ValuesShowAsTheUserReadsThem) {
    EXPECT_EQ(Shown(0, start), QStringLiteral("08:30:15"));
    EXPECT_EQ(Shown(0, duration), QStringLiteral("06:00"));
    EXPECT_EQ(Shown(0, bar), QStringLiteral("25%"));
    EXPECT_EQ(Shown(1, bar), QStringLiteral("50%"));
    EXPECT_EQ(Shown(0, state), QStringLiteral("Off"));
    EXPECT_EQ(Shown(1, state), QStringLiteral("On"));
    EXPECT_EQ(At(1, 0).data(GridModel::PreviewRole).toString(), QStringLiteral("Timer 02"));
    // A duration kept as a fraction of a day reads the same as a time.
    EXPECT_DOUBLE_EQ(DayFraction(0.75), 0.75);
    EXPECT_EQ(ToTime(0.5), QTime(12, 0));
    EXPECT_FALSE(ToTime(QVariant()).isValid());
}

TEST_F(GridFixture, TimesUseTheTimeSeparatorInForce) {
    const TFormatSettings saved = FormatSettings();
    const TScopeExit restore([&] { FormatSettings() = saved; });
    FormatSettings().TimeSeparator = QLatin1Char('.');
    EXPECT_EQ(Shown(0, start), QStringLiteral("08.30.15"));
    EXPECT_EQ(Shown(0, duration), QStringLiteral("06.00"));
    FormatSettings().TimeSeparator = QLatin1Char('h');
    EXPECT_EQ(Shown(0, duration), QStringLiteral("06h00"));
}

TEST_F(GridFixture, EditorsRoundTripTheirValues) {
    EditCell<QComboBox>(1, port, [](QComboBox* combo) {
        EXPECT_EQ(combo->currentIndex(), -1); // unknown port: nothing chosen
        EXPECT_FALSE(combo->isEditable());
        ASSERT_EQ(combo->count(), 3);
        combo->setCurrentIndex(0);
    });
    EXPECT_EQ(timers.Value(1, 2).toInt(), 1);
    EXPECT_EQ(Shown(1, port), QStringLiteral("Porta 1"));

    EditCell<QComboBox>(0, day, [](QComboBox* combo) {
        EXPECT_EQ(combo->currentText(), Days[0]);
        combo->setCurrentIndex(6);
    });
    EXPECT_EQ(timers.Value(0, 3).toString(), QStringLiteral("Domenica"));

    EditCell<QTimeEdit>(0, start, [](QTimeEdit* edit) {
        EXPECT_EQ(edit->time(), QTime(8, 30, 15));
        EXPECT_EQ(edit->displayFormat(), QStringLiteral("HH:mm:ss"));
        edit->setTime(QTime(9, 15, 45));
    });
    EXPECT_EQ(timers.Value(0, 4).toTime(), QTime(9, 15, 45));

    EditCell<QTimeEdit>(0, duration, [](QTimeEdit* edit) {
        EXPECT_EQ(edit->displayFormat(), QStringLiteral("HH:mm"));
        edit->setTime(QTime(18, 0, 59)); // seconds are not part of a duration
    });
    EXPECT_EQ(timers.Value(0, 5).toTime(), QTime(18, 0));
    EXPECT_EQ(Shown(0, bar), QStringLiteral("75%"));

    EditCell<QLineEdit>(0, label, [](QLineEdit* edit) {
        EXPECT_EQ(edit->maxLength(), 20);
        edit->setText(QStringLiteral("Luce mattino"));
    });
    EXPECT_EQ(timers.Value(0, 1).toString(), QStringLiteral("Luce mattino"));
}

TEST_F(GridFixture, ListColumnsRefuseValuesOutsideTheirList) {
    EXPECT_FALSE(view->model()->setData(At(0, day), QStringLiteral("Someday")));
    EXPECT_FALSE(view->model()->setData(At(0, port), 42));
    EXPECT_FALSE(view->model()->setData(At(0, bar), 0.5));
    EXPECT_EQ(timers.Value(0, 3).toString(), Days[0]);
    EXPECT_EQ(timers.Value(0, 2).toInt(), 2);
}

TEST_F(GridFixture, RadioPairSetsOffAndOnByClick) {
    QModelIndex index = At(0, state);
    QStyleOptionViewItem option;
    option.rect = view->visualRect(index);
    option.rect.setTop(option.rect.top()); // delegate offsets the preview itself
    QRect cell = option.rect.adjusted(0, view->PreviewHeight(), 0, 0);
    auto [offRect, onRect] = GridDelegate::RadioRects(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onRect.center());
    EXPECT_TRUE(timers.Value(0, 6).toBool());
    EXPECT_EQ(Shown(0, state), QStringLiteral("On"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, offRect.center());
    EXPECT_FALSE(timers.Value(0, 6).toBool());
}

TEST_F(GridFixture, ProgressColumnIsNeitherEditableNorFocusable) {
    Qt::ItemFlags flags = At(0, bar).flags();
    EXPECT_FALSE(flags & Qt::ItemIsEditable);
    EXPECT_FALSE(flags & Qt::ItemIsSelectable);
    EXPECT_EQ(view->CreateFilterMenu(bar), nullptr);
}

TEST_F(GridFixture, SortsByValueAndFiltersByShownText) {
    view->sortByColumn(start, Qt::AscendingOrder);
    EXPECT_EQ(Shown(0, start), QStringLiteral("06:00:00"));
    EXPECT_EQ(Shown(2, start), QStringLiteral("20:00:00"));
    view->sortByColumn(-1, Qt::AscendingOrder);

    std::unique_ptr<QMenu> menu(view->CreateFilterMenu(day));
    ASSERT_NE(menu, nullptr);
    QAction* monday = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == Days[0])
            monday = a;
    ASSERT_NE(monday, nullptr);
    monday->trigger();
    EXPECT_EQ(view->model()->rowCount(), 2);
    // Editing through the filtered view writes to the right table row.
    view->setCurrentIndex(At(1, label));
    EXPECT_EQ(view->CurrentRow(), 2);
    menu->actions().first()->trigger(); // "(Tutti)"
    EXPECT_EQ(view->model()->rowCount(), 3);
}

TEST_F(GridFixture, AFilteredChoiceSurvivesNewWordsForTheChoices) {
    std::unique_ptr<QMenu> menu(view->CreateFilterMenu(state));
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions())
        if (a->text() == QStringLiteral("On"))
            a->trigger();
    ASSERT_EQ(view->model()->rowCount(), 1);

    TGridColumn german = view->Model()->Column(state);
    german.OffCaption = QStringLiteral("Aus");
    german.OnCaption = QStringLiteral("Ein");
    view->Model()->ReplaceColumn(state, german);
    EXPECT_EQ(view->model()->rowCount(), 1);
    EXPECT_EQ(Shown(0, state), QStringLiteral("Ein"));
    EXPECT_EQ(view->FilterModel()->ColumnFilter(state), QStringLiteral("Ein"));
}

TEST_F(GridFixture, RowsAreNeverAddedAndDeletedOnlyWhereAllowed) {
    view->setFocus();
    view->setCurrentIndex(At(0, label));
    QTest::keyClick(view.get(), Qt::Key_Insert);
    QTest::keyClick(view.get(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(timers.RowCount(), 3);
    view->SetAllowDelete(true);
    view->Confirm = false;
    QTest::keyClick(view.get(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(timers.RowCount(), 3);
    view->Confirm = true;
    QTest::keyClick(view.get(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(timers.RowCount(), 2);
    EXPECT_EQ(timers.Value(0, 1).toString(), QStringLiteral("Timer 02"));
}

TEST_F(GridFixture, ViewLetsGoOfATableThatIsDestroyed) {
    auto table = std::make_unique<TVariantTable>(
        QStringList{QStringLiteral("Nporta"), QStringLiteral("Descrizione")});
    table->AppendRow({1, QStringLiteral("Luce")});
    view->Model()->SetColumnLookup(
        port, {table.get(), QStringLiteral("Nporta"), QStringLiteral("Descrizione")});
    EXPECT_EQ(Shown(2, port), QString());
    table.reset();
    EXPECT_EQ(Shown(0, port), QString()); // no dangling lookup
}

TEST(LookupComboBox, ShowsNameFollowsRenamesAndKeepsUnknownKeys) {
    test::App();
    TVariantTable ports{{QStringLiteral("Nporta"), QStringLiteral("Descrizione")}};
    LookupComboBox combo;
    combo.SetLookup({&ports, QStringLiteral("Nporta"), QStringLiteral("Descrizione")});
    EXPECT_EQ(combo.count(), 0); // empty port table: no choice
    combo.SetKeyValue(2);
    EXPECT_EQ(combo.currentText(), QString());
    ports.AppendRow({1, QStringLiteral("Luce")});
    ports.AppendRow({2, QStringLiteral("Pompa")});
    EXPECT_EQ(combo.currentText(), QStringLiteral("Pompa")); // the kept key finds its row
    ports.SetValue(1, 1, QStringLiteral("Filtro"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("Filtro"));
    int changes = 0;
    QObject::connect(&combo, &LookupComboBox::keyChanged, [&] { ++changes; });
    combo.setCurrentIndex(0);
    EXPECT_EQ(combo.KeyValue().toInt(), 1);
    EXPECT_EQ(changes, 1);
}
