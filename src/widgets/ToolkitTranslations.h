#pragma once

#include <QString>

namespace lumotrix {

// Puts the toolkit's own texts (the standard buttons of message boxes, the file dialog, the
// context menus of editors) into the language `locale` names ("it", "de_DE"), replacing the
// catalogue loaded before; an empty or unknown language leaves the toolkit's built-in English.
// Run again whenever the interface language changes. True when a catalogue was found.
bool LoadToolkitTranslations(const QString& locale);

// Tells every window, at once, that the interface language has changed, so that each widget
// re-reads the texts it words itself (its screen-reader names, its chrome). The toolkit posts the
// same event only as a side effect of swapping one of its own catalogues, which may not exist.
void AnnounceLanguageChange();

} // namespace lumotrix
