#pragma once

namespace lumotrix {

struct TForm1Fields;

// The grids' texts that the window sets itself rather than the form description, in the language
// in force: the column headers (the state column's "Off"/"On" included), the day names of the
// user's language beside the controller's Italian ones, and the names a screen reader gives the
// controls that show no caption of their own.
void TranslateGridTexts(const TForm1Fields& form);

} // namespace lumotrix
