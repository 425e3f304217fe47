#include "TownListModel.h"

namespace skyvane {

void TownListModel::setTowns(std::vector<TownEntry> towns) {
    beginResetModel();
    m_towns = std::move(towns);
    endResetModel();
}

const TownEntry* TownListModel::town(int row) const {
    if (row < 0 || row >= int(m_towns.size()))
        return nullptr;
    return &m_towns[size_t(row)];
}

int TownListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_towns.size());
}

QVariant TownListModel::data(const QModelIndex& index, int role) const {
    const TownEntry* entry = town(index.row());
    if (!entry || index.column() != 0)
        return {};
    if (role == Qt::DisplayRole)
        return entry->town;
    return {};
}

} // namespace skyvane
