#include "datafolder.h"

#include <cstdlib>

namespace ov {

namespace fs = std::filesystem;

fs::path userDataFolder(const char* xdgDataHome, const char* home)
{
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    if (xdgDataHome && *xdgDataHome == '/')
        return fs::path(xdgDataHome) / kDataFolderName;
    if (home && *home)
        return fs::path(home) / ".local" / "share" / kDataFolderName;
    return {};
}

fs::path userDataFolder() { return userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")); }

fs::path shippedDataFolder(const fs::path& exeFolder)
{
    std::error_code ec;
    if (fs::exists(exeFolder / "Omnivel.omv", ec))
        return exeFolder;
    return exeFolder.parent_path() / "share" / kDataFolderName;
}

fs::path dataFile(const fs::path& userFolder, const fs::path& shippedFolder, const std::string& fileName)
{
    std::error_code ec;
    if (!userFolder.empty() && fs::is_regular_file(userFolder / fileName, ec))
        return userFolder / fileName;
    return shippedFolder / fileName;
}

DataFiles defaultDataFiles(const fs::path& exeFolder)
{
    const fs::path user = userDataFolder();
    const fs::path shipped = shippedDataFolder(exeFolder);
    return {dataFile(user, shipped, "Omnivel.omv"), dataFile(user, shipped, "User.omv")};
}

} // namespace ov
