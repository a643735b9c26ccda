// The window stops telling a broken data file's faults after ten; the command line is read by
// scripts and people fixing the file, so it keeps printing every one of them.
#include "cli_support.h"

#include <algorithm>

using namespace ovtest;

namespace {

constexpr int kBadLines = 500;

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size()))
        ++n;
    return n;
}

class ManyMessages : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        std::vector<std::string> lines = standardMainFile();
        for (int i = 0; i < kBadLines; ++i)
            lines.push_back("x" + std::to_string(i) + "|kus|ks|1");
        writeDataFile(dir / "Omnivel.omv", lines);
    }
};

TEST_F(ManyMessages, ReadingPrintsEveryBadLine)
{
    const CliRun r = run({"topics"});
    EXPECT_EQ(count(r.err, "Načtena nekorektní data"), std::size_t(kBadLines));
    EXPECT_EQ(count(r.err, "obsahuje další chybné řádky"), 0u);
    // The last bad line is told too, with its value.
    EXPECT_NE(r.err.find("x" + std::to_string(kBadLines - 1)), std::string::npos);
}

TEST_F(ManyMessages, CheckListsEveryBadLine)
{
    const CliRun r = run({"check", (dir / "Omnivel.omv").string()});
    const std::string lastLine = std::to_string(standardMainFile().size() + kBadLines);
    EXPECT_GE(std::count(r.out.begin(), r.out.end(), '\n'), kBadLines);
    EXPECT_NE(r.out.find(":" + lastLine + ":"), std::string::npos) << r.out.substr(0, 400);
    EXPECT_EQ(r.code, 1);
}

} // namespace
