#pragma once

#include "runtime/FormStream.h"

#include <QByteArray>
#include <QChar>
#include <QString>

namespace lumotrix {

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

// Splits form text into tokens; every error names its line and column.
class TLexer {
public:
    explicit TLexer(QString text) : S(std::move(text)) {}

    [[noreturn]] void Fail(const QString& what, int line, int column) const;
    [[noreturn]] void Fail(const QString& what, const TToken& t) const;
    [[noreturn]] void FailHere(const QString& what) const { Fail(what, Line, Column()); }

    const TToken& Peek();
    TToken Next();

    // Hex digits, white space allowed between them, up to the closing brace.
    QByteArray ReadHexUntilBrace();

private:
    bool AtEnd() const { return P >= S.size(); }
    int Column() const { return int(P - LineStart) + 1; }
    QChar At(qsizetype i) const { return i < S.size() ? S[i] : QChar(); }

    void SkipSpace();
    TToken Lex();
    TToken LexString(TToken& t);
    TToken LexNumber(TToken& t);
    void SetInteger(TToken& t, bool negative, quint64 magnitude);
    double ParseReal(const QString& number, const TToken& t, bool single);

    // Currency is exact: units of 1/10000 from the decimal digits, no binary float between.
    qint64 ParseCurrency(const QString& number, const TToken& t);
    TToken LexRawFloat(TToken& t);
    QString S;
    qsizetype P = 0;
    int Line = 1;
    qsizetype LineStart = 0;
    TToken Peeked;
    bool HasPeeked = false;
};

} // namespace lumotrix
