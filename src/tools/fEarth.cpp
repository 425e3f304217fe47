#include "fEarth.h"

#include "Constants.h"
#include "HelpBinding.h"
#include "LanguageController.h"
#include "NumberText.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace skyvane {

namespace {

constexpr int kPrimeMeridianColumn = 359;
constexpr int kEquatorRow = 179;
constexpr double kPixelsPerDegree = 2.0;

constexpr int kPinWidth = 9;   // pixels
constexpr int kPinHeight = 15; // pixels
constexpr int kPinTipColumn = 4;
constexpr int kPinTipRow = 14;

// Pin rows, top to bottom: M see-through, W white, R red, K black.
constexpr std::array<const char*, kPinHeight> kPinRows{
    "MWWWWWWWM", "MWRRRRRWM", "MWRRRRRWM", "MWRRRRRWM", "MWRRRRRWM",
    "WRRRRRRRW", "WRRRRRRRW", "WRRRRRRRW", "MWWKKKWWM", "MMWKKKWMM",
    "MMWKKKWMM", "MMMWKWMMM", "MMMWKWMMM", "MMMWKWMMM", "MMMMWMMMM",
};

// Typed coordinates can be any size; far beyond the map they only need to stay off it
// without overflowing an int.
constexpr double kFarOffMap = 100000.0; // pixels

int RoundToPixel(double value) {
    return static_cast<int>(std::nearbyint(std::clamp(value, -kFarOffMap, kFarOffMap)));
}

QColor PinColour(char letter) {
    switch (letter) {
    case 'W':
        return Qt::white;
    case 'R':
        return Qt::red;
    case 'K':
        return Qt::black;
    default:
        return Qt::transparent;
    }
}

QString LongitudeLetter(double longitudeEast) {
    return ConstantText(longitudeEast >= 0 ? Constant::EastShort : Constant::WestShort);
}

QString LatitudeLetter(double latitudeSouth) {
    return ConstantText(latitudeSouth >= 0 ? Constant::SouthShort : Constant::NorthShort);
}

} // namespace

MapCoordinate PixelToCoordinate(QPoint pixel) {
    return {(pixel.x() - kPrimeMeridianColumn) / kPixelsPerDegree,
            (pixel.y() - kEquatorRow) / kPixelsPerDegree};
}

QPoint CoordinateToPixel(MapCoordinate site) {
    return {RoundToPixel(site.longitudeEast * kPixelsPerDegree + kPrimeMeridianColumn),
            RoundToPixel(site.latitudeSouth * kPixelsPerDegree + kEquatorRow)};
}

PinPlacement PlacePin(QPoint sitePixel) {
    const int left = sitePixel.x() - kPinTipColumn;
    const int uprightTop = sitePixel.y() - (kPinTipRow - 1);
    if (uprightTop >= 0)
        return {QRect(left, uprightTop, kPinWidth, kPinHeight), false};
    // Upside down, the pin covers the rows from two above the site to twelve below it.
    return {QRect(left, sitePixel.y() - 2, kPinWidth, kPinHeight), true};
}

QPoint PinTip(const PinPlacement& placement) {
    const int tipRow = placement.mirrored ? 0 : kPinTipRow;
    return placement.area.topLeft() + QPoint(kPinTipColumn, tipRow);
}

QImage PinImage() {
    QImage pin(kPinWidth, kPinHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kPinHeight; ++y)
        for (int x = 0; x < kPinWidth; ++x)
            pin.setPixelColor(x, y, PinColour(kPinRows[y][x]));
    return pin;
}

MapCoordinate MapCoordinateOf(const Site& site) {
    return {site.longitudeEast(), site.latitudeSouth()};
}

QString CoordinateText(MapCoordinate position) {
    return FormatFixed(std::fabs(position.latitudeSouth), 2) + QLatin1Char(' ') +
           LatitudeLetter(position.latitudeSouth) + QStringLiteral(" / ") +
           FormatFixed(std::fabs(position.longitudeEast), 2) + QLatin1Char(' ') +
           LongitudeLetter(position.longitudeEast);
}

TfrmEarth::TfrmEarth(QWidget* mainWindow, Session* session)
    : QWidget(mainWindow, Qt::Tool)
    , m_session(session) {
    setupUi(this);
    HelpBinding::SetHelpContext(this, HelpContext::WorldMap);

    QPalette frame = Panel2->palette();
    frame.setColor(QPalette::Window, Qt::black);
    Panel2->setPalette(frame);
    QPalette line = Panel1->palette();
    line.setColor(QPalette::Window, palette().color(QPalette::Window));
    Panel1->setPalette(line);

    imgPin->setPixmap(QPixmap::fromImage(PinImage()));
    Image1->installEventFilter(this);
    new LanguageController(this, Translation());
}

const WindowTranslation& TfrmEarth::Translation() {
    static const WindowTranslation translation{
        "frmEarth", {{1, "", "Caption", "Worldmap"}}, {QStringLiteral("*.Font.Name")}};
    return translation;
}

void TfrmEarth::Image1MouseMove(Qt::KeyboardModifiers /*shift*/, int x, int y) {
    // While a button is held the map keeps getting moves from beyond its edges.
    const QPoint pixel(std::clamp(x, 0, kMapWidth - 1), std::clamp(y, 0, kMapHeight - 1));
    cursor = PixelToCoordinate(pixel);
    Panel1->setText(CoordinateText(cursor));
}

void TfrmEarth::Image1Click() {
    if (m_session)
        WriteCursorToSite();
    hide();
}

void TfrmEarth::WriteCursorToSite() {
    m_session->setSite(Site::FromSouthEast(cursor.latitudeSouth, cursor.longitudeEast));
}

void TfrmEarth::FormShow() {
    // Decoded when the map is first shown: most runs never open it.
    if (imgSrc->pixmap().isNull())
        imgSrc->setPixmap(QPixmap(QStringLiteral(":/images/worldmap.jpg")));
    mapBitmap = imgSrc->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    if (mapBitmap.size() != QSize(kMapWidth, kMapHeight)) {
        // Without its picture the map still works, on a plain sea.
        mapBitmap = QImage(kMapWidth, kMapHeight, QImage::Format_RGB32);
        mapBitmap.fill(QColor(8, 16, 64));
    }
    if (m_session)
        DrawPin(CoordinateToPixel(MapCoordinateOf(m_session->site())));
    Image1->setPixmap(QPixmap::fromImage(mapBitmap));
}

void TfrmEarth::DrawPin(QPoint sitePixel) {
    const PinPlacement placement = PlacePin(sitePixel);
    const QImage pin = imgPin->pixmap().toImage();
    QPainter painter(&mapBitmap);
    painter.drawImage(placement.area.topLeft(), placement.mirrored ? pin.mirrored() : pin);
}

void TfrmEarth::FormKeyUp(int key, Qt::KeyboardModifiers /*shift*/) {
    if (key == Qt::Key_Escape)
        hide();
}

void TfrmEarth::CentreOverMainWindow() {
    const QWidget* mainWindow = parentWidget();
    if (!mainWindow)
        return;
    const QPoint centre = mainWindow->frameGeometry().center();
    move(centre - QPoint(width() / 2, height() / 2));
}

bool TfrmEarth::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Image1)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        Image1MouseMove(mouse->modifiers(), at.x(), at.y());
        break;
    }
    case QEvent::MouseButtonPress: {
        // The click takes the place where it happened, also when no movement over the map was
        // seen before it (the window opened under a resting mouse).
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint at = mouse->position().toPoint();
            Image1MouseMove(mouse->modifiers(), at.x(), at.y());
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Image1->rect().contains(mouse->position().toPoint()))
            Image1Click();
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmEarth::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (!shownBefore)
            CentreOverMainWindow();
        shownBefore = true;
        FormShow();
    }
    QWidget::showEvent(event);
}

void TfrmEarth::keyReleaseEvent(QKeyEvent* event) {
    FormKeyUp(event->key(), event->modifiers());
    QWidget::keyReleaseEvent(event);
}

} // namespace skyvane
