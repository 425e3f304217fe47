#pragma once

#include "../TestFiles.h"
#include "SqliteDatabase.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace skyvane::test {

// Creates an SQLite file at path and runs the statements on it; false when any fails.
inline bool MakeDatabase(const QString& path, const QStringList& statements) {
    SqliteDatabase db;
    if (!db.open(path, SqliteDatabase::OpenMode::ReadWriteCreate))
        return false;
    for (const QString& statement : statements) {
        if (!db.execute(statement))
            return false;
    }
    return true;
}

inline const QStringList& SmallSchemaAndCountries() {
    static const QStringList statements{
        "create table country (id integer primary key, country text)",
        "create table location (id integer, idcountry integer, town text, lat real, long real)",
        "insert into country values (1, 'Germany'), (2, 'Austria'), (3, 'Italy'), "
        "(12, 'Hungary'), (20, 'Nowhere Land')",
    };
    return statements;
}

// A few towns, longitudes West positive, chosen for the cases the tests stand for.
inline QStringList SmallDatabase() {
    QStringList statements = SmallSchemaAndCountries();
    statements << "insert into location values "
                  "(1, 1, 'Berlin', 52.52437, -13.41053),"
                  "(2, 1, 'Oberstdorf', 47.40724, -10.27939),"
                  "(3, 12, 'Szombathely', 47.23088, -16.62155),"
                  "(4, 12, 'Bernecebar\xc3\xa1ti', 48.04, -18.91),"
                  "(5, 12, 'K\xc3\xb6rmend', 47.1649, -16.1612),"
                  "(6, 3, 'L''Aquila', 42.35055, -13.39954),"
                  "(7, 2, 'Pa?bo', 47.0, -15.0),"
                  "(8, 2, 'Pa??bo', 47.0, -15.01),"
                  "(9, 2, '100% Town', 47.1, -15.1),"
                  "(10, 1, 'Null Island', 0, 0),"
                  "(11, 3, 'Polar Station', 80.0, 0),"
                  "(12, 3, 'Arctic Harbour', 70.0, 0),"
                  "(13, 3, 'Southwest Cape', -54.8, 68.3),"
                  "(14, 1, 'Quote\"Town', 50.0, -10.0)";
    return statements;
}

using testing::FileBytes;

} // namespace skyvane::test
