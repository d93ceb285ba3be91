#include "runtime/ResourceScript.h"

#include "runtime/CappedRead.h"
#include "runtime/CodePage.h"
#include "runtime/Exception.h"
#include "runtime/TextForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <map>
#include <optional>
#include <set>

namespace lumotrix {
namespace {

// Far above any form or blob a program embeds.
constexpr qint64 MaxRcDataSize = 16 * 1024 * 1024;

struct TScriptToken {
    enum TKind { End, Word, Number, String, Symbol };
    TKind Kind = End;
    int Line = 0;
    QString Text; // word (as written), string value, symbol
    quint32 Value = 0;

    bool IsWord(const char* word) const {
        return Kind == Word && Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool Is(char symbol) const { return Kind == Symbol && Text == QLatin1Char(symbol); }
    bool IsBegin() const { return IsWord("BEGIN") || Is('{'); }
    bool IsEnd() const { return IsWord("END") || Is('}'); }
};

struct TOptions {
    quint16 MemoryFlags = 0;
    quint16 LanguageId = 0;
    quint32 Version = 0;
    quint32 Characteristics = 0;
};

class TScriptCompiler {
public:
    TScriptCompiler(const QByteArray& script, const QString& path) : S(script), Path(path) {
        if (S.startsWith("\xEF\xBB\xBF")) {
            P = 3;
            Utf8 = true;
        }
    }

    TResourceFile Run() {
        for (;;) {
            const TScriptToken t = Next();
            if (t.Kind == TScriptToken::End)
                break;
            if (t.IsWord("STRINGTABLE"))
                StringTable();
            else if (t.IsWord("LANGUAGE"))
                Language = LanguageValue();
            else
                Resource(t);
        }
        // String blocks go last, in block order, one language after the other.
        for (const auto& [key, block] : Blocks) {
            TResourceEntry e;
            e.Type = RT_STRING;
            e.Name = key.second;
            e.LanguageId = key.first;
            e.MemoryFlags = block.Options.MemoryFlags;
            e.Version = block.Options.Version;
            e.Characteristics = block.Options.Characteristics;
            e.Data = EncodeStringBlock(block.Strings);
            File.Add(std::move(e));
        }
        return std::move(File);
    }

private:
    struct TBlock {
        QList<QString> Strings = QList<QString>(16);
        TOptions Options;
    };

    [[noreturn]] void Fail(const QString& what, int line) const {
        const QString where =
            Path.isEmpty()
                ? QStringLiteral("Line %1").arg(line)
                : QStringLiteral("%1, line %2").arg(QFileInfo(Path).fileName()).arg(line);
        throw EParserError(where + QLatin1String(": ") + what);
    }

    bool AtEnd() const { return P >= S.size(); }
    char At(qsizetype i) const { return i < S.size() ? S[i] : '\0'; }
    static bool IsWordStart(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static bool IsHex(char c) {
        return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    static int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

    QString Decode(const QByteArray& bytes, int line) const {
        if (!Utf8)
            return FromAnsi(bytes);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder(bytes);
        if (decoder.hasError())
            Fail(QStringLiteral("Invalid UTF-8 in a string"), line);
        return text;
    }

    // Skips white space, comments and preprocessor lines.
    void SkipSpace() {
        bool lineStart = P == 0 || At(P - 1) == '\n';
        while (!AtEnd()) {
            const char c = S[P];
            if (c == '\n') {
                ++Line;
                ++P;
                lineStart = true;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++P;
            } else if (c == '/' && At(P + 1) == '/') {
                while (!AtEnd() && S[P] != '\n')
                    ++P;
            } else if (c == '/' && At(P + 1) == '*') {
                const int startLine = Line;
                P += 2;
                while (!(At(P) == '*' && At(P + 1) == '/')) {
                    if (AtEnd())
                        Fail(QStringLiteral("Unterminated comment"), startLine);
                    if (S[P] == '\n')
                        ++Line;
                    ++P;
                }
                P += 2;
            } else if (c == '#' && lineStart) {
                Directive();
            } else {
                return;
            }
        }
    }

    void Directive() {
        const qsizetype start = P;
        while (!AtEnd() && S[P] != '\n')
            ++P;
        const QString line = QString::fromLatin1(S.mid(start, P - start)).simplified();
        QString compact = line;
        compact.remove(u' ');
        if (compact.startsWith(QLatin1String("#pragmacode_page("), Qt::CaseInsensitive) &&
            compact.endsWith(u')')) {
            const QString page = compact.mid(17, compact.size() - 18);
            if (page == QLatin1String("65001"))
                Utf8 = true;
            else if (page == QLatin1String("1252") ||
                     page.compare(QLatin1String("DEFAULT"), Qt::CaseInsensitive) == 0)
                Utf8 = false;
            else
                Fail(QStringLiteral("Unsupported code page %1").arg(page), Line);
            return;
        }
        Fail(QStringLiteral("Unsupported directive '%1'").arg(line.section(u' ', 0, 0)), Line);
    }

    const TScriptToken& Peek() {
        if (!HasPeeked) {
            Peeked = Lex();
            HasPeeked = true;
        }
        return Peeked;
    }

    TScriptToken Next() {
        Peek();
        HasPeeked = false;
        return Peeked;
    }

    TScriptToken Lex() {
        SkipSpace();
        TScriptToken t;
        t.Line = Line;
        if (AtEnd())
            return t;
        const char c = S[P];
        if (c == '"' || ((c == 'L' || c == 'l') && At(P + 1) == '"')) {
            const bool wide = c != '"';
            P += wide ? 2 : 1;
            t.Kind = TScriptToken::String;
            t.Text = StringBody(wide, t.Line);
            // Adjacent literals join.
            for (;;) {
                const qsizetype save = P;
                const int saveLine = Line;
                SkipSpace();
                if (At(P) == '"') {
                    ++P;
                    t.Text += StringBody(false, t.Line);
                } else if ((At(P) == 'L' || At(P) == 'l') && At(P + 1) == '"') {
                    P += 2;
                    t.Text += StringBody(true, t.Line);
                } else {
                    P = save;
                    Line = saveLine;
                    break;
                }
            }
            return t;
        }
        if (IsDigit(c))
            return NumberToken(t);
        if (IsWordStart(c)) {
            const qsizetype start = P;
            while (!AtEnd() && (IsWordStart(S[P]) || IsDigit(S[P]) || S[P] == '.'))
                ++P;
            t.Kind = TScriptToken::Word;
            t.Text = QString::fromLatin1(S.mid(start, P - start));
            return t;
        }
        if (c == ',' || c == '{' || c == '}') {
            ++P;
            t.Kind = TScriptToken::Symbol;
            t.Text = QLatin1Char(c);
            return t;
        }
        Fail(QStringLiteral("Unexpected character '%1'").arg(Decode(QByteArray(1, c), Line)), Line);
    }

    TScriptToken NumberToken(TScriptToken& t) {
        quint64 value = 0;
        const bool hex = S[P] == '0' && (At(P + 1) == 'x' || At(P + 1) == 'X');
        if (hex) {
            P += 2;
            if (!IsHex(At(P)))
                Fail(QStringLiteral("Hex digits expected"), Line);
            while (IsHex(At(P))) {
                value = value * 16 + HexValue(S[P++]);
                if (value > 0xFFFFFFFFu)
                    Fail(QStringLiteral("Number out of range"), Line);
            }
        } else {
            while (IsDigit(At(P))) {
                value = value * 10 + (S[P++] - '0');
                if (value > 0xFFFFFFFFu)
                    Fail(QStringLiteral("Number out of range"), Line);
            }
        }
        while (At(P) == 'L' || At(P) == 'l' || At(P) == 'U' || At(P) == 'u')
            ++P;
        if (IsWordStart(At(P)) || IsDigit(At(P)))
            Fail(QStringLiteral("Invalid number"), Line);
        t.Kind = TScriptToken::Number;
        t.Value = quint32(value);
        t.Text = QString::number(value);
        return t;
    }

    // The text after the opening quote, up to the closing one. Escapes in a narrow string
    // give bytes of the code page; in a wide string, code units.
    QString StringBody(bool wide, int line) {
        QString text;
        QByteArray pending;
        auto flush = [&] {
            text += Decode(pending, line);
            pending.clear();
        };
        auto unit = [&](quint32 value) {
            if (wide) {
                flush();
                text += QChar(char16_t(value));
            } else {
                if (value > 0xFF)
                    Fail(QStringLiteral("Escape value out of range"), line);
                pending.append(char(value));
            }
        };
        for (;;) {
            if (AtEnd() || S[P] == '\n')
                Fail(QStringLiteral("Unterminated string"), line);
            const char c = S[P++];
            if (c == '"') {
                if (At(P) == '"') {
                    ++P;
                    pending.append('"');
                    continue;
                }
                break;
            }
            if (c != '\\') {
                pending.append(c);
                continue;
            }
            const char e = At(P);
            ++P;
            switch (e) {
            case 'n':
                pending.append('\n');
                break;
            case 't':
                pending.append('\t');
                break;
            case 'r':
                pending.append('\r');
                break;
            case 'a':
                pending.append('\a');
                break;
            case '\\':
                pending.append('\\');
                break;
            case '"':
                pending.append('"');
                break;
            case 'x':
            case 'X': {
                quint32 value = 0;
                int digits = 0;
                while (digits < (wide ? 4 : 2) && IsHex(At(P))) {
                    value = value * 16 + HexValue(S[P++]);
                    ++digits;
                }
                if (digits == 0)
                    Fail(QStringLiteral("Hex digits expected after \\x"), line);
                unit(value);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    quint32 value = quint32(e - '0');
                    for (int digits = 1; digits < 3 && At(P) >= '0' && At(P) <= '7'; ++digits)
                        value = value * 8 + (S[P++] - '0');
                    unit(value);
                } else {
                    // Unknown escapes stay as written, backslash included.
                    --P;
                    pending.append('\\');
                }
            }
        }
        flush();
        return text;
    }

    // The language names resource scripts commonly use, for the languages of this program's
    // translations; other languages are given by number.
    static std::optional<quint32> NamedValue(const QString& word) {
        static const std::pair<const char*, quint32> names[] = {
            {"LANG_NEUTRAL", 0x00},        {"LANG_ENGLISH", 0x09},
            {"LANG_GERMAN", 0x07},         {"LANG_FRENCH", 0x0C},
            {"LANG_ITALIAN", 0x10},        {"LANG_SPANISH", 0x0A},
            {"LANG_DUTCH", 0x13},          {"LANG_PORTUGUESE", 0x16},
            {"SUBLANG_NEUTRAL", 0x00},     {"SUBLANG_DEFAULT", 0x01},
            {"SUBLANG_SYS_DEFAULT", 0x02}, {"SUBLANG_ENGLISH_US", 0x01},
            {"SUBLANG_ENGLISH_UK", 0x02},  {"SUBLANG_GERMAN", 0x01},
            {"SUBLANG_FRENCH", 0x01},      {"SUBLANG_ITALIAN", 0x01},
            {"SUBLANG_SPANISH", 0x01},     {"SUBLANG_DUTCH", 0x01},
            {"SUBLANG_PORTUGUESE", 0x02},  {"SUBLANG_PORTUGUESE_BRAZILIAN", 0x01}};
        for (const auto& [name, value] : names)
            if (word == QLatin1String(name))
                return value;
        return std::nullopt;
    }

    quint32 NumberValue(const char* what, quint32 max) {
        TScriptToken t = Next();
        if (t.Kind == TScriptToken::Word) {
            if (const std::optional<quint32> value = NamedValue(t.Text)) {
                t.Kind = TScriptToken::Number;
                t.Value = *value;
            }
        }
        if (t.Kind != TScriptToken::Number)
            Fail(QStringLiteral("%1 expected").arg(QLatin1String(what)), t.Line);
        if (t.Value > max)
            Fail(QStringLiteral("%1 %2 out of range").arg(QLatin1String(what)).arg(t.Value),
                 t.Line);
        return t.Value;
    }

    quint16 LanguageValue() {
        const quint32 primary = NumberValue("Language", 0x3FF);
        const TScriptToken comma = Next();
        if (!comma.Is(','))
            Fail(QStringLiteral("',' expected"), comma.Line);
        const quint32 sub = NumberValue("Sublanguage", 0x3F);
        return quint16((sub << 10) | primary);
    }

    TOptions Options(quint16 flags) {
        TOptions o;
        o.MemoryFlags = flags;
        o.LanguageId = Language;
        for (;;) {
            const TScriptToken& t = Peek();
            if (t.IsWord("PRELOAD"))
                o.MemoryFlags |= ResPreload;
            else if (t.IsWord("LOADONCALL"))
                o.MemoryFlags &= ~ResPreload;
            else if (t.IsWord("MOVEABLE"))
                o.MemoryFlags |= ResMoveable;
            else if (t.IsWord("FIXED"))
                o.MemoryFlags &= ~(ResMoveable | ResDiscardable);
            else if (t.IsWord("PURE"))
                o.MemoryFlags |= ResPure;
            else if (t.IsWord("IMPURE"))
                o.MemoryFlags &= ~ResPure;
            else if (t.IsWord("DISCARDABLE"))
                o.MemoryFlags |= ResDiscardable | ResMoveable | ResPure;
            else if (t.IsWord("LANGUAGE")) {
                Next();
                o.LanguageId = LanguageValue();
                continue;
            } else if (t.IsWord("VERSION")) {
                Next();
                o.Version = NumberValue("Version", 0xFFFFFFFFu);
                continue;
            } else if (t.IsWord("CHARACTERISTICS")) {
                Next();
                o.Characteristics = NumberValue("Characteristics", 0xFFFFFFFFu);
                continue;
            } else
                return o;
            Next();
        }
    }

    void StringTable() {
        const TOptions options = Options(ResMoveable | ResPure | ResDiscardable);
        const TScriptToken begin = Next();
        if (!begin.IsBegin())
            Fail(QStringLiteral("BEGIN expected"), begin.Line);
        for (;;) {
            const TScriptToken t = Next();
            if (t.IsEnd())
                return;
            if (t.Kind == TScriptToken::End)
                Fail(QStringLiteral("END expected"), t.Line);
            if (t.Kind != TScriptToken::Number)
                Fail(QStringLiteral("String id expected"), t.Line);
            if (t.Value > 0xFFFF)
                Fail(QStringLiteral("String id %1 out of range").arg(t.Value), t.Line);
            if (Peek().Is(','))
                Next();
            const TScriptToken text = Next();
            if (text.Kind != TScriptToken::String)
                Fail(QStringLiteral("String expected"), text.Line);
            if (text.Text.size() > 0xFFFF)
                Fail(QStringLiteral("String too long"), text.Line);
            const quint16 id = quint16(t.Value);
            const std::pair<quint16, quint16> key(options.LanguageId, quint16(id / 16 + 1));
            auto found = Blocks.find(key);
            if (found == Blocks.end()) {
                found = Blocks.emplace(key, TBlock()).first;
                found->second.Options = options;
            }
            if (!Defined.insert(std::make_pair(options.LanguageId, id)).second)
                Fail(QStringLiteral("Duplicate string id %1").arg(id), t.Line);
            found->second.Strings[id % 16] = text.Text;
        }
    }

    void Resource(const TScriptToken& nameToken) {
        TResourceId name;
        if (nameToken.Kind == TScriptToken::Number) {
            if (nameToken.Value > 0xFFFF)
                Fail(QStringLiteral("Resource ordinal out of range"), nameToken.Line);
            name = TResourceId(quint16(nameToken.Value));
        } else if (nameToken.Kind == TScriptToken::Word || nameToken.Kind == TScriptToken::String) {
            if (nameToken.Text.isEmpty())
                Fail(QStringLiteral("Empty resource name"), nameToken.Line);
            name = TResourceId(nameToken.Text.toUpper());
        } else {
            Fail(QStringLiteral("Resource name or STRINGTABLE expected"), nameToken.Line);
        }
        const TScriptToken type = Next();
        if (!type.IsWord("RCDATA"))
            Fail(type.Kind == TScriptToken::Word
                     ? QStringLiteral("Unsupported resource type '%1'").arg(type.Text)
                     : QStringLiteral("Resource type expected"),
                 type.Line);
        const TOptions options = Options(ResMoveable | ResPure);
        const TScriptToken file = Next();
        if (file.Kind != TScriptToken::String)
            Fail(QStringLiteral("File name expected"), file.Line);

        TResourceEntry e;
        e.Type = RT_RCDATA;
        e.Name = name;
        e.MemoryFlags = options.MemoryFlags;
        e.LanguageId = options.LanguageId;
        e.Version = options.Version;
        e.Characteristics = options.Characteristics;
        e.Data = FileData(file.Text, file.Line);
        for (const TResourceEntry& other : File.Entries())
            if (other.Type.Matches(e.Type) && other.Name.Matches(e.Name) &&
                other.LanguageId == e.LanguageId)
                Fail(QStringLiteral("Duplicate resource %1").arg(e.Name.ToString()), file.Line);
        File.Add(std::move(e));
    }

    QByteArray FileData(const QString& fileName, int line) {
        const QString base = Path.isEmpty() ? QDir::currentPath() : QFileInfo(Path).absolutePath();
        const QString path = QDir(base).filePath(fileName);
        // A device or a pipe named here would be read until memory runs out, and opening a
        // pipe would block; resources come from ordinary files of a sane size.
        const QFileInfo info(path);
        if (info.exists() && !info.isFile())
            Fail(QStringLiteral("'%1' is not a regular file").arg(fileName), line);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            Fail(QStringLiteral("Cannot open '%1': %2").arg(fileName, f.errorString()), line);
        const std::optional<QByteArray> read = ReadAllUpTo(f, MaxRcDataSize);
        if (!read)
            Fail(QStringLiteral("'%1' is larger than %2 bytes").arg(fileName).arg(MaxRcDataSize),
                 line);
        if (f.error() != QFileDevice::NoError)
            Fail(QStringLiteral("Cannot read '%1': %2").arg(fileName, f.errorString()), line);
        const QByteArray& content = *read;
        if (!IsTextForm(content))
            return content;
        try {
            return FormTextToBinary(content);
        } catch (const Exception& e) {
            Fail(QStringLiteral("%1: %2").arg(fileName, e.Message()), line);
        }
    }

    const QByteArray& S;
    QString Path;
    qsizetype P = 0;
    int Line = 1;
    bool Utf8 = false;
    quint16 Language = 0;
    TScriptToken Peeked;
    bool HasPeeked = false;
    TResourceFile File;
    std::map<std::pair<quint16, quint16>, TBlock> Blocks;
    std::set<std::pair<quint16, quint16>> Defined;
};

} // namespace

TResourceFile CompileResourceScript(const QByteArray& script, const QString& scriptPath) {
    return TScriptCompiler(script, scriptPath).Run();
}

TResourceFile CompileResourceScriptFile(const QString& scriptPath) {
    QFile f(scriptPath);
    if (!f.open(QIODevice::ReadOnly))
        throw EResNotFound(
            QStringLiteral("Cannot open resource script %1: %2").arg(scriptPath, f.errorString()));
    return CompileResourceScript(f.readAll(), scriptPath);
}

} // namespace lumotrix
