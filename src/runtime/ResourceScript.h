#pragma once

#include "runtime/ResourceFile.h"

#include <QByteArray>
#include <QString>

namespace lumotrix {

// Compiles the subset of the resource-script notation that the program's resources use:
//
//   // and /* */ comments
//   #pragma code_page(65001)            following text is UTF-8 (1252 is the default; a
//                                        UTF-8 byte order mark at the start also selects it)
//   LANGUAGE 0x10, 1                     language of the resources that follow (numbers, or
//                                        LANG_ITALIAN, SUBLANG_DEFAULT and a few more names)
//   STRINGTABLE [options]
//   BEGIN                                ({ and } work too)
//       65504, "Errore ""grave""\n"      `id "text"` without a comma too; adjacent literals
//   END                                  join; L"..." is accepted; \n \t \r \a \\ \" \ooo \xhh
//   TFORM1 RCDATA [options] "Form1.form" a file beside the script; a text form description
//                                        (starting with object/inherited/inline) is compiled
//                                        to its binary form stream, anything else kept as is
//
// Options: PRELOAD LOADONCALL MOVEABLE FIXED PURE IMPURE DISCARDABLE, LANGUAGE l, s,
// VERSION n, CHARACTERISTICS n. Names are stored upper case, as resource compilers do;
// a numeric name is an ordinal. Errors are EParserError naming the script and the line.
TResourceFile CompileResourceScript(const QByteArray& script, const QString& scriptPath);
TResourceFile CompileResourceScriptFile(const QString& scriptPath);

} // namespace lumotrix
