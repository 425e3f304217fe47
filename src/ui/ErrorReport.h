#pragma once

#include <QApplication>

#include <exception>

namespace skyvane {

// The application's general error report: a message box with the error's text, for errors that
// no handler of their own catches.
void ReportApplicationError(const std::exception& error);
void ReportApplicationError(const QString& text);

// The application object: an exception that escapes an event handler ends up in the error
// report instead of ending the program.
class SkyvaneApplication : public QApplication {
public:
    SkyvaneApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace skyvane
