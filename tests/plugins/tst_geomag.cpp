#include "../TestFiles.h"
#include "geomag.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QList>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <latch>
#include <limits>
#include <numbers>
#include <thread>
#include <vector>

using MagdecFunction = decltype(&magdec);

using skyvane::testing::WriteFile;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A private copy of the plugin. The library reads wmm.cof once per loaded instance, so each
// case that needs its own coefficient file loads its own copy.
class PluginCopy {
public:
    explicit PluginCopy(const QString& dir) {
        static int serial = 0;
        const QString path = dir + QStringLiteral("/libgeomag_copy%1.so").arg(++serial);
        if (!QFile::copy(QStringLiteral(GEOMAG_LIBRARY), path))
            return;
        m_library.setFileName(path);
        if (m_library.load())
            m_magdec = reinterpret_cast<MagdecFunction>(m_library.resolve("magdec"));
    }
    ~PluginCopy() {
        if (m_library.isLoaded())
            m_library.unload();
    }
    MagdecFunction magdec() const { return m_magdec; }

private:
    QLibrary m_library;
    MagdecFunction m_magdec = nullptr;
};

QByteArray ShippedCoefficients() {
    QFile file(QStringLiteral(WMM_COF));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> Lines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray Joined(const QList<QByteArray>& lines) {
    return lines.join('\n') + '\n';
}

// Difference of two angles in degrees, folded into [0, 180].
double AngleError(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

QString Hemispheres(double latitude, double longitudeEast) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(std::fabs(latitude))
        .arg(latitude < 0 ? QLatin1Char('S') : QLatin1Char('N'))
        .arg(std::fabs(longitudeEast))
        .arg(longitudeEast < 0 ? QLatin1Char('W') : QLatin1Char('E'));
}

} // namespace

class TestGeomag : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void noaaTestValues_data();
    void noaaTestValues();
    void inputsOutsideTheModel_data();
    void inputsOutsideTheModel();
    void inputsAtTheModelsEdges_data();
    void inputsAtTheModelsEdges();

    void damagedCoefficientFile_data();
    void damagedCoefficientFile();
    void coefficientFileFound_data();
    void coefficientFileFound();
    void windowsLineEndingsRead();
    void coefficientsReadOnce();
    void concurrentFirstCalls();

private:
    MagdecFunction reference() const { return m_reference->magdec(); }
    float freshCopyResult(const QByteArray& coefficients, bool writeFile);

    QString m_startDirectory;
    QTemporaryDir m_referenceDir;
    std::unique_ptr<PluginCopy> m_reference;
};

void TestGeomag::initTestCase() {
    m_startDirectory = QDir::currentPath();
    QVERIFY(m_referenceDir.isValid());
    QVERIFY(WriteFile(m_referenceDir.filePath(QStringLiteral("wmm.cof")), ShippedCoefficients()));
    QVERIFY(QDir::setCurrent(m_referenceDir.path()));
    m_reference = std::make_unique<PluginCopy>(m_referenceDir.path());
    QVERIFY(reference() != nullptr);
    // The first call reads the coefficients while wmm.cof is in the current directory.
    QVERIFY(std::isfinite(reference()(47.16f, -16.16f, 0.0f, 2026.0f)));
    QVERIFY(QDir::setCurrent(m_startDirectory));
}

void TestGeomag::cleanup() {
    QDir::setCurrent(m_startDirectory);
}

// NOAA's published WMM2025 test points. The expected declination is atan2(Y, X) from the
// tabulated field components, which carry more digits than the tabulated declination.
void TestGeomag::noaaTestValues_data() {
    QTest::addColumn<float>("year");
    QTest::addColumn<float>("heightKm");
    QTest::addColumn<float>("latitude");
    QTest::addColumn<float>("longitudeEast");
    QTest::addColumn<double>("expectedWest");

    QFile file(QStringLiteral(WMM2025_TEST_VALUES));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
    int rows = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> f = line.split(',');
        QCOMPARE(f.size(), 7);
        const double year = f[0].toDouble();
        const double height = f[1].toDouble();
        const double latitude = f[2].toDouble();
        const double longitude = f[3].toDouble();
        const double eastDeg =
            std::atan2(f[5].toDouble(), f[4].toDouble()) * 180.0 / std::numbers::pi;
        // Guards the table itself: its rounded declination agrees with its components.
        QVERIFY2(AngleError(eastDeg, f[6].toDouble()) <= 0.0051, line.constData());
        const QString name = QStringLiteral("%1, %2 km, %3")
                                 .arg(year, 0, 'f', 1)
                                 .arg(height)
                                 .arg(Hemispheres(latitude, longitude));
        QTest::newRow(qPrintable(name))
            << float(year) << float(height) << float(latitude) << float(longitude) << -eastDeg;
        ++rows;
    }
    QCOMPARE(rows, 100);
}

void TestGeomag::noaaTestValues() {
    QFETCH(float, year);
    QFETCH(float, heightKm);
    QFETCH(float, latitude);
    QFETCH(float, longitudeEast);
    QFETCH(double, expectedWest);
    constexpr double kToleranceDeg = 0.01;
    // magdec counts longitude West positive.
    const float actual = reference()(latitude, -longitudeEast, heightKm, year);
    QVERIFY2(AngleError(actual, expectedWest) <= kToleranceDeg,
             qPrintable(QStringLiteral("magdec(%1, %2, %3, %4): expected %5 ± %6, got %7")
                            .arg(latitude)
                            .arg(-longitudeEast)
                            .arg(heightKm)
                            .arg(year)
                            .arg(expectedWest, 0, 'f', 4)
                            .arg(kToleranceDeg)
                            .arg(actual, 0, 'f', 4)));
}

void TestGeomag::inputsOutsideTheModel_data() {
    QTest::addColumn<float>("latitude");
    QTest::addColumn<float>("longitude");
    QTest::addColumn<float>("heightKm");
    QTest::addColumn<float>("year");

    QTest::newRow("latitude NaN") << kNaN << -16.16f << 0.0f << 2026.0f;
    QTest::newRow("longitude infinite") << 47.16f << kInf << 0.0f << 2026.0f;
    QTest::newRow("height NaN") << 47.16f << -16.16f << kNaN << 2026.0f;
    QTest::newRow("year minus infinity") << 47.16f << -16.16f << 0.0f << -kInf;
    QTest::newRow("latitude beyond the north pole") << 90.5f << -16.16f << 0.0f << 2026.0f;
    QTest::newRow("latitude beyond the south pole") << -91.0f << -16.16f << 0.0f << 2026.0f;
    QTest::newRow("height far above the model's shell") << 47.16f << -16.16f << 5000.0f << 2026.0f;
    QTest::newRow("year before the model's epoch") << 47.16f << -16.16f << 0.0f << 2024.9f;
    QTest::newRow("year after the model's five years") << 47.16f << -16.16f << 0.0f << 2030.1f;
}

void TestGeomag::inputsOutsideTheModel() {
    QFETCH(float, latitude);
    QFETCH(float, longitude);
    QFETCH(float, heightKm);
    QFETCH(float, year);
    const float actual = reference()(latitude, longitude, heightKm, year);
    QVERIFY2(std::isnan(actual), qPrintable(QString::number(actual)));
}

// Inputs at the limits still give a declination; a meridian given as 180 W or 180 E is one.
void TestGeomag::inputsAtTheModelsEdges_data() {
    QTest::addColumn<float>("latitude");
    QTest::addColumn<float>("longitude");
    QTest::addColumn<float>("otherLongitude");
    QTest::addColumn<float>("year");

    QTest::newRow("north pole") << 90.0f << 0.0f << 0.0f << 2026.0f;
    QTest::newRow("south pole") << -90.0f << 30.0f << 30.0f << 2026.0f;
    QTest::newRow("first day of the model") << 0.0f << 0.0f << 0.0f << 2025.0f;
    QTest::newRow("last day of the model") << 0.0f << 0.0f << 0.0f << 2030.0f;
    QTest::newRow("date line, West and East") << -20.0f << 180.0f << -180.0f << 2026.0f;
    QTest::newRow("longitude past a full turn") << 47.16f << -16.16f << 343.84f << 2026.0f;
}

void TestGeomag::inputsAtTheModelsEdges() {
    QFETCH(float, latitude);
    QFETCH(float, longitude);
    QFETCH(float, otherLongitude);
    QFETCH(float, year);
    const float a = reference()(latitude, longitude, 0.0f, year);
    const float b = reference()(latitude, otherLongitude, 0.0f, year);
    QVERIFY2(std::isfinite(a) && std::fabs(a) <= 180.0f, qPrintable(QString::number(a)));
    QVERIFY2(std::fabs(a - b) <= 1e-3f, qPrintable(QStringLiteral("%1 vs %2").arg(a).arg(b)));
}

float TestGeomag::freshCopyResult(const QByteArray& coefficients, bool writeFile) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 0.0f;
    if (writeFile && !WriteFile(dir.filePath(QStringLiteral("wmm.cof")), coefficients))
        return 0.0f;
    PluginCopy copy(dir.path());
    const float result = copy.magdec() ? copy.magdec()(47.16f, -16.16f, 0.0f, 2026.0f) : 0.0f;
    QDir::setCurrent(m_startDirectory);
    return result;
}

// Places for wmm.cof: "work" (working directory), "lib/skyvane" (beside the library),
// "home/skyvane" (user data), "sys/skyvane" (system data), "share/skyvane" (the installation's).
void TestGeomag::coefficientFileFound_data() {
    QTest::addColumn<QString>("good");
    QTest::addColumn<QString>("corrupt"); // a file found first means no declination
    QTest::addColumn<bool>("declination");

    QTest::newRow("working directory") << "work"
                                       << "" << true;
    QTest::newRow("beside the library") << "lib/skyvane"
                                        << "" << true;
    QTest::newRow("user data folder") << "home/skyvane"
                                      << "" << true;
    QTest::newRow("system data folder") << "sys/skyvane"
                                        << "" << true;
    QTest::newRow("installation's data folder") << "share/skyvane"
                                                << "" << true;
    QTest::newRow("nowhere") << ""
                             << "" << false;
    QTest::newRow("working directory first") << "home/skyvane"
                                             << "work" << false;
    QTest::newRow("beside the library before user") << "home/skyvane"
                                                    << "lib/skyvane" << false;
    QTest::newRow("user before system") << "sys/skyvane"
                                        << "home/skyvane" << false;
    QTest::newRow("system before installation") << "share/skyvane"
                                                << "sys/skyvane" << false;
}

void TestGeomag::coefficientFileFound() {
    QFETCH(QString, good);
    QFETCH(QString, corrupt);
    QFETCH(bool, declination);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    for (const char* folder :
         {"work", "lib/skyvane", "home/skyvane", "sys/skyvane", "share/skyvane"})
        QVERIFY(dir.mkpath(QLatin1String(folder)));
    if (!good.isEmpty())
        QVERIFY(WriteFile(dir.filePath(good + QStringLiteral("/wmm.cof")), ShippedCoefficients()));
    if (!corrupt.isEmpty())
        QVERIFY(WriteFile(dir.filePath(corrupt + QStringLiteral("/wmm.cof")), "corrupt\n"));
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", dir.filePath(QStringLiteral("sys")).toLocal8Bit());
    QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("work"))));

    PluginCopy copy(dir.filePath(QStringLiteral("lib/skyvane")));
    QVERIFY(copy.magdec() != nullptr);
    const float result = copy.magdec()(47.16f, -16.16f, 0.0f, 2026.0f);
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
    QVERIFY2(std::isfinite(result) == declination, qPrintable(QString::number(result)));
}

void TestGeomag::damagedCoefficientFile_data() {
    QTest::addColumn<QByteArray>("coefficients");
    QTest::addColumn<bool>("writeFile");

    const QByteArray good = ShippedCoefficients();
    const QList<QByteArray> lines = Lines(good);
    QCOMPARE(lines.size(), 93); // header, 90 terms, two closing lines

    auto replaced = [&](int index, const QByteArray& line) {
        QList<QByteArray> copy = lines;
        copy[index] = line;
        return Joined(copy);
    };
    auto inserted = [&](int index, const QByteArray& line) {
        QList<QByteArray> copy = lines;
        copy.insert(index, line);
        return Joined(copy);
    };
    auto substituted = [&](const QByteArray& from, const QByteArray& to) {
        return QByteArray(good).replace(from, to);
    };

    QTest::newRow("no coefficient file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("header only") << Joined(lines.mid(0, 1)) << true;
    QTest::newRow("cut after half the terms") << Joined(lines.mid(0, 46)) << true;
    QTest::newRow("cut inside a line") << good.left(good.indexOf(lines[40]) + 20) << true;
    QTest::newRow("closing line missing") << Joined(lines.mid(0, 91)) << true;
    QTest::newRow("header without epoch") << replaced(0, "  WMM-2025  11/13/2024") << true;
    QTest::newRow("letter in a coefficient") << substituted("-29351.8", "-29351.x") << true;
    QTest::newRow("decimal comma") << substituted("-29351.8", "-29351,8") << true;
    QTest::newRow("not a number") << substituted("-29351.8", "     nan") << true;
    QTest::newRow("absurd coefficient") << substituted("-29351.8", "  1e300") << true;
    QTest::newRow("term repeated, another missing") << replaced(4, lines[3]) << true;
    QTest::newRow("order above degree")
        << inserted(3, "  1  2      -1.0       1.0   0.0   0.0") << true;
    QTest::newRow("degree 13") << inserted(91, " 13  0      -0.7       0.0  -0.1   0.0") << true;
    QTest::newRow("seventh field") << replaced(1, lines[1] + "  0.0") << true;
    QTest::newRow("fifth field missing") << replaced(1, "  1  0  -29351.8  0.0  12.0") << true;

    QByteArray garbage(4096, '\0');
    QRandomGenerator generator(20250101);
    for (char& c : garbage)
        c = char(generator.bounded(256));
    QTest::newRow("binary garbage") << garbage << true;
}

void TestGeomag::damagedCoefficientFile() {
    QFETCH(QByteArray, coefficients);
    QFETCH(bool, writeFile);
    const float actual = freshCopyResult(coefficients, writeFile);
    QVERIFY2(std::isnan(actual), qPrintable(QStringLiteral("got %1").arg(actual)));
}

// A coefficient file saved on Windows reads the same.
void TestGeomag::windowsLineEndingsRead() {
    const QByteArray crlf = ShippedCoefficients().replace("\n", "\r\n");
    const float expected = reference()(47.16f, -16.16f, 0.0f, 2026.0f);
    const float actual = freshCopyResult(crlf, true);
    QCOMPARE(actual, expected);
}

// The file is read on the first call only; later changes to it do not matter.
void TestGeomag::coefficientsReadOnce() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString cof = dir.filePath(QStringLiteral("wmm.cof"));
    QVERIFY(WriteFile(cof, ShippedCoefficients()));
    QVERIFY(QDir::setCurrent(dir.path()));
    PluginCopy copy(dir.path());
    QVERIFY(copy.magdec() != nullptr);
    const float first = copy.magdec()(47.16f, -16.16f, 0.0f, 2026.0f);
    QVERIFY(std::isfinite(first));
    QVERIFY(WriteFile(cof, "garbage\n"));
    QCOMPARE(copy.magdec()(47.16f, -16.16f, 0.0f, 2026.0f), first);
    QVERIFY(QFile::remove(cof));
    QCOMPARE(copy.magdec()(47.16f, -16.16f, 0.0f, 2026.0f), first);
}

// Several threads making the very first call all see the fully read coefficients.
void TestGeomag::concurrentFirstCalls() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("wmm.cof")), ShippedCoefficients()));
    QVERIFY(QDir::setCurrent(dir.path()));
    PluginCopy copy(dir.path());
    const MagdecFunction f = copy.magdec();
    QVERIFY(f != nullptr);

    constexpr int kThreads = 8;
    std::vector<float> results(kThreads, 0.0f);
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            start.arrive_and_wait();
            results[i] = f(47.16f, -16.16f, 0.0f, 2026.0f);
        });
    }
    for (std::thread& t : threads)
        t.join();
    const float expected = reference()(47.16f, -16.16f, 0.0f, 2026.0f);
    for (int i = 0; i < kThreads; ++i)
        QCOMPARE(results[i], expected);
}

QTEST_GUILESS_MAIN(TestGeomag)
#include "tst_geomag.moc"
