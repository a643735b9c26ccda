// Text files: UTF-8 with CR LF, older files in Windows-1250 still read and written back as read.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ov {

enum class TextEncoding { Utf8, Windows1250 };

bool isValidUtf8(std::string_view bytes);
std::string windows1250ToUtf8(std::string_view bytes);
// Characters without a Windows-1250 code become '?'.
std::string utf8ToWindows1250(std::string_view utf8);

struct TextFileContent {
    std::vector<std::string> lines;   // UTF-8, line ends removed (CR LF or a lone LF)
    TextEncoding encoding = TextEncoding::Utf8;
};

// nullopt when the file cannot be opened. A leading UTF-8 byte-order mark is dropped.
std::optional<TextFileContent> readTextFile(const std::string& path);
// Decodes a whole buffer the same way readTextFile does.
TextFileContent decodeText(std::string_view bytes);
// Writes lines joined by CR LF (each line ended by CR LF) in the given encoding; false on failure.
bool writeTextFile(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding);

} // namespace ov
