#include "runtime/TextForm.h"

#include "runtime/CodePage.h"
#include "runtime/FormStream.h"

#include <QStringDecoder>
#include <QtEndian>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace lumotrix {
namespace {

constexpr int MaxDepth = 256;
constexpr int LineWidth = 64; // characters of string or hex digits per line

bool IsIdentStart(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_';
}

bool IsIdentChar(QChar c) {
    return IsIdentStart(c) || (c >= u'0' && c <= u'9');
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(QChar c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int HexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u <= '9')
        return u - '0';
    return (u | 0x20) - 'a' + 10;
}

bool IsKeyword(const QString& word) {
    for (const char* k : {"object", "inherited", "inline", "end", "item"})
        if (word.compare(QLatin1String(k), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool IsAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x7F)
            return false;
    return true;
}

bool IsAscii(const QByteArray& bytes) {
    for (char b : bytes)
        if (static_cast<unsigned char>(b) > 0x7F)
            return false;
    return true;
}

bool IsReservedValue(const QString& word) {
    for (const char* k : {"True", "False", "nil", "Null"})
        if (word.compare(QLatin1String(k), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A (dotted) identifier as the text notation writes it without quotes.
bool IsPlainName(const QString& text) {
    if (text.isEmpty())
        return false;
    bool atStart = true;
    for (QChar c : text) {
        if (atStart) {
            if (!IsIdentStart(c))
                return false;
            atStart = false;
        } else if (c == u'.') {
            atStart = true;
        } else if (!IsIdentChar(c)) {
            return false;
        }
    }
    return !atStart;
}

// Tag the writer picks for an integer when no width is forced.
TValueType SmallestIntegerTag(qint64 v) {
    if (v >= -128 && v <= 127)
        return TValueType::vaInt8;
    if (v >= -32768 && v <= 32767)
        return TValueType::vaInt16;
    if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
        return TValueType::vaInt32;
    return TValueType::vaInt64;
}

QString HexBigEndian(const QByteArray& littleEndian) {
    QByteArray reversed(littleEndian.size(), '\0');
    for (qsizetype i = 0; i < littleEndian.size(); ++i)
        reversed[i] = littleEndian[littleEndian.size() - 1 - i];
    return QString::fromLatin1(reversed.toHex().toUpper());
}

template <typename F> QString ShortestText(F value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QLatin1String(".0");
    return text;
}

QString CurrencyText(qint64 units) {
    const bool negative = units < 0;
    const quint64 magnitude = negative ? 0 - quint64(units) : quint64(units);
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 1 && fraction.endsWith(u'0'))
        fraction.chop(1);
    return text + u'.' + fraction + u'c';
}

// ---------------------------------------------------------------------------------------------
// Binary -> text

class TTextWriter {
public:
    explicit TTextWriter(const QByteArray& data) : R(data) {}

    QString Run() {
        R.ReadSignature();
        Component(0);
        if (!R.AtEnd())
            throw EReadError(QStringLiteral("Unexpected data after the root section at offset %1")
                                 .arg(R.Position()));
        return Out;
    }

private:
    static QString Indent(int n) { return QString(n, u' '); }

    static QString Name(const QByteArray& bytes) {
        const QString text = FromAnsi(bytes);
        if (IsPlainName(text) && !IsKeyword(text))
            return text;
        return Quoted(text, QString(), 0);
    }

    void Enter() {
        if (++Depth > MaxDepth)
            throw EReadError(
                QStringLiteral("Form stream nested too deeply at offset %1").arg(R.Position()));
    }

    QString IntegerText(TValueType tag) {
        qint64 v = 0;
        switch (tag) {
        case TValueType::vaInt8:
            v = R.ReadInt8Raw();
            break;
        case TValueType::vaInt16:
            v = R.ReadInt16Raw();
            break;
        case TValueType::vaInt32:
            v = R.ReadInt32Raw();
            break;
        default:
            v = R.ReadInt64Raw();
            break;
        }
        QString text = QString::number(v);
        if (SmallestIntegerTag(v) != tag) {
            static const char* const suffix[] = {"i8", "i16", "i32"};
            text += tag == TValueType::vaInt64
                        ? QStringLiteral("i64")
                        : QLatin1String(suffix[int(tag) - int(TValueType::vaInt8)]);
        }
        return text;
    }

    // A tagged 8/16/32-bit integer (child positions, item indexes).
    QString SmallIntegerText() {
        const qsizetype at = R.Position();
        const TValueType tag = R.ReadValue();
        if (tag != TValueType::vaInt8 && tag != TValueType::vaInt16 && tag != TValueType::vaInt32)
            throw EReadError(QStringLiteral("Integer expected at offset %1").arg(at));
        return IntegerText(tag);
    }

    void Component(int indent) {
        Enter();
        int flags = 0;
        bool hasPrefix = false;
        QString childPos;
        if ((quint8(R.NextValue()) & 0xF0) == 0xF0) {
            hasPrefix = true;
            flags = quint8(R.Read(1)[0]) & 0x0F;
            if (flags & ffChildPos)
                childPos = SmallIntegerText();
        }
        const qsizetype classAt = R.Position();
        const QByteArray className = R.ReadStr();
        if (className.size() > MaxClassNameLength)
            throw EReadError(QStringLiteral("Class name longer than %1 bytes at offset %2")
                                 .arg(MaxClassNameLength)
                                 .arg(classAt));
        const QByteArray name = R.ReadStr();
        QString line = Indent(indent);
        if ((flags & (ffInherited | ffInline)) == (ffInherited | ffInline))
            line += QLatin1String("inherited inline ");
        else if (flags & ffInherited)
            line += QLatin1String("inherited ");
        else if (flags & ffInline)
            line += QLatin1String("inline ");
        else
            line += QLatin1String("object ");
        if (name.isEmpty())
            line += Name(className);
        else
            line += Name(name) + QLatin1String(": ") + Name(className);
        if (flags & ffChildPos)
            line += QLatin1String(" [") + childPos + u']';
        if (hasPrefix && (flags == 0 || (flags & 8)))
            line += QLatin1String(" !") + QString::number(flags);
        Out += line + u'\n';

        while (!R.EndOfList())
            Property(indent + 2);
        R.ReadListEnd();
        while (!R.EndOfList())
            Component(indent + 2);
        R.ReadListEnd();
        Out += Indent(indent) + QLatin1String("end\n");
        --Depth;
    }

    void Property(int indent) {
        Out += Indent(indent) + Name(R.ReadStr()) + QLatin1String(" = ");
        Value(indent);
        Out += u'\n';
    }

    QByteArray ReadCounted(qsizetype unit) {
        const qsizetype at = R.Position();
        const qint32 count = R.ReadInt32Raw();
        if (count < 0 || count > (R.Size() - R.Position()) / unit)
            throw EReadError(QStringLiteral("Invalid length %1 at offset %2").arg(count).arg(at));
        return R.Read(count * unit);
    }

    QString FloatText(const QByteArray& raw, double value, QChar suffix) {
        if (std::isfinite(value))
            return ShortestText(value) + (suffix == u'e' ? QString() : QString(suffix));
        return u'%' + QString(suffix) + HexBigEndian(raw);
    }

    void Value(int indent) {
        const TValueType tag = R.ReadValue();
        switch (tag) {
        case TValueType::vaNull:
            Out += QLatin1String("Null");
            return;
        case TValueType::vaFalse:
            Out += QLatin1String("False");
            return;
        case TValueType::vaTrue:
            Out += QLatin1String("True");
            return;
        case TValueType::vaNil:
            Out += QLatin1String("nil");
            return;
        case TValueType::vaList:
            Enter();
            Out += u'(';
            while (!R.EndOfList()) {
                Out += u'\n' + Indent(indent + 2);
                Value(indent + 2);
            }
            R.ReadListEnd();
            Out += u')';
            --Depth;
            return;
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64:
            Out += IntegerText(tag);
            return;
        case TValueType::vaExtended: {
            const QByteArray raw = R.Read(10);
            const double d = ExtendedToDouble(raw.constData());
            if (std::isfinite(d) && DoubleToExtended(d) == raw)
                Out += ShortestText(d);
            else
                Out += QLatin1String("%e") + HexBigEndian(raw);
            return;
        }
        case TValueType::vaSingle: {
            const QByteArray raw = R.Read(4);
            const float f = std::bit_cast<float>(qFromLittleEndian<quint32>(raw.constData()));
            Out +=
                std::isfinite(f) ? ShortestText(f) + u's' : QLatin1String("%s") + HexBigEndian(raw);
            return;
        }
        case TValueType::vaDouble:
        case TValueType::vaDate: {
            const QByteArray raw = R.Read(8);
            const double d = std::bit_cast<double>(qFromLittleEndian<quint64>(raw.constData()));
            Out += FloatText(raw, d, tag == TValueType::vaDouble ? u'r' : u'd');
            return;
        }
        case TValueType::vaCurrency:
            Out += CurrencyText(R.ReadInt64Raw());
            return;
        case TValueType::vaString: {
            // Text beyond ASCII reads back as a wide string unless marked as 8-bit.
            const QByteArray bytes = R.ReadStr();
            Out +=
                Quoted(FromAnsi(bytes), IsAscii(bytes) ? QString() : QStringLiteral("A"), indent);
            return;
        }
        case TValueType::vaLString: {
            const QByteArray bytes = ReadCounted(1);
            Out += Quoted(FromAnsi(bytes),
                          bytes.size() <= 255 || !IsAscii(bytes) ? QStringLiteral("L") : QString(),
                          indent);
            return;
        }
        case TValueType::vaWString: {
            const QByteArray units = ReadCounted(2);
            QString text(units.size() / 2, Qt::Uninitialized);
            for (qsizetype i = 0; i < text.size(); ++i)
                text[i] = QChar(qFromLittleEndian<quint16>(units.constData() + 2 * i));
            Out += Quoted(text, IsAscii(text) ? QStringLiteral("W") : QString(), indent);
            return;
        }
        case TValueType::vaUTF8String:
            Out += Quoted(QString::fromUtf8(ReadCounted(1)), QStringLiteral("U"), indent);
            return;
        case TValueType::vaIdent: {
            const QString text = FromAnsi(R.ReadStr());
            Out += IsPlainName(text) && !IsReservedValue(text)
                       ? text
                       : Quoted(text, QStringLiteral("I"), indent);
            return;
        }
        case TValueType::vaBinary: {
            const qint32 length = R.ReadInt32Raw();
            const QByteArray bytes = length > 0 ? R.Read(length) : QByteArray();
            Out += u'{';
            const QString hex = QString::fromLatin1(bytes.toHex().toUpper());
            for (qsizetype i = 0; i < hex.size(); i += LineWidth)
                Out += u'\n' + Indent(indent + 2) + hex.mid(i, LineWidth);
            Out += u'}';
            return;
        }
        case TValueType::vaSet: {
            QStringList names;
            for (;;) {
                const QByteArray element = R.ReadStr();
                if (element.isEmpty())
                    break;
                names.append(Name(element));
            }
            Out += u'[' + names.join(QLatin1String(", ")) + u']';
            return;
        }
        case TValueType::vaCollection:
            Enter();
            Out += u'<';
            while (!R.EndOfList()) {
                Out += u'\n' + Indent(indent + 2) + QLatin1String("item");
                const TValueType next = R.NextValue();
                if (next == TValueType::vaInt8 || next == TValueType::vaInt16 ||
                    next == TValueType::vaInt32)
                    Out += QLatin1String(" [") + SmallIntegerText() + u']';
                Out += u'\n';
                R.ReadListBegin();
                while (!R.EndOfList())
                    Property(indent + 4);
                R.ReadListEnd();
                Out += Indent(indent + 2) + QLatin1String("end");
            }
            R.ReadListEnd();
            Out += u'>';
            --Depth;
            return;
        }
    }

public:
    // Only ASCII goes between quotes: every other code unit is written as #nnn, which any
    // reader of the notation takes the same way whatever its own code page.
    static bool IsPrintable(QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }

    // The text as quoted pieces and #codes, broken into continuation lines.
    static QString Quoted(const QString& text, const QString& prefix, int indent) {
        QStringList pieces;
        QString run;
        auto flush = [&] {
            if (!run.isEmpty())
                pieces.append(u'\'' + run + u'\'');
            run.clear();
        };
        int runLength = 0;
        for (const QChar c : text) {
            if (!IsPrintable(c)) {
                flush();
                runLength = 0;
                pieces.append(u'#' + QString::number(c.unicode()));
                continue;
            }
            if (runLength + 1 > LineWidth) {
                flush();
                runLength = 0;
            }
            if (c == u'\'')
                run += u'\'';
            run += c;
            ++runLength;
        }
        flush();
        if (pieces.isEmpty())
            pieces.append(QStringLiteral("''"));
        QString out = prefix;
        qsizetype lineLength = 0;
        for (const QString& piece : pieces) {
            if (lineLength > 0 && lineLength + piece.size() > LineWidth + 2) {
                out += QLatin1String(" +\n") + QString(indent + 2, u' ');
                lineLength = 0;
            }
            out += piece;
            lineLength += piece.size();
        }
        return out;
    }

private:
    TReader R;
    QString Out;
    int Depth = 0;
};

// ---------------------------------------------------------------------------------------------
// Text -> binary

struct TToken {
    enum TKind { End, Ident, String, Integer, Float, RawFloat, Symbol };
    TKind Kind = End;
    int Line = 0;
    int Column = 0;
    QString Text;                          // identifier, symbol, string value
    QChar Prefix;                          // string prefix (L, W, U, I) or null
    qint64 Int = 0;                        // integer value, currency units
    double Real = 0;                       // float value
    QChar FloatKind;                       // e s r d c
    TValueType Width = TValueType::vaNull; // forced integer tag, vaNull for none
    QByteArray Raw;                        // RawFloat: the stored little-endian bytes

    bool Is(char16_t symbol) const {
        return Kind == Symbol && Text.size() == 1 && Text[0] == symbol;
    }
    bool IsWord(const char* word) const {
        return Kind == Ident && Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
};

class TLexer {
public:
    explicit TLexer(QString text) : S(std::move(text)) {}

    [[noreturn]] void Fail(const QString& what, int line, int column) const {
        throw EParserError(
            QStringLiteral("%1 at line %2, column %3").arg(what).arg(line).arg(column));
    }
    [[noreturn]] void Fail(const QString& what, const TToken& t) const {
        Fail(what, t.Line, t.Column);
    }
    [[noreturn]] void FailHere(const QString& what) const { Fail(what, Line, Column()); }

    const TToken& Peek() {
        if (!HasPeeked) {
            Peeked = Lex();
            HasPeeked = true;
        }
        return Peeked;
    }

    TToken Next() {
        Peek();
        HasPeeked = false;
        return Peeked;
    }

    // Hex digits, white space allowed between them, up to the closing brace.
    QByteArray ReadHexUntilBrace() {
        QByteArray bytes;
        int high = -1;
        for (;;) {
            SkipSpace();
            if (AtEnd())
                FailHere(QStringLiteral("Missing '}'"));
            const QChar c = S[P];
            if (c == u'}') {
                if (high >= 0)
                    FailHere(QStringLiteral("Odd number of hex digits"));
                ++P;
                return bytes;
            }
            if (!IsHexDigit(c))
                FailHere(QStringLiteral("Invalid hex digit '%1'").arg(c));
            ++P;
            if (high < 0) {
                high = HexValue(c);
            } else {
                bytes.append(char(high * 16 + HexValue(c)));
                high = -1;
            }
        }
    }

private:
    bool AtEnd() const { return P >= S.size(); }
    int Column() const { return int(P - LineStart) + 1; }
    QChar At(qsizetype i) const { return i < S.size() ? S[i] : QChar(); }

    void SkipSpace() {
        while (!AtEnd()) {
            const QChar c = S[P];
            if (c == u'\n') {
                ++P;
                ++Line;
                LineStart = P;
            } else if (c == u' ' || c == u'\t' || c == u'\r') {
                ++P;
            } else {
                return;
            }
        }
    }

    TToken Lex() {
        SkipSpace();
        TToken t;
        t.Line = Line;
        t.Column = Column();
        if (AtEnd())
            return t;
        const QChar c = S[P];
        if (c == u'\'' || c == u'#')
            return LexString(t);
        if (IsIdentStart(c)) {
            const QChar after = At(P + 1);
            if ((after == u'\'' || after == u'#') && QStringLiteral("LAWUI").contains(c)) {
                t.Prefix = c;
                ++P;
                return LexString(t);
            }
            const qsizetype start = P;
            for (;;) {
                while (!AtEnd() && IsIdentChar(S[P]))
                    ++P;
                if (At(P) == u'.' && IsIdentStart(At(P + 1)))
                    ++P;
                else
                    break;
            }
            t.Kind = TToken::Ident;
            t.Text = S.mid(start, P - start);
            return t;
        }
        if (IsDigit(c) || c == u'$' || (c == u'-' && (IsDigit(At(P + 1)) || At(P + 1) == u'$')))
            return LexNumber(t);
        if (c == u'%')
            return LexRawFloat(t);
        if (QStringLiteral("=:[](){}<>,!").contains(c)) {
            ++P;
            t.Kind = TToken::Symbol;
            t.Text = c;
            return t;
        }
        FailHere(QStringLiteral("Unexpected character '%1'").arg(c));
    }

    TToken LexString(TToken& t) {
        t.Kind = TToken::String;
        for (;;) {
            if (At(P) == u'\'') {
                ++P;
                for (;;) {
                    if (AtEnd() || S[P] == u'\n')
                        Fail(QStringLiteral("Unterminated string"), t);
                    if (S[P] == u'\'') {
                        if (At(P + 1) == u'\'') {
                            t.Text += u'\'';
                            P += 2;
                            continue;
                        }
                        ++P;
                        break;
                    }
                    t.Text += S[P++];
                }
            } else if (At(P) == u'#') {
                ++P;
                const int column = Column();
                quint32 code = 0;
                int digits = 0;
                const bool hex = At(P) == u'$';
                if (hex)
                    ++P;
                while (!AtEnd() && (hex ? IsHexDigit(S[P]) : IsDigit(S[P]))) {
                    code = code * (hex ? 16 : 10) + HexValue(S[P]);
                    ++P;
                    if (code > 0x10FFFF)
                        Fail(QStringLiteral("Character code out of range"), Line, column);
                    ++digits;
                }
                if (digits == 0)
                    Fail(QStringLiteral("Character code expected after '#'"), Line, column);
                if (code <= 0xFFFF)
                    t.Text += QChar(char16_t(code));
                else {
                    const char32_t point = code;
                    t.Text += QString::fromUcs4(&point, 1);
                }
            } else {
                // A '+' joins the next piece, usually on the next line.
                const qsizetype save = P;
                const int saveLine = Line;
                const qsizetype saveLineStart = LineStart;
                SkipSpace();
                if (At(P) != u'+') {
                    P = save;
                    Line = saveLine;
                    LineStart = saveLineStart;
                    return t;
                }
                ++P;
                SkipSpace();
                if (At(P) != u'\'' && At(P) != u'#')
                    FailHere(QStringLiteral("String expected after '+'"));
            }
        }
    }

    TToken LexNumber(TToken& t) {
        const qsizetype start = P;
        const bool negative = S[P] == u'-';
        if (negative)
            ++P;
        bool isFloat = false;
        if (At(P) == u'$') {
            ++P;
            quint64 magnitude = 0;
            int digits = 0;
            while (!AtEnd() && IsHexDigit(S[P])) {
                if (magnitude >> 60)
                    Fail(QStringLiteral("Integer out of range"), t);
                magnitude = magnitude * 16 + HexValue(S[P++]);
                ++digits;
            }
            if (digits == 0)
                Fail(QStringLiteral("Hex digits expected"), t);
            SetInteger(t, negative, magnitude);
        } else {
            while (IsDigit(At(P)))
                ++P;
            if (At(P) == u'.' && IsDigit(At(P + 1))) {
                isFloat = true;
                P += 1;
                while (IsDigit(At(P)))
                    ++P;
            }
            if ((At(P) == u'e' || At(P) == u'E') &&
                (IsDigit(At(P + 1)) ||
                 ((At(P + 1) == u'+' || At(P + 1) == u'-') && IsDigit(At(P + 2))))) {
                isFloat = true;
                P += 2;
                while (IsDigit(At(P)))
                    ++P;
            }
        }
        const QString number = S.mid(start, P - start);
        const qsizetype suffixStart = P;
        while (!AtEnd() && IsIdentChar(S[P]))
            ++P;
        const QString suffix = S.mid(suffixStart, P - suffixStart);
        if (suffix.size() == 1 && QStringLiteral("srdc").contains(suffix[0]) &&
            !number.contains(u'$')) {
            t.Kind = TToken::Float;
            t.FloatKind = suffix[0];
            if (t.FloatKind == u'c')
                t.Int = ParseCurrency(number, t);
            else
                t.Real = ParseReal(number, t, t.FloatKind == u's');
            return t;
        }
        if (isFloat) {
            if (!suffix.isEmpty())
                Fail(QStringLiteral("Invalid number suffix '%1'").arg(suffix), t);
            t.Kind = TToken::Float;
            t.FloatKind = u'e';
            t.Real = ParseReal(number, t, false);
            return t;
        }
        if (!number.contains(u'$')) {
            quint64 magnitude = 0;
            for (qsizetype i = negative ? 1 : 0; i < number.size(); ++i) {
                const quint64 digit = number[i].unicode() - '0';
                if (magnitude > (std::numeric_limits<quint64>::max() - digit) / 10)
                    Fail(QStringLiteral("Integer out of range"), t);
                magnitude = magnitude * 10 + digit;
            }
            SetInteger(t, negative, magnitude);
        }
        if (suffix == QLatin1String("i8"))
            t.Width = TValueType::vaInt8;
        else if (suffix == QLatin1String("i16"))
            t.Width = TValueType::vaInt16;
        else if (suffix == QLatin1String("i32"))
            t.Width = TValueType::vaInt32;
        else if (suffix == QLatin1String("i64"))
            t.Width = TValueType::vaInt64;
        else if (!suffix.isEmpty())
            Fail(QStringLiteral("Invalid number suffix '%1'").arg(suffix), t);
        return t;
    }

    void SetInteger(TToken& t, bool negative, quint64 magnitude) {
        if (magnitude > quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0))
            Fail(QStringLiteral("Integer out of range"), t);
        t.Kind = TToken::Integer;
        t.Int = negative ? qint64(0 - magnitude) : qint64(magnitude);
    }

    double ParseReal(const QString& number, const TToken& t, bool single) {
        const QByteArray latin = number.toLatin1();
        const char* end = latin.constData() + latin.size();
        if (single) {
            float f = 0;
            const auto r = std::from_chars(latin.constData(), end, f);
            if (r.ec != std::errc() || r.ptr != end)
                Fail(QStringLiteral("Number out of range"), t);
            return f;
        }
        double d = 0;
        const auto r = std::from_chars(latin.constData(), end, d);
        if (r.ec != std::errc() || r.ptr != end)
            Fail(QStringLiteral("Number out of range"), t);
        return d;
    }

    // Currency is exact: units of 1/10000 from the decimal digits, no binary float between.
    qint64 ParseCurrency(const QString& number, const TToken& t) {
        if (number.contains(u'e') || number.contains(u'E'))
            Fail(QStringLiteral("Currency takes no exponent"), t);
        const bool negative = number.startsWith(u'-');
        const QString body = negative ? number.mid(1) : number;
        const qsizetype dot = body.indexOf(u'.');
        const QString whole = dot < 0 ? body : body.left(dot);
        QString fraction = dot < 0 ? QString() : body.mid(dot + 1);
        if (fraction.size() > 4)
            Fail(QStringLiteral("Currency has more than 4 decimals"), t);
        fraction = fraction.leftJustified(4, u'0');
        quint64 magnitude = 0;
        for (QChar c : whole + fraction) {
            const quint64 digit = c.unicode() - '0';
            if (magnitude > (std::numeric_limits<quint64>::max() - digit) / 10)
                Fail(QStringLiteral("Currency out of range"), t);
            magnitude = magnitude * 10 + digit;
        }
        if (magnitude > quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0))
            Fail(QStringLiteral("Currency out of range"), t);
        return negative ? qint64(0 - magnitude) : qint64(magnitude);
    }

    TToken LexRawFloat(TToken& t) {
        ++P;
        const QChar kind = At(P);
        int digits = 0;
        if (kind == u'e')
            digits = 20;
        else if (kind == u's')
            digits = 8;
        else if (kind == u'r' || kind == u'd')
            digits = 16;
        else
            Fail(QStringLiteral("Float kind e, s, r or d expected after '%'"), t);
        ++P;
        const qsizetype start = P;
        while (!AtEnd() && IsHexDigit(S[P]))
            ++P;
        if (P - start != digits || (!AtEnd() && IsIdentChar(S[P])))
            Fail(QStringLiteral("%1 hex digits expected").arg(digits), t);
        const QByteArray bigEndian = QByteArray::fromHex(S.mid(start, digits).toLatin1());
        t.Raw.resize(bigEndian.size());
        for (qsizetype i = 0; i < bigEndian.size(); ++i)
            t.Raw[i] = bigEndian[bigEndian.size() - 1 - i];
        t.Kind = TToken::RawFloat;
        t.FloatKind = kind;
        return t;
    }

    QString S;
    qsizetype P = 0;
    int Line = 1;
    qsizetype LineStart = 0;
    TToken Peeked;
    bool HasPeeked = false;
};

class TTextParser {
public:
    explicit TTextParser(QString text) : L(std::move(text)) {}

    QByteArray Run() {
        W.WriteSignature();
        const TToken first = L.Next();
        if (!IsSectionStart(first))
            L.Fail(QStringLiteral("'object', 'inherited' or 'inline' expected"), first);
        Component(first);
        const TToken rest = L.Next();
        if (rest.Kind != TToken::End)
            L.Fail(QStringLiteral("Text after the final 'end'"), rest);
        return W.Data();
    }

private:
    static bool IsSectionStart(const TToken& t) {
        return t.IsWord("object") || t.IsWord("inherited") || t.IsWord("inline");
    }

    void Enter(const TToken& t) {
        if (++Depth > MaxDepth)
            L.Fail(QStringLiteral("Nested too deeply"), t);
    }

    // Runs a writer call, turning its range/length errors into errors at the token.
    template <typename F> void Emit(const TToken& t, F&& write) {
        try {
            write();
        } catch (const EWriteError& e) {
            L.Fail(e.Message(), t);
        } catch (const ERangeError& e) {
            L.Fail(e.Message(), t);
        }
    }

    QByteArray AnsiOf(const TToken& t, const QString& text) {
        if (!IsAnsiRepresentable(text))
            L.Fail(QStringLiteral("Character outside Windows-1252 in a name"), t);
        QByteArray bytes = ToAnsi(text);
        if (bytes.size() > 255)
            L.Fail(QStringLiteral("Name longer than 255 bytes"), t);
        return bytes;
    }

    QByteArray NameOf(const TToken& t) {
        if (t.Kind == TToken::Ident || (t.Kind == TToken::String && t.Prefix.isNull()))
            return AnsiOf(t, t.Text);
        L.Fail(QStringLiteral("Name expected"), t);
    }

    TToken Expect(char16_t symbol) {
        const TToken t = L.Next();
        if (!t.Is(symbol))
            L.Fail(QStringLiteral("'%1' expected").arg(QChar(symbol)), t);
        return t;
    }

    void Component(const TToken& header) {
        Enter(header);
        int flags = 0;
        if (header.IsWord("inherited")) {
            flags |= ffInherited;
            if (L.Peek().IsWord("inline")) {
                L.Next();
                flags |= ffInline;
            }
        } else if (header.IsWord("inline")) {
            flags |= ffInline;
        }
        const TToken nameToken = L.Next();
        QByteArray name = NameOf(nameToken);
        QByteArray className;
        TToken classToken = nameToken;
        if (L.Peek().Is(u':')) {
            L.Next();
            classToken = L.Next();
            className = NameOf(classToken);
        } else {
            className = name;
            name.clear();
        }
        if (className.size() > MaxClassNameLength)
            L.Fail(QStringLiteral("Class name longer than %1 bytes").arg(MaxClassNameLength),
                   classToken);
        TToken childPos;
        bool hasChildPos = false;
        if (L.Peek().Is(u'[')) {
            L.Next();
            childPos = IntegerToken();
            Expect(u']');
            hasChildPos = true;
            flags |= ffChildPos;
        }
        bool hasPrefix = flags != 0;
        if (L.Peek().Is(u'!')) {
            L.Next();
            const TToken raw = L.Next();
            if (raw.Kind != TToken::Integer || raw.Int < 0 || raw.Int > 15)
                L.Fail(QStringLiteral("Prefix flags 0 to 15 expected"), raw);
            flags = int(raw.Int);
            hasPrefix = true;
            if (bool(flags & ffChildPos) != hasChildPos)
                L.Fail(QStringLiteral("Prefix flags do not match the child position"), raw);
        }
        if (hasPrefix) {
            W.WriteRaw(QByteArray(1, char(0xF0 | flags)));
            if (hasChildPos)
                WriteInteger(childPos, false);
        }
        W.WriteStr(className);
        W.WriteStr(name);

        bool inChildren = false;
        for (;;) {
            const TToken t = L.Next();
            if (t.IsWord("end"))
                break;
            if (IsSectionStart(t)) {
                if (!inChildren)
                    W.WriteListEnd();
                inChildren = true;
                Component(t);
                continue;
            }
            if (t.Kind == TToken::End)
                L.Fail(QStringLiteral("'end' expected"), t);
            if (inChildren)
                L.Fail(QStringLiteral("Property after a child object"), t);
            Property(t);
        }
        if (!inChildren)
            W.WriteListEnd();
        W.WriteListEnd();
        --Depth;
    }

    void Property(const TToken& nameToken) {
        const QByteArray name = NameOf(nameToken);
        // An empty name would read as the end of the property list.
        if (name.isEmpty())
            L.Fail(QStringLiteral("Empty property name"), nameToken);
        W.WriteStr(name);
        Expect(u'=');
        Value(L.Next());
    }

    TToken IntegerToken() {
        const TToken t = L.Next();
        if (t.Kind != TToken::Integer)
            L.Fail(QStringLiteral("Integer expected"), t);
        return t;
    }

    void WriteInteger(const TToken& t, bool allowInt64) {
        const TValueType tag = t.Width == TValueType::vaNull ? SmallestIntegerTag(t.Int) : t.Width;
        if (tag == TValueType::vaInt64 && !allowInt64)
            L.Fail(QStringLiteral("Integer out of range"), t);
        Emit(t, [&] { W.WriteTaggedInteger(tag, t.Int); });
    }

    void Value(const TToken& t) {
        switch (t.Kind) {
        case TToken::Integer:
            WriteInteger(t, true);
            return;
        case TToken::Float:
            if (t.FloatKind == u'c')
                W.WriteCurrency(t.Int);
            else if (t.FloatKind == u's')
                W.WriteSingle(float(t.Real));
            else if (t.FloatKind == u'r')
                W.WriteDouble(t.Real);
            else if (t.FloatKind == u'd')
                W.WriteDate(t.Real);
            else
                W.WriteFloat(t.Real);
            return;
        case TToken::RawFloat: {
            const char16_t k = t.FloatKind.unicode();
            W.WriteValue(k == 'e'   ? TValueType::vaExtended
                         : k == 's' ? TValueType::vaSingle
                         : k == 'r' ? TValueType::vaDouble
                                    : TValueType::vaDate);
            W.WriteRaw(t.Raw);
            return;
        }
        case TToken::String:
            StringValue(t);
            return;
        case TToken::Ident:
            Emit(t, [&] { W.WriteIdent(AnsiOf(t, t.Text)); });
            return;
        case TToken::End:
            L.Fail(QStringLiteral("Value expected"), t);
        case TToken::Symbol:
            break;
        }
        if (t.Is(u'(')) {
            Enter(t);
            W.WriteListBegin();
            for (;;) {
                const TToken e = L.Next();
                if (e.Is(u')'))
                    break;
                // Null's tag is the byte that ends the list.
                if (e.Kind == TToken::Ident &&
                    e.Text.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0)
                    L.Fail(QStringLiteral("Null cannot be an element of a list"), e);
                Value(e);
            }
            W.WriteListEnd();
            --Depth;
        } else if (t.Is(u'<')) {
            Collection(t);
        } else if (t.Is(u'[')) {
            QList<QByteArray> elements;
            TToken e = L.Next();
            if (!e.Is(u']')) {
                for (;;) {
                    const QByteArray element = NameOf(e);
                    if (element.isEmpty())
                        L.Fail(QStringLiteral("Empty set element"), e);
                    elements.append(element);
                    const TToken sep = L.Next();
                    if (sep.Is(u']'))
                        break;
                    if (!sep.Is(u','))
                        L.Fail(QStringLiteral("',' or ']' expected"), sep);
                    e = L.Next();
                }
            }
            W.WriteSet(elements);
        } else if (t.Is(u'{')) {
            W.WriteBinary(L.ReadHexUntilBrace());
        } else {
            L.Fail(QStringLiteral("Value expected"), t);
        }
    }

    void StringValue(const TToken& t) {
        const char16_t prefix = t.Prefix.unicode();
        if (prefix == 'W') {
            Emit(t, [&] { W.WriteWideString(t.Text); });
        } else if (prefix == 'U') {
            Emit(t, [&] { W.WriteUTF8String(t.Text); });
        } else if (prefix == 'I') {
            W.WriteValue(TValueType::vaIdent);
            W.WriteStr(AnsiOf(t, t.Text));
        } else if (prefix == 'L' || prefix == 'A') {
            if (!IsAnsiRepresentable(t.Text))
                L.Fail(QStringLiteral("Character outside Windows-1252 in an 8-bit string"), t);
            const QByteArray bytes = ToAnsi(t.Text);
            Emit(t, [&] { prefix == 'L' ? W.WriteLString(bytes) : W.WriteString(bytes); });
        } else if (IsAscii(t.Text)) {
            Emit(t, [&] { W.WriteString(ToAnsi(t.Text)); });
        } else {
            // As the standard tools do: any character above 127 makes a wide string, so the
            // text does not depend on the code page of whoever reads the stream.
            Emit(t, [&] { W.WriteWideString(t.Text); });
        }
    }

    void Collection(const TToken& open) {
        Enter(open);
        W.WriteCollectionBegin();
        for (;;) {
            const TToken t = L.Next();
            if (t.Is(u'>'))
                break;
            if (!t.IsWord("item"))
                L.Fail(QStringLiteral("'item' or '>' expected"), t);
            if (L.Peek().Is(u'[')) {
                L.Next();
                WriteInteger(IntegerToken(), false);
                Expect(u']');
            }
            W.WriteListBegin();
            for (;;) {
                const TToken p = L.Next();
                if (p.IsWord("end"))
                    break;
                if (p.Kind == TToken::End)
                    L.Fail(QStringLiteral("'end' expected"), p);
                Property(p);
            }
            W.WriteListEnd();
        }
        W.WriteListEnd();
        --Depth;
    }

    TLexer L;
    TWriter W;
    int Depth = 0;
};

QString DecodeUtf8(const QByteArray& bytes) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(body);
    if (!decoder.hasError())
        return text;
    const QList<QByteArray> lines = body.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder lineDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)QString(lineDecoder(lines[i]));
        if (lineDecoder.hasError())
            throw EParserError(QStringLiteral("Invalid UTF-8 at line %1").arg(i + 1));
    }
    throw EParserError(QStringLiteral("Invalid UTF-8"));
}

} // namespace

QByteArray FormTextToBinary(const QByteArray& utf8Text) {
    return FormTextToBinary(DecodeUtf8(utf8Text));
}

QByteArray FormTextToBinary(const QString& text) {
    return TTextParser(text).Run();
}

QString FormBinaryToText(const QByteArray& binary) {
    return TTextWriter(binary).Run();
}

bool IsTextForm(const QByteArray& data) {
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < data.size() &&
           (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    for (const char* word : {"object", "inherited", "inline"}) {
        const qsizetype n = qsizetype(std::strlen(word));
        if (data.size() >= i + n + 1 &&
            data.mid(i, n).compare(QByteArray(word), Qt::CaseInsensitive) == 0) {
            const char after = data[i + n];
            if (after == ' ' || after == '\t' || after == '\r' || after == '\n')
                return true;
        }
    }
    return false;
}

} // namespace lumotrix
