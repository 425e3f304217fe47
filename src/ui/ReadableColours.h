#pragma once

#include <QColor>

#include <initializer_list>

class QPalette;
class QWidget;

namespace skyvane {

// Contrast of two colours as the accessibility guidelines measure it: from 1 (equal lightness)
// to 21 (black on white). Body text wants at least 4.5.
double ContrastRatio(const QColor& first, const QColor& second);

// Black or white, whichever reads better on `background`.
QColor TextColourOn(const QColor& background);

// `preferred` when it reads on `background`, else black or white.
QColor ReadableOn(const QColor& preferred, const QColor& background);

// The background behind pictures that were drawn for a light window (black lines, masked
// corners): the palette's window colour when black reads on it, else a fixed light grey, so
// a dark desktop theme does not swallow the drawing.
QColor LightBackdrop(const QPalette& palette);

// Panels showing such pictures: their background becomes the backdrop (filled), their text
// readable on it. Under a light theme nothing changes.
void UseLightBackdrop(std::initializer_list<QWidget*> panels);

// Text on a fixed light background (a picture, a white panel) is drawn in black whatever the
// desktop theme says; the widget's own and button text roles are both set, and the text role
// that radio buttons and check boxes draw their marks in.
void UseDarkText(QWidget* widget);

} // namespace skyvane
