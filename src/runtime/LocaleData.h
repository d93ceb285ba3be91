#pragma once

#include <QByteArray>
#include <QString>
#include <map>

namespace lumotrix {

// Locale item number -> text.
using TLocaleItems = std::map<int, QString>;

// The items ICU knows for a locale ("it_IT"): names, month and day names, separators, date
// and time pictures in the platform's picture letters, currency. Items ICU cannot give are
// left out.
TLocaleItems ReadIcuLocaleItems(const QByteArray& icuName);
// The same in two parts, read when first needed: the language and country names, which only
// the language choice shows, and everything else, which the format settings take at start-up.
TLocaleItems ReadIcuLocaleNames(const QByteArray& icuName);
TLocaleItems ReadIcuFormatItems(const QByteArray& icuName);
bool IsLocaleNameItem(int item);

// An ICU date pattern in the platform's picture letters: d dd ddd dddd, M MM MMM MMMM, yyyy, gg;
// quoted text kept, fields without a picture letter dropped.
QString PlatformDatePicture(const QString& icuPattern);

} // namespace lumotrix
