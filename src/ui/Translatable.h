#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace skyvane {

// One translatable property of a window: a language file gives the text for `number` in the
// window's section. objectName is the control's objectName, or empty for the window itself.
// property is the property path ("Caption", "Filter", "Header.Caption", "TextAfter").
struct TranslationEntry {
    int number;
    const char* objectName;
    const char* property;
    const char* english; // UTF-8
};

// A window's part in localisation: the section name of its entries in a language file, its
// entry table and its ignore masks ("*" matches any run of characters, case-insensitive).
struct WindowTranslation {
    const char* section;
    std::vector<TranslationEntry> entries;
    QStringList ignoreMasks;
};

} // namespace skyvane
