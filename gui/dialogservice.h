// Every message box, input box and platform dialog of the program goes through this service,
// so that tests answer them without a screen. The program installs the real service at
// start-up; tests install a fake that records texts and returns prepared answers.
#pragma once
#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace ov::gui {

class DialogService {
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~DialogService() = default;
    // Returns the button the user pressed (the default or escape button when closed).
    virtual QMessageBox::StandardButton message(QWidget* parent, Icon icon, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    // The same with a detail text under the main text (why a value could not be used, say).
    // The main text stays exactly as the user knows it; the real box shows the details as
    // its informative text.
    virtual QMessageBox::StandardButton
    messageWithDetails(QWidget* parent, Icon icon, const QString& title, const QString& text, const QString& details,
                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return message(parent, icon, title, details.isEmpty() ? text : text + QStringLiteral("\n\n") + details, buttons,
                       defaultButton);
    }
    // nullopt when cancelled.
    virtual std::optional<QString> getText(QWidget* parent, const QString& title, const QString& prompt,
                                           const QString& initial = {}) = 0;
    // Empty text when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // A save dialog in the folder `dir`, with no file name offered, that tells which of its
    // filters was chosen (two may share a pattern); the file name gets the chosen filter's
    // suffix when typed without one. nullopt when cancelled.
    struct SaveChoice {
        QString path;
        QString filter;
    };
    virtual std::optional<SaveChoice> saveFileChoice(QWidget* parent, const QString& caption, const QString& dir,
                                                     const QStringList& filters) = 0;
    // The platform's print dialog on `printer`: the printer, its set-up, or printing to a PDF
    // file. `selection` offers printing only the selection and starts with it. False when cancelled.
    virtual bool printDialog(QWidget* parent, QPrinter& printer, bool selection) = 0;
    virtual std::optional<QFont> font(QWidget* parent, const QFont& initial) = 0;
    virtual std::optional<QColor> colour(QWidget* parent, const QColor& initial, const QString& title) = 0;

    // A window of the program's own shown modally; returns its result code.
    virtual int exec(QDialog& dialog) = 0;
    // Addresses and programs of the desktop. openUrl is false when nothing could open it.
    virtual bool openUrl(const QUrl& url) = 0;
    // The full path of a program found on the PATH, empty when there is none.
    virtual QString findProgram(const QString& name) = 0;
    // Starts a program that outlives ours; its process id, nullopt when it did not start.
    virtual std::optional<qint64> startDetached(const QString& program, const QStringList& arguments) = 0;
    virtual bool isRunning(qint64 processId) = 0;
};

// The service in use; the real one until setDialogService installs another (nullptr restores it).
DialogService& dialogs();
void setDialogService(DialogService* service);

// The system asks the program to end (the session ends, or kill), and nobody may be there to
// answer: while refused, a box or dialog is not shown and answers at once as cancelling it
// would (Storno, else Ne, else its default or only button), and one that was open when the
// refusal began counts as cancelled, whatever closed it.
void setDialogsRefused(bool refused);
// True while a box or dialog of the service waits for the user.
bool dialogOpen();

} // namespace ov::gui
