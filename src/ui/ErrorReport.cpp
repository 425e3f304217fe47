#include "ErrorReport.h"

#include "DialogSeam.h"
#include "ProductInfo.h"

namespace skyvane {

void ReportApplicationError(const QString& text) {
    DialogSeam::showMessage(QApplication::activeWindow(), QMessageBox::Critical,
                            QString::fromLatin1(kProductTitle), text);
}

void ReportApplicationError(const std::exception& error) {
    ReportApplicationError(QString::fromLocal8Bit(error.what()));
}

SkyvaneApplication::SkyvaneApplication(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool SkyvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportApplicationError(error);
    } catch (...) {
        ReportApplicationError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace skyvane
