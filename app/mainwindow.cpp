#include "app/mainwindow.h"

#include "app/termination.h"
#include "compact/compactcommands.h"
#include "compact/compactpanel.h"
#include "core/loader.h"
#include "extras/extras.h"
#include "gui/boxsink.h"
#include "gui/commands.h"
#include "gui/common.h"
#include "gui/dialogservice.h"
#include "history/historywindow.h"
#include "navigation/navigator.h"
#include "navigation/navigatorcommands.h"
#include "navigation/searchpane.h"
#include "output/outputcommands.h"
#include "output/printing.h"
#include "output/recorder.h"
#include "settings/appcontext.h"
#include "settings/lifecycle.h"
#include "settings/optionsdialog.h"
#include "settings/splash.h"
#include "table/conversiontable.h"
#include "table/datafileeditor.h"
#include "table/panes.h"
#include "table/rowmarking.h"
#include "table/tablecommands.h"
#include "table/workspace.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

namespace ov::gui {

MainWindow::MainWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmOmnivelor"));
    setWindowTitle(appTitle());
    resize(twipsToPixels(kDefaultWidthTwips), twipsToPixels(kDefaultHeightTwips));

    commands_ = new Commands(this);
    applyFontScale();
    navigator_ = new Navigator(ctx_.db, this);
    table_ = new ConversionTable(ctx_.db, ctx_.decimal, this);
    workspace_ = new Workspace(navigator_, table_, this);
    setCentralWidget(workspace_);
    magnifier_ = new Magnifier(workspace_);
    workspace_->setTopStrip(magnifier_);
    infoPane_ = new InfoPane(workspace_);
    workspace_->setBottomBox(infoPane_);
    searchPane_ = new SearchPane(ctx_.db, *navigator_, navigator_);
    recorder_ = new Recorder(ctx_.db, *table_, this);
    printing_ = new Printing(*table_, this);
    editor_ = new DataFileEditor(this);
    workspace_->addPage(editor_);
    lifecycle_ = std::make_unique<Lifecycle>(static_cast<LifecycleHost&>(*this), ctx_);
    bindTableCommands(*commands_, *table_);
    bindNavigatorCommands(*commands_, *navigator_);
    compact_ = new CompactPanel(ctx_.db, ctx_.decimal, workspace_);
    bindCompactCommands(*commands_, *compact_, *table_);
    extras_ = new Extras(*commands_, *table_, this);
    bindSearchCommands(*commands_, *searchPane_);
    rowMarking_ = new RowMarking(*commands_, *table_, ctx_.db, ctx_.marks);
    bindOutputCommands(*commands_, *table_, *recorder_, *printing_);
    history_ = new HistoryWindow(*commands_, *table_, *navigator_, ctx_.db, this);
    bindWindowCommands();
    bindEditingCommands();
    // Every command does something or is declared inert: a forgotten binding stops here.
    if (const QStringList problems = commands_->bindingProblems(); !problems.isEmpty())
        qFatal("Commands: %s", qPrintable(problems.join(QStringLiteral("; "))));
    connectParts();
}

MainWindow::~MainWindow()
{
    // Each main window is a program of its own (tests make one after another): the next one
    // may ask again.
    if (refusedDialogs_)
        setDialogsRefused(false);
}

bool MainWindow::start(const QStringList& arguments)
{
    started_ = lifecycle_->startUp(arguments);
    // A request to end that came while start-up was still running is carried out once the
    // event loop runs.
    if (started_ && endPending_)
        QTimer::singleShot(0, this, &MainWindow::endRequested);
    return started_;
}

void MainWindow::shutDown()
{
    // Edits not yet saved are the user's to keep or drop before anything else happens.
    if (!ended() && !editor_->maySetAside())
        return;
    lifecycle_->shutDown();
    if (ended())
        afterEnd(true);
}

void MainWindow::afterEnd(bool askedByUser)
{
    recorder_->stop();
    history_->storeAtEnd(askedByUser);
}

bool MainWindow::ended() const { return lifecycle_->ended(); }

bool MainWindow::clearCounters()
{
    // The count the table keeps (shown by the options dialog) starts again with the stored one.
    table_->setConversionCount(0);
    return lifecycle_->clearCounters();
}

SplashWindow* MainWindow::splash() const { return lifecycle_->splash(); }

void MainWindow::bindWindowCommands()
{
    Commands& c = *commands_;
    c.bind(cmd::Command::Quit, [this](int) { shutDown(); });
    c.bind(cmd::Command::OnTop, [this](int) { setOnTop(commands_->action(cmd::Command::OnTop)->isChecked()); });
    c.bind(cmd::Command::Level, [this](int level) { applyLevel(level); });
    c.bind(cmd::Command::Reload, [this](int) { reload(); });
    c.bind(cmd::Command::EditFont, [this](int) { chooseEditFont(); });
    c.bind(cmd::Command::Options, [this](int) { showOptions(); });
}

// What one part reports and another acts on; the parts never include each other.
void MainWindow::connectParts()
{
    connect(navigator_, &Navigator::topicChosen, table_, &ConversionTable::fillTopic);
    connect(navigator_, &Navigator::unitChosen, table_, [this](int, int unit) { table_->goToRow(unit - 1); });
    connect(navigator_, &Navigator::titleChanged, table_, &ConversionTable::setTitleText);
    connect(navigator_, &Navigator::topicRenamed, table_, &ConversionTable::topicRenamed);
    connect(navigator_, &Navigator::topicRenamed, this, [this](int topic) { lifecycle_->topicRenamed(topic); });
    connect(navigator_, &Navigator::conversionPaneWanted, this, &MainWindow::showConversionPane);
    // A recording ends before the about box opens.
    connect(extras_, &Extras::aboutToShow, recorder_, &Recorder::stop);
    connect(table_, &ConversionTable::titleClicked, extras_, &Extras::showTopicMenu);
    connect(table_, &ConversionTable::recordRequested, recorder_, &Recorder::writeRecord);
    connect(table_, &ConversionTable::topicFilled, recorder_, &Recorder::topicFilled);
    connect(table_, &ConversionTable::prefixesShown, navigator_,
            [this](int topic, const QString&) { navigator_->setCurrentTopic(topic); });

    magnifier_->follow(commands_->action(cmd::Command::Magnifier));
    infoPane_->follow(commands_->action(cmd::Command::Info));
    connect(table_, &ConversionTable::magnifierTextChanged, magnifier_, &Magnifier::setText);
    connect(table_, &ConversionTable::infoTextChanged, infoPane_, &InfoPane::setInfo);
    // Hiding changes the units: the alphabetical list first, then the table refills itself.
    connect(rowMarking_, &RowMarking::unitsHidden, this, [this] {
        navigator_->fillUnitList();
        searchPane_->clearResults();
    });
    connect(rowMarking_, &RowMarking::reloadRequested, this, &MainWindow::reload);
    connect(&TerminationSignals::instance(), &TerminationSignals::requested, this, &MainWindow::endRequested);
}

void MainWindow::endRequested()
{
    // From now on no box waits for an answer, and one that is open counts as cancelled.
    refusedDialogs_ = true;
    setDialogsRefused(true);
    // Start-up between its steps runs the rest of them at once (nothing can wait now) and ends
    // right after; a box of start-up that is open ends start-up here.
    if (!started_ && !dialogOpen()) {
        endPending_ = true;
        return;
    }
    if (ended())
        return;
    // Unsaved data-file changes are kept, not lost to a question nobody can answer.
    if (const QString copy = editor_->keepUnsaved(); !copy.isEmpty())
        lifecycle_->editsKept(editor_->path(), copy);
    lifecycle_->shutDown(Lifecycle::Asker::System);
    if (ended())
        afterEnd(false);
}

void MainWindow::reload()
{
    // Kept marks find their units again by name in what is read now.
    const ov::TopicMarkNames kept =
        ctx_.prefs.rememberMarks ? ov::AllMarkedNames(ctx_.db, ctx_.marks) : ov::TopicMarkNames{};
    ctx_.marks.clear();
    loadDataFiles(checkedLevel());
    ov::MarkAllByName(ctx_.db, ctx_.marks, kept);
    fillUnitList();
    updateCounts();
    // The hits name units by their place, which the new data may give to another unit.
    searchPane_->clearResults();
    if (table_->currentTopic() > 0)
        table_->fillTopic(table_->currentTopic());
    rowMarking_->updateAvailability();
}

int MainWindow::checkedLevel() const
{
    for (int level = 1; level <= 3; ++level)
        if (commands_->action(cmd::Command::Level, level)->isChecked())
            return level;
    return 0;
}

void MainWindow::showConversionPane()
{
    // The editor stays over the table until it is closed.
    if (!editor_->isOpen())
        workspace_->showPage(table_);
}

// ---- LifecycleHost ---------------------------------------------------------------------------

// What the settings say about the table's look and what the program keeps from run to run,
// applied at start-up and by the options dialog's OK alike.
void MainWindow::applyTablePreferences()
{
    const Preferences& p = ctx_.prefs;
    commands_->setNumBase(p.numBase);
    commands_->setFix(int(p.fix));
    table_->setOptions({.fix = int(p.fix),
                        .colored = p.colored == 1,
                        .colouredColour = storedColour(p.coloredColor),
                        .expressions = p.evaluateExpressions,
                        .gridLines = p.gridLines == 1,
                        .numBase = p.numBase,
                        .numBaseDec = p.numBaseDec,
                        .fractionSensitivity = p.fractionSensitivity});
    table_->setStartHint(p.startHint);
    rowMarking_->setRemembering(p.rememberMarks);
    history_->setKeeping(p.keepHistory);
}

// One switch per pane: the menu, the toolbar and the table follow it.
void MainWindow::setPaneSwitches(bool showPreview, bool showMagnifier, bool showInfo)
{
    const std::pair<cmd::Command, bool> switches[] = {
        {cmd::Command::Preview, showPreview}, {cmd::Command::Magnifier, showMagnifier}, {cmd::Command::Info, showInfo}};
    for (const auto& [command, on] : switches)
        commands_->action(command)->setChecked(on);
}

void MainWindow::applyPreferences()
{
    const Preferences& p = ctx_.prefs;
    applyTablePreferences();
    setPaneSwitches(p.showPreview, p.showMagnifier, p.showInfo);
    commands_->action(cmd::Command::OnTop)->setChecked(p.onTop);
    table_->setFormat(commands_->formatZ(p.displayFormat));
    if (p.topicView >= 0)
        navigator_->setViewMode(p.topicView);
    if (p.navigator == 0)
        navigator_->showTopicList();
    else if (p.navigator == 1)
        navigator_->showUnitList();
    table_->setConversionCount(p.conversionTotal);
}

void MainWindow::loadDataFiles(int level)
{
    ov::LoadOptions opt;
    opt.mainPath = ctx_.prefs.path.toStdString();
    opt.mainFileName = ctx_.prefs.file.toStdString();
    opt.userPath = ctx_.prefs.pathUser.toStdString();
    opt.level = static_cast<ov::Level>(std::clamp(level, 0, 3));
    opt.decimalSeparator = ctx_.decimal;
    // Before the window is shown, the boxes belong to the splash window, above which they must appear.
    QWidget* owner = isVisible() ? static_cast<QWidget*>(this) : splash()->isVisible() ? splash() : nullptr;
    BoxSink sink(owner, quietRepeats_ ? &shownMessages_ : nullptr);
    // A broken or binary file tells its first faults and then once that there are more, instead
    // of a box per line before the window can be used. A repeat the quiet start-up passes over
    // still counts, so the second start-up load stays as quiet as the first was short.
    ov::CappedMessageSink capped(sink, ov::ShownFileName(opt));
    ov::LoadDataFiles(ctx_.db, opt, capped);
}

void MainWindow::setQuietRepeats(bool on)
{
    quietRepeats_ = on;
    shownMessages_.clear();
}

void MainWindow::setTopicNames(const QStringList& topics, const QStringList& userTopics)
{
    navigator_->setTopicNames(topics, userTopics);
    for (int n = 1; n <= navigator_->topicCount(); ++n)
        commands_->setTopicName(n, navigator_->topicText(n));
}

QStringList MainWindow::topicNames(bool userTopics) const
{
    QStringList names;
    const int count = userTopics ? navigator_->userTopicCount() : navigator_->topicCount();
    for (int n = 1; n <= count; ++n)
        names << (userTopics ? navigator_->userTopicText(n) : navigator_->topicText(n));
    return names;
}

void MainWindow::fillUnitList() { navigator_->fillUnitList(); }

void MainWindow::updateCounts() { commands_->updateCounts(ctx_.db, navigator_->userTopicCount()); }

void MainWindow::setOnTop(bool on)
{
    commands_->action(cmd::Command::OnTop)->setChecked(on);
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == on)
        return;
    const bool shown = isVisible();
    const QRect frame = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing the flag hides the window; it comes back where it was, without taking focus.
    if (shown) {
        setGeometry(frame);
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

int MainWindow::splitterPosition() const { return workspace_->splitterPosition(); }

void MainWindow::setSplitterPosition(int twips) { workspace_->setSplitterPosition(twips); }

void MainWindow::showStartTopic(int topic)
{
    if (topic < 1) {
        // The magnifier has nothing to show on the start screen: it opens with a start topic only.
        commands_->action(cmd::Command::Magnifier)->setChecked(false);
        navigator_->selectTopicEntry(1);
        table_->showWelcome();
        return;
    }
    navigator_->setCurrentTopic(topic);
    table_->fillTopic(topic);
    navigator_->updatePreviousNext();
}

void MainWindow::applyLevel(int level)
{
    levelOption_ = level; // what the options dialog shows and its OK stores
    commands_->setLevel(std::clamp(level, 0, 3));
    reload();
    table_->focusGrid();
}

void MainWindow::focusShownList() { navigator_->focusShownList(); }

void MainWindow::enterValue(const QString& unit, const QString& value)
{
    // By number, else by symbol, else by name: symbols are what a command line is likely to name.
    bool isNumber = false;
    const int number = unit.toInt(&isNumber);
    int row = isNumber && number >= 1 && number <= table_->rowCount() ? number - 1 : -1;
    for (const int column : {1, 0})
        for (int r = 0; r < table_->rowCount() && row < 0 && !isNumber; ++r)
            if (table_->cellText(r, column) == unit)
                row = r;
    if (row < 0)
        return;
    table_->goToRow(row);
    table_->pasteValue(value);
}

long MainWindow::conversionCount() const { return table_->conversionCount(); }

void MainWindow::raiseWindow()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

// ---- the window's own ------------------------------------------------------------------------

QFont MainWindow::editFont() const
{
    const Preferences& p = ctx_.prefs;
    QFont f(p.fontName);
    f.setPointSizeF(p.fontSize > 0 ? p.fontSize : 8);
    f.setBold(p.fontBold);
    f.setItalic(p.fontItalic);
    return f;
}

void MainWindow::chooseEditFont()
{
    // Cancelling the dialog changes nothing.
    const std::optional<QFont> chosen = dialogs().font(this, editFont());
    if (!chosen)
        return;
    Preferences& p = ctx_.prefs;
    p.fontName = chosen->family();
    p.fontSize = chosen->pointSizeF();
    p.fontBold = chosen->bold();
    p.fontItalic = chosen->italic();
    writePreferences(ctx_.store, p, {Key::FontName, Key::FontSize, Key::FontBold, Key::FontItalic});
    ctx_.store.sync();
    editor_->setEditorFont(editFont());
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange && commands_)
        applyFontScale();
}

// Lengths in twips grow with the desktop font, also when the user changes it while the program runs.
void MainWindow::applyFontScale()
{
    setMinimumSize(twipsToPixels(kMinWidthTwips), twipsToPixels(kMinHeightTwips));
    commands_->applyFontScale();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The minimum binds Qt's own resizing and a window manager that honours it; a size set
    // from outside (a desktop without one, a tool resizing the window) goes back to it. The
    // widget's own size is the one to test: the event may carry the size last asked for.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (width() < minimumWidth() || height() < minimumHeight())
        QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    shutDown();
    if (ended())
        event->accept();
    else
        event->ignore();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        // Esc first closes the toolbar's overflow panel, when it is open; then it minimises.
        if (commands_->closeToolBarOverflow()) {
            event->accept();
            return;
        }
        showMinimized();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace ov::gui
