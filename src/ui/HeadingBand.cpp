#include "HeadingBand.h"

#include "ReadableColours.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace skyvane {

HeadingBand::HeadingBand(QWidget* parent)
    : QWidget(parent)
    , m_heading(new QLabel(this)) {
    setFixedHeight(kHeight);
    m_heading->setObjectName(QStringLiteral("lblHeading"));
    m_heading->setTextFormat(Qt::PlainText);
    QFont font = m_heading->font();
    font.setBold(true);
    font.setPixelSize(16);
    m_heading->setFont(font);
    m_heading->setAttribute(Qt::WA_TranslucentBackground);
    // The picture is light under every desktop theme.
    UseDarkText(m_heading);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 8, 8, 0);
    layout->addWidget(m_heading, 0, Qt::AlignLeft | Qt::AlignTop);
}

void HeadingBand::setHeadingText(const QString& text) {
    m_heading->setText(text);
}

const QPixmap& HeadingBand::HeadingPicture() {
    static const QPixmap picture(QStringLiteral(":/images/heading.jpg"));
    return picture;
}

void HeadingBand::PaintBox2Paint(QPainter& painter, const QRect& box, const QPixmap& picture) {
    if (!picture.isNull()) {
        for (int y = box.top(); y <= box.bottom(); y += picture.height())
            for (int x = box.left(); x <= box.right(); x += picture.width())
                painter.drawPixmap(x, y, picture);
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    const QPoint corners[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    painter.drawPolygon(corners, 4);
}

void HeadingBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBox2Paint(painter, rect(), HeadingPicture());
}

} // namespace skyvane
