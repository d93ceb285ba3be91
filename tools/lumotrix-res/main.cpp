// lumotrix-res: the resource tool of the build and of translators.
#include "CatalogueFiles.h"
#include "Languages.h"
#include "runtime/AtomicFile.h"
#include "runtime/Exception.h"
#include "runtime/FormStream.h"
#include "runtime/ResourceFile.h"
#include "runtime/ResourceScript.h"
#include "runtime/TextForm.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <exception>

using namespace lumotrix;

namespace {

const char* const Usage =
    "usage: lumotrix-res COMMAND ARGS\n"
    "  form2bin IN.form OUT.bin    compile a text form description to a binary form stream\n"
    "  form2text IN.bin OUT.form   write a binary form stream as text\n"
    "  build SCRIPT.rc OUT.res     compile a resource script to a resource file\n"
    "  list FILE.res               one line per resource: type, name, language, size\n"
    "  strings FILE.res            one line per string: id<TAB>text (\\n \\r \\t \\\\ "
    "escaped)\n"
    "  forms FILE.res              every form resource as text, after a header line\n"
    "  extract IN.res OUT.pot      a gettext template of every translatable text\n"
    "  translate IN.res LANG.po OUT\n"
    "                              the resources with the catalogue's translations; OUT is a\n"
    "                              file, or a folder that gets lumotrix.CODE (de.po -> DE)\n"
    "  languages                   one line per supported locale: id, codes, names, code page\n";

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EResNotFound(QStringLiteral("Cannot open %1: %2").arg(path, f.errorString()));
    return f.readAll();
}

// Through a temporary file and a rename: a failure leaves no half-written output.
void WriteFile(const QString& path, const QByteArray& bytes) {
    QString error;
    if (!WriteFileAtomically(path, bytes, error))
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(path, error));
}

void Print(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), stdout);
}

QString TypeName(const TResourceId& type) {
    if (type.IsOrdinal()) {
        if (type.Ordinal() == RT_RCDATA)
            return QStringLiteral("RCDATA");
        if (type.Ordinal() == RT_STRING)
            return QStringLiteral("STRING");
        return u'#' + QString::number(type.Ordinal());
    }
    return type.Name();
}

QString IdName(const TResourceId& id) {
    return id.IsOrdinal() ? u'#' + QString::number(id.Ordinal()) : id.Name();
}

// Keeps one string on one line.
QString Escaped(const QString& text) {
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

int Run(const QStringList& args) {
    if (args.isEmpty())
        return 2;
    const QString& command = args[0];
    const qsizetype count = args.size() - 1;
    if (command == QLatin1String("form2bin") && count == 2) {
        WriteFile(args[2], FormTextToBinary(ReadFile(args[1])));
    } else if (command == QLatin1String("form2text") && count == 2) {
        WriteFile(args[2], FormBinaryToText(ReadFile(args[1])).toUtf8());
    } else if (command == QLatin1String("build") && count == 2) {
        CompileResourceScriptFile(args[1]).SaveToFile(args[2]);
    } else if (command == QLatin1String("list") && count == 1) {
        const TResourceFile file = TResourceFile::LoadFromFile(args[1]);
        for (const TResourceEntry& e : file.Entries())
            Print(QStringLiteral("%1\t%2\t%3\t%4\n")
                      .arg(TypeName(e.Type), IdName(e.Name), LanguageIdText(e.LanguageId))
                      .arg(e.Data.size()));
    } else if (command == QLatin1String("strings") && count == 1) {
        const QMap<quint16, QString> strings = TResourceFile::LoadFromFile(args[1]).Strings();
        for (auto it = strings.begin(); it != strings.end(); ++it)
            Print(QStringLiteral("%1\t%2\n").arg(it.key()).arg(Escaped(it.value())));
    } else if (command == QLatin1String("forms") && count == 1) {
        const TResourceFile file = TResourceFile::LoadFromFile(args[1]);
        for (const TResourceEntry& e : file.Entries()) {
            if (!e.Type.Matches(RT_RCDATA) || !e.Data.startsWith(FormSignature))
                continue;
            Print(QStringLiteral("=== %1 (language %2) ===\n")
                      .arg(IdName(e.Name), LanguageIdText(e.LanguageId)));
            try {
                Print(FormBinaryToText(e.Data));
            } catch (const Exception& error) {
                throw EReadError(
                    QStringLiteral("Form %1: %2").arg(IdName(e.Name), error.Message()));
            }
        }
    } else if (command == QLatin1String("extract") && count == 2) {
        ExtractTemplateFile(args[1], args[2]);
    } else if (command == QLatin1String("translate") && count == 3) {
        for (const QString& line : TranslateFile(args[1], args[2], args[3]))
            std::fprintf(stderr, "lumotrix-res: %s: %s\n", args[2].toUtf8().constData(),
                         line.toUtf8().constData());
    } else if (command == QLatin1String("languages") && count == 0) {
        for (const TLocaleRow& row : SupportedLocaleRows())
            Print(LanguageLine(row) + u'\n');
    } else {
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    try {
        const int result = Run(args);
        if (result == 2)
            std::fputs(Usage, stderr);
        std::fflush(stdout);
        return result;
    } catch (const Exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "lumotrix-res: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "lumotrix-res: %s\n", e.what());
        return 1;
    }
}
