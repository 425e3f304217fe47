#pragma once

#include "LocationDatabase.h"

#include <QAbstractListModel>
#include <QHash>

#include <vector>

namespace skyvane {

// The town list's rows, read from a town cursor as the list scrolls to them: one name per town
// with its region beside it, and its country when the list spans every country. The key and the
// coordinates stay with the row.
class TownListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces the rows by the cursor's, reading the first batch at once. searchText: what
    // was typed, shown beside the towns found by a local name.
    void setCursor(TownCursor cursor, const QString& searchText = {});
    // Country names by key, shown beside the towns when `showCountry` is set.
    void setCountries(QHash<QString, QString> names, bool showCountry);
    const TownEntry* town(int row) const;
    // The text a row shows: "Town (Region, Country)", or "Town (searched text) (Region,
    // Country)" when the search found it by a local name.
    QString displayText(const TownEntry& town) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    TownCursor m_cursor;
    std::vector<TownEntry> m_towns;
    QHash<QString, QString> m_countryNames;
    QString m_searchText;
    bool m_showCountry = true;
};

} // namespace skyvane
