#include "widgets/qt/ElidedLabel.h"
#include "support/TestApplication.h"

#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

const QString LongText = QStringLiteral("Comunicazione con il controllore dell'acquario");

TEST(ElidedLabel, CutsToItsWidthAndOffersTheWholeTextAsTip) {
    test::App();
    QWidget window;
    auto* label = new ElidedLabel(LongText, &window);
    label->setGeometry(0, 0, 80, 20);
    window.resize(300, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_NE(label->text(), LongText);
    EXPECT_TRUE(label->text().endsWith(QStringLiteral("…")));
    EXPECT_EQ(label->toolTip(), LongText);
    EXPECT_EQ(label->accessibleName(), LongText);

    label->resize(label->sizeHint().width(), 20);
    EXPECT_EQ(label->text(), LongText);
    EXPECT_TRUE(label->toolTip().isEmpty());
}

TEST(ElidedLabel, TextGivenWhileHiddenIsCutWhenShown) {
    test::App();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new ElidedLabel(QStringLiteral("Porte"), &window);
    layout->addWidget(label);
    window.setFixedWidth(90);
    label->SetFullText(LongText);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_LE(label->width(), 90);
    EXPECT_NE(label->text(), LongText);
    EXPECT_EQ(label->toolTip(), LongText);

    // Set again while shown, a text that fits is shown whole at once.
    label->SetFullText(QStringLiteral("Porte"));
    EXPECT_EQ(label->text(), QStringLiteral("Porte"));
    EXPECT_TRUE(label->toolTip().isEmpty());
}

TEST(ElidedLabel, MeasuresAgainInANewFontAndForANewText) {
    test::App();
    QWidget window;
    auto* label = new ElidedLabel(LongText, &window);
    const int whole = label->sizeHint().width();
    label->setGeometry(0, 0, whole, 20);
    window.resize(whole * 3, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(label->text(), LongText);

    // The same room no longer holds the text in a larger font.
    QFont large = label->font();
    large.setPixelSize(label->fontMetrics().height() * 2);
    label->setFont(large);
    label->resize(whole + 1, 20);
    EXPECT_NE(label->text(), LongText);
    EXPECT_GT(label->sizeHint().width(), whole * 3 / 2);

    // Nor, in the first font, a longer text.
    label->setFont(QFont());
    label->resize(whole, 20);
    EXPECT_EQ(label->text(), LongText);
    label->SetFullText(LongText + LongText);
    EXPECT_NE(label->text(), LongText + LongText);
    EXPECT_GT(label->sizeHint().width(), whole * 3 / 2);
}

} // namespace
