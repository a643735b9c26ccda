// A dialog service for window tests: it records every box the program shows and answers from
// prepared queues. A box that needs a decision nobody prepared fails the test instead of
// waiting for a click that never comes.
#pragma once
#include "gui/dialogservice.h"

#include <QList>
#include <QString>
#include <deque>
#include <functional>

namespace ov::gui::test {

struct DialogCall {
    QString kind; // "message", "text", "open", "save", "font", "colour",
                  // "dialog" (text: its object name), "url", "start",
                  // "print"
    DialogService::Icon icon = DialogService::Icon::None;
    QString title;
    QString text; // the main text, or the prompt / caption
    QString details;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
};

class FakeDialogs final : public DialogService {
public:
    FakeDialogs();           // installs itself as the program's service
    ~FakeDialogs() override; // restores the real one

    // The next answers, in order. Boxes with a lone OK button need no prepared answer.
    void answer(QMessageBox::StandardButton button) { buttons_.push_back(button); }
    void answerText(std::optional<QString> text) { texts_.push_back({text.has_value(), text.value_or(QString())}); }
    void answerFile(const QString& path) { files_.push_back(path); }
    void answerFont(std::optional<QFont> f) { fonts_.push_back(std::move(f)); }
    void answerColour(std::optional<QColor> c) { colours_.push_back(std::move(c)); }
    // The desktop: which programs are on the PATH (by name), whether starting them and opening
    // addresses works, and the user closing a started program.
    void setPrograms(const QStringList& names) { programs_ = names; }
    void setStartFails(bool fails) { startFails_ = fails; }
    void setUrlFails(bool fails) { urlFails_ = fails; }
    void endProgram(qint64 processId) { running_.removeAll(processId); }
    QList<qint64> runningPrograms() const { return running_; }
    QStringList openedUrls() const; // encoded, as the desktop would get them
    // A save dialog with filters: the file and the index of the filter chosen; nullopt cancels.
    void answerSave(std::optional<QString> path, int filterIndex = 0)
    {
        saves_.push_back({std::move(path), filterIndex});
    }
    // The print dialog: printing into this PDF file; nullopt cancels.
    void answerPrinter(std::optional<QString> pdfPath) { printers_.push_back(std::move(pdfPath)); }
    // The next of the program's own windows is shown (not modal) while `user` acts on it and
    // returns the result code, as clicking its buttons would (dialog.result() after OK).
    void answerDialog(std::function<int(QDialog&)> user) { dialogs_.push_back(std::move(user)); }
    // What the user does in the next of the program's own windows, ending as its buttons end
    // it; a window still open afterwards is cancelled.
    void actInDialog(std::function<void(QDialog&)> user)
    {
        answerDialog([user = std::move(user)](QDialog& d) {
            user(d);
            if (d.isVisible())
                d.reject();
            return d.result();
        });
    }
    // Runs when a box appears, before it is answered: what the user does meanwhile.
    void whileShown(std::function<void(const DialogCall&)> f) { whileShown_ = std::move(f); }
    // Answers still waiting: a test that prepared more than the program asked fails on it.
    int pendingAnswers() const;

    const QList<DialogCall>& calls() const { return calls_; }
    QList<DialogCall> messages(const QString& text) const; // message calls with this main text
    QStringList messageTexts() const;
    void clear();

    QMessageBox::StandardButton message(QWidget* parent, Icon icon, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton messageWithDetails(QWidget* parent, Icon icon, const QString& title,
                                                   const QString& text, const QString& details,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton) override;
    std::optional<QString> getText(QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& initial) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    std::optional<SaveChoice> saveFileChoice(QWidget* parent, const QString& caption, const QString& dir,
                                             const QStringList& filters) override;
    bool printDialog(QWidget* parent, QPrinter& printer, bool selection) override;
    std::optional<QFont> font(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> colour(QWidget* parent, const QColor& initial, const QString& title) override;
    int exec(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
    QString findProgram(const QString& name) override;
    std::optional<qint64> startDetached(const QString& program, const QStringList& arguments) override;
    bool isRunning(qint64 processId) override;

private:
    void unexpected(const DialogCall& call);

    std::function<void(const DialogCall&)> whileShown_;
    QList<DialogCall> calls_;
    std::deque<QMessageBox::StandardButton> buttons_;
    std::deque<std::pair<bool, QString>> texts_; // cancelled = false
    std::deque<QString> files_;
    std::deque<std::optional<QFont>> fonts_;
    std::deque<std::optional<QColor>> colours_;
    QStringList programs_;
    QList<qint64> running_;
    qint64 nextPid_ = 1000;
    bool startFails_ = false;
    bool urlFails_ = false;
    std::deque<std::pair<std::optional<QString>, int>> saves_;
    std::deque<std::optional<QString>> printers_;
    std::deque<std::function<int(QDialog&)>> dialogs_;
};

} // namespace ov::gui::test
