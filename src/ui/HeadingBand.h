#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace skyvane {

// The 41-pixel band at the top of the main, detail, sun outage, obstacle and about windows: the
// heading texture repeated from the top-left corner, a one-pixel black frame, and the bold
// heading label lblHeading at (16, 8).
class HeadingBand : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 41;

    explicit HeadingBand(QWidget* parent = nullptr);

    QLabel* heading() const { return m_heading; }
    void setHeadingText(const QString& text);

    // The shared heading texture (400 x 90).
    static const QPixmap& HeadingPicture();
    // Paints the band: the picture tiled from the top-left corner, then the black frame.
    static void PaintBox2Paint(QPainter& painter, const QRect& box, const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_heading;
};

} // namespace skyvane
