#include "../TestSupport.h"
#include "Constants.h"
#include "DialogSeam.h"
#include "GifWriter.h"
#include "LanguageController.h"
#include "fSatDetail.h"

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace skyvane;
using namespace skyvane::testing;

namespace {

const QSize kImageSize(240, 240);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

SatelliteRecord Record(double position, double latitude, double longitude) {
    auto record = std::make_shared<TSatelliteData>();
    record->Name = QStringLiteral("Hotbird 1/2/3/4/6");
    record->Position = position;
    record->Azimuth = 173.254;
    record->Elevation = 35.5;
    record->Skew = -12.3;
    record->SiteLatitude = latitude;
    record->SiteLongitude = longitude;
    return record;
}

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

// The saved file decoded again, or the GIF signature when no GIF reader is installed: the
// diagram's pixels, its teal ground transparent.
void VerifyGif(const QString& path, const QImage& expected) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QCOMPARE(file.read(6), QByteArray("GIF89a"));
    if (!QImageReader::supportedImageFormats().contains("gif"))
        return;
    QImageReader reader(path, "gif");
    const QImage read = reader.read().convertToFormat(QImage::Format_ARGB32);
    QImage wanted = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < wanted.height(); ++y)
        for (int x = 0; x < wanted.width(); ++x)
            if (wanted.pixel(x, y) == qRgb(0, 128, 128))
                wanted.setPixel(x, y, read.pixel(x, y) & 0x00ffffff);
    QVERIFY2(qAlpha(read.pixel(0, 0)) == 0, "the ground is transparent");
    QCOMPARE(read, wanted);
}

} // namespace

class TestSatDetail : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void dailyPathOnlyForAMovingSatellite();
    void needleTip_data();
    void needleTip();
    void elevationSector_data();
    void elevationSector();
    void polarisationLine_data();
    void polarisationLine();
    void captionRounding();
    void siteLine_data();
    void siteLine();
    void languageSwitchKeepsDiagramTexts();
    void reportBaseName_data();
    void reportBaseName();
    void saveImage_data();
    void saveImage();
    void exportWritesPageAndPictures();
    void reportKeepsTheSiteOfItsRecord();
    void richPictureStillWritten();
    void failedSaveTellsFileAndReason_data();
    void failedSaveTellsFileAndReason();
    void everyTranslationEntryNamesAProperty();
    void closeFreesTheWindow();
};

void TestSatDetail::cleanup() {
    DialogSeam::clearHooks();
    ResetConstants();
}

void TestSatDetail::needleTip_data() {
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<QPoint>("tip");
    QTest::newRow("north") << 0.0 << QPoint(119, 20);
    QTest::newRow("east") << 90.0 << QPoint(218, 119);
    QTest::newRow("south") << 180.0 << QPoint(119, 218);
    QTest::newRow("south-west") << 225.0 << QPoint(49, 189);
}

void TestSatDetail::needleTip() {
    QFETCH(double, azimuth);
    QFETCH(QPoint, tip);
    const QImage compass = DrawAzimuthDiagram(kImageSize, azimuth, CurrentCompassLetters());
    QCOMPARE(QColor(compass.pixel(tip)), QColor(kRed));
    QCOMPARE(QColor(compass.pixel(119, 119)), QColor(kRed));
}

void TestSatDetail::elevationSector_data() {
    QTest::addColumn<double>("elevation");
    QTest::addColumn<QPoint>("lineEnd");
    QTest::addColumn<bool>("sector");
    QTest::newRow("0.5 degrees, k = 1, no sector") << 0.5 << QPoint(218, 216) << false;
    QTest::newRow("0.9 degrees, k = 2, sector") << 0.9 << QPoint(218, 215) << true;
    QTest::newRow("30 degrees") << 30.0 << QPoint(191, 119) << true;
    QTest::newRow("zenith") << 90.0 << QPoint(20, 20) << true;
}

void TestSatDetail::elevationSector() {
    QFETCH(double, elevation);
    QFETCH(QPoint, lineEnd);
    QFETCH(bool, sector);
    const QImage quadrant = DrawElevationDiagram(kImageSize, elevation);
    QCOMPARE(QColor(quadrant.pixel(lineEnd)), QColor(kRed));
    QCOMPARE(CountPixels(quadrant, kWhite) > 0, sector);
}

void TestSatDetail::polarisationLine_data() {
    QTest::addColumn<double>("skew");
    QTest::addColumn<QPoint>("lower");
    QTest::addColumn<QPoint>("upper");
    QTest::newRow("skew 0, vertical") << 0.0 << QPoint(119, 197) << QPoint(119, 80);
    QTest::newRow("skew 20, clockwise") << 20.0 << QPoint(92, 192) << QPoint(132, 82);
    QTest::newRow("skew -30, counterclockwise") << -30.0 << QPoint(158, 187) << QPoint(100, 85);
}

// The dotted line starts with a dot at its lower end; its upper end is a dot or a white gap.
void TestSatDetail::polarisationLine() {
    QFETCH(double, skew);
    QFETCH(QPoint, lower);
    QFETCH(QPoint, upper);
    const QImage feed = DrawSkewDiagram(kImageSize, skew);
    QCOMPARE(QColor(feed.pixel(lower)), QColor(kRed));
    QVERIFY2(feed.pixel(upper) == kRed || feed.pixel(upper) == kWhite,
             qPrintable(QColor(feed.pixel(upper)).name()));
    const QPoint beyond = upper + (upper - lower) / 10;
    QVERIFY(feed.pixel(beyond) != kRed);
}

void TestSatDetail::captionRounding() {
    TfrmSatDetail window(nullptr, {});
    window.SetSatellite(Record(-13.0, 47.16, -16.16));
    QCOMPARE(window.pnlAzimuth->text(), QStringLiteral("Azimuth: 173.25°"));
    QCOMPARE(window.pnlElevation->text(), QStringLiteral("Elevation: 35.50°"));
    QCOMPARE(window.pnlSkew->text(), QStringLiteral("Skew: -12.30°"));
}

void TestSatDetail::siteLine_data() {
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::newRow("all zero: east and north")
        << 0.0 << 0.0 << 0.0 << "Details for Hotbird 1/2/3/4/6 at 0.0° E"
        << "0.00° N"
        << "0.00° E";
    QTest::newRow("west satellite, south-west site")
        << 30.0 << -33.456 << 70.25 << "Details for Hotbird 1/2/3/4/6 at 30.0° W"
        << "33.46° S"
        << "70.25° W";
}

void TestSatDetail::siteLine() {
    QFETCH(double, position);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    TfrmSatDetail window(nullptr, {});
    window.SetSatellite(Record(position, latitude, longitude));
    QTEST(window.windowTitle(), "caption");
    QTEST(window.Panel6->heading()->text(), "caption");
    QTEST(window.lblLat->text(), "lat");
    QTEST(window.lblLong->text(), "lon");
}

void TestSatDetail::languageSwitchKeepsDiagramTexts() {
    TfrmSatDetail window(nullptr, {});
    window.SetSatellite(Record(-13.0, 47.16, -16.16));
    SetConstantText(Constant::DetailsForSatAtLoc, QStringLiteral("Details zu %s auf %s"));
    SetConstantText(Constant::EastShort, QStringLiteral("O"));
    SetConstantText(Constant::Azimuth, QStringLiteral("Azimut"));
    window.LanguageController1LanguageChanged();
    QCOMPARE(window.windowTitle(), QStringLiteral("Details zu Hotbird 1/2/3/4/6 auf 13.0° O"));
    QCOMPARE(window.Panel6->heading()->text(), window.windowTitle());
    QCOMPARE(window.pnlAzimuth->text(), QStringLiteral("Azimuth: 173.25°"));
    QCOMPARE(window.lblLong->text(), QStringLiteral("16.16° E"));
}

void TestSatDetail::reportBaseName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("baseName");
    QTest::newRow("one extension") << "/tmp/out/report.html"
                                   << "report";
    QTest::newRow("dot inside the name") << "/tmp/a.b.htm"
                                         << "a.b";
    QTest::newRow("no extension") << "/tmp/site"
                                  << "site";
    QTest::newRow("dot in the folder only") << "/tmp/x.y/site"
                                            << "site";
}

void TestSatDetail::reportBaseName() {
    QFETCH(QString, path);
    QTEST(ReportBaseName(path), "baseName");
}

void TestSatDetail::saveImage_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("typedName");
    QTest::newRow("azimuth") << "imgAzimuth"
                             << "compass.gif";
    QTest::newRow("elevation, typed as png") << "imgElevation"
                                             << "quadrant.png";
    QTest::newRow("skew, no extension") << "imgSkew"
                                        << "feed";
}

void TestSatDetail::saveImage() {
    QFETCH(QString, image);
    QFETCH(QString, typedName);
    QTemporaryDir dir;
    QString proposed;
    DialogSeam::setSaveFileHook([&](const SaveDialogRequest& request) {
        proposed = request.directory;
        return dir.filePath(typedName);
    });
    TfrmSatDetail window(nullptr, {});
    window.SetSatellite(Record(-13.0, 47.16, -16.16));
    auto* label = window.findChild<QLabel*>(image);
    QVERIFY(label);
    emit label->customContextMenuRequested(QPoint(10, 10));
    window.popupSave()->hide();
    window.popupSave()->actions().constFirst()->trigger();
    QCOMPARE(proposed, image + QStringLiteral(".gif"));
    VerifyGif(dir.filePath(typedName), window.Bitmap(label));
}

void TestSatDetail::exportWritesPageAndPictures() {
    QTemporaryDir dir;
    DialogSeam::setSaveFileHook(
        [&](const SaveDialogRequest&) { return dir.filePath("site.html"); });
    SiteReportInputs site;
    site.captions.latitude = QStringLiteral("Latitude");
    site.facts.latitudeText = QStringLiteral("47.16");
    site.captions.longitude = QStringLiteral("Longitude");
    site.facts.longitudeText = QStringLiteral("16.16");
    TfrmSatDetail window(nullptr, ToolWindowLink{[&] { return site.facts; },
                                                 [&] { return site.captions; },
                                                 nullptr,
                                                 {},
                                                 {},
                                                 {},
                                                 {},
                                                 {}});
    window.SetSatellite(Record(-13.0, 47.16, -16.16));
    site.facts.longitudeText = QStringLiteral("3"); // typed after the window was opened
    site.facts.longitudeWest = true;
    window.ExporttoHTML1Click();

    QFile page(dir.filePath("site.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(page.readAll());
    QVERIFY(html.contains(QStringLiteral("<tr><td><img src=\"site_az.gif\"></img></td><td><img "
                                         "src=\"site_el.gif\"></img></td><td><img "
                                         "src=\"site_sk.gif\"></img></td></tr>\r\n")));
    QVERIFY(html.contains(QStringLiteral("<tr><td>Azimuth: 173.25°</td><td>Elevation: "
                                         "35.50°</td><td>Skew: -12.30°</td></tr>\r\n")));
    QCOMPARE(html.count(QStringLiteral("class=\"info0\"")), 2);
    QVERIFY(html.contains(QStringLiteral("47.16&deg; N")));
    QVERIFY(html.contains(QStringLiteral("16.16&deg; E")));
    VerifyGif(dir.filePath("site_az.gif"), window.Bitmap(window.imgAzimuth));
    VerifyGif(dir.filePath("site_el.gif"), window.Bitmap(window.imgElevation));
    VerifyGif(dir.filePath("site_sk.gif"), window.Bitmap(window.imgSkew));
}

// The main window moving on (another site, town and declination) after the window was opened
// changes nothing in the window's report.
void TestSatDetail::reportKeepsTheSiteOfItsRecord() {
    QTemporaryDir dir;
    DialogSeam::setSaveFileHook(
        [&](const SaveDialogRequest&) { return dir.filePath("site.html"); });
    SiteReportInputs site;
    site.captions.latitude = QStringLiteral("Latitude");
    site.facts.latitudeText = QStringLiteral("47.160");
    site.captions.longitude = QStringLiteral("Longitude");
    site.facts.longitudeText = QStringLiteral("16.16");
    site.facts.townName = QStringLiteral("Szombathely");
    site.captions.city = QStringLiteral("City:");
    site.facts.declinationTicked = true;
    site.captions.declination = QStringLiteral("Magnetic declination:");
    site.facts.declinationText = QStringLiteral("4.52° E");
    TfrmSatDetail window(nullptr, ToolWindowLink{[&] { return site.facts; },
                                                 [&] { return site.captions; },
                                                 nullptr,
                                                 {},
                                                 {},
                                                 {},
                                                 {},
                                                 {}});
    window.SetSatellite(Record(-13.0, 47.16, -16.16));
    site.facts.latitudeText = QStringLiteral("10");
    site.facts.latitudeNorth = false;
    site.facts.townName = QStringLiteral("Graz");
    site.facts.declinationText = QStringLiteral("9.99° W");
    window.ExporttoHTML1Click();
    site.facts.declinationTicked = false;
    site.facts.townName.clear();
    QFile second(dir.filePath("site.html"));
    QVERIFY(second.open(QIODevice::ReadOnly));
    const QByteArray first = second.readAll();
    second.close();
    window.ExporttoHTML1Click();
    QVERIFY(second.open(QIODevice::ReadOnly));

    const QStringList lines = QString::fromLatin1(first).split(QStringLiteral("\r\n"));
    const qsizetype start = lines.indexOf(QStringLiteral("<table>"));
    QCOMPARE(lines.mid(start + 1, 5),
             QStringList({"<tr><td class=\"info0\">Latitude:</td><td class=\"value0\">47.16&deg; "
                          "N</td></tr>",
                          "<tr><td class=\"info0\">Longitude:</td><td class=\"value0\">16.16&deg; "
                          "E</td></tr>",
                          "<tr><td class=\"info0\">City:</td><td "
                          "class=\"value0\">Szombathely</td></tr>",
                          "<tr><td class=\"info0\">Magnetic declination:</td><td "
                          "class=\"value0\">4.52° E</td></tr>",
                          "</table>"}));
    QCOMPARE(second.readAll(), first);
}

// More than 256 colours cannot keep an exact palette; the picture is still written whole.
void TestSatDetail::richPictureStillWritten() {
    QImage gradient(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            gradient.setPixel(x, y, qRgb(x * 4, y * 4, 128));
    QTemporaryDir dir;
    const QString path = dir.filePath("gradient.gif");
    WriteGif(gradient, path);
    QImageReader reader(path, "gif");
    if (!QImageReader::supportedImageFormats().contains("gif"))
        QSKIP("no GIF reader installed");
    const QImage read = reader.read();
    QCOMPARE(read.size(), gradient.size());
    const QColor corner = read.pixelColor(63, 63);
    QVERIFY2(qAbs(corner.red() - 252) <= 51 && qAbs(corner.green() - 252) <= 51,
             qPrintable(corner.name()));
}

void TestSatDetail::failedSaveTellsFileAndReason_data() {
    QTest::addColumn<bool>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("reason");
    QTest::newRow("page into a missing folder") << true << "missing/site.html"
                                                << "missing/site.html"
                                                << "No such file or directory";
    QTest::newRow("picture beside the page cannot replace a folder") << true << "site.html"
                                                                     << "site_el.gif"
                                                                     << "directory";
    QTest::newRow("picture below a regular file") << false << "file/azimuth.gif"
                                                  << "file/azimuth.gif" << NotADirectory();
}

void TestSatDetail::failedSaveTellsFileAndReason() {
    QFETCH(bool, page);
    QFETCH(QString, name);
    QFETCH(QString, failing);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QFile regular(dir.filePath(QStringLiteral("file")));
    QVERIFY(regular.open(QIODevice::WriteOnly));
    regular.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("site_el.gif")));
    DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return dir.filePath(name); });
    QStringList messages;
    DialogSeam::setMessageHook(
        [&](QMessageBox::Icon, const QString&, const QString& text) { messages << text; });
    TfrmSatDetail window(nullptr, {});
    window.SetSatellite(Record(-13.0, 47.16, -16.16));

    if (page) {
        window.ExporttoHTML1Click();
    } else {
        emit window.imgAzimuth->customContextMenuRequested(QPoint(5, 5));
        window.popupSave()->hide();
        window.popupSave()->actions().constFirst()->trigger();
    }

    QCOMPARE(messages.size(), 1);
    const QString file = QDir::toNativeSeparators(dir.filePath(failing));
    QVERIFY2(messages[0].contains(file + QStringLiteral(" ")), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(reason, Qt::CaseInsensitive), qPrintable(messages[0]));
}

// A language file reaches only the properties its entries name.
void TestSatDetail::everyTranslationEntryNamesAProperty() {
    TfrmSatDetail window(nullptr, {});
    for (const TranslationEntry& entry : TfrmSatDetail::Translation().entries) {
        QObject* object = FindComponent(&window, QString::fromUtf8(entry.objectName));
        const auto text = object
                              ? ReadTranslatableProperty(object, entry.property, object == &window)
                              : std::nullopt;
        QVERIFY2(text == QString::fromUtf8(entry.english), entry.objectName);
    }
}

void TestSatDetail::closeFreesTheWindow() {
    QWidget owner;
    QPointer<TfrmSatDetail> window = new TfrmSatDetail(&owner, {});
    window->SetSatellite(Record(-13.0, 47.16, -16.16));
    window->show();
    window->Close1->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
}

// An inclined satellite's window draws the day's figure of eight beside its swing; a station-kept
// one's window stays as it was.
void TestSatDetail::dailyPathOnlyForAMovingSatellite() {
    TSatelliteData moving = *Record(-19.2, 47.16, -16.16);
    moving.Inclination = 4.4;
    moving.DailyAzimuthSpan = 4.0;
    moving.DailyElevationSpan = 8.0;
    for (int step = 0; step <= 96; ++step) {
        const double t = step * 2.0 * 3.14159265358979 / 96.0;
        moving.DailyPath.emplace_back(180.0 + 2.0 * std::sin(2.0 * t), 30.0 + 4.0 * std::sin(t));
    }
    TfrmSatDetail window(nullptr, {});
    window.SetSatellite(std::make_shared<const TSatelliteData>(moving));
    const auto* path = window.findChild<QLabel*>(QStringLiteral("imgDailyPath"));
    QVERIFY(path);
    const QImage image = path->pixmap().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixelColor(x, y) == QColor(0xC0, 0x20, 0x20);
    QVERIFY2(red > 50, qPrintable(QString::number(red))); // a line across the picture
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("lblDailyMovement"))
                ->text()
                .startsWith("Inclined 4.40"));

    TfrmSatDetail still(nullptr, {});
    still.SetSatellite(Record(-19.2, 47.16, -16.16));
    QVERIFY(!still.findChild<QLabel*>(QStringLiteral("imgDailyPath")));
}

QTEST_MAIN(TestSatDetail)
#include "tst_satdetail.moc"
