// Main window timings: one Calc with the grid refilled for the built-in catalogue, a Calc click
// as the user waits for it, a language switch with every window open, and the program's
// start-up until the main window is shown with its first Calc done.
#include "DialogSeam.h"
#include "LocationDatabase.h"
#include "SettingsStore.h"
#include "Unit1.h"
#include "fAbout.h"
#include "fEarth.h"
#include "fLocationDatabase.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using skyvane::TfrmMain;

// A main window on a settings file of its own, in a folder without satpos.dat, so Calc reads
// the built-in catalogue.
struct MainWindowFixture {
    QTemporaryDir dir;
    QString startDirectory = QDir::currentPath();
    std::unique_ptr<TfrmMain> window;

    MainWindowFixture() {
        QDir::setCurrent(dir.path());
        skyvane::DialogSeam::setMessageHook(
            [](QMessageBox::Icon, const QString&, const QString&) {});
        TfrmMain::SetDeclinationLibraryName(dir.filePath(QStringLiteral("libgeomag_absent.so")));
        window = std::make_unique<TfrmMain>(
            std::make_unique<skyvane::SettingsStore>(dir.filePath(QStringLiteral("s.ini"))));
        window->show();
        QCoreApplication::processEvents();
    }
    ~MainWindowFixture() {
        window.reset();
        skyvane::DialogSeam::clearHooks();
        QDir::setCurrent(startDirectory);
    }
};

void BM_CalcWithGridRefill(benchmark::State& state) {
    MainWindowFixture fixture;
    TfrmMain& window = *fixture.window;
    // A selected row in the middle and a scrolled view, as Calc restores them.
    window.GridView1->selectGridRow(40);
    window.GridView1->scrollRowToTop(30);
    for (auto _ : state) {
        window.btnGoClick();
        benchmark::DoNotOptimize(window.GridView1->gridRowCount());
    }
    if (window.GridView1->gridRowCount() != 67)
        state.SkipWithError("the built-in catalogue did not give 67 rows");
}
BENCHMARK(BM_CalcWithGridRefill)->Unit(benchmark::kMillisecond);

// Calc followed by painting the refilled grid, as the user sees it after a click.
void BM_CalcAndPaint(benchmark::State& state) {
    MainWindowFixture fixture;
    TfrmMain& window = *fixture.window;
    for (auto _ : state) {
        window.btnGoClick();
        window.GridView1->viewport()->repaint();
    }
}
BENCHMARK(BM_CalcAndPaint)->Unit(benchmark::kMillisecond);

// A click on Calc as the user waits for it: the Calc and the events it queued, the column fit
// and the update request that repaints the window among them. Its own function, so that
// `valgrind --tool=callgrind --toggle-collect='*CalcClickOnce*'` counts exactly this.
[[gnu::noinline]] void CalcClickOnce(TfrmMain& window) {
    window.btnGoClick();
    QCoreApplication::processEvents();
}

void BM_CalcClick(benchmark::State& state) {
    MainWindowFixture fixture;
    TfrmMain& window = *fixture.window;
    window.GridView1->selectGridRow(40);
    window.GridView1->scrollRowToTop(30);
    // The first click fits the columns to the list; the ones measured find them fitted.
    window.btnGoClick();
    QCoreApplication::processEvents();
    for (auto _ : state)
        CalcClickOnce(window);
}
BENCHMARK(BM_CalcClick)->Unit(benchmark::kMillisecond);

// The list painted again without a change (a window uncovered, a scroll); its own function for
// callgrind, as above.
[[gnu::noinline]] void RepaintOnce(TfrmMain& window) {
    window.GridView1->viewport()->repaint();
}

void BM_GridRepaint(benchmark::State& state) {
    MainWindowFixture fixture;
    TfrmMain& window = *fixture.window;
    QCoreApplication::processEvents();
    window.GridView1->viewport()->repaint();
    for (auto _ : state)
        RepaintOnce(window);
}
BENCHMARK(BM_GridRepaint)->Unit(benchmark::kMillisecond);

// One switch, its own function for callgrind, as above.
[[gnu::noinline]] void SwitchLanguageOnce(QAction* language) {
    language->trigger();
}

QAction* LanguageItem(const TfrmMain& window, int languageId) {
    for (QAction* item : window.mFileSwitchLanguage->actions())
        if (item->data().toInt() == languageId)
            return item;
    return nullptr;
}

// A switch from the File menu between English and German with the main window, its single
// instances (about box, world map, locations) and the tool windows of a row open.
void BM_LanguageSwitchAllWindows(benchmark::State& state) {
    MainWindowFixture fixture;
    TfrmMain& window = *fixture.window;
    skyvane::LocationDatabase towns;
    towns.open(skyvane::LocationDatabase::DefaultPath());
    auto* about = new skyvane::TfrmAbout(&window);
    window.SetAboutBox(about);
    auto* earth = new skyvane::TfrmEarth(&window, window.session());
    window.SetWorldMap(earth);
    auto* locations = new skyvane::TfrmLocations(&window, window.session(), &towns);
    window.SetLocationWindow(locations);
    window.mHelpAboutClick();
    window.btnEarthmapClick();
    locations->show();
    window.OpenSatDetail(10);
    window.OpenSunOutage(10);
    window.OpenObstacles(10);
    QCoreApplication::processEvents();
    QAction* english = LanguageItem(window, 1033);
    QAction* german = LanguageItem(window, 1031);
    if (!english || !german) {
        state.SkipWithError("the built-in languages are missing from the menu");
        return;
    }
    // Once each way first, so that the language files are read before the switches measured.
    german->trigger();
    english->trigger();
    bool toGerman = true;
    for (auto _ : state) {
        SwitchLanguageOnce(toGerman ? german : english);
        toGerman = !toGerman;
    }
    english->trigger();
    delete locations;
}
BENCHMARK(BM_LanguageSwitchAllWindows)->Unit(benchmark::kMillisecond);

// The built program from process start to the main window shown (offscreen), measured as the
// whole run of a process told to quit right after its first show (so it includes the process's
// teardown). Its own HOME keeps the user's settings out of it.
// The built program from process start until its main window is shown and it quits, on the
// given window system platform.
void StartUpUntilShown(benchmark::State& state, const QString& platform) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/skyvane"));
    if (!QFileInfo(program).isExecutable()) {
        state.SkipWithError("build the skyvane target first");
        return;
    }
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("SKYVANE_QUIT_AFTER_SHOW"), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        // Run from the program's folder, where wmm.cof lies: the declination library loads too.
        process.setWorkingDirectory(QFileInfo(program).absolutePath());
        process.start(program, {});
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            process.kill();
            process.waitForFinished();
            state.SkipWithError("skyvane did not start and quit cleanly");
            return;
        }
    }
}

void BM_StartUpUntilShown(benchmark::State& state) {
    StartUpUntilShown(state, QStringLiteral("offscreen"));
}
BENCHMARK(BM_StartUpUntilShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// The same on an X server (run under xvfb-run): the splash waits to be exposed and every
// window is mapped, which the offscreen platform does not do.
void BM_StartUpUntilShownX11(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("no X display: run under xvfb-run");
        return;
    }
    StartUpUntilShown(state, QStringLiteral("xcb"));
}
BENCHMARK(BM_StartUpUntilShownX11)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
