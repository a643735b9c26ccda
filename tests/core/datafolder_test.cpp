// Which data files a program reads: the user's copy in the per-user data folder, else the
// shipped file beside the program (a build tree) or in share/omnivelor (an installed program).
#include "core/datafolder.h"
#include "rows.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

using namespace ov;
namespace fs = std::filesystem;

struct FolderCase {
    const char* name;
    const char* xdgDataHome;
    const char* home;
    const char* expected;
};

class UserDataFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(UserDataFolder, FollowsTheEnvironment)
{
    const FolderCase& c = GetParam();
    EXPECT_EQ(userDataFolder(c.xdgDataHome, c.home), fs::path(c.expected));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(DataFolder, UserDataFolder, ::testing::Values(
    FolderCase{"HomeOnly", nullptr, "/home/jana", "/home/jana/.local/share/omnivelor"},
    FolderCase{"XdgDataHomeWins", "/data/jana", "/home/jana", "/data/jana/omnivelor"},
    FolderCase{"EmptyXdgDataHomeIgnored", "", "/home/jana", "/home/jana/.local/share/omnivelor"},
    FolderCase{"RelativeXdgDataHomeIgnored", "data", "/home/jana", "/home/jana/.local/share/omnivelor"},
    FolderCase{"NoHomeNoFolder", nullptr, nullptr, ""},
    FolderCase{"EmptyHomeNoFolder", nullptr, "", ""}),
    ovtest::rowName);
// clang-format on

class DataFolderFiles : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("ovdatafolder-" + std::to_string(getpid()));
    void SetUp() override { fs::remove_all(root); }
    void TearDown() override { fs::remove_all(root); }
    void touch(const fs::path& p)
    {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "x";
    }
};

TEST_F(DataFolderFiles, BuildTreeKeepsTheDataBesideTheProgram)
{
    touch(root / "build" / "bin" / "Omnivel.omv");
    EXPECT_EQ(shippedDataFolder(root / "build" / "bin"), root / "build" / "bin");
}

TEST_F(DataFolderFiles, InstalledProgramReadsShareOfItsPrefix)
{
    fs::create_directories(root / "usr" / "bin");
    EXPECT_EQ(shippedDataFolder(root / "usr" / "bin"), root / "usr" / "share" / "omnivelor");
}

TEST_F(DataFolderFiles, UserCopyWhenItExistsElseShipped)
{
    const fs::path user = root / "home" / "omnivelor", shipped = root / "usr" / "share" / "omnivelor";
    touch(shipped / "Omnivel.omv");
    touch(shipped / "User.omv");
    touch(user / "User.omv");
    EXPECT_EQ(dataFile(user, shipped, "Omnivel.omv"), shipped / "Omnivel.omv");
    EXPECT_EQ(dataFile(user, shipped, "User.omv"), user / "User.omv");
    // A folder where the file should be is no copy of it.
    fs::create_directories(user / "Omnivel.omv");
    EXPECT_EQ(dataFile(user, shipped, "Omnivel.omv"), shipped / "Omnivel.omv");
    EXPECT_EQ(dataFile({}, shipped, "User.omv"), shipped / "User.omv");
}
