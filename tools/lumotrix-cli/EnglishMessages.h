#pragma once

#include <QList>
#include <QString>

namespace lumotrix {

// This tool speaks English whatever the locale: the texts of the program's messages, by the
// ids of its string table. Empty for an id it does not know.
QString EnglishMessageText(quint16 id);
QList<quint16> EnglishMessageIds();

} // namespace lumotrix
