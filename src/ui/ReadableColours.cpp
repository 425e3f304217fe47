#include "ReadableColours.h"

#include <QPalette>
#include <QWidget>

#include <cmath>

namespace skyvane {

namespace {

constexpr double kReadableContrast = 4.5;

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor TextColourOn(const QColor& background) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

QColor ReadableOn(const QColor& preferred, const QColor& background) {
    if (ContrastRatio(preferred, background) >= kReadableContrast)
        return preferred;
    return TextColourOn(background);
}

QColor LightBackdrop(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    if (ContrastRatio(Qt::black, window) >= kReadableContrast)
        return window;
    return QColor(0xef, 0xef, 0xef);
}

void UseLightBackdrop(std::initializer_list<QWidget*> panels) {
    for (QWidget* panel : panels) {
        QPalette palette = panel->palette();
        const QColor backdrop = LightBackdrop(palette);
        palette.setColor(QPalette::Window, backdrop);
        palette.setColor(QPalette::WindowText,
                         ReadableOn(palette.color(QPalette::WindowText), backdrop));
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
}

void UseDarkText(QWidget* widget) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, Qt::black);
    widget->setPalette(palette);
}

} // namespace skyvane
