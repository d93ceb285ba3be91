#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace lumotrix {

// One string value of a binary form stream, with where it sits.
struct TFormString {
    QString FormClass;      // class of the root component, as the stream names it
    QStringList Components; // names from the root down to the owner of the value
    QString ComponentClass;
    QString Property; // "Caption", "ScreenTip.Header", "Items.Strings[2]", "Panels[1].Caption"
    QStringList PropertyNames; // the names in Property without indexes: "Panels", "Caption"
    QString Text;
};

// Returns the text to store instead of the value, or nullopt to keep it as it is.
using TFormStringVisitor = std::function<std::optional<QString>(const TFormString&)>;

// Visits every string value of the form stream in stream order (string values, lines of string
// lists, strings in collection items) and returns the stream with the replacements made. Every
// other byte is copied as it was. A replacement is stored as an 8-bit string when it is ASCII
// and as a wide string otherwise, so it reads back the same whatever the file's code page.
// EReadError on a damaged stream.
QByteArray RewriteFormStrings(const QByteArray& form, const TFormStringVisitor& visit);

} // namespace lumotrix
