// Editing the data files inside the window: the editor page takes the right-hand column, the
// commands switch to editing mode, saving reloads the units, and closing brings back the topic
// that was on show. No edit is set aside without asking.
#include "app/mainwindow.h"

#include "core/catalogue.h"
#include "gui/commands.h"
#include "gui/dialogservice.h"
#include "navigation/navigator.h"
#include "navigation/searchpane.h"
#include "output/printing.h"
#include "settings/appcontext.h"
#include "table/conversiontable.h"
#include "table/datafileeditor.h"
#include "table/workspace.h"

#include <QPrinter>
#include <algorithm>

namespace ov::gui {

void MainWindow::bindEditingCommands()
{
    Commands& c = *commands_;
    c.bind(cmd::Command::EditData, [this](int index) { openDataFile(index); });
    c.bind(cmd::Command::SaveData, [this](int index) {
        if (index == 1)
            saveDataFile();
        else
            closeDataFile();
    });
    // Printing while a file is edited prints its selection, or all of it.
    printing_->setEditorPrint([this] {
        QPrinter printer;
        if (dialogs().printDialog(this, printer, editor_->textEdit()->textCursor().hasSelection()))
            editor_->textEdit()->print(&printer);
    });
    // Ctrl+F while a file is edited finds text in it.
    searchPane_->setEditorFind([this] { editor_->find(); });
    // Choosing a topic while a file is edited shows where the file describes it.
    connect(navigator_, &Navigator::topicChosen, this, [this](int topic) {
        if (!editor_->isOpen())
            return;
        editor_->goToTopic(topic);
        editor_->textEdit()->setFocus();
    });
}

void MainWindow::openDataFile(int index)
{
    if (!editor_->maySetAside())
        return;
    const QString path = index == 1 ? ctx_.prefs.pathUser : ctx_.prefs.path;
    // Read first: a file that cannot be read leaves the window as it was.
    if (!editor_->open(path, index == 1))
        return;
    editor_->setOpenedTopic(table_->currentTopic());
    editor_->setEditorFont(editFont());
    workspace_->showPage(editor_);
    editor_->textEdit()->setFocus();
    table_->setEditMode(true);
    commands_->editModeOnOff(true);
    commands_->setSingleTextStyle(true);
}

void MainWindow::saveDataFile()
{
    if (!editor_->isOpen() || !editor_->save())
        return;
    reload();
    editor_->goToTopic(navigator_->currentTopic());
}

void MainWindow::closeDataFile()
{
    if (!editor_->isOpen() || !editor_->maySetAside())
        return;
    const int topic = std::max(editor_->openedTopic(), 1);
    editor_->clear();
    table_->setEditMode(false);
    commands_->editModeOnOff(false);
    commands_->setSingleTextStyle(false);
    workspace_->showPage(table_);
    navigator_->setCurrentTopic(topic);
    navigator_->showCurrentTopic();
}

} // namespace ov::gui
