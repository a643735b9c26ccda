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
    std::vector<std::string> lines;   // UTF-8, line ends removed (CR LF, a lone LF or a lone CR)
    TextEncoding encoding = TextEncoding::Utf8;
};

// nullopt when the file cannot be opened. A leading UTF-8 byte-order mark is dropped; a file
// that is not valid UTF-8 is read as Windows-1250 (the five bytes it leaves undefined become
// the C1 controls of the same value, so a write-back restores them).
std::optional<TextFileContent> readTextFile(const std::string& path);
// Decodes a whole buffer the same way readTextFile does.
TextFileContent decodeText(std::string_view bytes);
// Writes lines joined by CR LF (each line ended by CR LF) in the given encoding, UTF-8 without a
// byte-order mark. Written to a temporary beside the target and renamed over it, so a failure
// (full disk, no such folder) leaves the old file whole; false on failure.
bool writeTextFile(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding);

} // namespace ov
