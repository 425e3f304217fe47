#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace skyvane {

// A member's value as a reader of text records needs it: a string, a number (zero without a
// sign, as Qt's reader gives it), or anything else (true, false, null, an array, an object, or no
// member of the name at all).
struct JsonField {
    enum class Kind { Other, String, Number };
    Kind kind = Kind::Other;
    QString text;
    double number = 0.0;
};

// The records of a JSON document that is an array of values or a single object, read from the
// text where it lies instead of into a document of its own: the text is checked whole, then each
// record is read when asked for. Only JSON as RFC 8259 writes it is taken, nested at most 64
// deep, with numbers that are finite normal doubles or zero; Qt's reader takes all of it alike and
// more besides (raw control characters, unknown escapes, "1." and the like), so a caller gives
// whatever this refuses to Qt's reader for its verdict and its error message.
class JsonRecords {
public:
    // Nothing for text this reader does not take. `text` must outlive the result.
    static std::optional<JsonRecords> Read(QByteArrayView text);

    qsizetype size() const { return qsizetype(m_starts.size()); }
    // Whether record `index` is an object; if so, its members named in `keys` (UTF-8) go to
    // `fields` (one a key, in the same order), the last member of a name counting, as in Qt's
    // reader.
    bool readObject(qsizetype index, std::span<const std::string_view> keys,
                    std::span<JsonField> fields) const;

private:
    JsonRecords() = default;

    QByteArrayView m_text;
    std::vector<qsizetype> m_starts;
};

} // namespace skyvane
