#pragma once

#include <QString>
#include <QStringList>

namespace skyvane {

// Where the program finds its data files (help, town database, magnetic model, language files,
// catalogue) and where it keeps the files the user adds.
//
// A data file is looked for beside the program first, so a build folder runs as it is, then in
// the user's data folder (~/.local/share/skyvane), then in the system's data folders
// (/usr/local/share/skyvane, /usr/share/skyvane), and last in the data folder of the
// installation the program belongs to (<prefix>/share/skyvane, for an installation outside the
// system's folders). Only a readable regular file counts: a missing file, a folder, a dangling
// link or a file that cannot be read is absent.
//
// The user's and the system's folders are the application's AppDataLocation, so they follow
// the application name, which main() sets to kApplicationName with no organisation name.

inline constexpr char kApplicationName[] = "skyvane";

// Folders searched for data files, best first.
QStringList DataFolders();

// The full path of the first readable regular file `name` in `folders`; empty when none.
QString FirstUsableFile(const QString& name, const QStringList& folders);

// The full path of the data file `name` (for example "skyvane.qch") in DataFolders(); empty
// when there is none.
QString LocateDataFile(const QString& name);

// Why `path` is not a usable data file: "missing", "a folder", "a link to nothing", "not
// readable" or "not a regular file"; empty when it is usable.
QString DataFileProblem(const QString& path);

// Every folder called `name` (for example the language files' folder) in DataFolders(), best
// first.
QStringList LocateDataFolders(const QString& name);

// The user's data folder, where files the user adds are written (never into the installation);
// created when missing. Empty when it cannot be created.
QString UserDataFolder();

// The folders searched for the catalogue file, best first: the working directory, then the
// user's data folder, then the system's data folders (the program's own folder is not one).
QStringList CatalogueFolders();

// The catalogue file satpos.dat. One in the working directory is taken whenever it exists, in
// any form, so that the reader can report a file it cannot read, as it always has; after it
// the first readable one in the user's, then the system's data folders. Empty when none.
QString LocateCatalogueFile();

} // namespace skyvane
