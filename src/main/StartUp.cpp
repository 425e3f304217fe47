#include "StartUp.h"

#include "CommandLineRun.h"

#include "Catalogue.h"
#include "DataFiles.h"
#include "HelpBinding.h"
#include "MagneticDeclination.h"
#include "ProductInfo.h"
#include "Unit1.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace skyvane {

namespace {

const QString kCheckOption = QStringLiteral("check");

void Configure(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Points fixed satellite dishes at geostationary satellites."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        kCheckOption, QStringLiteral("Shows where each data file was found, or why it was not; "
                                     "exits with 0 only when all were found.")));
    AddBatchOptions(parser);
    parser.addPositionalArgument(QStringLiteral("format"),
                                 QStringLiteral("With --list: csv, html or json."),
                                 QStringLiteral("[format]"));
}

void PrintOut(const QString& text) {
    QTextStream(stdout) << text;
}

// Help, version and check; nullopt when none was asked for.
std::optional<int> Answer(QCommandLineParser& parser) {
    if (parser.isSet(QStringLiteral("help"))) {
        PrintOut(parser.helpText());
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        PrintOut(QCoreApplication::applicationName() + u' ' +
                 QCoreApplication::applicationVersion() + u'\n');
        return 0;
    }
    if (parser.isSet(kCheckOption)) {
        QTextStream out(stdout);
        return CheckDataFiles(out);
    }
    return std::nullopt;
}

void PrintFound(QTextStream& out, const QString& name, const QString& path) {
    out << name << ": " << path << '\n';
}

// A missing file: what stands in its place in each folder searched, so a folder, a link to
// nothing or an unreadable file there is named.
void PrintMissing(QTextStream& out, const QString& name, const QStringList& folders) {
    out << name << ": missing\n";
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        const QString problem = DataFileProblem(path);
        out << "    " << QDir::toNativeSeparators(path) << ": " << problem << '\n';
    }
}

bool CheckDataFile(QTextStream& out, const QString& name, const QStringList& folders) {
    const QString path = FirstUsableFile(name, folders);
    if (path.isEmpty())
        PrintMissing(out, name, folders);
    else
        PrintFound(out, name, path);
    return !path.isEmpty();
}

bool CheckDeclinationLibrary(QTextStream& out) {
    MagneticDeclination library;
    library.load();
    const QString path = library.libraryPath();
    if (path.isEmpty())
        out << "declination library: missing\n";
    else
        PrintFound(out, QStringLiteral("declination library"), path);
    return !path.isEmpty();
}

// The catalogue the program's first Calc reads, with the shipped one taking part as it does.
QString CatalogueInUse() {
    const CatalogueLocation location = LocateCatalogue(ShippedCatalogue::Used);
    switch (location.source) {
    case CatalogueSource::Shipped:
        return QStringLiteral("shipped catalogue ") + location.path;
    case CatalogueSource::BuiltIn:
        return QStringLiteral("built-in catalogue");
    case CatalogueSource::WorkingDirectory:
    case CatalogueSource::User:
        break;
    }
    return location.path;
}

// Optional files: without them the program uses its shipped or built-in catalogue and languages.
void PrintOptional(QTextStream& out) {
    PrintFound(out, QString::fromLatin1(kCatalogueFileName), CatalogueInUse());
    const QStringList languages = LocateDataFolders(QStringLiteral("Translation"));
    PrintFound(out, QStringLiteral("language files"),
               languages.isEmpty() ? QStringLiteral("built-in languages only")
                                   : languages.join(QStringLiteral(", ")));
}

// The options the window's application takes for itself, with and without a value. Without a
// display its platform plugin cannot start, so the rest of the command line is answered first.
bool IsToolkitOption(const QString& name, bool* takesValue) {
    static const QStringList withValue{"platform",      "platformpluginpath",
                                       "platformtheme", "plugin",
                                       "qmljsdebugger", "qwindowgeometry",
                                       "geometry",      "qwindowicon",
                                       "icon",          "qwindowtitle",
                                       "title",         "session",
                                       "display",       "name",
                                       "style",         "stylesheet"};
    static const QStringList flags{"reverse", "widgetcount", "nograb",
                                   "dograb",  "sync",        "testability"};
    *takesValue = withValue.contains(name);
    return *takesValue || flags.contains(name);
}

QStringList WithoutToolkitOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString name = argument;
        while (name.startsWith(u'-'))
            name.remove(0, 1);
        const bool inlineValue = name.contains(u'=');
        name = name.section(u'=', 0, 0);
        bool takesValue = false;
        if (i == 0 || !argument.startsWith(u'-') || !IsToolkitOption(name, &takesValue)) {
            kept << argument;
            continue;
        }
        if (takesValue && !inlineValue)
            ++i;
    }
    return kept;
}

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The program's icon drawn from the size nearest what is asked for, each size read when it
// is first wanted: most window systems take one or two sizes, and the six decoded are a
// third of a megabyte at start.
class BuiltInIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new BuiltInIconEngine(*this); }
    QString key() const override { return QStringLiteral("skyvane-built-in"); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int size : kIconSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Loaded(size).actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Loaded(size).pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        Loaded(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    // The icon with the file of the smallest size that covers the request added to it.
    QIcon& Loaded(const QSize& wanted) {
        const int extent = std::max(wanted.width(), wanted.height());
        int chosen = kIconSizes[std::size(kIconSizes) - 1];
        for (int size : kIconSizes)
            if (size >= extent) {
                chosen = size;
                break;
            }
        if (!m_read.contains(chosen)) {
            m_read.append(chosen);
            m_icon.addFile(
                QStringLiteral(":/icons/%1-%2.png").arg(QLatin1String(kDesktopId)).arg(chosen),
                QSize(chosen, chosen));
        }
        return m_icon;
    }

    QIcon m_icon;
    QList<int> m_read;
};

} // namespace

void SetApplicationIdentity() {
    // No organisation name: the data folders are then .../share/skyvane. The settings name
    // their organisation themselves (SettingsStore), so they stay where they always were.
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kProductVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
}

QIcon ApplicationIcon() {
    return QIcon::fromTheme(QString::fromLatin1(kDesktopId), QIcon(new BuiltInIconEngine));
}

std::optional<int> AnswerCommandLineWithoutWindow(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    Configure(parser);
    const bool understood = parser.parse(WithoutToolkitOptions(arguments));
    if (understood && !parser.isSet(QStringLiteral("help")) &&
        !parser.isSet(QStringLiteral("version")) && !parser.isSet(kCheckOption) &&
        !WantsBatch(parser))
        return std::nullopt;
    QCoreApplication app(argc, argv);
    SetApplicationIdentity();
    if (!understood) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << parser.errorText()
                            << '\n';
        return kExitUsage;
    }
    if (const std::optional<int> answered = Answer(parser))
        return answered;
    QTextStream errors(stderr);
    return RunBatch(parser, errors);
}

std::optional<int> AnswerCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    Configure(parser);
    parser.process(app);
    return Answer(parser);
}

int CheckDataFiles(QTextStream& out) {
    bool complete = true;
    for (const char* name : {HelpBinding::kHelpFileName, "location.sqb"})
        complete = CheckDataFile(out, QString::fromLatin1(name), DataFolders()) && complete;
    // The magnetic model is read from the working directory first, as it always was.
    complete = CheckDataFile(out, QStringLiteral("wmm.cof"),
                             QStringList{QDir::currentPath()} + DataFolders()) &&
               complete;
    complete = CheckDeclinationLibrary(out) && complete;
    PrintOptional(out);
    out << (complete ? "All data files found.\n" : "Some data files are missing.\n");
    return complete ? 0 : 1;
}

void PrintStartState(const TfrmMain& window) {
    const auto shown = [](const QWidget* widget) {
        return widget->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden");
    };
    PrintOut(
        QStringLiteral("declination row: %1\ndeclination: %2\nLocations button: %3\n"
                       "help: %4\n")
            .arg(shown(window.pnlMagDev), window.lblMagDev->text(), shown(window.btnLocDatabase),
                 window.HelpAvailable() ? QStringLiteral("available") : QStringLiteral("missing")));
}

} // namespace skyvane
