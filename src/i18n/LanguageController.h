#pragma once

#include "LanguageFile.h"
#include "Translatable.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace skyvane {

// A window's part in language switching. Created in the window's constructor, after its
// controls exist:
//     new LanguageController(this, Translation(), [this] { LanguageController1LanguageChanged();
//     });
// It records the window's English texts, follows the language manager's LanguageChanged, and,
// when another language than the default is current, gives the window that language at once
// from the manager's parsed file. It ends with the window.
class LanguageController : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void()>;

    LanguageController(QWidget* window, const WindowTranslation& translation,
                       Handler languageChanged = {});

    QWidget* window() const { return m_window; }
    const WindowTranslation& windowTranslation() const { return m_translation; }

    // Sets every entry that is not ignored to the translation's text, or to the recorded English
    // text when the translation lacks it (always for a null translation), then runs the handler.
    void ApplyTranslation(const Translation* translation);

    // The text the entry's property had when the window was created.
    QString RecordedEnglish(int number) const;

signals:
    // After a language has been applied to the window.
    void OnLanguageChanged();

private:
    QPointer<QWidget> m_window;
    const WindowTranslation& m_translation;
    Handler m_languageChanged;
    QHash<int, QString> m_english;
    // Per entry of the table, whether the window's ignore masks exclude it.
    std::vector<bool> m_ignored;
};

// The object called `name` inside `window`, its actions, menus and grid columns included, but not
// inside other windows it owns; the window itself for an empty name.
QObject* FindComponent(QWidget* window, const QString& name);

// A text property by its path ("Caption", "TextAfter", "Header.Caption") as windows of the
// language files know it; "Caption" is the title of a window, menu or group box and the text of
// a label, button or action. Empty when the object has no such property.
std::optional<QString> ReadTranslatableProperty(QObject* object, const QString& path,
                                                bool isWindow);
// Returns false when the object has no such property.
bool WriteTranslatableProperty(QObject* object, const QString& path, const QString& text,
                               bool isWindow);

// A window's ignore masks.
class IgnoreMasks {
public:
    explicit IgnoreMasks(const QStringList& masks);
    // Whether a mask ("*" any run of characters, case ignored) excludes the property: it is
    // matched against "<objectName>.<property>" (the property alone for the window itself,
    // objectName empty) and against the component's name alone.
    bool ignores(const QString& objectName, const QString& property) const;

private:
    QStringList m_masks;
};

// IgnoreMasks(masks).ignores(objectName, property).
bool IsIgnoredProperty(const QStringList& masks, const QString& objectName,
                       const QString& property);

} // namespace skyvane
