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
    std::vector<std::string> lines; // UTF-8, line ends removed (CR LF, a lone LF or a lone CR)
    TextEncoding encoding = TextEncoding::Utf8;
};

// A decoded text with its lines as views into it: what decodeText and readTextFile give,
// without a string for every line (the loader reads thousands of lines at every start).
// Neither copied nor moved, since the views point into `text`.
struct TextLines {
    TextLines() = default;
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    std::string text;                    // UTF-8, possibly with a byte-order mark before the first line
    std::vector<std::string_view> lines; // line ends removed
    TextEncoding encoding = TextEncoding::Utf8;
};
// Decodes like decodeText; false when the file cannot be read (readTextFile's nullopt).
bool readTextLines(const std::string& path, TextLines& out);
void decodeTextLines(std::string bytes, TextLines& out);

// nullopt when the file cannot be opened. A leading UTF-8 byte-order mark is dropped; a file
// that is not valid UTF-8 is read as Windows-1250 (the five bytes it leaves undefined become
// the C1 controls of the same value, so a write-back restores them).
std::optional<TextFileContent> readTextFile(const std::string& path);
// Decodes a whole buffer the same way readTextFile does.
TextFileContent decodeText(std::string_view bytes);
// Writes lines joined by CR LF (each line ended by CR LF) in the given encoding, UTF-8 without a
// byte-order mark. Written to a temporary beside the target and renamed over it, so a failure
// (full disk, no such folder) leaves the old file whole; false on failure, with the system's
// reason in *error when given. Through a symbolic link the file it points to is written.
bool writeTextFile(const std::string& path, const std::vector<std::string>& lines, TextEncoding encoding,
                   std::string* error = nullptr);

} // namespace ov
