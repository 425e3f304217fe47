#pragma once

#include <string>
#include <vector>

namespace geomag {

// The folders where the coefficient file is looked for, best first: the working directory (where
// it has always been read from), the folder of this library, the user's data folder
// ($XDG_DATA_HOME/skyvane), the system's data folders ($XDG_DATA_DIRS, each with /skyvane),
// and the data folder of the installation this library belongs to.
std::vector<std::string> CoefficientFolders();

// The path of the first readable regular file named `name` in `folders`; empty when none.
std::string FirstReadableFile(const std::string& name, const std::vector<std::string>& folders);

} // namespace geomag
