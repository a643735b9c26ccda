// How the core tells the user something: the window shows a message box, the command
// line prints to stderr, tests record. The core never decides how a message looks.
#pragma once
#include <string>
#include <string_view>
#include <optional>
#include <initializer_list>
#include <utility>

namespace ov {

inline constexpr std::string_view kAppTitle = "omniVELOR";

enum class MessageIcon { Information, Exclamation, Critical };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

// Stands between one load of a data file and the user: a broken or binary file would otherwise
// ask for a click per bad line before the window appears. The first kMessageCap messages pass;
// the next one is replaced by a single critical notice naming the file, and everything after
// it is dropped. The loader still handles every line; only the telling stops. One object per load.
class CappedMessageSink : public MessageSink {
public:
    static constexpr int kMessageCap = 10;
    CappedMessageSink(MessageSink& inner, std::string fileName) : inner_(inner), fileName_(std::move(fileName)) {}
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    int passed() const { return passed_; }
    bool capped() const { return capped_; }

private:
    MessageSink& inner_;
    std::string fileName_;
    int passed_ = 0;
    bool capped_ = false;
};

// Joins message parts, each followed by CR LF; an omitted part (nullopt) gives an empty line.
std::string MessageLines(std::initializer_list<std::optional<std::string>> parts);

} // namespace ov
