#include "Constants.h"

#include <QReadWriteLock>

#include <array>

namespace skyvane {

namespace {

struct Constant {
    const char* name;
    const char* builtIn; // UTF-8
    QString current;
};

struct ConstantTable {
    QReadWriteLock lock;
    std::array<Constant, 14> entries{{
        {"constAzimuth", "Azimuth", {}},
        {"constDetailsForSatAtLoc", "Details for %s at %s", {}},
        {"constEastShort", "E", {}},
        {"constElevation", "Elevation", {}},
        {"constNorthShort", "N", {}},
        {"constObstacleRsltDistance", "The mimimum possible distance to the obstacle is %s m.", {}},
        {"constObstacleRsltElevation", "The minimum possible elevation is %s \u00b0.", {}},
        {"constObstacleRsltHeight",
         "The maximum possible difference between the total height of the obstacle and the "
         "lowest point of the antenna is %s m.",
         {}},
        {"constSatTheoreticallyVisible", "%s satellites theoretically visible", {}},
        {"constSkew", "Skew", {}},
        {"constSouthShort", "S", {}},
        {"constSunOutageForSatAtLoc", "Sun Outage for %s at %s", {}},
        {"constTranslatedBy", "", {}},
        {"constWestShort", "W", {}},
    }};

    ConstantTable() {
        for (Constant& c : entries)
            c.current = QString::fromUtf8(c.builtIn);
    }

    Constant& find(const QString& name) {
        for (Constant& c : entries)
            if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return c;
        throw ConstantNotFound(QStringLiteral("Constant \"%1\" not found").arg(name).toStdString());
    }
};

ConstantTable& Table() {
    static ConstantTable table;
    return table;
}

} // namespace

QString ConstantText(const QString& name) {
    ConstantTable& table = Table();
    QReadLocker locker(&table.lock);
    return table.find(name).current;
}

void SetConstantText(const QString& name, const QString& text) {
    ConstantTable& table = Table();
    QWriteLocker locker(&table.lock);
    table.find(name).current = text;
}

void ResetConstants() {
    ConstantTable& table = Table();
    QWriteLocker locker(&table.lock);
    for (Constant& c : table.entries)
        c.current = QString::fromUtf8(c.builtIn);
}

QStringList ConstantNames() {
    QStringList names;
    for (const Constant& c : Table().entries)
        names.append(QLatin1String(c.name));
    return names;
}

QString BuiltInConstantText(const QString& name) {
    ConstantTable& table = Table();
    QReadLocker locker(&table.lock);
    return QString::fromUtf8(table.find(name).builtIn);
}

QString FormatPercentS(const QString& pattern, const QStringList& arguments) {
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') && i + 1 < pattern.size()) {
            const QChar kind = pattern.at(i + 1);
            if (kind == QLatin1Char('%')) {
                result.append(QLatin1Char('%'));
                ++i;
                continue;
            }
            if (kind == QLatin1Char('s')) {
                if (next < arguments.size())
                    result.append(arguments.at(next));
                ++next;
                ++i;
                continue;
            }
        }
        result.append(c);
    }
    return result;
}

QString FormatConstant(const QString& name, const QStringList& arguments) {
    return FormatPercentS(ConstantText(name), arguments);
}

} // namespace skyvane
