// Feeds arbitrary bytes to the language-file reader. A file may be rejected with
// LanguageFileError, but never crash the reader; and whatever it accepts must survive being
// written and read again with the same sections, entries and constants.
#include "LanguageFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace skyvane;

namespace {

void CheckSameShape(const Translation& first, const Translation& second) {
    if (first.sections().size() != second.sections().size() ||
        first.constants.keys() != second.constants.keys() ||
        first.languageId() != second.languageId())
        std::abort();
    for (qsizetype i = 0; i < first.sections().size(); ++i) {
        if (first.sections()[i].entries.keys() != second.sections()[i].entries.keys())
            std::abort();
    }
}

void CheckWriteAndReadBack(const Translation& translation) {
    QByteArray written;
    try {
        written = WriteLanguageFile(translation);
    } catch (const std::runtime_error&) {
        return; // text that decoding replaced and the code page cannot hold again
    }
    // Throws, and so aborts the run, if the written file cannot be read.
    CheckSameShape(translation, ReadLanguageFile(written));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)ReadLanguageFileHeader(bytes).languageId();
    Translation translation;
    try {
        translation = ReadLanguageFile(bytes);
    } catch (const LanguageFileError&) {
        return 0;
    }
    for (const LanguageSection& section : translation.sections()) {
        for (const QString& text : section.entries)
            (void)EscapeLanguageValue(UnescapeLanguageValue(text));
    }
    CheckWriteAndReadBack(translation);
    return 0;
}
