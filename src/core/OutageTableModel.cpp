#include "OutageTableModel.h"

#include "Constants.h"
#include "NumberText.h"
#include "SatelliteTableModel.h"
#include "SiteTimeZone.h"

namespace skyvane {

namespace {

// "12:41:23–12:47:13 (+01:00)": the offset of the day, so days either side of a change of
// daylight saving time read differently.
QString LocalTimeText(const OutageRow& row, const QTimeZone& zone) {
    return LocalClockText(row.Start, zone) + QChar(0x2013) + LocalClockText(row.End, zone) +
           QStringLiteral(" (") + UtcOffsetText(row.Start, zone) + QLatin1Char(')');
}

QString CellText(const OutageRow& row, int column, const QTimeZone& zone, double peakLoss) {
    if (column == OutageTableModel::PeakLoss)
        return FormatFixed(peakLoss, 1);
    if (column == OutageTableModel::LocalTime)
        return zone.isValid() ? LocalTimeText(row, zone) : QString();
    const OutageRowTexts texts = FormatOutageRow(row);
    const QString cells[] = {texts.Date, texts.Start, texts.End, texts.Duration};
    return column >= 0 && column < OutageTableModel::LocalTime ? cells[column] : QString();
}

QVariant SortValue(const OutageRow& row, int column, double peakLoss) {
    switch (column) {
    case OutageTableModel::PeakLoss:
        return peakLoss;
    case OutageTableModel::PredictedDate:
        return row.Start.toMSecsSinceEpoch();
    case OutageTableModel::StartGMT:
        return row.Start.time().msecsSinceStartOfDay();
    case OutageTableModel::EndGMT:
        return row.End.time().msecsSinceStartOfDay();
    case OutageTableModel::Duration:
        return qlonglong(row.DurationSeconds);
    case OutageTableModel::LocalTime:
        return row.Start.toMSecsSinceEpoch();
    default:
        return {};
    }
}

} // namespace

OutageTableModel::OutageTableModel(QObject* parent)
    : CaptionedTableModel({QStringLiteral("Predicted Date"), QStringLiteral("Start (GMT)"),
                           QStringLiteral("End (GMT)"), QStringLiteral("Duration"),
                           QStringLiteral("Local time"), QStringLiteral("Peak C/N loss (dB)")},
                          parent) {}

void OutageTableModel::setRows(std::vector<OutageRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    markBehindHorizon();
    endResetModel();
}

void OutageTableModel::setHorizon(const HorizonMask& mask, double siteLatitude,
                                  double siteLongitude) {
    m_horizon = mask;
    m_siteLatitude = siteLatitude;
    m_siteLongitude = siteLongitude;
    markBehindHorizon();
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void OutageTableModel::markBehindHorizon() {
    m_behindHorizon.assign(m_rows.size(), false);
    for (size_t i = 0; i < m_rows.size(); ++i)
        m_behindHorizon[i] =
            SunBehindHorizon(m_rows[i], m_horizon, m_siteLatitude, m_siteLongitude);
}

bool OutageTableModel::isBehindHorizon(int row) const {
    return row >= 0 && row < rowCount() && m_behindHorizon[static_cast<size_t>(row)];
}

void OutageTableModel::setLocalZone(const QTimeZone& zone) {
    const bool had = m_zone.isValid();
    changeColumns(columnsFor(zone.isValid(), hasPeakLosses()), [&] { m_zone = zone; });
    if (had && zone.isValid() && !m_rows.empty())
        emit dataChanged(index(0, LocalTime), index(rowCount() - 1, LocalTime));
}

void OutageTableModel::setPeakLosses(std::vector<double> losses) {
    const bool had = hasPeakLosses();
    changeColumns(columnsFor(m_zone.isValid(), !losses.empty()),
                  [&] { m_peakLosses = std::move(losses); });
    if (had && hasPeakLosses() && !m_rows.empty())
        emit dataChanged(index(0, PeakLoss), index(rowCount() - 1, PeakLoss));
}

int OutageTableModel::columnsFor(bool zone, bool peak) const {
    return peak ? ColumnCount : zone ? PeakLoss : LocalTime;
}

void OutageTableModel::changeColumns(int after, const std::function<void()>& change) {
    const int before = columnCount();
    if (after > before)
        beginInsertColumns({}, before, after - 1);
    else if (after < before)
        beginRemoveColumns({}, after, before - 1);
    change();
    if (after > before)
        endInsertColumns();
    else if (after < before)
        endRemoveColumns();
}

int OutageTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int OutageTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return columnsFor(m_zone.isValid(), hasPeakLosses());
}

QVariant OutageTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const auto at = static_cast<size_t>(index.row());
    const OutageRow& row = m_rows[at];
    const double peakLoss = at < m_peakLosses.size() ? m_peakLosses[at] : 0.0;
    switch (role) {
    case Qt::DisplayRole:
        return CellText(row, index.column(), m_zone, peakLoss);
    case kSortRole:
        return SortValue(row, index.column(), peakLoss);
    case kBlockedRole:
        return isBehindHorizon(index.row());
    case Qt::ToolTipRole:
        return isBehindHorizon(index.row()) ? QVariant(ConstantText(Constant::SunBehindHorizon))
                                            : QVariant();
    default:
        return {};
    }
}

} // namespace skyvane
