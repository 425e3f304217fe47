#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringList>

#include <array>
#include <cstdint>
#include <cstring>

namespace skyvane {

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five bytes the code page leaves undefined, which
// Windows maps to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t Windows1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0)
        return kHighControls[byte - 0x80];
    return byte;
}

int UnicodeToWindows1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return int(code);
    for (int i = 0; i < int(kHighControls.size()); ++i) {
        const char16_t mapped = kHighControls[i];
        if (mapped == code || (mapped == 0 && code == char32_t(0x80 + i)))
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (const char c : bytes)
        *out++ = QChar(Windows1252ToUnicode(static_cast<unsigned char>(c)));
    return text;
}

QByteArray EncodeWindows1252WithReferences(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t code : text.toUcs4()) {
        const int mapped = UnicodeToWindows1252(code);
        if (mapped >= 0)
            bytes.append(char(mapped));
        else
            bytes.append("&#" + QByteArray::number(quint32(code)) + ';');
    }
    return bytes;
}

QString DecodeUtf8OrWindows1252(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}

namespace {

// Whether any of the four UTF-16 units packed in `word` lies below U+000E, as both line breaks
// do. This is the word-wide test for a lane below a bound: a borrow may mark the wrong lane, but
// a lane is marked if and only if some lane is below the bound.
bool HasUnitBelowShiftOut(std::uint64_t word) {
    constexpr std::uint64_t kEveryUnit = 0x0001000100010001;
    constexpr std::uint64_t kSignBits = 0x8000800080008000;
    return ((word - kEveryUnit * 0x0E) & ~word & kSignBits) != 0;
}

} // namespace

std::vector<QStringView> SplitTextLineViews(QStringView text) {
    std::vector<QStringView> lines;
    const char16_t* const end = text.utf16() + text.size();
    const char16_t* start = text.utf16();
    for (const char16_t* p = start; p != end; ++p) {
        // Lines are passed four units at a time, the units of a word with a small one singly.
        for (std::uint64_t word; end - p >= 4; p += 4) {
            std::memcpy(&word, p, sizeof word);
            if (HasUnitBelowShiftOut(word))
                break;
        }
        if (p == end)
            break;
        if (*p != u'\r' && *p != u'\n')
            continue;
        lines.emplace_back(start, p - start);
        if (*p == u'\r' && p + 1 != end && p[1] == u'\n')
            ++p;
        start = p + 1;
    }
    if (start != end)
        lines.emplace_back(start, end - start);
    return lines;
}

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    for (const QStringView line : SplitTextLineViews(text))
        lines.append(line.toString());
    return lines;
}

} // namespace skyvane
