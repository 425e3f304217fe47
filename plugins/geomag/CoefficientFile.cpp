#include "CoefficientFile.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace geomag {

namespace {

constexpr const char* kDataFolderName = "/skyvane";

// The installation's data folder as seen from this library's folder, fixed by the build.
#ifdef GEOMAG_DATA_FROM_LIBRARY
constexpr const char* kDataFromLibrary = GEOMAG_DATA_FROM_LIBRARY;
#else
constexpr const char* kDataFromLibrary = "../../share/skyvane";
#endif

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string LibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&CoefficientFolders), &info) == 0 ||
        info.dli_fname == nullptr)
        return {};
    const std::string path = info.dli_fname;
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// As the XDG base directory rules say: an unset or empty variable means its default.
std::vector<std::string> DataHomes() {
    std::string home = Environment("XDG_DATA_HOME");
    if (home.empty() && !Environment("HOME").empty())
        home = Environment("HOME") + "/.local/share";
    std::string dirs = Environment("XDG_DATA_DIRS");
    if (dirs.empty())
        dirs = "/usr/local/share:/usr/share";
    std::vector<std::string> folders;
    if (!home.empty())
        folders.push_back(home + kDataFolderName);
    std::string_view rest = dirs;
    while (!rest.empty()) {
        const std::string_view::size_type colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty())
            folders.push_back(std::string(folder) + kDataFolderName);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return folders;
}

} // namespace

std::vector<std::string> CoefficientFolders() {
    std::vector<std::string> folders{"."};
    const std::string library = LibraryFolder();
    if (!library.empty())
        folders.push_back(library);
    for (std::string& folder : DataHomes())
        folders.push_back(std::move(folder));
    if (!library.empty())
        folders.push_back(library + '/' + kDataFromLibrary);
    return folders;
}

std::string FirstReadableFile(const std::string& name, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const std::string path = folder + '/' + name;
        struct stat status {};
        if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            access(path.c_str(), R_OK) == 0)
            return path;
    }
    return {};
}

} // namespace geomag
