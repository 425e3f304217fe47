#include "DataFiles.h"

#include "Catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace skyvane {

namespace {

// The installation's data folder as seen from the program's folder, fixed by the build.
#ifdef SKYVANE_DATA_FROM_PROGRAM
constexpr char kDataFromProgram[] = SKYVANE_DATA_FROM_PROGRAM;
#else
constexpr char kDataFromProgram[] = "../share/skyvane";
#endif

QStringList AppDataFolders() {
    return QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
}

} // namespace

QStringList DataFolders() {
    const QDir program(QCoreApplication::applicationDirPath());
    QStringList folders{program.path()};
    folders += AppDataFolders();
    folders += QDir::cleanPath(program.filePath(QLatin1String(kDataFromProgram)));
    folders.removeDuplicates();
    return folders;
}

QString FirstUsableFile(const QString& name, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (DataFileProblem(path).isEmpty())
            return QFileInfo(path).absoluteFilePath();
    }
    return {};
}

QString LocateDataFile(const QString& name) {
    return FirstUsableFile(name, DataFolders());
}

QString DataFileProblem(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("a link to nothing");
    if (!info.exists())
        return QStringLiteral("missing");
    if (info.isDir())
        return QStringLiteral("a folder");
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    if (!info.isReadable())
        return QStringLiteral("not readable");
    return {};
}

QStringList LocateDataFolders(const QString& name) {
    QStringList found;
    for (const QString& folder : DataFolders()) {
        const QFileInfo info(QDir(folder).filePath(name));
        if (info.isDir())
            found += info.absoluteFilePath();
    }
    return found;
}

QString UserDataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    return folder;
}

QStringList CatalogueFolders() {
    return QStringList{QDir::currentPath()} + AppDataFolders();
}

QString LocateCatalogueFile() {
    const QString name = QString::fromLatin1(kCatalogueFileName);
    const QFileInfo working(QDir::current().filePath(name));
    if (working.exists())
        return working.absoluteFilePath();
    return FirstUsableFile(name, AppDataFolders());
}

} // namespace skyvane
