#include "LanguageFile.h"

#include "RegularFile.h"

#include <QFile>
#include <QStringList>

#include <unicode/ucnv.h>
#include <unicode/uloc.h>

#include <array>
#include <limits>
#include <memory>
#include <set>
#include <string_view>

namespace skyvane {

namespace {

const QString kLoadingFailed = QStringLiteral("Loading translations failed.");

QString ErrorText(int line, const QString& reason) {
    return kLoadingFailed + QLatin1Char('\n') + QStringLiteral("Line %1: %2").arg(line).arg(reason);
}

// ---- code pages ----------------------------------------------------------------------------

struct LanguageCodePage {
    std::string_view language; // ISO 639 code as ICU names it
    int codePage;
};

// Languages whose Windows ANSI code page is not 1252. Languages written in more than one
// script (Serbian, Bosnian, Azeri, Uzbek, Chinese) are settled by the script below.
constexpr std::array<LanguageCodePage, 44> kLanguageCodePages = {{
    {"cs", 1250}, {"hu", 1250}, {"pl", 1250}, {"ro", 1250},  {"hr", 1250},  {"sk", 1250},
    {"sl", 1250}, {"sq", 1250}, {"bs", 1250}, {"sr", 1250},  {"tk", 1250},  {"bg", 1251},
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"mk", 1251},  {"kk", 1251},  {"ky", 1251},
    {"tt", 1251}, {"mn", 1251}, {"tg", 1251}, {"ba", 1251},  {"sah", 1251}, {"el", 1253},
    {"tr", 1254}, {"az", 1254}, {"uz", 1254}, {"he", 1255},  {"yi", 1255},  {"ar", 1256},
    {"fa", 1256}, {"ur", 1256}, {"ps", 1256}, {"prs", 1256}, {"ug", 1256},  {"et", 1257},
    {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},   {"ja", 932},   {"ko", 949},
    {"zh", 936},  {"sd", 1256},
}};

bool IsTraditionalChinese(std::string_view script, std::string_view country) {
    return script == "Hant" || country == "TW" || country == "HK" || country == "MO";
}

int CodePageForLocale(std::string_view language, std::string_view script,
                      std::string_view country) {
    if (script == "Cyrl")
        return 1251;
    if (language == "zh")
        return IsTraditionalChinese(script, country) ? 950 : 936;
    for (const LanguageCodePage& entry : kLanguageCodePages) {
        if (entry.language == language)
            return entry.codePage;
    }
    return 1252;
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(int codePage) {
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = "windows-" + QByteArray::number(codePage);
    Converter converter(ucnv_open(name.constData(), &status));
    if (U_FAILURE(status))
        return nullptr;
    return converter;
}

// ---- lines ---------------------------------------------------------------------------------

bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

QString TrimBlanksAndControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool IsSectionLine(const QString& line) {
    return line.size() >= 3 && line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
}

QString SectionName(const QString& line) {
    return TrimBlanksAndControls(line.mid(1, line.size() - 2));
}

bool IsCommentOrEmpty(const QString& line) {
    return line.isEmpty() || line.startsWith(QLatin1Char(';'));
}

struct NameValue {
    QString name;
    QString value;
};

// An entry line split at its first "="; nothing for a line without "=" or with an empty name.
std::optional<NameValue> SplitEntry(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    NameValue entry{TrimBlanksAndControls(line.left(equals)),
                    TrimBlanksAndControls(line.mid(equals + 1))};
    if (entry.name.isEmpty())
        return std::nullopt;
    return entry;
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsAsciiLetterOrUnderscore(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
}

// A decimal number made of digits only, up to `limit`; nothing otherwise.
std::optional<int> ParseDecimal(const QString& text, int limit) {
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (!IsAsciiDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > limit)
            return std::nullopt;
    }
    return int(value);
}

bool IsIdentifier(const QString& name) {
    if (name.isEmpty() || !IsAsciiLetterOrUnderscore(name[0]))
        return false;
    for (const QChar c : name) {
        if (!IsAsciiLetterOrUnderscore(c) && !IsAsciiDigit(c))
            return false;
    }
    return true;
}

// ---- reading -------------------------------------------------------------------------------

// The header parameters of the lines before the first line that begins with "[".
LanguageHeader HeaderOfLines(const QStringList& lines) {
    LanguageHeader header;
    for (const QString& rawLine : lines) {
        const QString line = TrimBlanksAndControls(rawLine);
        if (line.startsWith(QLatin1Char('[')))
            break;
        if (IsCommentOrEmpty(line))
            continue;
        if (const auto entry = SplitEntry(line))
            header.set(entry->name, UnescapeLanguageValue(entry->value));
    }
    return header;
}

// The file's text in its own code page. LANGID is plain ASCII, so a first look at the bytes
// as Latin-1 finds the code page the whole file is then decoded with. The look goes as far as
// the folder scan reads, so a file is decoded with the code page it was registered for.
QString DecodeLanguageFileBytes(const QByteArray& bytes) {
    const QString start = QString::fromLatin1(bytes.left(kLanguageHeaderReadLimit));
    const int languageId = HeaderOfLines(SplitLines(start)).languageId();
    return DecodeCodePage(bytes, WindowsCodePage(languageId));
}

enum class Part { Header, Window, Constants };

class FileReader {
public:
    Translation read(const QStringList& lines) {
        for (int index = 0; index < lines.size(); ++index)
            readLine(index, TrimBlanksAndControls(lines[index]));
        return std::move(result_);
    }

private:
    void readLine(int index, const QString& line) {
        if (IsCommentOrEmpty(line))
            return;
        if (line.startsWith(QLatin1Char('['))) {
            if (IsSectionLine(line))
                openSection(SectionName(line));
            return;
        }
        const auto entry = SplitEntry(line);
        if (!entry)
            return;
        const QString value = UnescapeLanguageValue(entry->value);
        switch (part_) {
        case Part::Header:
            result_.header.set(entry->name, value);
            break;
        case Part::Window:
            addWindowEntry(index, entry->name, value);
            break;
        case Part::Constants:
            addConstant(index, entry->name, value);
            break;
        }
    }

    void openSection(const QString& name) {
        if (name.compare(QLatin1String(kConstantsSectionName), Qt::CaseInsensitive) == 0) {
            part_ = Part::Constants;
            return;
        }
        part_ = Part::Window;
        section_ = &result_.addSection(name);
    }

    void addWindowEntry(int index, const QString& name, const QString& value) {
        const auto number = ParseDecimal(name, std::numeric_limits<int>::max());
        if (!number || *number <= 0)
            return;
        LanguageSection& section = *section_;
        if (section.entries.contains(*number)) {
            throw LanguageFileError(
                index, QStringLiteral("Duplicate property value translation ID (%1)").arg(*number));
        }
        section.entries.insert(*number, value);
    }

    void addConstant(int index, const QString& name, const QString& value) {
        if (!IsIdentifier(name))
            throw LanguageFileError(index,
                                    QStringLiteral("Invalid constant name (\"%1\")").arg(name));
        if (!constantKeys_.insert(name.toLower()).second) {
            throw LanguageFileError(index,
                                    QStringLiteral("Duplicate constant name (\"%1\")").arg(name));
        }
        result_.constants.insert(name, value);
    }

    Translation result_;
    Part part_ = Part::Header;
    LanguageSection* section_ = nullptr; // valid while no other section is added
    std::set<QString> constantKeys_;
};

// ---- writing -------------------------------------------------------------------------------

QStringList SectionLines(const LanguageSection& section) {
    // "[]" is too short to be a section line; "[ ]" reads back as the empty name.
    const QString name = section.name.isEmpty() ? QStringLiteral(" ") : section.name;
    QStringList lines{QLatin1Char('[') + name + QLatin1Char(']')};
    for (auto it = section.entries.cbegin(); it != section.entries.cend(); ++it) {
        lines.append(QStringLiteral("%1=").arg(it.key(), 8, 10, QLatin1Char('0')) +
                     EscapeLanguageValue(it.value()));
    }
    return lines;
}

QStringList ConstantLines(const QMap<QString, QString>& constants) {
    QStringList lines{QLatin1Char('[') + QLatin1String(kConstantsSectionName) + QLatin1Char(']')};
    for (auto it = constants.cbegin(); it != constants.cend(); ++it)
        lines.append(it.key() + QLatin1Char('=') + EscapeLanguageValue(it.value()));
    return lines;
}

QByteArray ReadWholeFile(const QString& path) {
    QFile file;
    if (!OpenRegularFile(file, path))
        throw LanguageFileError(QStringLiteral("Cannot read \"%1\".").arg(path));
    if (file.size() > kLanguageFileReadLimit)
        throw LanguageFileError(QStringLiteral("\"%1\" is larger than %2 KB.")
                                    .arg(path)
                                    .arg(kLanguageFileReadLimit / 1024));
    return ReadAtMost(file, kLanguageFileReadLimit);
}

} // namespace

// ---- public --------------------------------------------------------------------------------

LanguageFileError::LanguageFileError(int line, const QString& reason)
    : std::runtime_error(ErrorText(line, reason).toStdString())
    , line_(line)
    , reason_(reason) {}

LanguageFileError::LanguageFileError(const QString& reason)
    : std::runtime_error((kLoadingFailed + QLatin1Char('\n') + reason).toStdString())
    , line_(-1)
    , reason_(reason) {}

int WindowsCodePage(int languageId) {
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(uint32_t(languageId), locale, sizeof locale, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || locale[0] == 0)
        return 1252;
    char language[ULOC_LANG_CAPACITY] = {};
    char script[ULOC_SCRIPT_CAPACITY] = {};
    char country[ULOC_COUNTRY_CAPACITY] = {};
    uloc_getLanguage(locale, language, sizeof language, &status);
    uloc_getScript(locale, script, sizeof script, &status);
    uloc_getCountry(locale, country, sizeof country, &status);
    if (U_FAILURE(status))
        return 1252;
    return CodePageForLocale(language, script, country);
}

QString DecodeCodePage(const QByteArray& bytes, int codePage) {
    Converter converter = OpenConverter(codePage);
    if (!converter)
        converter = OpenConverter(1252);
    if (!converter || bytes.isEmpty())
        return QString::fromLatin1(bytes);
    // No Windows code page turns one byte into more than two UTF-16 units.
    QString text(bytes.size() * 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()), int32_t(text.size()),
                      bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return QString::fromLatin1(bytes);
    text.truncate(length);
    return text;
}

QByteArray EncodeCodePage(const QString& text, int codePage) {
    Converter converter = OpenConverter(codePage);
    if (!converter)
        throw std::runtime_error("Code page " + std::to_string(codePage) + " is not available");
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    // Double-byte code pages need at most two bytes per UTF-16 unit.
    QByteArray bytes(text.size() * 2 + 1, Qt::Uninitialized);
    const int32_t length = ucnv_fromUChars(converter.get(), bytes.data(), int32_t(bytes.size()),
                                           reinterpret_cast<const UChar*>(text.constData()),
                                           int32_t(text.size()), &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("The text cannot be written in code page " +
                                 std::to_string(codePage));
    }
    bytes.truncate(length);
    return bytes;
}

QString UnescapeLanguageValue(const QString& value) {
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        const QChar next = i + 1 < value.size() ? value[i + 1] : QChar();
        if (c != QLatin1Char('\\')) {
            text.append(c);
        } else if (next == QLatin1Char('\\')) {
            text.append(QLatin1Char('\\'));
            ++i;
        } else if (next == QLatin1Char('n')) {
            text.append(QLatin1String("\r\n"));
            ++i;
        } else if (next == QLatin1Char('t')) {
            text.append(QLatin1Char('\t'));
            ++i;
        } else if (IsAsciiDigit(next) && i + 2 < value.size() && IsAsciiDigit(value[i + 2])) {
            text.append(QChar((next.unicode() - '0') * 10 + (value[i + 2].unicode() - '0')));
            i += 2;
        } else {
            text.append(c);
        }
    }
    return text;
}

QString EscapeLanguageValue(const QString& text) {
    QString value;
    value.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n');
        if (lineBreak) {
            // CR LF and LF CR are one line break each.
            const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
            if ((next == QLatin1Char('\r') || next == QLatin1Char('\n')) && next != c)
                ++i;
            value.append(QLatin1String("\\n"));
        } else if (c == QLatin1Char('\t')) {
            value.append(QLatin1String("\\t"));
        } else if (c == QLatin1Char('\\')) {
            value.append(QLatin1String("\\\\"));
        } else if (c.unicode() < 32) {
            value.append(QStringLiteral("\\%1").arg(c.unicode(), 2, 10, QLatin1Char('0')));
        } else {
            value.append(c);
        }
    }
    return value;
}

void LanguageHeader::set(const QString& name, const QString& value) {
    const QString key = name.toCaseFolded();
    const auto found = index_.constFind(key);
    if (found != index_.cend()) {
        parameters_[*found].second = value;
        return;
    }
    index_.insert(key, parameters_.size());
    parameters_.append({name, value});
}

std::optional<QString> LanguageHeader::value(const QString& name) const {
    const auto found = index_.constFind(name.toCaseFolded());
    if (found == index_.cend())
        return std::nullopt;
    return parameters_.at(*found).second;
}

int LanguageHeader::languageId() const {
    const auto text = value(QStringLiteral("LANGID"));
    if (!text)
        return 0;
    return ParseDecimal(*text, 0xFFFF).value_or(0);
}

const LanguageSection* Translation::section(const QString& name) const {
    const auto found = sectionIndex_.constFind(name.toCaseFolded());
    return found == sectionIndex_.cend() ? nullptr : &sections_.at(*found);
}

LanguageSection& Translation::addSection(const QString& name) {
    const QString key = name.toCaseFolded();
    const auto found = sectionIndex_.constFind(key);
    if (found != sectionIndex_.cend())
        return sections_[*found];
    sectionIndex_.insert(key, sections_.size());
    sections_.append(LanguageSection{name, {}});
    return sections_.last();
}

std::optional<QString> Translation::entryText(const QString& sectionName, int number) const {
    const LanguageSection* found = section(sectionName);
    if (!found)
        return std::nullopt;
    const auto entry = found->entries.constFind(number);
    if (entry == found->entries.cend())
        return std::nullopt;
    return *entry;
}

std::optional<QString> Translation::constantText(const QString& name) const {
    for (auto it = constants.cbegin(); it != constants.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return std::nullopt;
}

LanguageHeader ReadLanguageFileHeader(const QByteArray& bytes) {
    return HeaderOfLines(SplitLines(DecodeLanguageFileBytes(bytes)));
}

Translation ReadLanguageFile(const QByteArray& bytes) {
    return FileReader().read(SplitLines(DecodeLanguageFileBytes(bytes)));
}

QByteArray WriteLanguageFile(const Translation& translation) {
    QStringList lines;
    for (const QPair<QString, QString>& parameter : translation.header.parameters())
        lines.append(parameter.first + QLatin1Char('=') + EscapeLanguageValue(parameter.second));
    for (const LanguageSection& section : translation.sections()) {
        lines.append(QString());
        lines.append(SectionLines(section));
    }
    if (!translation.constants.isEmpty()) {
        lines.append(QString());
        lines.append(ConstantLines(translation.constants));
    }
    if (translation.header.parameters().isEmpty() && !lines.isEmpty())
        lines.removeFirst();
    if (lines.isEmpty())
        return {};
    const QString text = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    return EncodeCodePage(text, WindowsCodePage(translation.languageId()));
}

QString BuiltInLanguagePath(const QString& resourceName) {
    return QStringLiteral(":/lang/") + resourceName;
}

LanguageHeader ReadLanguageFileHeaderAt(const QString& path) {
    const std::optional<QByteArray> start = ReadRegularFile(path, kLanguageHeaderReadLimit);
    return start ? ReadLanguageFileHeader(*start) : LanguageHeader();
}

Translation ReadLanguageFileAt(const QString& path) {
    return ReadLanguageFile(ReadWholeFile(path));
}

} // namespace skyvane
