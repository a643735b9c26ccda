#include "fakedialogs.h"

#include <QDialog>
#include <QPrinter>
#include <QTest>

namespace ov::gui::test {

FakeDialogs::FakeDialogs() { setDialogService(this); }

FakeDialogs::~FakeDialogs() { setDialogService(nullptr); }

int FakeDialogs::pendingAnswers() const
{
    return int(buttons_.size() + texts_.size() + files_.size() + fonts_.size() + colours_.size() + saves_.size() +
               printers_.size() + dialogs_.size());
}

QList<DialogCall> FakeDialogs::messages(const QString& text) const
{
    QList<DialogCall> found;
    for (const DialogCall& c : calls_)
        if (c.kind == QLatin1String("message") && c.text == text)
            found.append(c);
    return found;
}

QStringList FakeDialogs::messageTexts() const
{
    QStringList texts;
    for (const DialogCall& c : calls_)
        if (c.kind == QLatin1String("message"))
            texts.append(c.text);
    return texts;
}

void FakeDialogs::clear()
{
    calls_.clear();
    buttons_.clear();
    texts_.clear();
    files_.clear();
    fonts_.clear();
    colours_.clear();
    saves_.clear();
    printers_.clear();
    dialogs_.clear();
}

void FakeDialogs::unexpected(const DialogCall& call)
{
    const QByteArray what = QStringLiteral("Unexpected %1 \"%2\" (%3)").arg(call.kind, call.text, call.title).toUtf8();
    QTest::qFail(what.constData(), __FILE__, __LINE__);
}

QMessageBox::StandardButton FakeDialogs::message(QWidget* parent, Icon icon, const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return messageWithDetails(parent, icon, title, text, {}, buttons, defaultButton);
}

QMessageBox::StandardButton FakeDialogs::messageWithDetails(QWidget*, Icon icon, const QString& title,
                                                            const QString& text, const QString& details,
                                                            QMessageBox::StandardButtons buttons,
                                                            QMessageBox::StandardButton defaultButton)
{
    DialogCall call{QStringLiteral("message"), icon, title, text, details, buttons, defaultButton};
    if (whileShown_)
        whileShown_(call);
    if (buttons == QMessageBox::Ok || buttons == QMessageBox::NoButton) {
        // Nothing to decide: the prepared answers are for the boxes that ask.
        call.answer = QMessageBox::Ok;
    } else if (!buttons_.empty()) {
        call.answer = buttons_.front();
        buttons_.pop_front();
        if (!buttons.testFlag(call.answer))
            unexpected(call);
    } else {
        call.answer = defaultButton;
        unexpected(call);
    }
    calls_.append(call);
    return call.answer;
}

std::optional<QString> FakeDialogs::getText(QWidget*, const QString& title, const QString& prompt,
                                            const QString& initial)
{
    DialogCall call{QStringLiteral("text"), Icon::None, title, prompt, initial, {}, {}};
    calls_.append(call);
    if (texts_.empty()) {
        unexpected(call);
        return std::nullopt;
    }
    const auto [given, text] = texts_.front();
    texts_.pop_front();
    if (!given)
        return std::nullopt;
    return text;
}

QString FakeDialogs::openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    DialogCall call{QStringLiteral("open"), Icon::None, caption, dir, filter, {}, {}};
    calls_.append(call);
    if (files_.empty()) {
        unexpected(call);
        return {};
    }
    QString f = files_.front();
    files_.pop_front();
    return f;
}

std::optional<DialogService::SaveChoice> FakeDialogs::saveFileChoice(QWidget*, const QString& caption,
                                                                     const QString& dir, const QStringList& filters)
{
    DialogCall call{QStringLiteral("save"), Icon::None, caption, dir, filters.join(u'|'), {}, {}};
    calls_.append(call);
    if (saves_.empty()) {
        unexpected(call);
        return std::nullopt;
    }
    const auto [path, index] = saves_.front();
    saves_.pop_front();
    if (!path)
        return std::nullopt;
    return SaveChoice{*path, filters.value(index)};
}

bool FakeDialogs::printDialog(QWidget*, QPrinter& printer, bool selection)
{
    DialogCall call{QStringLiteral("print"),
                    Icon::None,
                    {},
                    printer.printerName(),
                    selection ? QStringLiteral("selection") : QString(),
                    {},
                    {}};
    calls_.append(call);
    if (printers_.empty()) {
        unexpected(call);
        return false;
    }
    const std::optional<QString> pdf = printers_.front();
    printers_.pop_front();
    if (!pdf)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdf);
    return true;
}

std::optional<QFont> FakeDialogs::font(QWidget*, const QFont& initial)
{
    DialogCall call{QStringLiteral("font"), Icon::None, {}, initial.family(), {}, {}, {}};
    calls_.append(call);
    if (fonts_.empty()) {
        unexpected(call);
        return std::nullopt;
    }
    std::optional<QFont> f = fonts_.front();
    fonts_.pop_front();
    return f;
}

std::optional<QColor> FakeDialogs::colour(QWidget*, const QColor& initial, const QString& title)
{
    DialogCall call{QStringLiteral("colour"), Icon::None, title, initial.name(), {}, {}, {}};
    calls_.append(call);
    if (colours_.empty()) {
        unexpected(call);
        return std::nullopt;
    }
    std::optional<QColor> c = colours_.front();
    colours_.pop_front();
    return c;
}

} // namespace ov::gui::test

namespace ov::gui::test {

// Without a prepared answer the window is not shown: the test looks at it from whileShown, as
// the user would meanwhile. With one, it is shown (not modally, so that the test can reach it)
// and the answer acts in it; a dialog still open afterwards is cancelled.
int FakeDialogs::exec(QDialog& dialog)
{
    DialogCall call{QStringLiteral("dialog"), Icon::None, dialog.windowTitle(), dialog.objectName(), {}, {}, {}};
    if (dialogs_.empty()) {
        if (whileShown_)
            whileShown_(call);
        calls_.append(call);
        return dialog.result();
    }
    calls_.append(call);
    const auto user = std::move(dialogs_.front());
    dialogs_.pop_front();
    // Shown as the user would see it, but not modal (the watchdog stands for real modal
    // windows) and active, so that the focus moves as it does on a screen.
    const Qt::WindowModality modality = dialog.windowModality();
    dialog.setWindowModality(Qt::NonModal);
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog))
        QTest::qFail("The dialog did not become active", __FILE__, __LINE__);
    const int result = user(dialog);
    dialog.hide();
    dialog.setWindowModality(modality);
    return result;
}

bool FakeDialogs::openUrl(const QUrl& url)
{
    calls_.append(DialogCall{QStringLiteral("url"), Icon::None, {}, QString::fromLatin1(url.toEncoded()), {}, {}, {}});
    return !urlFails_;
}

QStringList FakeDialogs::openedUrls() const
{
    QStringList urls;
    for (const DialogCall& c : calls_)
        if (c.kind == QLatin1String("url"))
            urls.append(c.text);
    return urls;
}

QString FakeDialogs::findProgram(const QString& name)
{
    return programs_.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
}

std::optional<qint64> FakeDialogs::startDetached(const QString& program, const QStringList& arguments)
{
    calls_.append(
        DialogCall{QStringLiteral("start"), Icon::None, {}, program, arguments.join(QLatin1Char(' ')), {}, {}});
    if (startFails_)
        return std::nullopt;
    running_.append(++nextPid_);
    return nextPid_;
}

bool FakeDialogs::isRunning(qint64 processId) { return running_.contains(processId); }

} // namespace ov::gui::test
