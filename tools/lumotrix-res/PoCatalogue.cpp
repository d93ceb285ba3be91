#include "PoCatalogue.h"

#include "runtime/AtomicFile.h"
#include "runtime/Exception.h"
#include "runtime/ScopeExit.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gettext-po.h>
#include <memory>

namespace lumotrix {

namespace {

// gettext's handler has no room for a context pointer: the problems of the one read or write
// in progress are gathered here.
struct TProblem {
    int Severity;
    QString Text;
    bool Located; // Text starts with the file name
};
QList<TProblem>* Problems = nullptr;

TProblem Problem(int severity, const char* fileName, size_t line, size_t column, const char* text) {
    QString where;
    if (fileName) {
        where = QString::fromLocal8Bit(fileName);
        if (line != size_t(-1)) {
            where += u':' + QString::number(line);
            if (column != size_t(-1))
                where += u':' + QString::number(column);
        }
        where += QLatin1String(": ");
    }
    const QString kind = severity == PO_SEVERITY_WARNING ? QStringLiteral("warning: ") : QString();
    const QString message = QString::fromUtf8(text).simplified();
    return {severity, where + kind + message, fileName != nullptr};
}

[[noreturn]] void EndWithProblems() {
    std::fflush(stdout);
    for (const TProblem& p : *Problems)
        std::fprintf(stderr, "lumotrix-res: %s\n", p.Text.toUtf8().constData());
    std::fflush(stderr);
    // Neither returning nor unwinding through the library is allowed here; no output file has
    // been written yet, so ending at once loses nothing.
    std::_Exit(1);
}

void OnError(int severity, po_message_t, const char* fileName, size_t line, size_t column, int,
             const char* text) {
    Problems->append(Problem(severity, fileName, line, column, text));
    if (severity == PO_SEVERITY_FATAL_ERROR)
        EndWithProblems();
}

void OnError2(int severity, po_message_t, const char* fileName1, size_t line1, size_t column1, int,
              const char* text1, po_message_t, const char* fileName2, size_t line2, size_t column2,
              int, const char* text2) {
    Problems->append(Problem(severity, fileName1, line1, column1, text1));
    Problems->append(Problem(severity, fileName2, line2, column2, text2));
    if (severity == PO_SEVERITY_FATAL_ERROR)
        EndWithProblems();
}

const po_xerror_handler Handler = {OnError, OnError2};

// Collects the problems of one library call; warnings are printed, errors thrown.
class TProblemScope {
public:
    TProblemScope() { Problems = &FProblems; }
    ~TProblemScope() { Problems = nullptr; }
    TProblemScope(const TProblemScope&) = delete;
    TProblemScope& operator=(const TProblemScope&) = delete;

    // The errors gathered so far, taken away.
    QStringList TakeErrors() {
        QStringList errors;
        for (const TProblem& p : FProblems)
            if (p.Severity != PO_SEVERITY_WARNING)
                errors.append(p.Text);
        FProblems.clear();
        return errors;
    }

    // `what` leads each problem that does not name its file itself. A file that is no catalogue
    // at all gives an error per line: the first few say enough.
    template <typename E> void ThrowOnErrors(const QString& what) {
        constexpr qsizetype Shown = 5;
        QStringList errors;
        for (const TProblem& p : FProblems) {
            const QString text = p.Located ? p.Text : what + QLatin1String(": ") + p.Text;
            if (p.Severity == PO_SEVERITY_WARNING)
                std::fprintf(stderr, "lumotrix-res: %s\n", text.toUtf8().constData());
            else
                errors.append(text);
        }
        FProblems.clear();
        if (errors.isEmpty())
            return;
        QString message = errors.mid(0, Shown).join(QLatin1String("; "));
        if (errors.size() > Shown)
            message += QStringLiteral(" (and %1 more errors)").arg(errors.size() - Shown);
        throw E(message);
    }

private:
    QList<TProblem> FProblems;
};

struct TPoFileFree {
    void operator()(po_file* file) const { po_file_free(file); }
};
using TPoFile = std::unique_ptr<po_file, TPoFileFree>;

QString HeaderCharset(po_file_t file, const char* domain) {
    const char* header = po_file_domain_header(file, domain);
    if (!header)
        return {};
    char* contentType = po_header_field(header, "Content-Type");
    if (!contentType)
        return {};
    const QString value = QString::fromLatin1(contentType);
    std::free(contentType);
    const qsizetype at = value.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : value.mid(at + 8).section(u';', 0, 0).trimmed();
}

// msgctxt, msgid and msgstr decoded from the catalogue's charset.
class TDecoder {
public:
    explicit TDecoder(const QString& charset, const QString& path) {
        if (charset.isEmpty() ||
            charset.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
            charset.compare(QLatin1String("CHARSET"), Qt::CaseInsensitive) == 0 ||
            charset.compare(QLatin1String("ASCII"), Qt::CaseInsensitive) == 0)
            return;
        FDecoder = QStringDecoder(charset.toLatin1().constData());
        if (!FDecoder.isValid())
            throw EReadError(
                QStringLiteral("%1: unknown charset %2 in the header").arg(path, charset));
        FConvert = true;
    }

    QString operator()(const char* text) {
        if (!text)
            return {};
        if (!FConvert)
            return QString::fromUtf8(text);
        return FDecoder.decode(QByteArray(text));
    }

private:
    QStringDecoder FDecoder;
    bool FConvert = false;
};

} // namespace

// The leak check of sanitizer builds: libgettextpo keeps some strings of the messages it was
// given after po_file_free has released the file; that memory is the library's, not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libgettextpo\n";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}

QList<TCatalogueEntry> ReadCatalogue(const QString& path) {
    {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly))
            throw EResNotFound(QStringLiteral("Cannot open %1: %2").arg(path, probe.errorString()));
    }
    TProblemScope scope;
    const TPoFile file(po_file_read(QFile::encodeName(path).constData(), &Handler));
    scope.ThrowOnErrors<EReadError>(path);
    if (!file)
        throw EReadError(QStringLiteral("%1: not a PO file").arg(path));

    QList<TCatalogueEntry> entries;
    for (const char* const* domain = po_file_domains(file.get()); *domain; ++domain) {
        TDecoder decode(HeaderCharset(file.get(), *domain), path);
        po_message_iterator_t iterator = po_message_iterator(file.get(), *domain);
        const TScopeExit freeIterator([&] { po_message_iterator_free(iterator); });
        while (po_message_t message = po_next_message(iterator)) {
            const char* context = po_message_msgctxt(message);
            const char* id = po_message_msgid(message);
            if (po_message_is_obsolete(message) || (!context && *id == '\0'))
                continue;
            TCatalogueEntry e;
            e.Context = decode(context);
            e.Id = decode(id);
            e.Translation = decode(po_message_msgstr(message));
            e.Comment = decode(po_message_extracted_comments(message)).trimmed();
            e.Fuzzy = po_message_is_fuzzy(message);
            e.CFormat = po_message_is_format(message, "c-format");
            e.Plural = po_message_msgid_plural(message) != nullptr;
            if (e.CFormat && !e.Fuzzy && !e.Translation.isEmpty()) {
                po_message_check_format(message, &Handler);
                e.FormatProblem = scope.TakeErrors().join(QLatin1String("; "));
            }
            entries.append(std::move(e));
        }
    }
    return entries;
}

void WriteCatalogueTemplate(const QString& path, const QList<TCatalogueEntry>& entries) {
    TProblemScope scope;
    const TPoFile file(po_file_create());
    po_message_iterator_t iterator = po_message_iterator(file.get(), nullptr);
    const TScopeExit freeIterator([&] { po_message_iterator_free(iterator); });

    po_message_t header = po_message_create();
    po_message_set_msgid(header, "");
    po_message_set_msgstr(header, "Project-Id-Version: Lumotrix\n"
                                  "Report-Msgid-Bugs-To: \n"
                                  "PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\n"
                                  "Last-Translator: FULL NAME <EMAIL@ADDRESS>\n"
                                  "Language-Team: LANGUAGE <LL@li.org>\n"
                                  "Language: \n"
                                  "MIME-Version: 1.0\n"
                                  "Content-Type: text/plain; charset=UTF-8\n"
                                  "Content-Transfer-Encoding: 8bit\n");
    po_message_set_fuzzy(header, 1);
    po_message_insert(iterator, header);

    for (const TCatalogueEntry& e : entries) {
        po_message_t message = po_message_create();
        if (!e.Context.isNull())
            po_message_set_msgctxt(message, e.Context.toUtf8().constData());
        po_message_set_msgid(message, e.Id.toUtf8().constData());
        po_message_set_msgstr(message, "");
        if (!e.Comment.isEmpty())
            po_message_set_extracted_comments(message, (e.Comment + u'\n').toUtf8().constData());
        if (e.CFormat)
            po_message_set_format(message, "c-format", 1);
        po_message_insert(iterator, message);
    }

    // gettext writes in place; through a file of our own and a rename, a failure leaves the
    // previous template untouched.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(path, scratch.errorString()));
    const QString draft = scratch.filePath(QStringLiteral("draft.pot"));
    po_file_write(file.get(), QFile::encodeName(draft).constData(), &Handler);
    scope.ThrowOnErrors<EWriteError>(QStringLiteral("Cannot write %1").arg(path));
    QFile written(draft);
    if (!written.open(QIODevice::ReadOnly))
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(path, written.errorString()));
    QString error;
    if (!WriteFileAtomically(path, written.readAll(), error))
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(path, error));
}

} // namespace lumotrix
