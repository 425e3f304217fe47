#include "JsonRecords.h"

#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace skyvane {

namespace {

constexpr int kMaxDepth = 64;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The length of the well-formed UTF-8 sequence of more than one byte at `p`, 0 for none:
// no overlong forms, no surrogates, nothing above U+10FFFF.
int Utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char lead = p[0];
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (end - p < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    return length;
}

// A string's text between its quotes, and whether it holds escapes.
struct RawString {
    QByteArrayView bytes;
    bool escaped = false;
};

QString DecodeString(const RawString& raw) {
    if (!raw.escaped)
        return QString::fromUtf8(raw.bytes);
    QString text;
    text.reserve(raw.bytes.size());
    const char* p = raw.bytes.begin();
    const char* const end = raw.bytes.end();
    while (p != end) {
        const char* run = p;
        while (p != end && *p != '\\')
            ++p;
        text += QString::fromUtf8(run, p - run);
        if (p == end)
            break;
        const char escape = p[1];
        p += 2;
        switch (escape) {
        case 'b':
            text += QChar(u'\b');
            break;
        case 'f':
            text += QChar(u'\f');
            break;
        case 'n':
            text += QChar(u'\n');
            break;
        case 'r':
            text += QChar(u'\r');
            break;
        case 't':
            text += QChar(u'\t');
            break;
        case 'u': {
            // Each escape is one UTF-16 unit, paired or not, as Qt's reader takes it.
            char16_t unit = 0;
            for (int i = 0; i < 4; ++i)
                unit = char16_t(unit * 16 + HexValue(p[i]));
            text += QChar(unit);
            p += 4;
            break;
        }
        default: // '"', '\\', '/'
            text += QLatin1Char(escape);
        }
    }
    return text;
}

// Reads one JSON value after another from a position in the text, checking each.
class Scanner {
public:
    Scanner(QByteArrayView text, qsizetype at)
        : m_begin(text.begin())
        , m_p(text.begin() + at)
        , m_end(text.end()) {}

    qsizetype offset() const { return m_p - m_begin; }
    bool atEnd() const { return m_p == m_end; }
    bool at(char c) const { return m_p != m_end && *m_p == c; }
    void skip() { ++m_p; }

    void skipSpace() {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r'))
            ++m_p;
    }

    // Any value, skipped; `depth` is that of the container holding it.
    bool value(int depth) {
        if (m_p == m_end)
            return false;
        switch (*m_p) {
        case '{':
            return object(depth + 1, {}, {});
        case '[':
            return array(depth + 1);
        case '"': {
            RawString raw;
            return string(raw);
        }
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        default: {
            double number = 0.0;
            return this->number(number);
        }
        }
    }

    // An object; the values of members named in `keys` go to `fields`.
    bool object(int depth, std::span<const std::string_view> keys, std::span<JsonField> fields) {
        if (depth > kMaxDepth)
            return false;
        ++m_p;
        skipSpace();
        if (at('}')) {
            ++m_p;
            return true;
        }
        for (;;) {
            skipSpace();
            RawString key;
            if (!at('"') || !string(key))
                return false;
            skipSpace();
            if (!at(':'))
                return false;
            ++m_p;
            skipSpace();
            const qsizetype wanted = keyIndex(key, keys);
            if (!(wanted < 0 ? value(depth) : member(depth, fields[wanted])))
                return false;
            skipSpace();
            if (at(',')) {
                ++m_p;
            } else if (at('}')) {
                ++m_p;
                return true;
            } else {
                return false;
            }
        }
    }

private:
    static qsizetype keyIndex(const RawString& key, std::span<const std::string_view> keys) {
        if (keys.empty())
            return -1;
        const QString decoded = key.escaped ? DecodeString(key) : QString();
        for (qsizetype i = 0; i < qsizetype(keys.size()); ++i) {
            const std::string_view name = keys[i];
            if (key.escaped ? decoded == QString::fromUtf8(name.data(), qsizetype(name.size()))
                            : std::string_view(key.bytes.data(), key.bytes.size()) == name)
                return i;
        }
        return -1;
    }

    bool member(int depth, JsonField& field) {
        field = JsonField();
        if (at('"')) {
            RawString raw;
            if (!string(raw))
                return false;
            field.kind = JsonField::Kind::String;
            field.text = DecodeString(raw);
            return true;
        }
        if (at('-') || (m_p != m_end && IsDigit(*m_p))) {
            field.kind = JsonField::Kind::Number;
            return number(field.number);
        }
        return value(depth);
    }

    bool array(int depth) {
        if (depth > kMaxDepth)
            return false;
        ++m_p;
        skipSpace();
        if (at(']')) {
            ++m_p;
            return true;
        }
        for (;;) {
            skipSpace();
            if (!value(depth))
                return false;
            skipSpace();
            if (at(',')) {
                ++m_p;
            } else if (at(']')) {
                ++m_p;
                return true;
            } else {
                return false;
            }
        }
    }

    bool literal(std::string_view word) {
        if (std::string_view(m_p, std::size_t(m_end - m_p)).substr(0, word.size()) != word)
            return false;
        m_p += word.size();
        return true;
    }

    bool string(RawString& raw) {
        const char* const start = ++m_p;
        bool escaped = false;
        while (m_p != m_end) {
            const auto c = static_cast<unsigned char>(*m_p);
            if (c == '"') {
                raw = {QByteArrayView(start, m_p - start), escaped};
                ++m_p;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                escaped = true;
                if (!escape())
                    return false;
            } else if (c < 0x80) {
                ++m_p;
            } else {
                const int length =
                    Utf8SequenceLength(reinterpret_cast<const unsigned char*>(m_p),
                                       reinterpret_cast<const unsigned char*>(m_end));
                if (length == 0)
                    return false;
                m_p += length;
            }
        }
        return false;
    }

    bool escape() {
        if (m_end - m_p < 2)
            return false;
        switch (m_p[1]) {
        case '"':
        case '\\':
        case '/':
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            m_p += 2;
            return true;
        case 'u':
            if (m_end - m_p < 6)
                return false;
            for (int i = 2; i < 6; ++i)
                if (HexValue(m_p[i]) < 0)
                    return false;
            m_p += 6;
            return true;
        default:
            return false;
        }
    }

    void digits() {
        while (m_p != m_end && IsDigit(*m_p))
            ++m_p;
    }

    bool number(double& value) {
        const char* const start = m_p;
        if (at('-'))
            ++m_p;
        if (at('0'))
            ++m_p;
        else if (m_p != m_end && IsDigit(*m_p))
            digits();
        else
            return false;
        if (at('.')) {
            ++m_p;
            if (m_p == m_end || !IsDigit(*m_p))
                return false;
            digits();
        }
        const char* const mantissaEnd = m_p;
        if (at('e') || at('E')) {
            ++m_p;
            if (at('+') || at('-'))
                ++m_p;
            if (m_p == m_end || !IsDigit(*m_p))
                return false;
            digits();
        }
        const std::string_view text(start, std::size_t(m_p - start));
        if (mantissaEnd == m_p) {
            // Without an exponent a JSON number is a plain decimal, read alike and faster.
            value = PlainDecimal(text).value_or(0.0);
            if (value != 0.0)
                return std::isnormal(value);
        }
        const auto [end, error] = std::from_chars(start, m_p, value);
        if (error != std::errc() || end != m_p)
            return false;
        if (value == 0.0) {
            // Digits that gave zero only by underflow are refused by Qt's reader.
            for (const char* c = start; c != mantissaEnd; ++c)
                if (*c >= '1' && *c <= '9')
                    return false;
            value = 0.0;
            return true;
        }
        // Where Qt's reader stops taking numbers near the smallest doubles is left to it.
        return std::isnormal(value);
    }

    const char* m_begin;
    const char* m_p;
    const char* m_end;
};

} // namespace

std::optional<JsonRecords> JsonRecords::Read(QByteArrayView text) {
    JsonRecords records;
    records.m_text = text;
    Scanner scanner(text, 0);
    scanner.skipSpace();
    if (scanner.at('{')) {
        records.m_starts.push_back(scanner.offset());
        if (!scanner.object(1, {}, {}))
            return std::nullopt;
    } else if (scanner.at('[')) {
        scanner.skip();
        scanner.skipSpace();
        if (scanner.at(']')) {
            scanner.skip();
        } else {
            for (;;) {
                scanner.skipSpace();
                records.m_starts.push_back(scanner.offset());
                if (!scanner.value(0))
                    return std::nullopt;
                scanner.skipSpace();
                if (scanner.at(',')) {
                    scanner.skip();
                } else if (scanner.at(']')) {
                    scanner.skip();
                    break;
                } else {
                    return std::nullopt;
                }
            }
        }
    } else {
        return std::nullopt;
    }
    scanner.skipSpace();
    if (!scanner.atEnd())
        return std::nullopt;
    return records;
}

bool JsonRecords::readObject(qsizetype index, std::span<const std::string_view> keys,
                             std::span<JsonField> fields) const {
    Scanner scanner(m_text, m_starts[std::size_t(index)]);
    if (!scanner.at('{'))
        return false;
    for (JsonField& field : fields)
        field = JsonField();
    // The text was checked whole when read, at the same depth.
    scanner.object(1, keys, fields);
    return true;
}

} // namespace skyvane
