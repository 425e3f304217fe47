#include "SqliteDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

namespace skyvane {

SqliteStatement::SqliteStatement(sqlite3* db, sqlite3_stmt* statement)
    : m_db(db)
    , m_statement(statement) {}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr))
    , m_statement(std::exchange(other.m_statement, nullptr)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        finalize();
        m_db = std::exchange(other.m_db, nullptr);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

SqliteStatement::~SqliteStatement() {
    finalize();
}

void SqliteStatement::finalize() {
    if (m_statement)
        sqlite3_finalize(m_statement);
    m_statement = nullptr;
}

bool SqliteStatement::bindText(int index, const QString& text) {
    if (!m_statement)
        return false;
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()),
                             SQLITE_TRANSIENT) == SQLITE_OK;
}

bool SqliteStatement::bindInt64(int index, qint64 value) {
    if (!m_statement)
        return false;
    return sqlite3_bind_int64(m_statement, index, value) == SQLITE_OK;
}

bool SqliteStatement::bindDouble(int index, double value) {
    if (!m_statement)
        return false;
    return sqlite3_bind_double(m_statement, index, value) == SQLITE_OK;
}

SqliteStatement::StepResult SqliteStatement::step() {
    if (!m_statement)
        return StepResult::Error;
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return StepResult::Row;
    case SQLITE_DONE:
        return StepResult::Done;
    default:
        return StepResult::Error;
    }
}

void SqliteStatement::reset() {
    if (m_statement)
        sqlite3_reset(m_statement);
}

int SqliteStatement::columnCount() const {
    return m_statement ? sqlite3_column_count(m_statement) : 0;
}

QString SqliteStatement::columnName(int column) const {
    if (column < 0 || column >= columnCount())
        return {};
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

int SqliteStatement::columnIndex(const QString& name) const {
    const int count = columnCount();
    for (int column = 0; column < count; ++column) {
        if (columnName(column).compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

bool SqliteStatement::columnIsNull(int column) const {
    if (column < 0 || column >= columnCount())
        return true;
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

QString SqliteStatement::columnText(int column, qsizetype maxCharacters) const {
    if (column < 0 || column >= columnCount())
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!text)
        return {};
    qsizetype bytes = sqlite3_column_bytes(m_statement, column);
    if (maxCharacters < 0)
        return QString::fromUtf8(text, bytes);
    // No character takes more than four bytes.
    bytes = std::min(bytes, maxCharacters * 4);
    return QString::fromUtf8(text, bytes).left(maxCharacters);
}

std::optional<double> SqliteStatement::columnNumber(int column) const {
    if (column < 0 || column >= columnCount())
        return std::nullopt;
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_statement, column);
    case SQLITE_TEXT: {
        bool ok = false;
        const double value = columnText(column, 64).trimmed().toDouble(&ok);
        return ok ? std::optional<double>(value) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QString SqliteStatement::errorMessage() const {
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("no database");
}

SqliteDatabase::~SqliteDatabase() {
    close();
}

bool SqliteDatabase::open(const QString& path, OpenMode mode) {
    close();
    const int flags = mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        m_openError =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        return false;
    }
    m_openError.clear();
    m_db = db;
    return true;
}

void SqliteDatabase::setLengthLimit(int bytes) {
    if (m_db)
        sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, bytes);
}

void SqliteDatabase::close() {
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

SqliteStatement SqliteDatabase::prepare(const QString& sql) {
    if (!m_db)
        return {};
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &statement, nullptr) !=
            SQLITE_OK ||
        !statement) {
        sqlite3_finalize(statement);
        return {};
    }
    return SqliteStatement(m_db, statement);
}

bool SqliteDatabase::execute(const QString& sql) {
    if (!m_db)
        return false;
    return sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString SqliteDatabase::errorMessage() const {
    if (!m_db)
        return m_openError.isEmpty() ? QStringLiteral("no database") : m_openError;
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

} // namespace skyvane
