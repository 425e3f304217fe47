#include "FieldMark.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace skyvane {

namespace {

constexpr char kRejectedProperty[] = "rejected";

} // namespace

void MarkRejected(QWidget* field, bool rejected) {
    if (!field || IsMarkedRejected(field) == rejected)
        return;
    field->setProperty(kRejectedProperty, rejected);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, rejected ? QColor(Qt::red)
                                              : QApplication::palette(field).color(QPalette::Text));
    field->setPalette(palette);
}

bool IsMarkedRejected(const QWidget* field) {
    return field && field->property(kRejectedProperty).toBool();
}

} // namespace skyvane
