#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace skyvane {

// The translatable settings of a window's save dialog, kept as an object of the window so that
// language files reach them like any control: the properties "DefaultExt" ("*.html") and
// "Filter" in the classic form "HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*".
// They are dynamic properties, so the class needs no meta-object of its own.
class SaveDialogSpec : public QObject {
public:
    SaveDialogSpec(const QString& name, const QString& defaultExt, const QString& filter,
                   QObject* parent)
        : QObject(parent) {
        setObjectName(name);
        setProperty("DefaultExt", defaultExt);
        setProperty("Filter", filter);
    }

    QString defaultExt() const { return property("DefaultExt").toString(); }
    QString filter() const { return property("Filter").toString(); }

    // The default suffix without "*." ("html"), as a file dialog takes it.
    QString defaultSuffix() const {
        QString suffix = defaultExt();
        while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.')))
            suffix.remove(0, 1);
        return suffix;
    }

    // The filter in the file dialog's form: "HTML (*.html, *.htm) (*.html *.htm);;...". The
    // dialog takes the patterns from the last parentheses.
    QString dialogFilter() const {
        const QStringList parts = filter().split(QLatin1Char('|'));
        QStringList filters;
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
            QString patterns = parts[i + 1];
            patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
            filters.append(parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
        }
        return filters.join(QStringLiteral(";;"));
    }
};

} // namespace skyvane
