#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace lumotrix {

// What the platform tells about a code page.
struct TCodePageInfo {
    int MaxCharSize = 1;
    // The ranges of bytes that begin a two-byte character, as (low, high) pairs in ascending
    // order; empty for a single-byte code page.
    QList<std::pair<quint8, quint8>> LeadByteRanges;
};

// nullopt for a code page this platform has no converter for.
std::optional<TCodePageInfo> CodePageInfo(int codePage);

// 8-bit text in a code page <-> Unicode. Windows-1252 keeps every byte through a round trip
// (see FromAnsi); other code pages give U+FFFD for bytes without a character, and '?' for
// characters without bytes. An unknown code page is read as Windows-1252.
QString DecodeCodePage(const QByteArray& bytes, int codePage);
QByteArray EncodeCodePage(const QString& text, int codePage);

// True when any of the bytes 128..255 is a right-to-left letter in the code page.
bool CodePageHasRightToLeft(int codePage);

// The bit a code page has in a font signature's code-page words (and in the character-set
// table indexed by them); -1 for a code page without one.
int FontSignatureBitOfCodePage(int codePage);

} // namespace lumotrix
