// Shared helpers of the data-file tests: a message sink that records and a throw-away folder.
#pragma once
#include "core/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace ovtest {

struct RecordedMessage {
    std::string text;
    std::string title;
    ov::MessageIcon icon;
};

class RecordingSink : public ov::MessageSink {
public:
    std::vector<RecordedMessage> messages;
    void showMessage(const std::string& text, const std::string& title, ov::MessageIcon icon) override
    {
        messages.push_back({text, title, icon});
    }
};

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("ovtest-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& root() const { return path_; }

    // Writes the bytes exactly as given and returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(path(name), std::ios::binary);
        out << bytes;
        return path(name);
    }

    static std::string read(const std::string& fullPath)
    {
        std::ifstream in(fullPath, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

// Lines joined with CR LF, each line ended by it, the way the data files are written.
inline std::string crlf(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

} // namespace ovtest
