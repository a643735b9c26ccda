#include "gui/clipboard.h"

#include "core/numtext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ov::gui {

namespace {
constexpr qsizetype kLongestNumber = 100;
} // namespace

void putClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

std::optional<QString> clipboardNumber(char decimalSeparator)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    const QString text = data->text().trimmed();
    if (text.isEmpty() || text.size() > kLongestNumber || text.contains(u'\n') || text.contains(u'\r'))
        return std::nullopt;
    if (!ov::ParseNumber(text.toStdString(), decimalSeparator))
        return std::nullopt;
    return text;
}

} // namespace ov::gui
