#include "messages.h"

namespace ov {

std::string MessageLines(std::initializer_list<std::optional<std::string>> parts)
{
    std::size_t size = 0;
    for (const auto& p : parts)
        size += (p ? p->size() : 0) + 2;
    std::string text;
    text.reserve(size);
    for (const auto& p : parts) {
        if (p)
            text += *p;
        text += "\r\n";
    }
    return text;
}

void CappedMessageSink::showMessage(const std::string& text, const std::string& title, MessageIcon icon)
{
    if (capped_)
        return;
    if (passed_ < kMessageCap) {
        ++passed_;
        inner_.showMessage(text, title, icon);
        return;
    }
    capped_ = true;
    inner_.showMessage(
        "Soubor " + fileName_ +
            " obsahuje další chybné řádky. Další chyby už nebudou hlášeny; opravte soubor a načtěte ho znovu.",
        std::string(kAppTitle), MessageIcon::Critical);
}

} // namespace ov
