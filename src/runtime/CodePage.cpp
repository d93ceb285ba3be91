#include "runtime/CodePage.h"

#include <array>

namespace lumotrix {
namespace {

// The 0x80..0x9F row of Windows-1252; the rest of the page equals Latin-1.
constexpr std::array<char16_t, 32> HighRow = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int ByteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < HighRow.size(); ++i)
        if (HighRow[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

} // namespace

QString FromAnsi(const QByteArray& bytes) {
    QString text;
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? HighRow[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray ToAnsi(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int b = ByteOf(c.unicode());
        bytes.append(static_cast<char>(b < 0 ? '?' : b));
    }
    return bytes;
}

bool IsAnsiRepresentable(const QString& text) {
    for (QChar c : text)
        if (ByteOf(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace lumotrix
