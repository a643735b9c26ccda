// The core's messages (a bad line of a data file, say) as message boxes of the window.
#pragma once
#include "core/messages.h"

#include <QStringList>

class QWidget;

namespace ov::gui {

class BoxSink final : public ov::MessageSink {
public:
    // seen: messages already shown, which are not shown again (nullptr: show everything).
    explicit BoxSink(QWidget* parent, QStringList* seen = nullptr) : parent_(parent), seen_(seen) {}
    void showMessage(const std::string& text, const std::string& title, ov::MessageIcon icon) override;

private:
    QWidget* parent_;
    QStringList* seen_;
};

} // namespace ov::gui
