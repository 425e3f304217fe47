#include "CaptionedTableModel.h"

namespace skyvane {

CaptionedTableModel::CaptionedTableModel(QStringList captions, QObject* parent)
    : QAbstractTableModel(parent)
    , m_captions(std::move(captions)) {}

QVariant CaptionedTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_captions.size())
        return {};
    return m_captions[section];
}

bool CaptionedTableModel::setHeaderData(int section, Qt::Orientation orientation,
                                        const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole) ||
        section < 0 || section >= m_captions.size())
        return false;
    m_captions[section] = value.toString();
    // A column not shown now keeps its caption for when it is; views know no such section.
    if (section < columnCount())
        emit headerDataChanged(orientation, section, section);
    return true;
}

} // namespace skyvane
