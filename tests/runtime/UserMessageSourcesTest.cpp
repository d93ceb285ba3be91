// Messages a window user can see come from the string table, so that translations reach them.
// This check reads the sources of the layers the window is made of and refuses a text literal
// handed to an exception, a message box, an error callback or a caption set at run time.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Texts given as they stand, outside the string table: the caption of the serial-settings
// notices.
const QStringList GivenTexts = {QStringLiteral("Horavel")};

// Where a literal would reach the user.
const QRegularExpression Sink(QStringLiteral(
    R"(\bthrow\s+\w+\s*\(|\b(Exception|E[A-Z]\w*(Error|Exception|Cast|NotFound))\s*\()"
    R"(|MessageBoxes\(\)\s*\.\s*(Ask|Show)\s*\()"
    R"(|\b(ShowError|ShowMessage|ShowException|OnError|SetCaption|SetStatusText|showMessage)\s*\()"));

// The index past the quoted literal that starts at `at` (a '"' or '\'').
qsizetype PastQuoted(const QString& text, qsizetype at) {
    const QChar quote = text[at];
    qsizetype i = at + 1;
    while (i < text.size() && text[i] != quote)
        i += text[i] == QLatin1Char('\\') ? 2 : 1;
    return i + 1;
}

// The source without its comments; literals kept as they are.
QString WithoutComments(const QString& source) {
    QString out;
    for (qsizetype i = 0; i < source.size();) {
        if (source.mid(i, 2) == QLatin1String("//")) {
            const qsizetype end = source.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? source.size() : end;
        } else if (source.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = source.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? source.size() : end + 2;
        } else if (source[i] == QLatin1Char('"') || source[i] == QLatin1Char('\'')) {
            const qsizetype end = PastQuoted(source, i);
            out += source.mid(i, end - i);
            i = end;
        } else {
            out += source[i++];
        }
    }
    return out;
}

// The literals with a letter in them among the arguments of each call to a sink, except
// those given as a developer's text.
QStringList UserVisibleLiterals(const QString& source) {
    const QString code = WithoutComments(source);
    QMap<qsizetype, QString> found; // by position: a call nested in another is seen twice
    for (auto m = Sink.globalMatch(code); m.hasNext();) {
        const QRegularExpressionMatch call = m.next();
        qsizetype i = call.capturedEnd() - 1; // the opening parenthesis
        int depth = 0;
        QMap<qsizetype, QString> literals;
        for (; i < code.size(); ++i) {
            const QChar c = code[i];
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                const qsizetype end = PastQuoted(code, i);
                if (c == QLatin1Char('"'))
                    literals.insert(i, code.mid(i + 1, end - i - 2));
                i = end - 1;
            } else if (c == QLatin1Char('(')) {
                ++depth;
            } else if (c == QLatin1Char(')') && --depth == 0) {
                break;
            }
        }
        const QString arguments = code.mid(call.capturedEnd(), i - call.capturedEnd());
        if (arguments.contains(QLatin1String("DeveloperText(")))
            continue;
        for (auto it = literals.cbegin(); it != literals.cend(); ++it) {
            static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
            if (it->contains(letter) && !GivenTexts.contains(*it))
                found.insert(it.key(), *it);
        }
    }
    return found.values();
}

} // namespace

TEST(UserMessages, TheCheckFindsALiteralInEachKindOfPlaceAMessageGoes) {
    EXPECT_EQ(
        UserVisibleLiterals(
            R"(throw EWriteError(QStringLiteral("Cannot write %1").arg(QLatin1String("x")));)"),
        (QStringList{QStringLiteral("Cannot write %1"), QStringLiteral("x")}));
    EXPECT_EQ(UserVisibleLiterals(R"(ShowException(Exception(QStringLiteral("Out of memory")));)"),
              QStringList{QStringLiteral("Out of memory")});
    EXPECT_EQ(UserVisibleLiterals(
                  R"(MessageBoxes().Show(QStringLiteral("Fatto"), QStringLiteral("Horavel"), i);)"),
              QStringList{QStringLiteral("Fatto")});
    EXPECT_EQ(UserVisibleLiterals(R"(status->SetCaption(editing ? u"Edit" : QString());)"),
              QStringList{QStringLiteral("Edit")});
    // Not messages: a message id with its arguments, a developer's text, punctuation, comments.
    EXPECT_TRUE(UserVisibleLiterals(R"(
        throw EReadError(TMessage(msgNoTimerFile, {name.join(QStringLiteral(", "))}));
        throw ERangeError(DeveloperText(QStringLiteral("No column %1").arg(i)));
        // throw EReadError(QStringLiteral("commented out"));
        const QString s = QStringLiteral("not a message");
    )")
                    .isEmpty());
}

TEST(UserMessages, TheWindowsLayersHandNoLiteralTextToTheUser) {
    const QDir source(qEnvironmentVariable("LUMOTRIX_TEST_DATA") + QStringLiteral("/../../src"));
    int files = 0;
    for (const char* layer : {"app", "widgets", "model", "link"}) {
        QDirIterator it(source.filePath(QString::fromLatin1(layer)),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            ++files;
            for (const QString& literal : UserVisibleLiterals(QString::fromUtf8(file.readAll())))
                ADD_FAILURE() << file.fileName().toStdString() << ": \"" << literal.toStdString()
                              << "\" is no string-table message";
        }
    }
    EXPECT_GT(files, 50);
}
