#pragma once

// Small helpers that several tests share.

#include <QApplication>
#include <QString>
#include <QTextBrowser>

#include <cerrno>

namespace skyvane::testing {

// The help window, a top-level window of its own, when it is shown.
inline QTextBrowser* VisibleHelpViewer() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("helpViewer") && w->isVisible())
            return qobject_cast<QTextBrowser*>(w);
    return nullptr;
}

// The system's own words, which follow the C library's locale (CI runs the suite in German too).
inline QString NotADirectory() {
    return qt_error_string(ENOTDIR);
}

} // namespace skyvane::testing
