#include "WindowPlacement.h"

#include "SettingsStore.h"

#include <QEvent>
#include <QWidget>

namespace skyvane {

WindowPlacement::WindowPlacement(QWidget* window, const QString& key)
    : QObject(window)
    , m_window(window)
    , m_key(key) {
    window->installEventFilter(this);
}

QString WindowPlacement::SettingsKey(const QString& key) {
    return QString::fromUtf8(settings::WindowPlacementOf(key).key);
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
    const QByteArray geometry = SettingsStore().value(settings::WindowPlacementOf(m_key));
    if (!geometry.isEmpty())
        m_window->restoreGeometry(geometry);
}

void WindowPlacement::Save() {
    if (!m_restored || m_window->isMinimized())
        return;
    SettingsStore store;
    store.write(settings::WindowPlacementOf(m_key), m_window->saveGeometry());
    store.sync();
}

} // namespace skyvane
