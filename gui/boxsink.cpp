#include "gui/boxsink.h"

#include "gui/common.h"

namespace ov::gui {

void BoxSink::showMessage(const std::string& text, const std::string& title, ov::MessageIcon icon)
{
    const QString t = fromStd(text);
    const QString caption = fromStd(title);
    if (seen_) {
        const QString key = caption + QLatin1Char('\n') + t;
        if (seen_->contains(key))
            return;
        seen_->append(key);
    }
    dialogs().message(parent_, dialogIcon(icon), caption, t);
}

} // namespace ov::gui
