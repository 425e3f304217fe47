#include "FieldSize.h"

#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace skyvane {

namespace {

// A line edit keeps two pixels beside its text on either side, and one for the cursor.
constexpr int kInnerMargins = 2 * 2 + 1; // pixels

} // namespace

int EditWidthFor(const QLineEdit* edit, const QString& sample) {
    const QFontMetrics metrics = edit->fontMetrics();
    const QMargins margins = edit->textMargins();
    const int bearings =
        std::max(0, -metrics.minLeftBearing()) + std::max(0, -metrics.minRightBearing());
    const int textWidth = metrics.horizontalAdvance(sample) + bearings + kInnerMargins +
                          margins.left() + margins.right();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    return edit->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(textWidth, metrics.height()), edit)
        .width();
}

int FitEditTo(QLineEdit* edit, const QString& sample) {
    // The size the form gives, kept from the first call so that a smaller font shrinks back.
    constexpr char kFormSize[] = "formSize";
    if (!edit->property(kFormSize).isValid())
        edit->setProperty(kFormSize, edit->size());
    const QSize form = edit->property(kFormSize).toSize();
    const int width = std::max(form.width(), EditWidthFor(edit, sample));
    const int height = std::max(form.height(), edit->sizeHint().height());
    if (edit->parentWidget() && edit->parentWidget()->layout() &&
        edit->parentWidget()->layout()->indexOf(edit) >= 0) {
        edit->setFixedWidth(width);
    } else {
        // Placed by hand: it grows from its left edge and about its middle.
        const QRect old = edit->geometry();
        edit->setGeometry(old.left(), old.center().y() - height / 2, width, height);
    }
    return width;
}

} // namespace skyvane
