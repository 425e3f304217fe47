#pragma once

class QWidget;

namespace skyvane {

// Marks an input field whose text was not accepted (red text), or clears the mark. The mark is
// also the field's dynamic property "rejected", so that a style sheet may draw it otherwise.
void MarkRejected(QWidget* field, bool rejected);

bool IsMarkedRejected(const QWidget* field);

} // namespace skyvane
