// Where the data files live on a Linux desktop. The folder of an installed program is
// read-only, so the files the user edits live in the per-user data folder; the shipped copies
// stay beside the executable (a build tree) or in share/omnivelor of the install prefix.
#pragma once
#include <filesystem>
#include <string>

namespace ov {

// Folder name under the per-user and the shared data folders.
inline constexpr const char* kDataFolderName = "omnivelor";

// $XDG_DATA_HOME/omnivelor when XDG_DATA_HOME is an absolute path, else
// $HOME/.local/share/omnivelor; empty when neither is set.
std::filesystem::path userDataFolder(const char* xdgDataHome, const char* home);
// The same for this process's environment.
std::filesystem::path userDataFolder();

// The shipped data files for a program in exeFolder: beside it when the main data file is
// there (a build tree), else <prefix>/share/omnivelor for a program in <prefix>/bin.
std::filesystem::path shippedDataFolder(const std::filesystem::path& exeFolder);

// The file the programs read: the user's copy when it exists, else the shipped one.
std::filesystem::path dataFile(const std::filesystem::path& userFolder, const std::filesystem::path& shippedFolder,
                               const std::string& fileName);

// The main and the user data file a program in exeFolder reads when none is named.
struct DataFiles {
    std::filesystem::path main, user;
};
DataFiles defaultDataFiles(const std::filesystem::path& exeFolder);

} // namespace ov
