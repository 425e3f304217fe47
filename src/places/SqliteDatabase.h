#pragma once

#include <QString>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace skyvane {

// One prepared statement. Finalized when destroyed; movable, not copyable. A default or failed
// statement is invalid: binding fails and stepping yields Error.
class SqliteStatement {
public:
    enum class StepResult { Row, Done, Error };

    SqliteStatement() = default;
    SqliteStatement(sqlite3* db, sqlite3_stmt* statement);
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    bool isValid() const { return m_statement != nullptr; }

    // Parameter indexes start at 1, as in SQL's "?1".
    bool bindText(int index, const QString& text);
    bool bindInt64(int index, qint64 value);
    bool bindDouble(int index, double value);

    StepResult step();
    // Back to before the first step, bindings kept, for running the statement again.
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    // The index of the column with that name (compared without regard to case), or -1.
    int columnIndex(const QString& name) const;
    bool columnIsNull(int column) const;
    // The column's value as text (SQLite converts numbers); empty for NULL or a bad column.
    // With maxCharacters >= 0, no more than that many characters are decoded and kept.
    QString columnText(int column, qsizetype maxCharacters = -1) const;
    // The column's value when it is stored as a number, or as a text that reads as one in
    // full; nullopt otherwise (NULL, "abc", a blob).
    std::optional<double> columnNumber(int column) const;

    // The text of the connection's last error.
    QString errorMessage() const;

    void finalize();

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};

// A connection to one SQLite 3 file, closed when destroyed. Every failure is reported by the
// return value and errorMessage(), never by an exception.
class SqliteDatabase {
public:
    enum class OpenMode { ReadOnly, ReadWriteCreate };

    SqliteDatabase() = default;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase();

    bool open(const QString& path, OpenMode mode = OpenMode::ReadOnly);
    // The longest text or blob, in bytes, any statement may read or make: a longer value ends
    // its statement with an error instead of being read into memory.
    void setLengthLimit(int bytes);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // An invalid statement when the text does not compile (missing table or column, not a
    // database, not open); errorMessage() then says why.
    SqliteStatement prepare(const QString& sql);
    // Runs statements that return no rows (schema and data set-up).
    bool execute(const QString& sql);

    QString errorMessage() const;
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    QString m_openError;
};

} // namespace skyvane
