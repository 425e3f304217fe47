#include "LocalTownNames.h"

#include "LocationDatabase.h"

#include <unicode/locid.h>
#include <unicode/strenum.h>
#include <unicode/timezone.h>
#include <unicode/tznames.h>

#include <memory>

namespace skyvane {

namespace {

QString ToQString(const icu::UnicodeString& text) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.getBuffer()), text.length());
}

} // namespace

void LocalTownNames::SetLocale(const QByteArray& icuLocale) {
    if (icuLocale == m_locale)
        return;
    m_locale = icuLocale;
    m_countries.clear();
}

QString LocalTownNames::NameOf(const QString& countryCode, const QString& town) {
    const QString local = Country(countryCode).value(FoldForSearch(town));
    return local == town ? QString() : local;
}

const LocalTownNames::CountryNames& LocalTownNames::Country(const QString& countryCode) {
    const auto known = m_countries.constFind(countryCode);
    if (known != m_countries.constEnd())
        return *known;
    CountryNames& names = m_countries[countryCode];
    if (countryCode.size() != 2)
        return names;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::TimeZoneNames> english(
        icu::TimeZoneNames::createInstance(icu::Locale::getEnglish(), status));
    const std::unique_ptr<icu::TimeZoneNames> local(
        icu::TimeZoneNames::createInstance(icu::Locale(m_locale.constData()), status));
    const QByteArray region = countryCode.toLatin1();
    const std::unique_ptr<icu::StringEnumeration> zones(icu::TimeZone::createTimeZoneIDEnumeration(
        UCAL_ZONE_TYPE_CANONICAL_LOCATION, region.constData(), nullptr, status));
    if (U_FAILURE(status) || !zones)
        return names;
    while (const icu::UnicodeString* zone = zones->snext(status)) {
        if (U_FAILURE(status))
            break;
        icu::UnicodeString englishName, localName;
        english->getExemplarLocationName(*zone, englishName);
        local->getExemplarLocationName(*zone, localName);
        // The English name, or ICU's fallback to it, is no name of the interface language.
        if (!englishName.isEmpty() && !localName.isEmpty() && localName != englishName)
            names.insert(FoldForSearch(ToQString(englishName)), ToQString(localName));
    }
    return names;
}

} // namespace skyvane
