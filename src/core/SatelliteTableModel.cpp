#include "SatelliteTableModel.h"

#include "Constants.h"
#include "LookAngles.h"
#include "Motor.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace skyvane {

namespace {

QString CellText(const TSatelliteData& record, int column) {
    switch (column) {
    case SatelliteTableModel::Position:
        return OrbitalPositionText(record.Position);
    case SatelliteTableModel::Name:
        return record.Name;
    case SatelliteTableModel::Azimuth:
        return FormatAngle(record.Azimuth);
    case SatelliteTableModel::Elevation:
        return FormatAngle(record.Elevation);
    case SatelliteTableModel::Skew:
        return FormatAngle(record.Skew);
    case SatelliteTableModel::Motor:
        return MotorAngleText(MotorAngleOf(record));
    default:
        return {};
    }
}

QVariant SortValue(const TSatelliteData& record, int column) {
    switch (column) {
    case SatelliteTableModel::Position:
        return record.Position;
    case SatelliteTableModel::Name:
        return record.Name;
    case SatelliteTableModel::Azimuth:
        return record.Azimuth;
    case SatelliteTableModel::Elevation:
        return record.Elevation;
    case SatelliteTableModel::Skew:
        return record.Skew;
    case SatelliteTableModel::Motor:
        return MotorAngleOf(record);
    default:
        return {};
    }
}

} // namespace

QString DailyMovementText(const TSatelliteData& record) {
    if (!record.movesDaily())
        return {};
    return FormatConstant(Constant::InclinedSwing, {FormatFixed(record.Inclination, 2),
                                                    FormatFixed(record.DailyAzimuthSpan, 2),
                                                    FormatFixed(record.DailyElevationSpan, 2)});
}

bool BlockedByHorizon(const TSatelliteData& record, const HorizonMask& mask, double declination) {
    return mask.blocks(record.Azimuth - declination, record.Elevation);
}

double DailySwingInTheSky(const TSatelliteData& record) {
    return std::max(record.DailyAzimuthSpan * std::cos(DegToRad(record.Elevation)),
                    record.DailyElevationSpan);
}

SatelliteTableModel::SatelliteTableModel(QObject* parent)
    : CaptionedTableModel({QStringLiteral("Position"), QStringLiteral("Satellite name"),
                           QStringLiteral("Azimuth"), QStringLiteral("Elevation"),
                           QStringLiteral("Skew"), QStringLiteral("Motor")},
                          parent) {}

void SatelliteTableModel::setRecords(std::vector<SatelliteRecord> records) {
    beginResetModel();
    m_records = std::move(records);
    markBlocked();
    endResetModel();
}

void SatelliteTableModel::setHorizon(const HorizonMask& mask, double declination) {
    m_horizon = mask;
    m_declination = declination;
    markBlocked();
    if (!m_records.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void SatelliteTableModel::markBlocked() {
    m_blocked.assign(m_records.size(), false);
    for (size_t i = 0; i < m_records.size(); ++i)
        m_blocked[i] = m_records[i] && BlockedByHorizon(*m_records[i], m_horizon, m_declination);
}

bool SatelliteTableModel::isBlocked(int row) const {
    return row >= 0 && row < rowCount() && m_blocked[static_cast<size_t>(row)];
}

int SatelliteTableModel::blockedCount() const {
    return static_cast<int>(std::count(m_blocked.begin(), m_blocked.end(), true));
}

SatelliteRecord SatelliteTableModel::record(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    return m_records[static_cast<size_t>(row)];
}

void SatelliteTableModel::setMotorColumnShown(bool shown) {
    if (shown == m_motorShown)
        return;
    if (shown) {
        beginInsertColumns({}, Motor, Motor);
        m_motorShown = true;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, Motor, Motor);
        m_motorShown = false;
        endRemoveColumns();
    }
}

int SatelliteTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_records.size());
}

int SatelliteTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_motorShown ? ColumnCount : Motor;
}

QVariant SatelliteTableModel::data(const QModelIndex& index, int role) const {
    const SatelliteRecord row = record(index.row());
    if (!row || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return CellText(*row, index.column());
    case kSortRole:
        return SortValue(*row, index.column());
    case kRecordRole:
        return QVariant::fromValue(row);
    case kBlockedRole:
        return isBlocked(index.row());
    case Qt::ToolTipRole: {
        QStringList tips;
        if (isBlocked(index.row()))
            tips << ConstantText(Constant::BlockedByHorizon);
        if (const QString movement = DailyMovementText(*row); !movement.isEmpty())
            tips << movement;
        return tips.join(QLatin1Char('\n'));
    }
    default:
        return {};
    }
}

} // namespace skyvane
