#pragma once

#include "runtime/ClassBuilder.h"

// Run-time type information, whole: the type data, events, classes, property kinds and class
// registration (each in the header of its own that this one includes), and reading and writing
// published properties by kind. The overloads taking a name raise EPropertyError ("Property X
// does not exist") when the class has no such property; every accessor raises EPropertyError
// when the property's kind does not fit the accessor.

namespace lumotrix {

const TPropInfo* GetPropInfo(const TObject* object, const QString& name); // nullptr if none
const TPropInfo* GetPropInfo(const TClassInfo* cls, const QString& name);
const TPropInfo* GetPropInfoOrThrow(const TObject* object, const QString& name);
QList<const TPropInfo*> GetPropList(const TObject* object);
bool IsReadOnlyProp(const TPropInfo* prop);

// Ordinal kinds: integer, character, wide character, enumeration, set; class kind reads the
// pointer. Writing checks the type's range (ERangeError), so an enumeration ordinal of -1 or a
// byte of 256 is refused rather than truncated.
qint64 GetOrdProp(TObject* object, const TPropInfo* prop);
void SetOrdProp(TObject* object, const TPropInfo* prop, qint64 value);
void CheckOrdRange(const TPropInfo* prop, qint64 value);

double GetFloatProp(TObject* object, const TPropInfo* prop);
void SetFloatProp(TObject* object, const TPropInfo* prop, double value);
// Ansi and wide string kinds, converted between Windows-1252 and Unicode as needed.
AnsiString GetStrProp(TObject* object, const TPropInfo* prop);
void SetStrProp(TObject* object, const TPropInfo* prop, const AnsiString& value);
WideString GetWideStrProp(TObject* object, const TPropInfo* prop);
void SetWideStrProp(TObject* object, const TPropInfo* prop, const WideString& value);
Variant GetVariantProp(TObject* object, const TPropInfo* prop);
void SetVariantProp(TObject* object, const TPropInfo* prop, const Variant& value);
qint64 GetInt64Prop(TObject* object, const TPropInfo* prop);
void SetInt64Prop(TObject* object, const TPropInfo* prop, qint64 value); // range checked
TObject* GetObjectProp(TObject* object, const TPropInfo* prop);
void SetObjectProp(TObject* object, const TPropInfo* prop, TObject* value); // EInvalidCast
TMethod GetMethodProp(TObject* object, const TPropInfo* prop);
void SetMethodProp(TObject* object, const TPropInfo* prop, const TMethod& value);
QString GetEnumProp(TObject* object, const TPropInfo* prop);
// Unknown value names raise EConvertError ("Invalid property element: X").
void SetEnumProp(TObject* object, const TPropInfo* prop, const QString& value);
// "a,b" (or "[a,b]" with brackets); SetSetProp accepts both forms, spaces allowed.
QString GetSetProp(TObject* object, const TPropInfo* prop, bool brackets = false);
void SetSetProp(TObject* object, const TPropInfo* prop, const QString& value);
qint64 SetTextToBits(const TTypeInfo* setType, const QString& text);
// Dynamic arrays as array variants.
Variant GetDynArrayProp(TObject* object, const TPropInfo* prop);
void SetDynArrayProp(TObject* object, const TPropInfo* prop, const Variant& value);

qint64 GetOrdProp(TObject* object, const QString& name);
void SetOrdProp(TObject* object, const QString& name, qint64 value);
double GetFloatProp(TObject* object, const QString& name);
void SetFloatProp(TObject* object, const QString& name, double value);
AnsiString GetStrProp(TObject* object, const QString& name);
void SetStrProp(TObject* object, const QString& name, const AnsiString& value);
WideString GetWideStrProp(TObject* object, const QString& name);
void SetWideStrProp(TObject* object, const QString& name, const WideString& value);
Variant GetVariantProp(TObject* object, const QString& name);
void SetVariantProp(TObject* object, const QString& name, const Variant& value);
qint64 GetInt64Prop(TObject* object, const QString& name);
void SetInt64Prop(TObject* object, const QString& name, qint64 value);
TObject* GetObjectProp(TObject* object, const QString& name);
void SetObjectProp(TObject* object, const QString& name, TObject* value);
TMethod GetMethodProp(TObject* object, const QString& name);
void SetMethodProp(TObject* object, const QString& name, const TMethod& value);
QString GetEnumProp(TObject* object, const QString& name);
void SetEnumProp(TObject* object, const QString& name, const QString& value);
QString GetSetProp(TObject* object, const QString& name, bool brackets = false);
void SetSetProp(TObject* object, const QString& name, const QString& value);
Variant GetDynArrayProp(TObject* object, const QString& name);
void SetDynArrayProp(TObject* object, const QString& name, const Variant& value);

} // namespace lumotrix
