#include "ErrorReport.h"
#include "LocationDatabase.h"
#include "StartUp.h"
#include "Unit1.h"
#include "fAbout.h"
#include "fEarth.h"
#include "fLocationDatabase.h"

#include <QTimer>

int main(int argc, char** argv) {
    if (const std::optional<int> status = skyvane::AnswerCommandLineWithoutWindow(argc, argv))
        return *status;
    skyvane::SkyvaneApplication app(argc, argv);
    skyvane::SetApplicationIdentity();
    if (const std::optional<int> status = skyvane::AnswerCommandLine(app))
        return *status;
    QApplication::setWindowIcon(skyvane::ApplicationIcon());

    // The main window first (its creation shows the splash and runs the first calculation),
    // then the single instances that live as long as the program. Installed and development
    // runs use the current catalogue shipped with the program. The town database outlives
    // every window that uses it.
    skyvane::LocationDatabase towns;
    towns.open(skyvane::LocationDatabase::DefaultPath());
    auto* frmMain = new skyvane::TfrmMain(nullptr, nullptr, skyvane::ShippedCatalogue::Used);
    frmMain->SetTownDatabase(&towns);
    auto* frmAbout = new skyvane::TfrmAbout(frmMain);
    frmAbout->SetCatalogueVersionSource(
        [frmMain] { return frmMain->CatalogueDescriptionWithAge(); });
    frmMain->SetAboutBox(frmAbout);
    auto* frmEarth = new skyvane::TfrmEarth(frmMain, frmMain->session());
    frmMain->SetWorldMap(frmEarth);
    auto* frmLocations = new skyvane::TfrmLocations(frmMain, frmMain->session(), &towns);
    frmLocations->SetMapPictures(QStringLiteral(":/images/worldmap.jpg"), skyvane::PinImage());
    frmMain->SetLocationWindow(frmLocations);

    frmMain->show();
    // For start-up measurements and installation checks: end as soon as the first show has
    // been handled, saying what the window shows.
    if (qEnvironmentVariableIsSet("SKYVANE_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, frmMain, [frmMain] {
            skyvane::PrintStartState(*frmMain);
            QCoreApplication::exit(0);
        });
    const int result = QApplication::exec();
    delete frmMain;
    return result;
}
