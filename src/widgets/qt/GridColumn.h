#pragma once

#include "runtime/DataTable.h"

#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

namespace lumotrix {

// How a grid column shows and edits its field.
enum class TColumnKind {
    Text,      // plain text editor
    Lookup,    // fixed drop-down over another table: stores the key, shows the list field
    PickList,  // fixed drop-down over a list of texts
    Time,      // time of day, hh:mm:ss
    ShortTime, // time, hh:mm
    Progress,  // a time as a bar from 0 to a whole day; read-only
    OffOn      // a boolean as the radio pair "Off" / "On"
};

struct TGridColumn {
    QString Name;              // the column's component name
    QString FieldName;         // the table field it shows
    QString Caption;           // header text
    QString AccessibleCaption; // what assistive tools read for a header without text
    int Width = 80;
    int MinWidth = 20;
    TColumnKind Kind = TColumnKind::Text;
    bool ReadOnly = false;
    bool Visible = true;
    bool Filtering = true; // offered in the header's filter menu
    int MaxLength = 0;     // text editors; 0 = unlimited
    QStringList Items;     // PickList
    // PickList, display only: a word shown beside each item in brackets (the day in the
    // user's language beside the stored Italian day); empty, or as long as Items.
    QStringList ItemNotes;
    TLookupSource Lookup; // Lookup
    QString OffCaption = QStringLiteral("Off");
    QString OnCaption = QStringLiteral("On");
};

// The fraction of a day that a time value stands for (QTime, or a day fraction as a double).
double DayFraction(const QVariant& value);
// A pick-list item as the drop-down and the tool tip show it: "Giovedì (Donnerstag)".
QString NotedItem(const TGridColumn& column, const QString& item);
QTime ToTime(const QVariant& value);

// The time columns' pictures: a 24-hour clock with the time separator in force.
QString TimeColumnFormat(TColumnKind kind);

} // namespace lumotrix
