#pragma once

#include <QByteArray>
#include <QString>

namespace lumotrix {

// 8-bit "ansi" text is kept as bytes in QByteArray; the configuration's texts are
// Windows-1252 everywhere except at the GUI boundary.
using AnsiString = QByteArray;
using WideString = QString;

constexpr int CodePageWindows1252 = 1252;

// Windows-1252 <-> Unicode. Bytes with no character in the code page (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control of the same value, so every byte survives a round trip.
QString FromAnsi(const QByteArray& bytes);
// Characters with no byte in the code page become '?'.
QByteArray ToAnsi(const QString& text);
// True when every character of `text` has a byte in Windows-1252.
bool IsAnsiRepresentable(const QString& text);

} // namespace lumotrix
