#pragma once

#include <QSettings>
#include <QString>

#include <memory>
#include <optional>

namespace skyvane {

// The per-user store of the main window's seven values. Doubles are kept as their 8 bytes,
// little-endian; booleans and identifiers as integers. A value of the wrong type or size reads
// as absent, so a damaged store never stops the program from starting; so does a double that is
// not finite or outside its sensible range (latitude ±90°, longitude ±180°, a diameter above 0
// and at most 1000 m). A store that is no regular file (a FIFO, a device) is neither read nor
// written.
class SettingsStore {
public:
    // The store in the user's config folder (organisation "quors_skyvane").
    SettingsStore();
    // A store in the given INI file (tests).
    explicit SettingsStore(const QString& iniFile);

    // Whether the store has been written before (the first start has none).
    bool exists() const;

    std::optional<double> readDouble(const QString& name) const;
    std::optional<int> readInt(const QString& name) const;
    void writeDouble(const QString& name, double value);
    void writeInt(const QString& name, int value);
    // Writes to disk; returns false when the store cannot be written.
    bool sync();

    QString fileName() const;

private:
    QString m_path;
    std::unique_ptr<QSettings> m_settings; // null when the store is left alone
};

} // namespace skyvane
