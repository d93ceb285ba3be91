#include "widgets/ToolkitTranslations.h"
#include "support/TestApplication.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// What a question box's buttons read: the texts the toolkit itself puts on them.
QStringList QuestionButtons() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return {box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
            box.button(QMessageBox::Cancel)->text()};
}

struct ToolkitTranslations : testing::Test {
    void SetUp() override { test::App(); }
    void TearDown() override { LoadToolkitTranslations(QString()); }
};

} // namespace

TEST_F(ToolkitTranslations, QuestionButtonsFollowTheInterfaceLanguage) {
    const QStringList english = QuestionButtons();
    ASSERT_TRUE(LoadToolkitTranslations(QStringLiteral("it")));
    EXPECT_EQ(QuestionButtons(), (QStringList{QStringLiteral("&Sì"), QStringLiteral("&No"),
                                              QStringLiteral("Annulla")}));

    // A second language replaces the first instead of being stacked under it.
    ASSERT_TRUE(LoadToolkitTranslations(QStringLiteral("de_DE")));
    EXPECT_EQ(QuestionButtons().constFirst(), QStringLiteral("&Ja"));

    // Back to the built-in texts: no language, or one the toolkit has no catalogue for.
    EXPECT_FALSE(LoadToolkitTranslations(QString()));
    EXPECT_EQ(QuestionButtons(), english);
    ASSERT_TRUE(LoadToolkitTranslations(QStringLiteral("it")));
    EXPECT_FALSE(LoadToolkitTranslations(QStringLiteral("xx")));
    EXPECT_EQ(QuestionButtons(), english);
}
