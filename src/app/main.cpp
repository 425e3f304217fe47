#include "ErrorReport.h"
#include "ProductInfo.h"
#include "Unit1.h"
#include "fAbout.h"

int main(int argc, char** argv) {
    skyvane::SkyvaneApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("skyvane"));
    QApplication::setOrganizationName(QStringLiteral("quors_skyvane"));

    auto* frmMain = new skyvane::TfrmMain();
    auto* frmAbout = new skyvane::TfrmAbout(frmMain);
    frmAbout->SetCatalogueVersionSource([frmMain] { return frmMain->CatalogueVersion(); });
    frmMain->SetAboutBox(frmAbout);
    frmMain->show();
    const int result = QApplication::exec();
    delete frmMain;
    return result;
}
