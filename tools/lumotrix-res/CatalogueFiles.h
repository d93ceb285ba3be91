#pragma once

#include <QString>
#include <QStringList>

namespace lumotrix {

// The extract and translate commands on files. Failures throw the runtime's exceptions and
// leave no output behind.

// IN.res -> OUT.pot.
void ExtractTemplateFile(const QString& resources, const QString& templatePath);

// IN.res + LANG.po -> OUT. An OUT that is a folder gets the program's translation file named by
// the catalogue (de_DE.po -> lumotrix.DEU). Returns the stale and unusable entries, one line
// each; they do not stop the translation.
QStringList TranslateFile(const QString& resources, const QString& catalogue,
                          const QString& output);

} // namespace lumotrix
