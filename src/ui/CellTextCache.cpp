#include "CellTextCache.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTextLayout>
#include <QTextOption>

namespace skyvane {

namespace {

// Every Calc for another site brings new angles; the old ones need not stay.
constexpr qsizetype kKnownTexts = 4096;

const QStyle* CellStyle(const QStyleOptionViewItem& cell) {
    return cell.widget ? cell.widget->style() : QApplication::style();
}

} // namespace

void CellTextCache::draw(QPainter* painter, const QStyleOptionViewItem& cell, const QString& text,
                         Qt::Alignment alignment) {
    if (text.isEmpty())
        return;
    const LaidText& laid = laidText(cell, text, alignment);
    // The glyphs were placed in this font; the painter's would lay the text out again.
    if (painter->font() != cell.font)
        painter->setFont(cell.font);
    const QPoint at = cell.rect.topLeft() + laid.offset;
    if (!laid.overflows) {
        painter->drawStaticText(at, laid.text);
        return;
    }
    painter->save();
    painter->setClipRect(cell.rect);
    painter->drawStaticText(at, laid.text);
    painter->restore();
}

void CellTextCache::clear() {
    m_texts.clear();
}

const CellTextCache::LaidText& CellTextCache::laidText(const QStyleOptionViewItem& cell,
                                                       const QString& text,
                                                       Qt::Alignment alignment) {
    if (cell.font != m_font) {
        m_texts.clear();
        m_font = cell.font;
    }
    const Key key{text,           cell.rect.width(),       cell.rect.height(),
                  int(alignment), int(cell.textElideMode), int(cell.direction)};
    if (const auto known = m_texts.constFind(key); known != m_texts.cend())
        return *known;
    if (m_texts.size() >= kKnownTexts)
        m_texts.clear();
    return *m_texts.insert(key, LayOut(cell, text, alignment));
}

// As the common style draws an item's text without wrapping: the room is the item's text
// rectangle less the focus frame's margin on either side; a line of the whole text decides
// the height that is centred and whether it is cut; the shown text is laid out across the room
// in the cell's alignment.
CellTextCache::LaidText CellTextCache::LayOut(const QStyleOptionViewItem& cell, const QString& text,
                                              Qt::Alignment alignment) {
    QStyleOptionViewItem atOrigin = cell;
    atOrigin.rect = QRect(QPoint(0, 0), cell.rect.size());
    atOrigin.text = text;
    atOrigin.features |= QStyleOptionViewItem::HasDisplay;
    atOrigin.displayAlignment = alignment;
    const QStyle* style = CellStyle(cell);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &atOrigin, cell.widget)
                           .adjusted(margin, 0, -margin, 0);

    QTextOption options;
    options.setWrapMode(QTextOption::ManualWrap);
    options.setTextDirection(cell.direction);
    options.setAlignment(QStyle::visualAlignment(cell.direction, alignment));

    QTextLayout whole(text, cell.font);
    whole.setTextOption(options);
    whole.beginLayout();
    QTextLine line = whole.createLine();
    line.setLineWidth(room.width());
    line.setPosition(QPointF(0, 0));
    whole.endLayout();
    const QRect placed = QStyle::alignedRect(Qt::LayoutDirectionAuto, alignment,
                                             whole.boundingRect().size().toSize(), room);

    LaidText laid;
    const QFontMetrics metrics(cell.font);
    const QString shown = line.naturalTextWidth() > room.width()
                              ? metrics.elidedText(text, cell.textElideMode, room.width())
                              : text;
    laid.text.setTextFormat(Qt::PlainText);
    laid.text.setTextOption(options);
    laid.text.setTextWidth(room.width());
    laid.text.setText(shown);
    laid.text.prepare(QTransform(), cell.font);
    laid.offset = QPoint(room.x(), placed.top());
    laid.overflows = metrics.horizontalAdvance(shown) > room.width();
    return laid;
}

} // namespace skyvane
