#include "runtime/TextFormLexer.h"

#include "runtime/TextForm.h"
#include "runtime/TextFormSyntax.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace lumotrix {

using namespace textform;

void TLexer::Fail(const QString& what, int line, int column) const {
    throw EParserError(QStringLiteral("%1 at line %2, column %3").arg(what).arg(line).arg(column));
}

void TLexer::Fail(const QString& what, const TToken& t) const {
    Fail(what, t.Line, t.Column);
}

const TToken& TLexer::Peek() {
    if (!HasPeeked) {
        Peeked = Lex();
        HasPeeked = true;
    }
    return Peeked;
}

TToken TLexer::Next() {
    Peek();
    HasPeeked = false;
    return Peeked;
}

QByteArray TLexer::ReadHexUntilBrace() {
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

void TLexer::SkipSpace() {
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

TToken TLexer::Lex() {
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

TToken TLexer::LexString(TToken& t) {
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

TToken TLexer::LexNumber(TToken& t) {
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

void TLexer::SetInteger(TToken& t, bool negative, quint64 magnitude) {
    if (magnitude > quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0))
        Fail(QStringLiteral("Integer out of range"), t);
    t.Kind = TToken::Integer;
    t.Int = negative ? qint64(0 - magnitude) : qint64(magnitude);
}

double TLexer::ParseReal(const QString& number, const TToken& t, bool single) {
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

qint64 TLexer::ParseCurrency(const QString& number, const TToken& t) {
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

TToken TLexer::LexRawFloat(TToken& t) {
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

} // namespace lumotrix
