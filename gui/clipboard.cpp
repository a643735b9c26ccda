#include "gui/clipboard.h"

#include "core/numtext.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

namespace ov::gui {

namespace {
constexpr qsizetype kLongestNumber = 100;
} // namespace

void putClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

int holdClipboardText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (!clipboard->ownsClipboard())
        return clipboard->text() == text ? 0 : 1; // a platform without owners keeps it itself
    QObject::connect(clipboard, &QClipboard::changed, clipboard, [clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}

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
