#pragma once

// What the table's own units share: the limits a table definition and a table file keep to,
// and the quoting of names in messages. Not for use outside model/MemData*.

#include "model/FieldValue.h"

#include <QString>

namespace lumotrix {

constexpr int MaxFieldCount = 256;
constexpr int MaxFieldNameLength = 64;
constexpr int MaxStringSize = 8192;

inline QString Quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

inline bool IsTimeType(TFieldType t) {
    return t == TFieldType::ftTime || t == TFieldType::ftDuration;
}

} // namespace lumotrix
