#pragma once

class QLineEdit;
class QString;

namespace skyvane {

// The width, in pixels, that `edit` needs to show `sample` whole in its current font and
// style: frame, text margins and cursor included.
int EditWidthFor(const QLineEdit* edit, const QString& sample);

// Widens the edit to show `sample` whole and makes it as tall as its font needs; it never
// becomes smaller than its form made it. Returns the width it now has.
int FitEditTo(QLineEdit* edit, const QString& sample);

} // namespace skyvane
