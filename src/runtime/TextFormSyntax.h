#pragma once

// What the text-form writer, lexer and parser share: the character classes of the notation,
// its reserved words and the smallest integer tag.

#include "runtime/FormStream.h"

#include <QByteArray>
#include <QString>

namespace lumotrix::textform {

bool IsIdentStart(QChar c);
bool IsIdentChar(QChar c);
bool IsDigit(QChar c);
bool IsHexDigit(QChar c);
int HexValue(QChar c);
bool IsKeyword(const QString& word);
bool IsAscii(const QString& text);
bool IsAscii(const QByteArray& bytes);
bool IsReservedValue(const QString& word);
bool IsPlainName(const QString& text);
TValueType SmallestIntegerTag(qint64 v);

} // namespace lumotrix::textform
