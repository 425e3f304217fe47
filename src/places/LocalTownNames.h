#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace skyvane {

// Town names in the interface language, as ICU's locale data gives them for the cities that
// name time zones ("Wien" and "Bécs" for Vienna, "Zürich"): the town file itself tells no
// language for its local names. Looked up by country, one country read once per language.
class LocalTownNames {
public:
    // icuLocale: the interface language ("de_DE"). An unknown locale gives no names.
    void SetLocale(const QByteArray& icuLocale);
    // The name of the town in the interface language; empty when ICU knows none or it is the
    // town's own. countryCode: ISO 3166 alpha-2.
    QString NameOf(const QString& countryCode, const QString& town);

private:
    // Folded English names to the names in the interface language, of one country.
    using CountryNames = QHash<QString, QString>;
    const CountryNames& Country(const QString& countryCode);

    QByteArray m_locale = "en_US";
    QHash<QString, CountryNames> m_countries;
};

} // namespace skyvane
