#include "fInit.h"

#include "ProductInfo.h"
#include "ReadableColours.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QWindow>

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
    // The texts sit at fixed places on a picture of fixed size, so their size is in pixels
    // too: a large desktop font would cut them off.
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);
    // Labels with a style sheet of their own take the desktop font unless told otherwise.
    for (QLabel* label : findChildren<QLabel*>())
        label->setFont(font);
    // The status line stands on white under every desktop theme.
    UseDarkText(Panel2);
    // Not through QPixmap's file cache, which would keep the picture after the splash is gone.
    Image1->setPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/images/splash.jpg"))));
    setFixedSize(302, 219);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmInit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

// The window system maps the window only after the show event, so nothing painted here would
// be seen: the owner calls PaintNow once show() has returned.
void TfrmInit::FormShow() {
    lblVersion->setText(QStringLiteral("v") + QLatin1String(kProductVersion));
}

// A repaint before the window system has exposed the window is lost, and the main window would
// replace the splash before it was ever drawn; the wait is bounded so a window manager that
// never exposes it cannot hold up the start.
void TfrmInit::WaitUntilExposed() {
    constexpr int kExposeWaitMs = 500;
    QElapsedTimer waited;
    waited.start();
    while (isVisible() && windowHandle() && !windowHandle()->isExposed() &&
           waited.elapsed() < kExposeWaitMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!windowHandle()->isExposed())
            QThread::msleep(1);
    }
}

void TfrmInit::PaintNow() {
    WaitUntilExposed();
    Image1->repaint();
    Panel2->repaint();
    QApplication::processEvents();
}

} // namespace skyvane
