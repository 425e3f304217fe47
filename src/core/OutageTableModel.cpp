#include "OutageTableModel.h"

#include "SatelliteTableModel.h"

namespace skyvane {

namespace {

QString CellText(const OutageRow& row, int column) {
    const OutageRowTexts texts = FormatOutageRow(row);
    const QString cells[] = {texts.Date, texts.Start, texts.End, texts.Duration};
    return column >= 0 && column < OutageTableModel::ColumnCount ? cells[column] : QString();
}

QVariant SortValue(const OutageRow& row, int column) {
    switch (column) {
    case OutageTableModel::PredictedDate:
        return row.Start.toMSecsSinceEpoch();
    case OutageTableModel::StartGMT:
        return row.Start.time().msecsSinceStartOfDay();
    case OutageTableModel::EndGMT:
        return row.End.time().msecsSinceStartOfDay();
    case OutageTableModel::Duration:
        return qlonglong(row.DurationSeconds);
    default:
        return {};
    }
}

} // namespace

OutageTableModel::OutageTableModel(QObject* parent)
    : CaptionedTableModel({QStringLiteral("Predicted Date"), QStringLiteral("Start (GMT)"),
                           QStringLiteral("End (GMT)"), QStringLiteral("Duration")},
                          parent) {}

void OutageTableModel::setRows(std::vector<OutageRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int OutageTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int OutageTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant OutageTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const OutageRow& row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return CellText(row, index.column());
    case kSortRole:
        return SortValue(row, index.column());
    default:
        return {};
    }
}

} // namespace skyvane
