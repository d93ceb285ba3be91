#include "support/TestApplication.h"
#include "widgets/qt/ColorScheme.h"
#include "widgets/qt/RibbonBar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// The contrast ratio of two colours as accessibility guidelines define it (1 to 21).
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The most opaque colour an icon draws with: its glyph.
QColor GlyphColour(const QIcon& icon) {
    QImage image = icon.pixmap(10, 10).toImage().convertToFormat(QImage::Format_ARGB32);
    QColor best(Qt::transparent);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > best.alpha())
                best = QColor::fromRgba(image.pixel(x, y));
    best.setAlpha(255);
    return best;
}

struct RibbonLook : testing::Test {
    QWidget window;
    RibbonBar* ribbon = new RibbonBar(&window);
    RibbonCommand* open = new RibbonCommand(QStringLiteral("Apri "), &window);
    RibbonButton* openButton = nullptr;

    void SetUp() override {
        test::App();
        RibbonGroup* file = ribbon->AddTab(QStringLiteral("Azioni"))->AddGroup("File");
        openButton = file->AddLargeButton(open);
        ribbon->Qat()->AddCommand(open);
        window.resize(700, 220);
        ribbon->resize(700, ribbon->sizeHint().height());
        window.show();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(RibbonLook, CaptionButtonsAndToolbarArrowReadInEveryScheme) {
    ribbon->SetSupportNonClientDrawing(true);
    for (const QString& name : ColorSchemeNames()) {
        SCOPED_TRACE(name.toStdString());
        ribbon->SetColorSchemeName(name);
        const TColorScheme& scheme = ColorSchemeByName(name);
        // Glyphs are drawn in the scheme's text colours, which stand out from the backgrounds.
        EXPECT_GE(Contrast(scheme.CaptionText, scheme.CaptionTop), 4.5);
        EXPECT_GE(Contrast(scheme.CaptionText, scheme.CaptionBottom), 4.5);
        EXPECT_GE(Contrast(scheme.QatText, scheme.QatBack), 4.5);
        const QList<QToolButton*> captionButtons =
            ribbon->CaptionBar()->findChildren<QToolButton*>();
        int glyphs = 0;
        for (QToolButton* button : captionButtons) {
            if (button->parentWidget() != ribbon->CaptionBar())
                continue;
            ASSERT_FALSE(button->icon().isNull()) << button->accessibleName().toStdString();
            EXPECT_EQ(GlyphColour(button->icon()), scheme.CaptionText)
                << button->accessibleName().toStdString();
            ++glyphs;
        }
        EXPECT_EQ(glyphs, 3);
        EXPECT_EQ(GlyphColour(ribbon->Qat()->CustomizeButton()->icon()), scheme.QatText);
    }
}

TEST_F(RibbonLook, GroupCaptionsWearTheSchemesBandFromTheFirstShow) {
    auto* caption = ribbon->findChild<QLabel*>(QStringLiteral("RibbonGroupCaption"));
    ASSERT_NE(caption, nullptr);
    // Left of the centred caption text: the band's own colour, as after choosing a scheme.
    const auto band = [caption] {
        const QImage image = caption->grab().toImage();
        return QColor(image.pixel(1, image.height() / 2)).name().toStdString();
    };
    const TColorScheme& scheme = ColorSchemeByName(ribbon->ColorSchemeName());
    EXPECT_EQ(band(), scheme.GroupCaptionBack.name().toStdString());
    ribbon->SetColorSchemeName(ribbon->ColorSchemeName());
    EXPECT_EQ(band(), scheme.GroupCaptionBack.name().toStdString());
}

TEST_F(RibbonLook, HoverEndsWhenAMenuClosesWithTheCursorElsewhere) {
    // The cursor was over "Apri" when the right click opened the menu, and left meanwhile.
    QCursor::setPos(window.mapToGlobal(QPoint(690, 210)));
    for (QWidget* item : {static_cast<QWidget*>(openButton),
                          static_cast<QWidget*>(ribbon->Qat()->CustomizeButton())}) {
        item->setAttribute(Qt::WA_UnderMouse, true);
        ASSERT_TRUE(item->underMouse());
    }
    QContextMenuEvent event(QContextMenuEvent::Mouse, openButton->mapTo(ribbon, QPoint(5, 5)),
                            openButton->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(ribbon, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    menu->close();
    QTest::qWait(20);
    EXPECT_FALSE(openButton->underMouse());
    EXPECT_FALSE(ribbon->Qat()->CustomizeButton()->underMouse());

    // The same after the toolbar's own menu; an item still under the cursor keeps its look.
    QCursor::setPos(openButton->mapToGlobal(QPoint(5, 5)));
    openButton->setAttribute(Qt::WA_UnderMouse, true);
    ribbon->Qat()->CustomizeButton()->setAttribute(Qt::WA_UnderMouse, true);
    QMenu* customize = ribbon->Qat()->CustomizeButton()->menu();
    ASSERT_NE(customize, nullptr);
    customize->popup(QPoint(0, 0));
    customize->close();
    QTest::qWait(20);
    EXPECT_FALSE(ribbon->Qat()->CustomizeButton()->underMouse());
    EXPECT_TRUE(openButton->underMouse());
}

TEST_F(RibbonLook, ReducedGroupsShowSmallerButtonsAndComeBack) {
    RibbonGroup* group = ribbon->Tab(0)->Groups().constFirst();
    RibbonCommand* save = new RibbonCommand(QStringLiteral("Salva "), &window);
    group->AddLargeButton(save);
    group->SetReduction(1);
    for (RibbonButton* b : group->Buttons())
        EXPECT_EQ(b->Size(), RibbonButton::TSize::Small);
    // Stacked in one column now: one above the other.
    QApplication::processEvents();
    group->adjustSize();
    QList<RibbonButton*> buttons = group->Buttons();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->x(), buttons[1]->x());
    group->SetReduction(2);
    for (RibbonButton* b : group->Buttons()) {
        EXPECT_EQ(b->Size(), RibbonButton::TSize::IconOnly);
        EXPECT_EQ(b->accessibleName(), b->Command()->text().trimmed());
    }
    group->SetReduction(0);
    for (RibbonButton* b : group->Buttons())
        EXPECT_EQ(b->Size(), RibbonButton::TSize::Large);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("Apri"));
}

namespace {

// The first tab as the German translation has it: group captions wider than their buttons.
struct GermanRibbon : testing::Test {
    QWidget window;
    RibbonBar* ribbon = new RibbonBar(&window);
    RibbonTab* tab = nullptr;

    RibbonCommand* Command(const char* caption) {
        return new RibbonCommand(QString::fromUtf8(caption), &window);
    }
    void SetUp() override {
        test::App();
        tab = ribbon->AddTab(QStringLiteral("Aktionen"));
        RibbonGroup* file = tab->AddGroup(QStringLiteral("Datei"));
        for (const char* caption : {"Öffnen", "Speichern", "Drucken", "Daten löschen"})
            file->AddLargeButton(Command(caption));
        file->AddLargeButton(Command("Beenden"), true);
        RibbonGroup* pic = tab->AddGroup(QStringLiteral("Kommunikation mit dem PIC"));
        for (const char* caption : {"Daten senden", "Daten empfangen", "Datum abgleichen"})
            pic->AddLargeButton(Command(caption));
        RibbonGroup* serial = tab->AddGroup(QStringLiteral("Serielle Schnittstelle"));
        serial->AddLargeButton(Command("Einrichten"));
        serial->AddSmallButton(Command("Einstellungen laden"), false, true);
        serial->AddSmallButton(Command("Einstellungen speichern"));
        serial->AddEditItem(QStringLiteral("Verzögerung (s):"), 32);
        window.show();
    }
    void ShowAt(int width) {
        window.resize(width, 200);
        ribbon->setGeometry(0, 0, width, ribbon->sizeHint().height());
        Settle();
    }
    // The page fits after the changes in hand; its layouts follow in turn.
    static void Settle() {
        for (int round = 0; round < 3; ++round)
            QApplication::processEvents();
    }
    // Every captioned button as wide as its caption needs: nothing cut.
    void ExpectNothingCut() {
        for (RibbonGroup* group : tab->Groups()) {
            for (RibbonButton* button : group->Buttons())
                if (button->Size() != RibbonButton::TSize::IconOnly) {
                    EXPECT_GE(button->width(), button->sizeHint().width())
                        << button->accessibleName().toStdString() << " at reduction "
                        << group->Reduction();
                }
            EXPECT_LE(group->geometry().right(), tab->width()) << group->Caption().toStdString();
        }
    }
    QLabel* CaptionLabel(RibbonGroup* group) {
        return group->findChild<QLabel*>(QStringLiteral("RibbonGroupCaption"));
    }
};

} // namespace

TEST_F(GermanRibbon, LongGroupCaptionsAreCutBeforeAnyButtonLosesItsCaption) {
    ShowAt(789);
    ExpectNothingCut();
    int withCaptions = 0;
    for (RibbonGroup* group : tab->Groups()) {
        withCaptions += group->Reduction() < RibbonGroup::MaxReduction;
        // A cut caption offers the whole text; the group is still announced by it.
        QLabel* caption = CaptionLabel(group);
        ASSERT_NE(caption, nullptr);
        if (caption->text() != group->Caption()) {
            EXPECT_TRUE(caption->text().endsWith(QStringLiteral("…")));
            EXPECT_EQ(caption->toolTip(), group->Caption());
        }
        EXPECT_EQ(group->accessibleName(), group->Caption());
    }
    EXPECT_EQ(withCaptions, tab->Groups().size()) << "the buttons of every group fit at 789 px";
}

TEST_F(GermanRibbon, ACaptionNeverWidensItsGroupBeyondItsButtons) {
    RibbonGroup* pic = tab->Groups()[1];
    const int buttonsOnly = pic->minimumSizeHint().width();
    pic->SetCaption(QStringLiteral("Kommunikation mit dem PIC über die serielle Schnittstelle"));
    EXPECT_EQ(pic->minimumSizeHint().width(), buttonsOnly);
    EXPECT_GT(pic->sizeHint().width(), buttonsOnly) << "with room to spare it shows it all";
    ShowAt(1240);
    ExpectNothingCut();
    for (RibbonGroup* group : tab->Groups()) {
        EXPECT_EQ(group->Reduction(), 0);
        EXPECT_EQ(CaptionLabel(group)->text(), group->Caption());
        EXPECT_TRUE(CaptionLabel(group)->toolTip().isEmpty());
    }
}

TEST_F(GermanRibbon, NarrowWindowsReduceGroupsWithoutCuttingButtons) {
    for (int width : {1240, 789, 560, 420, 789, 1240}) {
        SCOPED_TRACE(width);
        ShowAt(width);
        ExpectNothingCut();
    }
}

TEST_F(GermanRibbon, LongerCaptionsOnShowFitTheGroupsAgain) {
    ShowAt(789);
    // As a language switch does: every caption of the shown page changes at once.
    for (RibbonGroup* group : tab->Groups())
        for (RibbonButton* button : group->Buttons())
            button->Command()->SetCaption(button->Command()->Caption() +
                                          QStringLiteral(" und noch mehr"));
    Settle();
    ExpectNothingCut();
    // Shorter again, the groups take back their captions.
    for (RibbonGroup* group : tab->Groups())
        for (RibbonButton* button : group->Buttons())
            button->Command()->SetCaption(button->Command()->Caption().section(' ', 0, 0));
    Settle();
    ExpectNothingCut();
    EXPECT_EQ(tab->Groups().constFirst()->Reduction(), 0);
}
