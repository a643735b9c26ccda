// How the core tells the user something: the window shows a message box, the command
// line prints to stderr, tests record. The core never decides how a message looks.
#pragma once
#include <string>
#include <string_view>
#include <optional>
#include <initializer_list>

namespace ov {

inline constexpr std::string_view kAppTitle = "omniVELOR";

enum class MessageIcon { Information, Exclamation, Critical };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

// Joins message parts, each followed by CR LF; an omitted part (nullopt) gives an empty line.
std::string ZpravaChyby(std::initializer_list<std::optional<std::string>> parts);

} // namespace ov
