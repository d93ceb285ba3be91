#include "model/ModelMessageIds.h"
#include "runtime/Exception.h"
#include "runtime/MessageIds.h"
#include "runtime/SystemReason.h"

#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// A table of two languages, switched as a language change switches the string table.
bool german = false;
QString TwoLanguages(quint16 id) {
    switch (id) {
    case msgTableFileUnreadable:
        return german ? QStringLiteral("Tabellendatei „%1“ nicht lesbar: %2.")
                      : QStringLiteral("Impossibile leggere il file di tabella \"%1\": %2.");
    case msgReasonMissing:
        return german ? QStringLiteral("die Datei fehlt") : QStringLiteral("il file non esiste");
    case msgFieldOutOfRange:
        return QStringLiteral("%4 > %3 > %2 > %1");
    default:
        return {};
    }
}

class MessageText : public ::testing::Test {
protected:
    void SetUp() override {
        german = false;
        SetMessageTexts(&TwoLanguages);
    }
    void TearDown() override { SetMessageTexts(nullptr); }
};

} // namespace

TEST_F(MessageText, FillsArgumentsInTheTextsOrderWithNestedReasonsInTheSameLanguage) {
    const TMessage message(msgTableFileUnreadable,
                           {QStringLiteral("/tmp/a.tmr"), TMessage(msgReasonMissing)});
    EXPECT_EQ(lumotrix::MessageText(message),
              QStringLiteral("Impossibile leggere il file di tabella \"/tmp/a.tmr\": il file non "
                             "esiste."));
    // A translation may put the arguments in another order.
    EXPECT_EQ(lumotrix::MessageText(TMessage(msgFieldOutOfRange, {1, 2, 3, 4})),
              QStringLiteral("4 > 3 > 2 > 1"));
}

TEST_F(MessageText, AnArgumentHoldingAPercentSignStaysAsItIs) {
    const TMessage message(msgTableFileUnreadable,
                           {QStringLiteral("100%2 %1.tmr"), QStringLiteral("%1")});
    EXPECT_EQ(lumotrix::MessageText(message),
              QStringLiteral("Impossibile leggere il file di tabella \"100%2 %1.tmr\": %1."));
    EXPECT_EQ(FillArguments(QStringLiteral("%1%% %3 %10"), {QStringLiteral("a")}),
              QStringLiteral("a%% %3 %10"));
}

TEST_F(MessageText, AnIdWithoutATextStillShowsItsNumberAndArguments) {
    const QString text =
        lumotrix::MessageText(TMessage(msgPortNotOpen, {QStringLiteral("/dev/ttyUSB0")}));
    EXPECT_TRUE(text.contains(QString::number(msgPortNotOpen))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("/dev/ttyUSB0"))) << text.toStdString();
}

TEST_F(MessageText, AnExceptionSpeaksTheLanguageInForceWhenItIsRead) {
    const EReadError error(
        TMessage(msgTableFileUnreadable, {QStringLiteral("a.tmr"), TMessage(msgReasonMissing)}));
    EXPECT_EQ(error.Message(),
              QStringLiteral("Impossibile leggere il file di tabella \"a.tmr\": il file non "
                             "esiste."));
    german = true;
    EXPECT_EQ(error.Message(), QStringLiteral("Tabellendatei „a.tmr“ nicht lesbar: die Datei "
                                              "fehlt."));
    // As the reason inside another failure it keeps its id.
    const EWriteError outer(TMessage(msgFieldOutOfRange, {error.Argument(), 2, 3, 4}));
    EXPECT_EQ(outer.Message(),
              QStringLiteral("4 > 3 > 2 > Tabellendatei „a.tmr“ nicht lesbar: die Datei fehlt."));
    // A developer's text is kept as written.
    const Exception plain(DeveloperText(QStringLiteral("No column 7")));
    EXPECT_FALSE(plain.Record());
    EXPECT_EQ(plain.Message(), QStringLiteral("No column 7"));
    EXPECT_EQ(plain.Argument().Text(), QStringLiteral("No column 7"));
}

TEST_F(MessageText, AFailureToWordAMessageNeverReplacesTheFailureBeingWorded) {
    // As a damaged string table in force does on every lookup.
    SetMessageTexts([](quint16) -> QString {
        throw EReadError(QStringLiteral("String table block cut short at offset 0"));
    });
    try {
        throw ERangeError(TMessage(msgFieldOutOfRange, {QStringLiteral("Ora"), 1, 2, 3}));
    } catch (const ERangeError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("Ora"))) << error.what();
        EXPECT_FALSE(error.Message().contains(QStringLiteral("String table"))) << error.what();
    } catch (const Exception& error) {
        ADD_FAILURE() << "replaced by: " << error.what();
    }
}

TEST(SystemReason, TheUsualFailuresHaveTheirOwnWordsAndTheRestTheirNumber) {
    EXPECT_EQ(SystemReason(ENOENT).Id, msgReasonMissing);
    EXPECT_EQ(SystemReason(EACCES).Id, msgReasonNoPermission);
    EXPECT_EQ(SystemReason(EPERM).Id, msgReasonNoPermission);
    EXPECT_EQ(SystemReason(EBUSY).Id, msgReasonBusy);
    EXPECT_EQ(SystemReason(ENOSPC).Id, msgReasonDiskFull);
    EXPECT_EQ(SystemReason(EROFS).Id, msgReasonReadOnly);
    EXPECT_EQ(SystemReason(EISDIR).Id, msgReasonIsFolder);
    const TMessage other = SystemReason(EXDEV);
    EXPECT_EQ(other.Id, msgReasonSystemError);
    ASSERT_EQ(other.Args.size(), 1);
    EXPECT_EQ(other.Args[0].Text(), QString::number(EXDEV));
}

TEST(SystemReason, AFileThatCannotBeReadIsToldFromWhatIsThere) {
    QTemporaryDir dir;
    EXPECT_EQ(ReadFailureReason(dir.filePath(QStringLiteral("none")), EIO).Id, msgReasonMissing);
    EXPECT_EQ(ReadFailureReason(dir.path(), EIO).Id, msgReasonIsFolder);
    EXPECT_EQ(ReadFailureReason(QStringLiteral("/dev/null"), EIO).Id, msgReasonNotRegularFile);
}
