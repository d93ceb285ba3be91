#pragma once

// Property values as the translator reads, compares and writes them: by the property's kind,
// carried in variants, with the range checks of the property's type and the rules that keep
// some properties out of a re-translation.

#include "runtime/TypInfo.h"

namespace lumotrix {

class TComponent;

// The live value: ordinal kinds as 32-bit integers (Booleans as Boolean), characters as
// one-character ansi strings, wide characters as words, strings, floats as doubles, events as
// their type's name, dynamic arrays as array variants; null for kinds without a value.
Variant GetPropertyValue(TObject* instance, const TPropInfo* propInfo);

// The same variant type, or both strings (ansi or wide).
bool AreComparable(const Variant& current, const Variant& newValue);

// True when the value must not be written: its kind is not in TranslateKinds (a "Charset"
// always passes), it is the root's own "Position", "Left" or "Top" (unless
// TranslateRootPosition), or a "ConnectionString" of another object; BeforeTranslate has the
// last word.
bool IsExcluded(TComponent* root, TObject* instance, const TPropInfo* propInfo,
                const QString& propName, const Variant& current, const Variant& newValue);

// Writes `newValue` by the property's kind; ERangeError for a value outside the type's range.
// Kinds that cannot take a stored value (class, method, ...) are left alone.
void SetPropertyValue(TObject* instance, const TPropInfo* propInfo, const Variant& newValue);

// The value as a number truncated toward zero; ERangeError unless min <= value <= max.
qint64 RangedValue(const Variant& newValue, qint64 min, qint64 max);
// A character: a string of exactly one character gives its code, any other string is out of
// range; numbers as RangedValue.
qint64 RangedCharValue(const Variant& newValue, qint64 min, qint64 max);

} // namespace lumotrix
