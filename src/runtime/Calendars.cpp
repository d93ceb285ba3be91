#include "runtime/Calendars.h"

#include <map>
#include <memory>
#include <mutex>
#include <unicode/calendar.h>
#include <unicode/dtfmtsym.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>

namespace lumotrix {
namespace {

struct TEraCalendar {
    int Calendar;
    const char* IcuType;
    int FirstYear; // eras beginning earlier are not the platform's
};

constexpr TEraCalendar EraCalendars[] = {
    {CAL_JAPAN, "japanese", 1868},
    {CAL_TAIWAN, "roc", 1912},
};

// The Gregorian year of the last day of an era's year 1.
int FirstGregorianYear(icu::Calendar& calendar, int32_t era) {
    UErrorCode status = U_ZERO_ERROR;
    calendar.clear();
    calendar.set(UCAL_ERA, era);
    calendar.set(UCAL_YEAR, 1);
    calendar.set(UCAL_MONTH, UCAL_DECEMBER);
    calendar.set(UCAL_DATE, 31);
    const UDate time = calendar.getTime(status);
    icu::GregorianCalendar gregorian(status);
    gregorian.setTime(time, status);
    const int year = gregorian.get(UCAL_YEAR, status);
    return U_SUCCESS(status) ? year : 0;
}

} // namespace

QList<TEra> CalendarEras(int calendar, TLocaleId locale) {
    // Computed once per calendar and locale: a switch to a far-east locale reads them each time.
    static std::mutex mutex;
    static std::map<std::pair<int, TLocaleId>, QList<TEra>> cache;
    const std::lock_guard lock(mutex);
    const auto key = std::make_pair(calendar, ResolveLocale(locale));
    const auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    QList<TEra>& eras = cache[key];
    const TEraCalendar* kind = nullptr;
    for (const TEraCalendar& c : EraCalendars)
        if (c.Calendar == calendar)
            kind = &c;
    const QString name = IcuLocaleName(ResolveLocale(locale));
    if (!kind || name.isEmpty())
        return eras;
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale icuLocale(name.toLatin1().constData());
    icuLocale.setKeywordValue("calendar", kind->IcuType, status);
    const icu::DateFormatSymbols symbols(icuLocale, kind->IcuType, status);
    std::unique_ptr<icu::Calendar> eraCalendar(icu::Calendar::createInstance(icuLocale, status));
    if (U_FAILURE(status))
        return eras;
    eraCalendar->setLenient(true);
    int32_t count = 0;
    const icu::UnicodeString* names = symbols.getEras(count);
    // From the newest back to the first the platform counts: the Japanese calendar has some
    // 230 older eras that would only cost time.
    for (int32_t era = count - 1; era >= 0; --era) {
        const int year = FirstGregorianYear(*eraCalendar, era);
        if (year < kind->FirstYear)
            break;
        eras.prepend(
            {QString(reinterpret_cast<const QChar*>(names[era].getBuffer()), names[era].length()),
             year});
    }
    return eras;
}

} // namespace lumotrix
