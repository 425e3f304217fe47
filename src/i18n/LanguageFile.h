#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <optional>
#include <stdexcept>

namespace skyvane {

// A language file that cannot be read. what() is the text shown to the user:
// "Loading translations failed." + "\n" + "Line <zero-based index>: <reason>".
class LanguageFileError : public std::runtime_error {
public:
    // An error in the file's text, at the zero-based line index `line`.
    LanguageFileError(int line, const QString& reason);
    // A file that could not be read at all (line() is -1).
    explicit LanguageFileError(const QString& reason);

    int line() const { return line_; }
    QString reason() const { return reason_; }

private:
    int line_;
    QString reason_;
};

// The section name of the translatable constants, compared without regard to case.
inline constexpr char kConstantsSectionName[] = "$CONSTANTS";

// The Windows ANSI code page in which a language's files are written: 1250 for Central
// European languages, 1251 for Cyrillic, 1253 Greek, 1254 Turkish, 1257 Baltic and so on;
// 1252 for Western languages and for identifiers nobody knows (including 0).
int WindowsCodePage(int languageId);

// Bytes of a Windows code page as text. An unknown code page decodes as Windows-1252.
QString DecodeCodePage(const QByteArray& bytes, int codePage);

// Text as bytes of a Windows code page. Throws std::runtime_error when a character has no
// place in the code page, rather than writing a substitute that would silently change the text.
QByteArray EncodeCodePage(const QString& text, int codePage);

// A stored value as text: "\\" backslash, "\n" CR LF, "\t" tab, a backslash and two decimal
// digits the character of that code; a backslash before anything else stays.
QString UnescapeLanguageValue(const QString& value);

// The reverse of UnescapeLanguageValue: any line break (CR LF, LF CR, CR, LF) as "\n", tab as
// "\t", backslash as "\\", other characters below 32 as a backslash and two digits.
QString EscapeLanguageValue(const QString& text);

// The parameters before the first section. Names are matched without regard to case; setting
// a name again replaces the value and keeps the parameter's place.
class LanguageHeader {
public:
    void set(const QString& name, const QString& value);
    std::optional<QString> value(const QString& name) const;
    const QList<QPair<QString, QString>>& parameters() const { return parameters_; }

    // LANGID as a decimal number; 0 when missing, not a number or not a 16-bit identifier.
    int languageId() const;

private:
    QList<QPair<QString, QString>> parameters_;
    QHash<QString, qsizetype> index_; // case-folded name -> index in parameters_
};

// One window's section: entry number -> text.
struct LanguageSection {
    QString name;
    QMap<int, QString> entries;
};

// A whole language file as read, or as it is to be written.
class Translation {
public:
    LanguageHeader header;
    QMap<QString, QString> constants; // constant name as written -> text

    int languageId() const { return header.languageId(); }

    // The window sections, in the order they first appear.
    const QList<LanguageSection>& sections() const { return sections_; }
    // Section names and constant names are compared without regard to case. Sections are found
    // through an index, so reading and applying a file with many sections stays linear.
    const LanguageSection* section(const QString& name) const;
    // The existing section of that name, or a new last one. The reference is valid until the
    // next section is added.
    LanguageSection& addSection(const QString& name);
    std::optional<QString> entryText(const QString& sectionName, int number) const;
    std::optional<QString> constantText(const QString& name) const;

private:
    QList<LanguageSection> sections_;
    QHash<QString, qsizetype> sectionIndex_; // lower-case name -> index in sections_
};

// Only the header of a language file: reading stops at the first line that begins with "[".
// Never throws; a file without header lines gives an empty header.
LanguageHeader ReadLanguageFileHeader(const QByteArray& bytes);

// How much of a file the header scan reads: headers are a handful of short lines, and the scan
// runs over every file of the language folder at each start, whatever their size.
inline constexpr qint64 kLanguageHeaderReadLimit = 64 * 1024;
// The largest language file read: many times a complete translation, far from what would slow
// every start.
inline constexpr qint64 kLanguageFileReadLimit = 1024 * 1024;

// A whole language file, decoded by the code page of its LANGID. Throws LanguageFileError on a
// repeated entry number, an invalid constant name or a repeated constant name.
Translation ReadLanguageFile(const QByteArray& bytes);

// The file bytes: header lines, an empty line, the window sections in their order and the
// constants section last, sections separated by empty lines, entry numbers in eight digits,
// lines ending in CR LF, in the code page of the header's LANGID. Throws std::runtime_error for
// a text the code page cannot hold.
QByteArray WriteLanguageFile(const Translation& translation);

// The Qt resource path of a built-in language file ("RC_LANG_GERMAN" -> ":/lang/RC_LANG_GERMAN").
QString BuiltInLanguagePath(const QString& resourceName);

// The header of the file or resource at `path`, read from its first kLanguageHeaderReadLimit
// bytes; an empty header when it cannot be read or is not a regular file.
LanguageHeader ReadLanguageFileHeaderAt(const QString& path);

// The whole file or resource at `path`. Throws LanguageFileError when it cannot be read, is not
// a regular file, is larger than kLanguageFileReadLimit, or holds one of the errors of
// ReadLanguageFile.
Translation ReadLanguageFileAt(const QString& path);

} // namespace skyvane
