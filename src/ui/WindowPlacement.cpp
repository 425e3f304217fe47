#include "WindowPlacement.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace skyvane {

namespace {

// The same per-user file as the main window's stored values.
QSettings UserSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quors_skyvane"),
                     QStringLiteral("skyvane"));
}

} // namespace

WindowPlacement::WindowPlacement(QWidget* window, const QString& key)
    : QObject(window)
    , m_window(window)
    , m_key(SettingsKey(key)) {
    window->installEventFilter(this);
}

QString WindowPlacement::SettingsKey(const QString& key) {
    return QStringLiteral("WindowPlacement/") + key;
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        if (event->type() == QEvent::Show && !m_restored)
            Restore();
        else if (event->type() == QEvent::Close || event->type() == QEvent::Hide)
            Save();
    }
    return false;
}

void WindowPlacement::Restore() {
    m_restored = true;
    const QByteArray geometry = UserSettings().value(m_key).toByteArray();
    if (!geometry.isEmpty())
        m_window->restoreGeometry(geometry);
}

void WindowPlacement::Save() {
    if (!m_restored || m_window->isMinimized())
        return;
    UserSettings().setValue(m_key, m_window->saveGeometry());
}

} // namespace skyvane
