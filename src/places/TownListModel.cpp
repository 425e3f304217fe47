#include "TownListModel.h"

#include "LocationDatabase.h"

#include <QStringList>

namespace skyvane {

namespace {
// Rows read per step: more than a list shows at once, few enough to read in a moment.
constexpr int kBatchRows = 256;
} // namespace

void TownListModel::setCursor(TownCursor cursor, const QString& searchText) {
    beginResetModel();
    m_searchText = searchText.trimmed();
    m_cursor = std::move(cursor);
    m_towns = m_cursor.Fetch(kBatchRows);
    endResetModel();
}

void TownListModel::setCountries(QHash<QString, QString> names, bool showCountry) {
    m_countryNames = std::move(names);
    m_showCountry = showCountry;
    if (!m_towns.empty())
        emit dataChanged(index(0), index(int(m_towns.size()) - 1), {Qt::DisplayRole});
}

const TownEntry* TownListModel::town(int row) const {
    if (row < 0 || row >= int(m_towns.size()))
        return nullptr;
    return &m_towns[size_t(row)];
}

QString TownListModel::displayText(const TownEntry& town) const {
    QStringList beside;
    if (!town.region.isEmpty())
        beside << town.region;
    if (m_showCountry) {
        const QString country = m_countryNames.value(town.countryKey);
        if (!country.isEmpty())
            beside << country;
    }
    QString name = town.localName.isEmpty() ? town.town : town.localName;
    if (town.byLocalName && !FoldForSearch(name).contains(FoldForSearch(m_searchText)))
        name += QStringLiteral(" (") + m_searchText + QLatin1Char(')');
    if (beside.isEmpty())
        return name;
    return name + QStringLiteral(" (") + beside.join(QStringLiteral(", ")) + QLatin1Char(')');
}

int TownListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_towns.size());
}

QVariant TownListModel::data(const QModelIndex& index, int role) const {
    const TownEntry* entry = town(index.row());
    if (!entry || index.column() != 0)
        return {};
    if (role == Qt::DisplayRole)
        return displayText(*entry);
    return {};
}

bool TownListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !m_cursor.AtEnd();
}

void TownListModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid())
        return;
    std::vector<TownEntry> more = m_cursor.Fetch(kBatchRows);
    if (more.empty())
        return;
    const int first = int(m_towns.size());
    beginInsertRows(QModelIndex(), first, first + int(more.size()) - 1);
    m_towns.insert(m_towns.end(), std::make_move_iterator(more.begin()),
                   std::make_move_iterator(more.end()));
    endInsertRows();
}

} // namespace skyvane
