#include "extras/extras.h"

#include "extras/aboutbox.h"
#include "extras/help.h"
#include "extras/helptopics.h"
#include "gui/commands.h"
#include "gui/common.h"
#include "table/conversiontable.h"

#include <QAction>
#include <QColor>
#include <QPoint>

namespace ov::gui {
namespace {

QString connectionFailed(const QString& hint) { return QStringLiteral("Spojení se nepodařilo.\n\n") + hint; }

} // namespace

Extras::Extras(Commands& commands, ConversionTable& table, QWidget* window, const Addresses& addresses)
    : QObject(window), commands_(commands), table_(table), window_(window), help_(new Help(window))
{
    bindCommands();
    setAddresses(addresses);
}

Extras::~Extras() { delete about_; }

AboutBox* Extras::aboutBox() const { return about_; }

void Extras::bindCommands()
{
    Commands& c = commands_;
    c.bind(cmd::Command::HelpForFocus, [this](int) { help_->showForFocus(); });
    c.bind(cmd::Command::WhatsThis, [this](int) { help_->showForFocus(); });
    c.bind(cmd::Command::HelpIndex, [this](int) { help_->showContext(help::kIndex); });
    c.bind(cmd::Command::Keyboard, [this](int) { help_->showContext(help::kKeyboard); });
    c.bind(cmd::Command::Constants, [this](int) { help_->showContext(help::kConstants); });
    c.bind(cmd::Command::Calculator, [this](int) { runCalculator(); });
    c.bind(cmd::Command::HomePage, [this](int) { openHomePage(); });
    c.bind(cmd::Command::Feedback, [this](int) { sendFeedback(); });
    c.bind(cmd::Command::About, [this](int) { showAbout(); });
}

void Extras::setAddresses(const Addresses& addresses)
{
    addresses_ = addresses;
    commands_.action(cmd::Command::HomePage)->setEnabled(!addresses_.homePage.isEmpty());
    commands_.action(cmd::Command::Feedback)->setEnabled(!addresses_.feedbackMail.isEmpty());
    // The box is made again with the new addresses when it is next shown.
    delete about_;
}

void Extras::runCalculator()
{
    if (calculator_.run() != Calculator::Result::NotFound)
        return;
    // Nothing to start for the rest of the run.
    commands_.action(cmd::Command::Calculator)->setEnabled(false);
    table_.showResult(Calculator::notFoundText(), true, QColor(255, 0, 0));
}

void Extras::openHomePage()
{
    if (openAddress(QUrl::fromUserInput(addresses_.homePage)))
        return;
    dialogs().message(window_, DialogService::Icon::Warning, appTitle(),
                      connectionFailed(QStringLiteral("Pokud jste připojeni k internetu pokuste se zadat adresu ") +
                                       addresses_.homePage + QStringLiteral(" sami.")));
}

void Extras::sendFeedback()
{
    const QString subject = appTitle() + QLatin1Char(' ') + versionText() + QStringLiteral(" - připomínky. Revize ") +
                            QString::number(versionRevision());
    if (openAddress(mailtoUrl(addresses_.feedbackMail, subject)))
        return;
    dialogs().message(window_, DialogService::Icon::Warning, appTitle(),
                      connectionFailed(QStringLiteral("Pokud jste připojeni k internetu pokuste se mailovat na ") +
                                       addresses_.feedbackMail + QLatin1Char('.')));
}

void Extras::showAbout()
{
    emit aboutToShow();
    if (!about_)
        about_ = new AboutBox(addresses_, window_);
    dialogs().exec(*about_);
}

// A click on the title above the table offers the topics: "&Přejít" at the table's top left
// corner, where the splitter is.
void Extras::showTopicMenu() { commands_.popupMenu(cmd::Menu::Go, table_.mapToGlobal(QPoint(0, 0))); }

} // namespace ov::gui
