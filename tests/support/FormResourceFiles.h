#pragma once

#include "runtime/ResourceFile.h"

#include <QList>
#include <QPair>
#include <memory>

namespace lumotrix::test {

// A form class name and its binary form stream, or its text description.
using TFormStream = QPair<QString, QByteArray>;
using TFormText = QPair<QString, QString>;

// A resource file holding each form as RT_RCDATA named after its class in capitals, as the
// resource compiler stores forms.
TResourceFile FormResourceFile(const QList<TFormStream>& forms);
TResourceFile FormTextResourceFile(const QList<TFormText>& forms);

// The file saved at `path` and read back: its code page is the one the file name gives.
std::unique_ptr<TResourceFile> SavedAndLoaded(const TResourceFile& file, const QString& path);

// The resources in force for the program, as a language switch leaves them.
void UseResourceFile(std::unique_ptr<TResourceFile> file);
void UseResourceFile(const TResourceFile& file);

// The stream of an object of `className` named `name` whose Caption is "Привет" in
// Windows-1251 bytes: what it reads as depends on the code page of the file it comes from.
QByteArray CyrillicCaptionForm(const char* className, const char* name);

} // namespace lumotrix::test
