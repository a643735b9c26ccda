// The main window's side of the options dialog: what it shows of the running window, and
// applying the choices of OK to the table, the navigator and the commands.
#include "app/mainwindow.h"

#include "gui/commands.h"
#include "navigation/navigator.h"
#include "settings/appcontext.h"
#include "settings/lifecycle.h"
#include "settings/optionsdialog.h"
#include "table/conversiontable.h"

#include <QAction>

namespace ov::gui {

OptionsDialog* MainWindow::optionsDialog()
{
    if (!options_)
        options_ = new OptionsDialog(ctx_, static_cast<OptionsHost&>(*this), this);
    return options_;
}

void MainWindow::showOptions() { optionsDialog()->run(); }

LiveOptions MainWindow::liveOptions() const
{
    const Commands& c = *commands_;
    return {c.isPressed(QStringLiteral("Náhled")),
            c.isPressed(QStringLiteral("Lupa")),
            c.isPressed(QStringLiteral("Info")),
            c.formatIndex(),
            navigator_->navigatorOption(),
            int(navigator_->viewMode()),
            c.action(cmd::Command::MarkColours)->isChecked(),
            levelOption_};
}

void MainWindow::applyOptions(const LiveOptions& before, const LiveOptions& chosen)
{
    levelOption_ = chosen.level;
    applyTablePreferences();
    setPaneSwitches(chosen.showPreview, chosen.showMagnifier, chosen.showInfo);
    table_->setFormat(commands_->formatZ(chosen.displayFormat));
    table_->formatTable();
    navigator_->setViewMode(chosen.topicView);
    // The list on show changes only when the choice did.
    if (chosen.navigator != before.navigator) {
        if (chosen.navigator == 0)
            navigator_->showTopicList();
        else
            navigator_->showUnitList();
    }
    if (chosen.marking != before.marking)
        commands_->action(cmd::Command::MarkColours)->trigger();
}

QStringList MainWindow::startTopicNames() const { return topicNames(false); }

bool MainWindow::editingDataFile() const { return commands_->editMode(); }

qint64 MainWindow::runningSeconds() const { return lifecycle_->runningSeconds(); }

} // namespace ov::gui
