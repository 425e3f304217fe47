#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace skyvane {

// Keeps a window's size and position between runs: restored before the window is first shown,
// saved whenever it is closed or hidden. Kept in the per-user settings store under
// "WindowPlacement/<key>"; a window manager's own placement wins when nothing is stored.
class WindowPlacement : public QObject {
public:
    WindowPlacement(QWidget* window, const QString& key);

    static QString SettingsKey(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Restore();
    void Save();

    QWidget* m_window;
    QString m_key;
    bool m_restored = false;
};

} // namespace skyvane
