#pragma once

#include <QList>
#include <QString>

namespace lumotrix {

// One message of a gettext catalogue.
struct TCatalogueEntry {
    QString Context;     // msgctxt: where the text is used
    QString Id;          // msgid: the built-in text
    QString Translation; // msgstr; empty when untranslated
    QString Comment;     // for translators (#.)
    bool Fuzzy = false;
    bool CFormat = false; // the text holds printf-style directives a translation must keep
    bool Plural = false;  // has msgid_plural: nothing of ours is ever plural
    // Why gettext finds the translation's format directives unfit for the msgid's; empty when
    // they fit. The program would fail formatting such a text.
    QString FormatProblem;
};

// Reads a PO file with GNU gettext's library: every message except the header entry and the
// obsolete ones, in file order, as Unicode whatever the catalogue's charset. EResNotFound when
// the file cannot be read. A file gettext refuses ends the program with exit code 1 after its
// messages have been printed: the library does not let its caller return from such an error.
QList<TCatalogueEntry> ReadCatalogue(const QString& path);

// Writes a catalogue template (.pot): a header for msginit to fill in, then the entries with
// their translations left empty. UTF-8; no creation date, so the same program gives the same
// file. EWriteError on failure, leaving an existing file as it was.
void WriteCatalogueTemplate(const QString& path, const QList<TCatalogueEntry>& entries);

} // namespace lumotrix
