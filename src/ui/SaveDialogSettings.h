#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace skyvane {

// The translatable settings of a window's save dialog, kept as an object of the window so that
// language files reach them like any control: the properties "DefaultExt" ("*.html") and
// "Filter" in the classic form "HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*".
// They are dynamic properties, so the class needs no meta-object of its own.
class SaveDialogSettings : public QObject {
public:
    SaveDialogSettings(const QString& name, const QString& defaultExt, const QString& filter,
                       QObject* parent)
        : QObject(parent) {
        setObjectName(name);
        setProperty("DefaultExt", defaultExt);
        setProperty("Filter", filter);
    }

    QString defaultExt() const { return property("DefaultExt").toString(); }
    QString filter() const { return property("Filter").toString(); }
};

} // namespace skyvane
