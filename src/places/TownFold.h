#pragma once

// Header only, free of Qt: the database builder folds every town name with it and the program
// folds the search text with it, so both sides of the comparison are written alike.

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <string>
#include <string_view>
#include <vector>

namespace skyvane {

namespace fold_detail {

inline std::u16string ToUtf16(std::string_view utf8) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8WithSub(nullptr, 0, &length, utf8.data(), int32_t(utf8.size()), 0xFFFD, nullptr,
                         &status);
    std::u16string text(size_t(length), u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(text.data(), length, nullptr, utf8.data(), int32_t(utf8.size()), 0xFFFD,
                         nullptr, &status);
    return U_SUCCESS(status) ? text : std::u16string();
}

inline std::string ToUtf8(const std::u16string& text) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8WithSub(nullptr, 0, &length, text.data(), int32_t(text.size()), 0xFFFD, nullptr,
                       &status);
    std::string utf8(size_t(length), '\0');
    status = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), length, nullptr, text.data(), int32_t(text.size()), 0xFFFD,
                       nullptr, &status);
    return U_SUCCESS(status) ? utf8 : std::string();
}

// Letters that carry their stroke or ligature in the letter itself, so that no decomposition
// takes it off; a user types them as their plain letters.
inline const char16_t* PlainLetters(UChar32 c) {
    switch (c) {
    case 0x0142:
        return u"l"; // l with stroke
    case 0x00F8:
        return u"o"; // o with stroke
    case 0x0111:
        return u"d"; // d with stroke
    case 0x0127:
        return u"h"; // h with stroke
    case 0x0131:
        return u"i"; // dotless i
    case 0x00E6:
        return u"ae"; // ae
    case 0x0153:
        return u"oe"; // oe
    default:
        return nullptr;
    }
}

} // namespace fold_detail

// The form in which town names are compared with a search text: case folded (full folding,
// "ß" as "ss"), compatibility-decomposed, without combining marks, in every script. "Győr",
// "GYŐR" and "gyor" all fold to "gyor". UTF-8 in and out; invalid bytes count as U+FFFD.
inline std::string FoldForSearch(std::string_view utf8) {
    using namespace fold_detail;
    const std::u16string text = ToUtf16(utf8);
    UErrorCode status = U_ZERO_ERROR;
    int32_t length =
        u_strFoldCase(nullptr, 0, text.data(), int32_t(text.size()), U_FOLD_CASE_DEFAULT, &status);
    std::u16string folded(size_t(length), u'\0');
    status = U_ZERO_ERROR;
    u_strFoldCase(folded.data(), length, text.data(), int32_t(text.size()), U_FOLD_CASE_DEFAULT,
                  &status);
    if (U_FAILURE(status))
        return {};

    status = U_ZERO_ERROR;
    const UNormalizer2* nfkd = unorm2_getNFKDInstance(&status);
    if (U_FAILURE(status))
        return {};
    length = unorm2_normalize(nfkd, folded.data(), int32_t(folded.size()), nullptr, 0, &status);
    std::u16string decomposed(size_t(length), u'\0');
    status = U_ZERO_ERROR;
    unorm2_normalize(nfkd, folded.data(), int32_t(folded.size()), decomposed.data(), length,
                     &status);
    if (U_FAILURE(status))
        return {};

    std::u16string plain;
    plain.reserve(decomposed.size());
    for (int32_t i = 0; i < int32_t(decomposed.size());) {
        UChar32 c = 0;
        U16_NEXT(decomposed.data(), i, int32_t(decomposed.size()), c);
        if (u_charType(c) == U_NON_SPACING_MARK)
            continue;
        if (const char16_t* letters = PlainLetters(c)) {
            plain += letters;
            continue;
        }
        char16_t units[2];
        int32_t count = 0;
        U16_APPEND_UNSAFE(units, count, c);
        plain.append(units, size_t(count));
    }
    return ToUtf8(plain);
}

} // namespace skyvane
