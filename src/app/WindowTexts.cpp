#include "app/WindowTexts.h"

#include "app/AppMessageIds.h"
#include "app/HoravelFormFields.h"
#include "localisation/LangResource.h"
#include "runtime/FormatSettings.h"
#include "runtime/ModuleList.h"
#include "widgets/GridTableView.h"
#include "widgets/ProgressBar.h"

namespace lumotrix {

namespace {

// What a screen reader calls the controls that show no caption of their own, in the language
// in force.
void NameForAssistiveTools(const TForm1Fields& f) {
    f.Grid1DBTableView1->Widget()->setAccessibleName(LoadResString(msgTimerGrid));
    f.Grid2DBTableView1->Widget()->setAccessibleName(LoadResString(msgPortGrid));
    f.Grid1DBTableView1Timer->SetAccessibleCaption(LoadResString(msgGridTimerLabel));
    f.Grid1DBTableView1Column1->SetAccessibleCaption(LoadResString(msgGridDurationBar));
    f.Grid2DBTableView1RecId->SetAccessibleCaption(LoadResString(msgGridRecordId));
    f.ProgressBar1->Widget()->setAccessibleName(LoadResString(msgTransferProgress));
}

// The controller's day names stay Italian; a keeper reading another language sees the day in
// it beside them. Display only: the grid still stores and sends the Italian text.
void ShowDayNamesInLanguage(const TForm1Fields& f) {
    QStringList notes;
    const bool italian = CurrentLanguage.isEmpty() ||
                         CurrentLanguage.startsWith(BuiltInLanguage, Qt::CaseInsensitive);
    if (!italian) {
        const auto& days = FormatSettings().LongDayNames; // [0] is Sunday, the list starts Monday
        const QStringList items = f.Grid1DBTableView1Giorno->Items()->ToStringList();
        for (int i = 0; i < items.size(); ++i) {
            const QString note = i < 7 ? days[size_t((i + 1) % 7)] : LoadResString(msgAllDays);
            // A word the Italian already says (format settings left Italian) adds nothing.
            notes << (note.compare(items[i], Qt::CaseInsensitive) == 0 ? QString() : note);
        }
    }
    f.Grid1DBTableView1Giorno->SetItemNotes(notes);
}

} // namespace

void TranslateGridTexts(const TForm1Fields& f) {
    // Setting a header defines its column again, the state column's "Off"/"On" included.
    f.Grid1DBTableView1Uscita->SetCaption(LoadResString(msgColumnPort));
    f.Grid1DBTableView1Giorno->SetCaption(LoadResString(msgColumnDay));
    f.Grid1DBTableView1Inizio->SetCaption(LoadResString(msgColumnStart));
    f.Grid1DBTableView1Durata->SetCaption(LoadResString(msgColumnDuration));
    f.Grid1DBTableView1Stato->SetCaption(LoadResString(msgColumnState));
    f.Grid2DBTableView1Descrizione->SetCaption(LoadResString(msgColumnDescription));
    ShowDayNamesInLanguage(f);
    NameForAssistiveTools(f);
}

} // namespace lumotrix
