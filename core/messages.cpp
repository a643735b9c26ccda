#include "messages.h"

namespace ov {

std::string ZpravaChyby(std::initializer_list<std::optional<std::string>> parts) {
    std::size_t size = 0;
    for (const auto& p : parts) size += (p ? p->size() : 0) + 2;
    std::string text;
    text.reserve(size);
    for (const auto& p : parts) {
        if (p) text += *p;
        text += "\r\n";
    }
    return text;
}

} // namespace ov
