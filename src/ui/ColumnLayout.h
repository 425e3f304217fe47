#pragma once

#include <QString>
#include <Qt>

namespace skyvane {

// How a view shows one column of a model, for output that looks like the screen.
struct ColumnLayout {
    int column = 0; // the model's column
    int width = 0;  // pixels on screen
    Qt::Alignment alignment = Qt::AlignLeft;
    QString textAfter; // drawn after every cell text, "°"
};

} // namespace skyvane
