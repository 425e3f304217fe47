#include "Constants.h"
#include "fEarth.h"

#include <QMouseEvent>
#include <QSignalBlocker>
#include <QtTest>

#include <memory>

using namespace skyvane;

namespace {

// The main window as the map sees it: a session, with a record of the sites it was given.
class FakeMainWindow : public QWidget {
public:
    FakeMainWindow() {
        session = new Session(QStringLiteral("geomag"), this);
        QObject::connect(session, &Session::siteChanged, this, [this](const Site& site) {
            ++calcRuns;
            calcSite = QStringLiteral("%1 %2 / %3 %4")
                           .arg(site.latitudeText(), site.north() ? "N" : "S", site.longitudeText(),
                                site.west() ? "W" : "E");
        });
        setGeometry(100, 80, 900, 600);
    }

    // A site typed in the main window, not counted as one the map gave.
    void SetSite(const QString& latitude, bool north, const QString& longitude, bool west) {
        const QSignalBlocker quiet(session);
        session->setSite(Site::FromInputs(latitude, north, longitude, west));
    }

    Session* session;
    int calcRuns = 0;
    QString calcSite;
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void MoveOver(QWidget* target, QPoint at) {
    SendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

void ClickAt(QWidget* target, QPoint at) {
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

QImage WorldPicture() {
    return QImage(QStringLiteral(":/images/worldmap.jpg")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestEarth : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void pixelToCoordinate_data();
    void pixelToCoordinate();
    void coordinateToPixel_data();
    void coordinateToPixel();
    void pinPlacement_data();
    void pinPlacement();
    void pinPicture();
    void siteFromInputs_data();
    void siteFromInputs();
    void coordinateText_data();
    void coordinateText();
    void coordinateTextUsesCurrentLetters();

    void worldPicture();
    void windowIdentity();
    void mouseMoveShowsPosition_data();
    void mouseMoveShowsPosition();
    void clickWritesSite_data();
    void clickWritesSite();
    void clickUsesStoredPositionAndKeepsIt();
    void clickWithoutMainWindowOnlyHides();
    void pinShownForSite_data();
    void pinShownForSite();
    void reshowingWipesOldPin();
    void siteFarOffMapDrawsNoPin();
    void escapeHides_data();
    void escapeHides();
    void centredAtFirstShowingOnly();
};

void TestEarth::cleanup() {
    ResetConstants();
    QLocale::setDefault(QLocale::c());
}

// --- pure mapping -------------------------------------------------------------------------

void TestEarth::pixelToCoordinate_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<double>("latitudeSouth");
    QTest::newRow("top left corner") << QPoint(0, 0) << -179.5 << -89.5;
    QTest::newRow("prime meridian on the equator") << QPoint(359, 179) << 0.0 << 0.0;
    QTest::newRow("bottom right corner") << QPoint(719, 359) << 180.0 << 90.0;
    QTest::newRow("half a degree west and south") << QPoint(358, 180) << -0.5 << 0.5;
    QTest::newRow("Austria") << QPoint(391, 85) << 16.0 << -47.0;
}

void TestEarth::pixelToCoordinate() {
    QFETCH(QPoint, pixel);
    QFETCH(double, longitudeEast);
    QFETCH(double, latitudeSouth);
    const MapCoordinate position = PixelToCoordinate(pixel);
    QCOMPARE(position.longitudeEast, longitudeEast);
    QCOMPARE(position.latitudeSouth, latitudeSouth);
}

void TestEarth::coordinateToPixel_data() {
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<double>("latitudeSouth");
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("default site 16.16 E 47.16 N") << 16.16 << -47.16 << QPoint(391, 85);
    QTest::newRow("prime meridian on the equator") << 0.0 << 0.0 << QPoint(359, 179);
    QTest::newRow("180 W left of the map") << -180.0 << 0.0 << QPoint(-1, 179);
    QTest::newRow("half up to even column 360") << 0.25 << 0.0 << QPoint(360, 179);
    QTest::newRow("half down to even column 360") << 0.75 << 0.0 << QPoint(360, 179);
    QTest::newRow("83.25 N rounds to even row 12") << 0.0 << -83.25 << QPoint(359, 12);
    QTest::newRow("far beyond the map stays an int") << 1e300 << -1e300 << QPoint(100000, -100000);
}

void TestEarth::coordinateToPixel() {
    QFETCH(double, longitudeEast);
    QFETCH(double, latitudeSouth);
    QFETCH(QPoint, pixel);
    QCOMPARE(CoordinateToPixel({longitudeEast, latitudeSouth}), pixel);
}

void TestEarth::pinPlacement_data() {
    QTest::addColumn<QPoint>("site");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QPoint>("tip");
    QTest::newRow("Austria upright")
        << QPoint(391, 85) << QRect(387, 72, 9, 15) << false << QPoint(391, 86);
    QTest::newRow("0 E 0 N tip below the crossing")
        << QPoint(359, 179) << QRect(355, 166, 9, 15) << false << QPoint(359, 180);
    QTest::newRow("83 N upright touching the top edge")
        << QPoint(391, 13) << QRect(387, 0, 9, 15) << false << QPoint(391, 14);
    QTest::newRow("85 N mirrored, tip up")
        << QPoint(391, 9) << QRect(387, 7, 9, 15) << true << QPoint(391, 7);
    QTest::newRow("83.25 N mirrored")
        << QPoint(359, 12) << QRect(355, 10, 9, 15) << true << QPoint(359, 10);
    QTest::newRow("180 W half off the left edge")
        << QPoint(-1, 179) << QRect(-5, 166, 9, 15) << false << QPoint(-1, 180);
}

void TestEarth::pinPlacement() {
    QFETCH(QPoint, site);
    QFETCH(QRect, area);
    QFETCH(bool, mirrored);
    QFETCH(QPoint, tip);
    const PinPlacement placement = PlacePin(site);
    QCOMPARE(placement.area, area);
    QCOMPARE(placement.mirrored, mirrored);
    QCOMPARE(PinTip(placement), tip);
}

void TestEarth::pinPicture() {
    const QImage pin = PinImage();
    QCOMPARE(pin.size(), QSize(9, 15));
    QCOMPARE(pin.pixelColor(0, 14).alpha(), 0); // the see-through corner
    QCOMPARE(pin.pixelColor(4, 14), QColor(Qt::white));
    QCOMPARE(pin.pixelColor(4, 3), QColor(Qt::red));
    QCOMPARE(pin.pixelColor(4, 10), QColor(Qt::black));
    QCOMPARE(pin.pixelColor(0, 6), QColor(Qt::white));
    QCOMPARE(pin.pixelColor(8, 0).alpha(), 0);
}

void TestEarth::siteFromInputs_data() {
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<bool>("west");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<bool>("north");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<double>("latitudeSouth");
    QTest::newRow("east and north as typed")
        << "16.16" << false << "47.16" << true << 16.16 << -47.16;
    QTest::newRow("minus typed with North stays north")
        << "16.16" << false << "-47.16" << true << 16.16 << -47.16;
    QTest::newRow("minus typed with South stays south")
        << "16.16" << false << "-47.16" << false << 16.16 << 47.16;
    QTest::newRow("minus typed with East stays east")
        << "-16.16" << false << "47.16" << true << 16.16 << -47.16;
    QTest::newRow("west button") << "58.5" << true << "33.5" << false << -58.5 << 33.5;
    QTest::newRow("text that is no number counts as 0")
        << "abc" << true << "" << true << 0.0 << 0.0;
}

void TestEarth::siteFromInputs() {
    QFETCH(QString, longitude);
    QFETCH(bool, west);
    QFETCH(QString, latitude);
    QFETCH(bool, north);
    QFETCH(double, longitudeEast);
    QFETCH(double, latitudeSouth);
    const MapCoordinate site = MapCoordinateOf(Site::FromInputs(latitude, north, longitude, west));
    QCOMPARE(site.longitudeEast, longitudeEast);
    QCOMPARE(site.latitudeSouth, latitudeSouth);
}

void TestEarth::coordinateText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QString>("text");
    QTest::newRow("equator counts as south, prime meridian as east")
        << "C" << QPoint(359, 179) << "0.00 S / 0.00 E";
    QTest::newRow("Austria") << "C" << QPoint(391, 85) << "47.00 N / 16.00 E";
    QTest::newRow("half-degree steps") << "C" << QPoint(358, 180) << "0.50 S / 0.50 W";
    QTest::newRow("top left corner") << "C" << QPoint(0, 0) << "89.50 N / 179.50 W";
    QTest::newRow("bottom right corner") << "C" << QPoint(719, 359) << "90.00 S / 180.00 E";
    QTest::newRow("decimal comma") << "de_DE" << QPoint(392, 86) << "46,50 N / 16,50 E";
}

void TestEarth::coordinateText() {
    QFETCH(QString, locale);
    QFETCH(QPoint, pixel);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(CoordinateText(PixelToCoordinate(pixel)), text);
}

void TestEarth::coordinateTextUsesCurrentLetters() {
    SetConstantText(Constant::EastShort, QStringLiteral("O"));
    QCOMPARE(CoordinateText(PixelToCoordinate({391, 85})), QStringLiteral("47.00 N / 16.00 O"));
}

// --- the window ---------------------------------------------------------------------------

void TestEarth::worldPicture() {
    const QImage world = WorldPicture();
    QCOMPARE(world.size(), QSize(kMapWidth, kMapHeight));
    // Thin red lines mark the prime meridian and the equator.
    for (const QPoint at : {QPoint(359, 60), QPoint(359, 300), QPoint(60, 179), QPoint(600, 179)}) {
        const QColor c = world.pixelColor(at);
        QVERIFY2(
            c.red() > 150 && c.green() < 90 && c.blue() < 90,
            qPrintable(QStringLiteral("(%1, %2) is %3").arg(at.x()).arg(at.y()).arg(c.name())));
    }
    // The sea in the middle of the Pacific is dark blue.
    const QColor sea = world.pixelColor(60, 200);
    QVERIFY2(sea.blue() > sea.red() && sea.blue() > sea.green() && sea.value() < 140,
             qPrintable(sea.name()));
}

void TestEarth::windowIdentity() {
    TfrmEarth earth;
    QCOMPARE(earth.objectName(), QStringLiteral("frmEarth"));
    QCOMPARE(earth.windowTitle(), QStringLiteral("Worldmap"));
    QCOMPARE(earth.property("helpContext").toInt(), 103);
    QCOMPARE(earth.size(), QSize(720, 386));
    QCOMPARE(earth.Image1->geometry(), QRect(0, 0, 720, 360));
    QCOMPARE(earth.Image1->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(earth.Panel1->text(), QString());
    QVERIFY(earth.Panel2->findChild<QLabel*>(QStringLiteral("Panel1")));
    QVERIFY(earth.imgSrc->isHidden());
    QVERIFY(earth.imgPin->isHidden());

    const WindowTranslation& translation = TfrmEarth::Translation();
    QCOMPARE(QString::fromLatin1(translation.section), QStringLiteral("frmEarth"));
    QCOMPARE(translation.entries.size(), size_t(1));
    QCOMPARE(translation.entries[0].number, 1);
    QCOMPARE(QString::fromLatin1(translation.entries[0].objectName), QString());
    QCOMPARE(QString::fromLatin1(translation.entries[0].property), QStringLiteral("Caption"));
    QCOMPARE(QString::fromUtf8(translation.entries[0].english), earth.windowTitle());
    QCOMPARE(translation.ignoreMasks, QStringList{QStringLiteral("*.Font.Name")});
}

void TestEarth::mouseMoveShowsPosition_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("text");
    QTest::newRow("crossing of the red lines") << QPoint(359, 179) << "0.00 S / 0.00 E";
    QTest::newRow("one pixel north-west of it") << QPoint(358, 178) << "0.50 N / 0.50 W";
    QTest::newRow("Austria") << QPoint(391, 85) << "47.00 N / 16.00 E";
    QTest::newRow("dragged beyond the bottom left") << QPoint(-30, 400) << "90.00 S / 179.50 W";
}

void TestEarth::mouseMoveShowsPosition() {
    QFETCH(QPoint, at);
    QFETCH(QString, text);
    TfrmEarth earth;
    earth.show();
    MoveOver(earth.Image1, at);
    QCOMPARE(earth.Panel1->text(), text);
}

void TestEarth::clickWritesSite_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("site");
    QTest::newRow("crossing gives 0.00 South and East") << QPoint(359, 179) << "0.00 S / 0.00 E";
    QTest::newRow("Austria") << QPoint(391, 85) << "47.00 N / 16.00 E";
    QTest::newRow("south-west corner") << QPoint(0, 359) << "90.00 S / 179.50 W";
    QTest::newRow("South America") << QPoint(263, 225) << "23.00 S / 48.00 W";
}

void TestEarth::clickWritesSite() {
    QFETCH(QPoint, at);
    QFETCH(QString, site);
    FakeMainWindow main;
    main.SetSite(QStringLiteral("12.34"), true, QStringLiteral("56.78"), true);
    TfrmEarth earth(&main, main.session);
    earth.show();
    // No movement first: the click counts where it happens.
    ClickAt(earth.Image1, at);
    QCOMPARE(main.calcRuns, 1);
    QCOMPARE(main.calcSite, site);
    QVERIFY(earth.isHidden());
}

void TestEarth::clickUsesStoredPositionAndKeepsIt() {
    FakeMainWindow main;
    TfrmEarth earth(&main, main.session);
    earth.show();
    earth.Image1Click();
    QCOMPARE(main.calcSite, QStringLiteral("0.00 S / 0.00 E"));

    earth.show();
    MoveOver(earth.Image1, {391, 85});
    MoveOver(earth.Image1, {392, 86});
    earth.Image1Click();
    QCOMPARE(main.calcSite, QStringLiteral("46.50 N / 16.50 E"));
    QCOMPARE(main.calcRuns, 2);

    earth.show();
    QCOMPARE(earth.Panel1->text(), QStringLiteral("46.50 N / 16.50 E"));
    QCOMPARE(earth.CursorPosition().longitudeEast, 16.5);
    QCOMPARE(earth.CursorPosition().latitudeSouth, -46.5);
}

void TestEarth::clickWithoutMainWindowOnlyHides() {
    auto main = std::make_unique<FakeMainWindow>();
    TfrmEarth earth(nullptr, main->session);
    main.reset();
    earth.show();
    ClickAt(earth.Image1, {391, 85});
    QVERIFY(earth.isHidden());
}

void TestEarth::pinShownForSite_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<bool>("north");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<bool>("west");
    QTest::addColumn<QPoint>("tip");
    QTest::addColumn<bool>("mirrored");
    QTest::newRow("default site stands on Austria")
        << "C"
        << "47.16" << true << "16.16" << false << QPoint(391, 86) << false;
    QTest::newRow("minus typed with North pinned north")
        << "C"
        << "-47.16" << true << "16.16" << false << QPoint(391, 86) << false;
    QTest::newRow("decimal comma typed")
        << "de_DE"
        << "47,16" << true << "16,16" << false << QPoint(391, 86) << false;
    QTest::newRow("0 E 0 N") << "C"
                             << "0" << true << "0" << false << QPoint(359, 180) << false;
    QTest::newRow("not a number placed as 0")
        << "C"
        << "x" << true << "?" << true << QPoint(359, 180) << false;
    QTest::newRow("85 N mirrored") << "C"
                                   << "85" << true << "16.16" << false << QPoint(391, 7) << true;
    QTest::newRow("83 N upright") << "C"
                                  << "83" << true << "16.16" << false << QPoint(391, 14) << false;
    QTest::newRow("33.5 S 58.5 W")
        << "C"
        << "33.5" << false << "58.5" << true << QPoint(242, 247) << false;
}

void TestEarth::pinShownForSite() {
    QFETCH(QString, latitude);
    QFETCH(bool, north);
    QFETCH(QString, longitude);
    QFETCH(bool, west);
    QFETCH(QPoint, tip);
    QFETCH(bool, mirrored);
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    FakeMainWindow main;
    main.SetSite(latitude, north, longitude, west);
    TfrmEarth earth(&main, main.session);
    earth.show();

    const QImage map = earth.MapBitmap();
    const int towardsHead = mirrored ? 1 : -1;
    QCOMPARE(map.pixelColor(tip), QColor(Qt::white));
    QCOMPARE(map.pixelColor(tip + QPoint(0, 4 * towardsHead)), QColor(Qt::black));
    QCOMPARE(map.pixelColor(tip + QPoint(0, 11 * towardsHead)), QColor(Qt::red));
    QCOMPARE(earth.Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32), map);
    // Next to the needle the map shows through.
    const QPoint beside = tip + QPoint(-3, 2 * towardsHead);
    QCOMPARE(map.pixelColor(beside), WorldPicture().pixelColor(beside));
}

void TestEarth::reshowingWipesOldPin() {
    FakeMainWindow main;
    TfrmEarth earth(&main, main.session);
    earth.show();
    earth.hide();
    main.SetSite(QStringLiteral("0"), true, QStringLiteral("0"), false);
    earth.show();
    const QImage world = WorldPicture();
    const QRect oldPin(387, 72, 9, 15);
    QCOMPARE(earth.MapBitmap().copy(oldPin), world.copy(oldPin));
    QCOMPARE(earth.MapBitmap().pixelColor(359, 180), QColor(Qt::white));
}

void TestEarth::siteFarOffMapDrawsNoPin() {
    FakeMainWindow main;
    main.SetSite(QStringLiteral("1e300"), true, QStringLiteral("1e300"), false);
    TfrmEarth earth(&main, main.session);
    earth.show();
    QCOMPARE(earth.MapBitmap(), WorldPicture());
}

void TestEarth::escapeHides_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << true;
    QTest::newRow("Return is ignored") << int(Qt::Key_Return) << false;
    QTest::newRow("letter is ignored") << int(Qt::Key_A) << false;
}

void TestEarth::escapeHides() {
    QFETCH(int, key);
    QFETCH(bool, hidden);
    TfrmEarth earth;
    earth.show();
    QTest::keyRelease(&earth, Qt::Key(key));
    QCOMPARE(earth.isHidden(), hidden);
}

void TestEarth::centredAtFirstShowingOnly() {
    FakeMainWindow main;
    main.show();
    TfrmEarth earth(&main, main.session);
    earth.show();
    const QPoint offset = earth.geometry().center() - main.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("off centre by %1, %2").arg(offset.x()).arg(offset.y())));

    earth.move(earth.pos() + QPoint(40, 30));
    const QPoint movedTo = earth.pos();
    earth.hide();
    earth.show();
    QCOMPARE(earth.pos(), movedTo);
}

QTEST_MAIN(TestEarth)
#include "tst_earth.moc"
