#include "runtime/TextFormSyntax.h"

namespace lumotrix::textform {

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

} // namespace lumotrix::textform
