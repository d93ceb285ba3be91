#pragma once

#include "runtime/Classes.h"
#include "runtime/CodePage.h"

#include <QByteArray>

namespace lumotrix {

struct TFormResource {
    const QByteArray* Data = nullptr;
    int CodePage = CodePageWindows1252; // of the resource source it was found in
};

// The form resource (RT_RCDATA named after the class, any letter case) of a class in the
// resource sources in force, the program's first; Data nullptr when there is none.
TFormResource LocateFormResource(const TClassInfo* cls);
const QByteArray* FindFormResource(const TClassInfo* cls);

// True when the class has a form resource in the resource sources in force.
bool HasFormResource(const TClassInfo* cls);

// Reads an existing component's form resources into it: those of its class chain, the most
// basic class that has one first, so a derived form's values override its ancestor's.
// EResNotFound when the component's own class has no form resource.
void InitInheritedComponent(TComponent* instance);

} // namespace lumotrix
