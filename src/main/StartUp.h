#pragma once

#include <QIcon>
#include <QTextStream>

#include <optional>

class QCoreApplication;

namespace skyvane {

// The reverse-DNS id the desktop knows the program by (desktop entry, metainfo, icon).
inline constexpr char kDesktopId[] = "org.skyvane.Skyvane";

// Names, version and desktop id of the application; set before any setting or data file is
// looked up.
void SetApplicationIdentity();

// The program's icon: the desktop theme's, else the one built in.
QIcon ApplicationIcon();

// Answers --help, --version, --check and an unknown option (a message, status 1) without a
// window, so they work without a display; the window's own options (-platform, -style) are
// passed over. Returns the exit status when the command line asked for one of them, nullopt
// when the window is to start.
std::optional<int> AnswerCommandLineWithoutWindow(int argc, char** argv);

// The same once the window's application has taken its own options: an unknown option ends the
// program with a message, as --help and --version do; returns the exit status of --check.
std::optional<int> AnswerCommandLine(const QCoreApplication& app);

// Prints every data file with the path it was found at, or what is wrong with it; 0 when all
// that the program needs were found, else 1.
int CheckDataFiles(QTextStream& out);

class TfrmMain;

// For checking an installation: prints whether the started window shows the declination row
// (and the declination it obtained), the Locations button and has its help.
void PrintStartState(const TfrmMain& window);

} // namespace skyvane
