#pragma once

#include <QString>

namespace lumotrix {

// The tools speak English whatever the locale: the texts of the program's messages, by the ids
// of its string table, as the English catalogue translates them (compiled into the tools when
// they are built). Empty for an id the string table does not hold.
QString EnglishMessageText(quint16 id);

} // namespace lumotrix
