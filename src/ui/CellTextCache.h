#pragma once

#include <QFont>
#include <QHash>
#include <QPoint>
#include <QStaticText>
#include <QString>

class QPainter;
class QStyleOptionViewItem;
class QWidget;

namespace skyvane {

// The texts of an item view's cells laid out once, as the style lays out a cell's text (cut
// with an ellipsis to the room the cell leaves, placed by its alignment), and then only drawn.
// Shaping a text is most of what painting a cell through the style costs, and a repaint, or a
// Calc that brings the same angles, shows the same texts in the same cells again.
// A text is laid out for a cell size, alignment, elision and direction; the font is the cells'
// (a new one drops every text), the style's margins are the style's (clear() when it changes).
class CellTextCache {
public:
    // Draws `text` in the option's cell in the painter's pen, where the style would draw it.
    void draw(QPainter* painter, const QStyleOptionViewItem& cell, const QString& text,
              Qt::Alignment alignment);
    void clear();

private:
    struct Key {
        QString text;
        int width;
        int height;
        int alignment;
        int elideMode;
        int direction;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& key, size_t seed = 0) {
            return qHashMulti(seed, key.text, key.width, key.height, key.alignment, key.elideMode,
                              key.direction);
        }
    };
    struct LaidText {
        QStaticText text;
        QPoint offset;          // of the text's top-left from the cell's
        bool overflows = false; // wider than its room even cut: drawn clipped to the cell
    };
    const LaidText& laidText(const QStyleOptionViewItem& cell, const QString& text,
                             Qt::Alignment alignment);
    static LaidText LayOut(const QStyleOptionViewItem& cell, const QString& text,
                           Qt::Alignment alignment);

    QHash<Key, LaidText> m_texts;
    QFont m_font;
};

} // namespace skyvane
