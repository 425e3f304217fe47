#include "LanguageController.h"

#include "LanguageManager.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMetaProperty>
#include <QQueue>
#include <QWidget>

namespace skyvane {

namespace {

// Other windows owned by this one (tool windows, the about box) translate themselves; menus are
// windows too in the toolkit's sense, but belong to the window that shows them.
bool IsForeignWindow(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->isWindow() && !qobject_cast<const QMenu*>(widget);
}

// The name of the toolkit property that stands for `name` on this object.
QByteArray ToolkitPropertyName(const QObject* object, const QString& name, bool isWindow) {
    const QByteArray asIs = name.toUtf8();
    if (object->metaObject()->indexOfProperty(asIs.constData()) >= 0)
        return asIs;
    if (name.compare(QLatin1String("Caption"), Qt::CaseInsensitive) != 0)
        return object->dynamicPropertyNames().contains(asIs) ? asIs : QByteArray();
    if (isWindow)
        return "windowTitle";
    if (qobject_cast<const QMenu*>(object) || qobject_cast<const QGroupBox*>(object))
        return "title";
    if (qobject_cast<const QAction*>(object) || qobject_cast<const QLabel*>(object) ||
        qobject_cast<const QAbstractButton*>(object))
        return "text";
    return {};
}

// The object that holds the last part of a property path: "Header.Caption" lives on the
// column's child "Header".
QObject* PropertyOwner(QObject* object, const QStringList& parts) {
    for (qsizetype i = 0; object && i + 1 < parts.size(); ++i) {
        QObject* child = object->findChild<QObject*>(parts[i], Qt::FindDirectChildrenOnly);
        if (!child)
            child = object->property(parts[i].toUtf8().constData()).value<QObject*>();
        object = child;
    }
    return object;
}

bool SameLetter(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// Whether the whole text fits the mask, "*" standing for any run of characters but a line
// break, letters compared without case. A star that fails is retried one character further
// on, so a text is scanned a few times at most: no expression engine is built per window.
bool FitsMask(QStringView mask, QStringView text) {
    qsizetype m = 0, t = 0;
    qsizetype starAt = -1, resumeAt = 0;
    while (t < text.size()) {
        if (m < mask.size() && mask[m] == QLatin1Char('*')) {
            starAt = m++;
            resumeAt = t;
        } else if (m < mask.size() && SameLetter(mask[m], text[t])) {
            ++m;
            ++t;
        } else if (starAt >= 0 && text[resumeAt] != QLatin1Char('\n')) {
            m = starAt + 1;
            t = ++resumeAt;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == QLatin1Char('*'))
        ++m;
    return m == mask.size();
}

} // namespace

QObject* FindComponent(QWidget* window, const QString& name) {
    if (!window)
        return nullptr;
    if (name.isEmpty())
        return window;
    // Breadth first, so the window's own controls win over anything nested deeper.
    QQueue<QObject*> pending;
    pending.enqueue(window);
    while (!pending.isEmpty()) {
        const QObject* parent = pending.dequeue();
        for (QObject* child : parent->children()) {
            if (IsForeignWindow(child))
                continue;
            if (child->objectName() == name)
                return child;
            pending.enqueue(child);
        }
    }
    return nullptr;
}

std::optional<QString> ReadTranslatableProperty(QObject* object, const QString& path,
                                                bool isWindow) {
    const QStringList parts = path.split(QLatin1Char('.'));
    QObject* owner = PropertyOwner(object, parts);
    if (!owner)
        return std::nullopt;
    const QByteArray name =
        ToolkitPropertyName(owner, parts.constLast(), isWindow && owner == object);
    if (name.isEmpty())
        return std::nullopt;
    const QVariant value = owner->property(name.constData());
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

bool WriteTranslatableProperty(QObject* object, const QString& path, const QString& text,
                               bool isWindow) {
    const QStringList parts = path.split(QLatin1Char('.'));
    QObject* owner = PropertyOwner(object, parts);
    if (!owner)
        return false;
    const QByteArray name =
        ToolkitPropertyName(owner, parts.constLast(), isWindow && owner == object);
    if (name.isEmpty())
        return false;
    // Windows lay out their controls, so a longer text makes room for itself.
    const bool written = owner->setProperty(name.constData(), text);
    // Setting a dynamic property reports false even though it was set.
    return written || owner->metaObject()->indexOfProperty(name.constData()) < 0;
}

IgnoreMasks::IgnoreMasks(const QStringList& masks)
    : m_masks(masks) {}

bool IgnoreMasks::ignores(const QString& objectName, const QString& property) const {
    const QString path = objectName.isEmpty() ? property : objectName + QLatin1Char('.') + property;
    for (const QString& mask : m_masks) {
        if (FitsMask(mask, path))
            return true;
        if (!objectName.isEmpty() && FitsMask(mask, objectName))
            return true;
    }
    return false;
}

bool IsIgnoredProperty(const QStringList& masks, const QString& objectName,
                       const QString& property) {
    return IgnoreMasks(masks).ignores(objectName, property);
}

LanguageController::LanguageController(QWidget* window, const WindowTranslation& translation,
                                       Handler languageChanged)
    : QObject(window)
    , m_window(window)
    , m_translation(translation)
    , m_languageChanged(std::move(languageChanged)) {
    setObjectName(QStringLiteral("LanguageController1"));
    const IgnoreMasks ignore(m_translation.ignoreMasks);
    for (const TranslationEntry& entry : m_translation.entries) {
        const QString objectName = QString::fromUtf8(entry.objectName);
        m_ignored.push_back(ignore.ignores(objectName, QString::fromUtf8(entry.property)));
        QObject* component = FindComponent(window, objectName);
        const std::optional<QString> current =
            component ? ReadTranslatableProperty(component, QString::fromUtf8(entry.property),
                                                 objectName.isEmpty())
                      : std::nullopt;
        m_english.insert(entry.number, current.value_or(QString::fromUtf8(entry.english)));
    }
    const LanguageManager& manager = LanguageManager::Instance();
    connect(&manager, &LanguageManager::LanguageChanged, this,
            &LanguageController::ApplyTranslation);
    if (const Translation* current = manager.CurrentTranslation())
        ApplyTranslation(current);
}

QString LanguageController::RecordedEnglish(int number) const {
    return m_english.value(number);
}

void LanguageController::ApplyTranslation(const Translation* translation) {
    if (!m_window)
        return;
    const QString section = QString::fromUtf8(m_translation.section);
    for (size_t i = 0; i < m_translation.entries.size(); ++i) {
        const TranslationEntry& entry = m_translation.entries[i];
        const QString objectName = QString::fromUtf8(entry.objectName);
        const QString property = QString::fromUtf8(entry.property);
        if (i < m_ignored.size()
                ? m_ignored[i]
                : IsIgnoredProperty(m_translation.ignoreMasks, objectName, property))
            continue;
        QObject* component = FindComponent(m_window, objectName);
        if (!component)
            continue;
        std::optional<QString> text;
        if (translation)
            text = translation->entryText(section, entry.number);
        WriteTranslatableProperty(component, property, text.value_or(RecordedEnglish(entry.number)),
                                  objectName.isEmpty());
    }
    if (m_languageChanged)
        m_languageChanged();
    emit OnLanguageChanged();
}

} // namespace skyvane
