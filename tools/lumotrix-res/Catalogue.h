#pragma once

#include "PoCatalogue.h"
#include "runtime/ResourceFile.h"

#include <QList>
#include <QStringList>

namespace lumotrix {

// The program's texts as a translation catalogue, and a translated catalogue back into
// resources. A form value's context is "FormClass|Root.Owner.Component|Property" (for example
// "TForm1|Form1.BarButtonOpen|ScreenTip.Header", "TForm1|Form1.StatusBar|Panels[2].Caption"),
// a message's is "STRINGTABLE|65504".

// One entry per translatable text of the resources: every text value of every form (values,
// string-list lines, values inside collection items) except those that name something rather
// than say something (field, icon, font and port names, formats, paths), then every string of
// the string table in id order. EReadError when a form cannot be read.
QList<TCatalogueEntry> ExtractCatalogue(const TResourceFile& resources);

// The resources with each translated entry of the catalogue put in place of the built-in text.
// Untranslated and fuzzy entries keep the built-in text. An entry whose context is not in the
// resources, or whose msgid is no longer the built-in text there (stale), and one whose format
// directives do not fit its msgid's, change nothing and are described in `reports`, one line
// each.
TResourceFile TranslateResources(const TResourceFile& resources,
                                 const QList<TCatalogueEntry>& catalogue, QStringList& reports);

} // namespace lumotrix
