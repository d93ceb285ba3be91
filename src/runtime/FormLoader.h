#pragma once

#include "runtime/Classes.h"
#include "runtime/CodePage.h"

#include <QByteArray>
#include <QString>

namespace lumotrix {

// Builds a component tree from a binary form stream ("TPF0").
//
// Child sections are created through the class registry by class name, owned by the root (or by
// an inline frame for the sections inside it), given their names and parented through
// SetParentComponent to the component of the enclosing section, before their properties are
// read. Properties are set by kind; dotted names ("Font.Name") go through object-valued
// properties; names that no published property takes go to ReadDefinedProperty
// ("Items.Strings"); collections are refilled item by item; events are bound to the root's
// published methods by name; component references are resolved by name among the root's
// components once the whole stream has been read. Finally every component read gets Loaded(),
// the root first, then in stream order.
//
// Errors name what went wrong: "Class TFoo not found", and for a property
// "Error reading Button1.Captoin: Property Captoin does not exist at offset 57" (the offset of
// the property in the stream), keeping the exception class of the underlying error
// (ERangeError, EConvertError, EInvalidCast, EReadError, ...; EReadError for the rest).

// Reads the stream into an existing root, e.g. a form that loads its own description from its
// constructor. The root's class, or one of its ancestors, must be the stream's root class.
// Call it from the most derived constructor: the root's class (and so its published methods)
// is that of its dynamic type at the time of the call. 8-bit strings are read into wide
// properties in `codePage`: that of the resource source the stream comes from.
void LoadComponentFromStream(TComponent* root, const QByteArray& stream,
                             int codePage = CodePageWindows1252);

// Creates the root by the stream's class name, owned by `owner`, and reads the stream into it.
// Nothing is left behind when reading fails.
TComponent* CreateComponentFromStream(TComponent* owner, const QByteArray& stream);

// The class name of the stream's root section; EReadError for anything that is no form stream.
QString ReadRootClassName(const QByteArray& stream);

} // namespace lumotrix
