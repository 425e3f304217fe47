#include "fInit.h"

#include "ProductInfo.h"

#include <QApplication>
#include <QScreen>

namespace skyvane {

TfrmInit::TfrmInit(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setupUi(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The splash takes no input, yet its texts must not look greyed out.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::WindowText));
    setPalette(palette);
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/splash.jpg")));
    setFixedSize(302, 219);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmInit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TfrmInit::FormShow() {
    lblVersion->setText(QStringLiteral("v") + QLatin1String(kProductVersion));
    PaintNow();
}

void TfrmInit::PaintNow() {
    Image1->repaint();
    Panel2->repaint();
    QApplication::processEvents();
}

} // namespace skyvane
