// The real dialog service: Qt's standard boxes and platform dialogs, Czech through the Qt
// translation that main() loads.
#include "gui/dialogservice.h"
#include "gui/common.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QProcess>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QPushButton>
#include <QStandardPaths>

#include <csignal>

namespace ov::gui {
namespace {

QMessageBox::Icon boxIcon(DialogService::Icon icon)
{
    switch (icon) {
    case DialogService::Icon::Information: return QMessageBox::Information;
    case DialogService::Icon::Warning: return QMessageBox::Warning;
    case DialogService::Icon::Critical: return QMessageBox::Critical;
    case DialogService::Icon::Question: return QMessageBox::Question;
    case DialogService::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A box wraps its text at blanks only, so a long run without one (a value of hundreds of
// digits, a path) would widen the box past the screen and be cut: it gets invisible break
// opportunities (zero-width spaces) every few characters.
QString breakable(const QString& text)
{
    constexpr int kLongestRun = 40;
    constexpr int kPiece = 20;
    QString out;
    out.reserve(text.size() + text.size() / kPiece);
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestRun && run % kPiece == 1)
            out += QChar(0x200B);
        out += c;
    }
    return out;
}

class RealDialogs final : public DialogService {
public:
    QMessageBox::StandardButton message(QWidget* parent, Icon icon, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override
    {
        return messageWithDetails(parent, icon, title, text, {}, buttons, defaultButton);
    }

    QMessageBox::StandardButton messageWithDetails(QWidget* parent, Icon icon, const QString& title,
                                                   const QString& text, const QString& details,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor); // a box asks: an arrow even while busy
        QMessageBox box(boxIcon(icon), title, breakable(displayText(text)), buttons, parent);
        if (!details.isEmpty())
            box.setInformativeText(breakable(displayText(details)));
        if (defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(defaultButton);
        // Closing the box with Esc or the title bar answers with the default button when the
        // box has no Cancel/No/Ok to fall back on (Abort/Retry/Ignore, for example).
        if (!box.escapeButton() && defaultButton != QMessageBox::NoButton)
            box.setEscapeButton(defaultButton);
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        if (!clicked)
            return defaultButton;
        const QMessageBox::StandardButton answer = box.standardButton(clicked);
        return answer == QMessageBox::NoButton ? defaultButton : answer;
    }

    std::optional<QString> getText(QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& initial) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor);
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor);
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }

    std::optional<SaveChoice> saveFileChoice(QWidget* parent, const QString& caption, const QString& dir,
                                             const QStringList& filters) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor);
        // The folder only: given to the constructor, a folder that is not there would be
        // offered as the file name.
        QFileDialog dialog(parent, caption);
        dialog.setDirectory(dir);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        // "Název (*.csv)": a name typed without a suffix gets the chosen filter's.
        const auto followFilter = [&dialog](const QString& filter) {
            static const QRegularExpression suffix(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
            dialog.setDefaultSuffix(suffix.match(filter).captured(1));
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
        if (!filters.isEmpty())
            followFilter(filters.first());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return SaveChoice{dialog.selectedFiles().first(), dialog.selectedNameFilter()};
    }

    bool printDialog(QWidget* parent, QPrinter& printer, bool selection) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor);
        QPrintDialog dialog(&printer, parent);
        QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
        if (selection)
            options |= QAbstractPrintDialog::PrintSelection;
        dialog.setOptions(options);
        if (selection)
            dialog.setPrintRange(QAbstractPrintDialog::Selection);
        return dialog.exec() == QDialog::Accepted;
    }

    std::optional<QFont> font(QWidget* parent, const QFont& initial) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor);
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
        if (!ok)
            return std::nullopt;
        return chosen;
    }

    std::optional<QColor> colour(QWidget* parent, const QColor& initial, const QString& title) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor);
        const QColor chosen = QColorDialog::getColor(initial, parent, title);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }

    int exec(QDialog& dialog) override
    {
        const OverrideCursor arrow(Qt::ArrowCursor);
        return dialog.exec();
    }

    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    QString findProgram(const QString& name) override { return QStandardPaths::findExecutable(name); }

    std::optional<qint64> startDetached(const QString& program, const QStringList& arguments) override
    {
        qint64 pid = 0;
        if (!QProcess::startDetached(program, arguments, QString(), &pid))
            return std::nullopt;
        return pid;
    }

    // A detached program is no child of ours; it runs while kill(pid, 0) finds its process
    // (EPERM: the number belongs to someone else's by now) and the process is no zombie that
    // a parent without reaping keeps in the table.
    bool isRunning(qint64 processId) override
    {
        if (processId <= 0 || ::kill(pid_t(processId), 0) != 0)
            return false;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(processId));
        if (!stat.open(QIODevice::ReadOnly))
            return true;
        const QByteArray line = stat.readAll();
        const qsizetype afterName = line.lastIndexOf(')');
        return afterName < 0 || line.mid(afterName + 2, 1) != "Z";
    }
};

DialogService* g_installed = nullptr;
bool g_refused = false;
int g_open = 0;

DialogService& installed()
{
    static RealDialogs real;
    return g_installed ? *g_installed : real;
}

QMessageBox::StandardButton cancelled(QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    for (const QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No})
        if (buttons.testFlag(b))
            return b;
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    for (int bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1)
        if (buttons.testFlag(QMessageBox::StandardButton(bit)))
            return QMessageBox::StandardButton(bit);
    return QMessageBox::Ok;
}

// What every caller of dialogs() talks to: it counts the dialogs waiting for the user and
// keeps them from waiting once the program is ending, then passes on to the service installed.
class Gate final : public DialogService {
public:
    QMessageBox::StandardButton message(QWidget* parent, Icon icon, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override
    {
        return ask(cancelled(buttons, defaultButton),
                   [&](DialogService& s) { return s.message(parent, icon, title, text, buttons, defaultButton); });
    }
    QMessageBox::StandardButton messageWithDetails(QWidget* parent, Icon icon, const QString& title,
                                                   const QString& text, const QString& details,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton) override
    {
        return ask(cancelled(buttons, defaultButton), [&](DialogService& s) {
            return s.messageWithDetails(parent, icon, title, text, details, buttons, defaultButton);
        });
    }
    std::optional<QString> getText(QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& initial) override
    {
        return ask<std::optional<QString>>(std::nullopt,
                                           [&](DialogService& s) { return s.getText(parent, title, prompt, initial); });
    }
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override
    {
        return ask(QString(), [&](DialogService& s) { return s.openFileName(parent, caption, dir, filter); });
    }
    std::optional<SaveChoice> saveFileChoice(QWidget* parent, const QString& caption, const QString& dir,
                                             const QStringList& filters) override
    {
        return ask<std::optional<SaveChoice>>(
            std::nullopt, [&](DialogService& s) { return s.saveFileChoice(parent, caption, dir, filters); });
    }
    bool printDialog(QWidget* parent, QPrinter& printer, bool selection) override
    {
        return ask(false, [&](DialogService& s) { return s.printDialog(parent, printer, selection); });
    }
    std::optional<QFont> font(QWidget* parent, const QFont& initial) override
    {
        return ask<std::optional<QFont>>(std::nullopt, [&](DialogService& s) { return s.font(parent, initial); });
    }
    std::optional<QColor> colour(QWidget* parent, const QColor& initial, const QString& title) override
    {
        return ask<std::optional<QColor>>(std::nullopt,
                                          [&](DialogService& s) { return s.colour(parent, initial, title); });
    }
    int exec(QDialog& dialog) override
    {
        return ask(int(QDialog::Rejected), [&](DialogService& s) { return s.exec(dialog); });
    }
    // The desktop's services wait for no one.
    bool openUrl(const QUrl& url) override { return installed().openUrl(url); }
    QString findProgram(const QString& name) override { return installed().findProgram(name); }
    std::optional<qint64> startDetached(const QString& program, const QStringList& arguments) override
    {
        return installed().startDetached(program, arguments);
    }
    bool isRunning(qint64 processId) override { return installed().isRunning(processId); }

private:
    template <class R, class Show> R ask(R whenRefused, Show show)
    {
        if (g_refused)
            return whenRefused;
        ++g_open;
        const auto closed = qScopeGuard([] { --g_open; });
        R answer = show(installed());
        return g_refused ? whenRefused : answer;
    }
};

} // namespace

DialogService& dialogs()
{
    static Gate gate;
    return gate;
}

void setDialogsRefused(bool refused) { g_refused = refused; }

bool dialogOpen() { return g_open > 0; }

void setDialogService(DialogService* service) { g_installed = service; }

} // namespace ov::gui
