#pragma once

#include "LocationDatabase.h"

#include <QAbstractListModel>

#include <vector>

namespace skyvane {

// The town list's rows: the town name is shown, the key and coordinates stay with the row.
class TownListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setTowns(std::vector<TownEntry> towns);
    const TownEntry* town(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<TownEntry> m_towns;
};

} // namespace skyvane
