#include "../TestFiles.h"
#include "Constants.h"
#include "LookAngles.h"
#include "MagneticDeclination.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace skyvane;

using skyvane::testing::WriteFile;

namespace {

const QString kDash = QStringLiteral("-");

// The plugin reads wmm.cof once per loaded instance, so each case loads its own copy.
QString CopyOfPlugin(const QString& dir) {
    static int serial = 0;
    const QString path = dir + QStringLiteral("/libgeomag_case%1.so").arg(++serial);
    return QFile::copy(QStringLiteral(GEOMAG_LIBRARY), path) ? path : QString();
}

enum class Library { Missing, Plugin, WithoutMagdec };
enum class Coefficients { None, Shipped, Corrupt, Folder };

} // namespace

Q_DECLARE_METATYPE(Library)
Q_DECLARE_METATYPE(Coefficients)

class TestMagneticDeclination : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void availability_data();
    void availability();
    void unloadEndsAvailability();

    void decimalYear_data();
    void decimalYear();
    void declinationText_data();
    void declinationText();
    void translatedLetter();

    void siteDeclination_data();
    void siteDeclination();
    void failureKeepsLabel_data();
    void failureKeepsLabel();

private:
    // Prepares the current directory and returns the library path for the case.
    QString prepare(Library library, Coefficients coefficients);

    QString m_startDirectory;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMagneticDeclination::initTestCase() {
    m_startDirectory = QDir::currentPath();
}

void TestMagneticDeclination::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestMagneticDeclination::cleanup() {
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
    QLocale::setDefault(QLocale::c());
    ResetConstants();
}

QString TestMagneticDeclination::prepare(Library library, Coefficients coefficients) {
    const QString cof = m_dir->filePath(QStringLiteral("wmm.cof"));
    switch (coefficients) {
    case Coefficients::None:
        break;
    case Coefficients::Shipped:
        QFile::copy(QStringLiteral(WMM_COF), cof);
        break;
    case Coefficients::Corrupt:
        WriteFile(cof, "    2025.0  WMM-2025\n  1  0  -29351.8  0.0  12.0\n");
        break;
    case Coefficients::Folder:
        QDir(m_dir->path()).mkdir(QStringLiteral("wmm.cof"));
        break;
    }
    switch (library) {
    case Library::Missing:
        return m_dir->filePath(QStringLiteral("libgeomag_absent.so"));
    case Library::Plugin:
        return CopyOfPlugin(m_dir->path());
    case Library::WithoutMagdec:
        return QStringLiteral(GEOMAG_WITHOUT_MAGDEC);
    }
    return QString();
}

void TestMagneticDeclination::availability_data() {
    QTest::addColumn<Library>("library");
    QTest::addColumn<Coefficients>("coefficients");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("hasMagdec");
    QTest::addColumn<bool>("available");

    QTest::newRow("library missing")
        << Library::Missing << Coefficients::Shipped << false << false << false;
    QTest::newRow("library present, no wmm.cof in the current directory")
        << Library::Plugin << Coefficients::None << true << true << false;
    QTest::newRow("wmm.cof is a folder")
        << Library::Plugin << Coefficients::Folder << true << true << false;
    QTest::newRow("library and wmm.cof present")
        << Library::Plugin << Coefficients::Shipped << true << true << true;
    QTest::newRow("corrupt wmm.cof still counts as present")
        << Library::Plugin << Coefficients::Corrupt << true << true << true;
    QTest::newRow("library without magdec keeps the panel")
        << Library::WithoutMagdec << Coefficients::Shipped << true << false << true;
}

void TestMagneticDeclination::availability() {
    QFETCH(Library, library);
    QFETCH(Coefficients, coefficients);
    QFETCH(bool, loaded);
    QFETCH(bool, hasMagdec);
    QFETCH(bool, available);

    MagneticDeclination declination(prepare(library, coefficients));
    declination.load();
    QCOMPARE(declination.isLoaded(), loaded);
    QCOMPARE(declination.hasMagdec(), hasMagdec);
    QCOMPARE(declination.MagDecAvailable(), available);
}

void TestMagneticDeclination::unloadEndsAvailability() {
    MagneticDeclination declination(prepare(Library::Plugin, Coefficients::Shipped));
    declination.load();
    QVERIFY(declination.MagDecAvailable());
    declination.unload();
    QVERIFY(!declination.isLoaded());
    QVERIFY(!declination.MagDecAvailable());
    QString label = kDash;
    QCOMPARE(declination.UpdateMagneticDeclination(47.16, -16.16, QDate(2026, 3, 1), label), 0.0);
    QCOMPARE(label, kDash);
}

// Expected values written out; compared exactly, since a day is about 22 float steps here.
void TestMagneticDeclination::decimalYear_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("expected");

    QTest::newRow("first day of a year") << QDate(2025, 1, 1) << 2025.0;
    QTest::newRow("second day of a common year") << QDate(2025, 1, 2) << 2025.002739726;
    QTest::newRow("middle of a common year") << QDate(2027, 7, 2) << 2027.498630137;
    QTest::newRow("last day of a common year") << QDate(2025, 12, 31) << 2025.997260274;
    QTest::newRow("first of March in a leap year") << QDate(2028, 3, 1) << 2028.163934426;
    QTest::newRow("last day of a leap year") << QDate(2028, 12, 31) << 2028.997267760;
}

void TestMagneticDeclination::decimalYear() {
    QFETCH(QDate, date);
    QFETCH(double, expected);
    const float actual = MagneticDeclination::DecimalYear(date);
    QVERIFY2(actual == float(expected), qPrintable(QStringLiteral("%1: expected %2, got %3")
                                                       .arg(date.toString(Qt::ISODate))
                                                       .arg(float(expected), 0, 'f', 6)
                                                       .arg(actual, 0, 'f', 6)));
}

void TestMagneticDeclination::declinationText_data() {
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QLocale c = QLocale::c();
    QTest::newRow("East declination is negative") << -2.75 << c << "2.75° E";
    QTest::newRow("West declination is positive") << 12.3456 << c << "12.35° W";
    QTest::newRow("zero counts as East") << 0.0 << c << "0.00° E";
    QTest::newRow("negative zero counts as East") << -0.0 << c << "0.00° E";
    QTest::newRow("a trace West stays West") << 0.001 << c << "0.00° W";
    QTest::newRow("German decimal comma") << -5.4321 << QLocale(QLocale::German) << "5,43° E";
}

void TestMagneticDeclination::declinationText() {
    QFETCH(double, degrees);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);
    QCOMPARE(MagneticDeclination::DeclinationText(degrees), expected);
}

void TestMagneticDeclination::translatedLetter() {
    SetConstantText(Constant::EastShort, QStringLiteral("O"));
    QCOMPARE(MagneticDeclination::DeclinationText(-2.75), QStringLiteral("2.75° O"));
}

// Sites in the system's convention: latitude North positive, longitude West positive.
void TestMagneticDeclination::siteDeclination_data() {
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("letter");

    QTest::newRow("Western Hungary, East declination")
        << 47.16 << -16.16 << QDate(2026, 3, 1) << "E";
    QTest::newRow("New York, West declination") << 40.71 << 74.01 << QDate(2027, 9, 15) << "W";
    QTest::newRow("Perth, West declination") << -31.95 << -115.86 << QDate(2025, 6, 30) << "W";
    QTest::newRow("Buenos Aires, West declination") << -34.6 << 58.38 << QDate(2029, 12, 31) << "W";
}

void TestMagneticDeclination::siteDeclination() {
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QDate, date);
    QFETCH(QString, letter);

    const QString path = prepare(Library::Plugin, Coefficients::Shipped);
    MagneticDeclination declination(path);
    declination.load();
    QVERIFY(declination.MagDecAvailable());

    QString label = kDash;
    const double d = declination.UpdateMagneticDeclination(latitude, longitude, date, label);

    // The same instance, called directly with the arguments in the library's order.
    QLibrary direct(path);
    using Magdec = float (*)(float, float, float, float);
    const auto magdec = reinterpret_cast<Magdec>(direct.resolve("magdec"));
    QVERIFY(magdec != nullptr);
    const float expected =
        magdec(float(latitude), float(longitude), 0.0f, MagneticDeclination::DecimalYear(date));
    QCOMPARE(d, double(expected));

    QCOMPARE(label, MagneticDeclination::DeclinationText(d));
    QVERIFY2(label.endsWith(QStringLiteral("° ") + letter), qPrintable(label));
    QCOMPARE(d > 0.0, letter == QStringLiteral("W"));
    // Added to the azimuth: an East declination turns the dish's bearing anticlockwise.
    const double azimuth = CalcAzimuth(-19.2, latitude, longitude);
    QCOMPARE(azimuth + d < azimuth, letter == QStringLiteral("E"));
}

void TestMagneticDeclination::failureKeepsLabel_data() {
    QTest::addColumn<Library>("library");
    QTest::addColumn<Coefficients>("coefficients");
    QTest::addColumn<QDate>("date");

    QTest::newRow("corrupt wmm.cof")
        << Library::Plugin << Coefficients::Corrupt << QDate(2026, 3, 1);
    QTest::newRow("library without magdec")
        << Library::WithoutMagdec << Coefficients::Shipped << QDate(2026, 3, 1);
    QTest::newRow("no wmm.cof") << Library::Plugin << Coefficients::None << QDate(2026, 3, 1);
    QTest::newRow("library missing")
        << Library::Missing << Coefficients::Shipped << QDate(2026, 3, 1);
    QTest::newRow("date after the model's years")
        << Library::Plugin << Coefficients::Shipped << QDate(2035, 1, 1);
    QTest::newRow("invalid date") << Library::Plugin << Coefficients::Shipped << QDate();
}

void TestMagneticDeclination::failureKeepsLabel() {
    QFETCH(Library, library);
    QFETCH(Coefficients, coefficients);
    QFETCH(QDate, date);

    MagneticDeclination declination(prepare(library, coefficients));
    declination.load();
    QString label = kDash;
    QCOMPARE(declination.UpdateMagneticDeclination(47.16, -16.16, date, label), 0.0);
    QCOMPARE(label, kDash);
    QVERIFY(!declination.Read(47.16, -16.16, date).has_value());
}

QTEST_GUILESS_MAIN(TestMagneticDeclination)
#include "tst_magneticdeclination.moc"
