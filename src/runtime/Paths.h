#pragma once

// File paths as the program names its files: by extension, and below the user's folders.

#include <QString>

namespace lumotrix {

// The one special folder asked for: the user's documents.
constexpr int CSIDL_PERSONAL = 5;

// The path of a special folder; empty for another id or when the platform has none.
QString GetSpecialFolderPath(int folderId);

// `path` with the text after the file name's last dot (the dot included) replaced by `ext`, or
// with `ext` appended when the file name has no dot.
QString ChangeFileExt(const QString& path, const QString& ext);

} // namespace lumotrix
