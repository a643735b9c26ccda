#include "app/mainwindow.h"

#include "app/windowlayout.h"
#include "core/loader.h"
#include "gui/dialogservice.h"
#include "navigation/navigator.h"
#include "settings/lifecycle.h"
#include "settings/singleinstance.h"
#include "settings/splash.h"
#include "table/commands.h"
#include "table/conversiontable.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMenu>
#include <QToolBar>

namespace ov::gui {
namespace {

// The stored colour of the entered value: a system colour (high bit set, index in the low
// byte) or a colour written blue-green-red, the way the settings have always held it.
ov::TextColour storedColour(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    if (bits & 0x80000000u) {
        switch (bits & 0xFFu) {
        case 13: return {ov::TextColour::Role::Highlight, 0};
        case 14: return ov::TextColour::highlightText();
        case 17: return {ov::TextColour::Role::GrayText, 0};
        default: return ov::TextColour::windowText();
        }
    }
    const quint32 r = bits & 0xFFu, g = (bits >> 8) & 0xFFu, b = (bits >> 16) & 0xFFu;
    return ov::TextColour::fromRgb((r << 16) | (g << 8) | b);
}

DialogService::Icon dialogIcon(ov::MessageIcon icon)
{
    switch (icon) {
    case ov::MessageIcon::Information: return DialogService::Icon::Information;
    case ov::MessageIcon::Exclamation: return DialogService::Icon::Warning;
    case ov::MessageIcon::Critical: return DialogService::Icon::Critical;
    }
    return DialogService::Icon::None;
}

// The loader's messages become message boxes.
class BoxSink final : public ov::MessageSink {
public:
    // seen: messages already shown, which are not shown again (nullptr: show everything).
    BoxSink(QWidget* parent, QStringList* seen) : parent_(parent), seen_(seen) {}
    void showMessage(const std::string& text, const std::string& title, ov::MessageIcon icon) override
    {
        const QString t = QString::fromStdString(text);
        const QString caption = QString::fromStdString(title);
        if (seen_) {
            if (seen_->contains(caption + QLatin1Char('\n') + t))
                return;
            seen_->append(caption + QLatin1Char('\n') + t);
        }
        dialogs().message(parent_, dialogIcon(icon), caption, t);
    }

private:
    QWidget* parent_;
    QStringList* seen_;
};

const char* const kRepresentationKeys[] = {"Binarne", "Oktalne", "Hexadecimalne", "Vlastni", "VlastniD"};

} // namespace

bool installQtTranslation()
{
    static QTranslator* installed = nullptr;
    if (installed)
        return true;
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (!qtTexts->load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtTexts;
        return false;
    }
    QCoreApplication::installTranslator(qtTexts);
    installed = qtTexts;
    return true;
}

char localeDecimalSeparator()
{
    // The core works with one byte; a separator beyond ASCII falls back to the point.
    const QString point = QLocale().decimalPoint();
    const QChar c = point.isEmpty() ? QLatin1Char('.') : point.at(0);
    return c.unicode() < 128 ? c.toLatin1() : '.';
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), store_(std::make_unique<SettingsStore>()), decimal_(localeDecimalSeparator())
{
    setObjectName(QStringLiteral("frmOmnivelor"));
    setWindowTitle(QStringLiteral("omniVELOR"));
    setMinimumSize(twipsToPixels(kMinWidthTwips), twipsToPixels(kMinHeightTwips));
    resize(twipsToPixels(kDefaultWidthTwips), twipsToPixels(kDefaultHeightTwips));

    commands_ = new Commands(this);
    navigator_ = new Navigator(db_, this);
    table_ = new ConversionTable(db_, this);
    table_->setDecimalSeparator(decimal_);
    workspace_ = new Workspace(navigator_, table_, this);
    setCentralWidget(workspace_);
    instance_ = new SingleInstance(this);
    splash_ = std::make_unique<SplashWindow>();
    lifecycle_ = std::make_unique<Lifecycle>(*this);
    connectParts();
    // A second copy that was refused brings this window to the front.
    connect(instance_, &SingleInstance::activationRequested, this, [this] {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    });
}

MainWindow::~MainWindow() = default;

bool MainWindow::start(const QStringList& arguments)
{
    return lifecycle_->formLoad(arguments);
}

void MainWindow::ukonceni()
{
    lifecycle_->ukonceni();
}

bool MainWindow::ended() const
{
    return lifecycle_->ended();
}

void MainWindow::connectParts()
{
    connect(commands_, &Commands::triggered, this, &MainWindow::onCommand);
    connect(commands_, &Commands::panelClicked, this, &MainWindow::onPanelClicked);

    connect(navigator_, &Navigator::topicChosen, table_, &ConversionTable::fillTopic);
    connect(navigator_, &Navigator::unitChosen, this, [this](int, int unit) { table_->goToRow(unit - 1); });
    connect(navigator_, &Navigator::navigationChanged, commands_, &Commands::setNavigation);
    connect(navigator_, &Navigator::listShown, this,
            [this](const QString& text) { commands_->setPanelText(QStringLiteral("Navi"), text); });
    connect(navigator_, &Navigator::titleChanged, this, &MainWindow::setTitleText);
    connect(navigator_, &Navigator::listMenuChecked, this, [this](int i) {
        if (QAction* a = commands_->action(QStringLiteral("mnuNavigator_%1").arg(i)))
            a->setChecked(true);
    });
    connect(navigator_, &Navigator::viewModeChanged, this, [this](int mode) {
        if (QAction* a = commands_->action(QStringLiteral("mnuIkony_%1").arg(mode)))
            a->setChecked(true);
    });
    connect(navigator_, &Navigator::topicRenamed, this, [this](int topic, const QString& name) {
        if (topic <= ov::kBuiltinTopics)
            commands_->setTopicName(topic, name);
        // The topic on show is titled with its new name at once.
        if (table_->currentTopic() == topic)
            table_->setTitleText(QLatin1Char(' ') + name);
    });
    connect(navigator_, &Navigator::conversionPaneWanted, this, &MainWindow::showConversionPane);
    connect(navigator_, &Navigator::contextMenuRequested, this, &MainWindow::popupMenu);

    connect(table_, &ConversionTable::positionTextChanged, this,
            [this](const QString& text) { commands_->setPanelText(QStringLiteral("TVeličiny"), text); });
    connect(table_, &ConversionTable::firstTopicShown, commands_, &Commands::firstDisplay);
    connect(table_, &ConversionTable::jakoEnabledChanged, commands_, &Commands::setJakoEnabled);
    connect(table_, &ConversionTable::copyEnabledChanged, commands_, &Commands::setCopyEnabled);
    connect(table_, &ConversionTable::contextMenuRequested, this, &MainWindow::popupMenu);
    connect(table_, &ConversionTable::prefixesShown, this, [this](int topic, const QString&) {
        navigator_->setCurrentTopic(topic);
    });
}

void MainWindow::setTitleText(const QString& title)
{
    table_->setTitleText(title);
}

void MainWindow::popupMenu(const QString& menuName, const QPoint& globalPos)
{
    if (QMenu* m = commands_->menu(menuName))
        m->popup(globalPos);
}

void MainWindow::showConversionPane()
{
    table_->setVisible(true);
}

void MainWindow::onPanelClicked(const QString& key)
{
    if (key == QLatin1String("Temata")) {
        showConversionPane();
        navigator_->showTopicList();
    } else if (key == QLatin1String("Veličiny")) {
        showConversionPane();
        navigator_->showUnitList();
    }
    // "Uroven" pops up the level menu inside Commands, which knows whether it is enabled.
}

void MainWindow::onCommand(const QString& name, int index)
{
    if (name == QLatin1String("mnuKonec")) {
        ukonceni();
    } else if (name == QLatin1String("mnuNavigace")) {
        if (index == 1)
            navigator_->previousTopic();
        else
            navigator_->nextTopic();
    } else if (name == QLatin1String("mnuTema")) {
        navigator_->chooseTopicFromMenu(index);
    } else if (name == QLatin1String("mnuNavigator")) {
        navigator_->chooseList(index);
    } else if (name == QLatin1String("mnuIkony")) {
        navigator_->setViewMode(index);
    } else if (name == QLatin1String("mnuFormatZ")) {
        table_->setFormat(index);
        table_->formatTable();
    } else if (name == QLatin1String("mnuSoustava") && index >= 0 && index < 5) {
        table_->runRepresentation(QLatin1String(kRepresentationKeys[index]));
    } else if (name == QLatin1String("mnuZlomek")) {
        table_->runRepresentation(QStringLiteral("Zlomek"));
    } else if (name == QLatin1String("mnuLatin")) {
        table_->runRepresentation(QStringLiteral("Rimsky"));
    } else if (name == QLatin1String("mnuPredpony")) {
        table_->showPrefixes();
    } else if (name == QLatin1String("mnuNahled")) {
        nahledOnOff();
    } else if (name == QLatin1String("mnuLupa")) {
        paneFollowsButton(name, QStringLiteral("Lupa"));
        table_->setMagnifierOn(commands_->isPressed(QStringLiteral("Lupa")));
    } else if (name == QLatin1String("mnuInfo")) {
        paneFollowsButton(name, QStringLiteral("Info"));
        table_->setInfoOn(commands_->isPressed(QStringLiteral("Info")));
    } else if (name == QLatin1String("mnuNahledUkazuje")) {
        table_->setReferenceMode(index);
    } else if (name == QLatin1String("mnuOnTop")) {
        const QAction* a = commands_->action(QStringLiteral("mnuOnTop"));
        setOnTop(a && a->isChecked());
    } else if (name == QLatin1String("mnuU")) {
        applyLevel(index);
    } else if (name == QLatin1String("mnuPismo")) {
        chooseEditFont();
    }
    // The commands of the later panes, output and help arrive here too and do nothing yet.
}

void MainWindow::paneFollowsButton(const QString& menuName, const QString& buttonKey)
{
    if (QAction* a = commands_->action(menuName))
        a->setChecked(commands_->isPressed(buttonKey));
}

void MainWindow::nahledOnOff()
{
    paneFollowsButton(QStringLiteral("mnuNahled"), QStringLiteral("Náhled"));
    table_->setResultLineVisible(commands_->isPressed(QStringLiteral("Náhled")));
}

void MainWindow::applyPreferences()
{
    const Preferences& p = prefs_;
    table_->gridLines(p.gridLines == 1);
    commands_->setNumBase(p.numBase);
    table_->setNumBase(p.numBase);
    table_->setNumBaseDec(p.numBaseDec);
    table_->setFractionSensitivity(p.zCitlivost);
    commands_->setFix(int(p.fix));
    table_->setFix(int(p.fix));

    // The pane switches start cleared; the stored ones are switched on again.
    const struct {
        const char* menu;
        const char* button;
        bool on;
    } panes[] = {{"mnuNahled", "Náhled", p.nahled}, {"mnuLupa", "Lupa", p.lupa}, {"mnuInfo", "Info", p.informace}};
    for (const auto& pane : panes) {
        const QString button = QString::fromUtf8(pane.button);
        if (commands_->isPressed(button) != pane.on)
            commands_->toggleButton(button);
        if (QAction* a = commands_->action(QLatin1String(pane.menu)))
            a->setChecked(pane.on);
    }
    if (QAction* a = commands_->action(QStringLiteral("mnuOnTop")))
        a->setChecked(p.onTop);
    table_->setMagnifierOn(p.lupa);
    table_->setInfoOn(p.informace);

    table_->setFormat(commands_->formatZ(p.presnost));
    if (p.veliciny >= 0)
        navigator_->setViewMode(p.veliciny);
    if (p.navigator == 0)
        navigator_->showTopicList();
    else if (p.navigator == 1)
        navigator_->showUnitList();
    table_->setColored(p.colored == 1);
    table_->setColoredColour(storedColour(p.coloredColor));
    table_->setConversionCount(p.prevedeno);
}

void MainWindow::loadDataFiles(int level)
{
    ov::LoadOptions opt;
    opt.mainPath = prefs_.path.toStdString();
    opt.mainFileName = prefs_.file.toStdString();
    opt.userPath = prefs_.pathUser.toStdString();
    opt.level = static_cast<ov::Level>(std::clamp(level, 0, 3));
    opt.decimalSeparator = decimal_;
    // Before the window is shown, the boxes belong to the splash window, above which they must appear.
    QWidget* owner = isVisible() ? static_cast<QWidget*>(this) : splash_->isVisible() ? splash_.get() : nullptr;
    BoxSink sink(owner, quietRepeats_ ? &shownMessages_ : nullptr);
    ov::LoadDataFiles(db_, opt, sink);
}

void MainWindow::setQuietRepeats(bool on)
{
    quietRepeats_ = on;
    shownMessages_.clear();
}

void MainWindow::applyLevel(int level)
{
    level = std::clamp(level, 0, 3);
    commands_->setLevel(level);
    loadDataFiles(level);
    if (table_->currentTopic() > 0)
        table_->fillTopic(table_->currentTopic());
    navigator_->fillJednotky();
    commands_->updateCounts(db_, navigator_->userTopicCount());
    table_->focusGrid();
}

void MainWindow::setOnTop(bool on)
{
    if (QAction* a = commands_->action(QStringLiteral("mnuOnTop")))
        a->setChecked(on);
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

QFont MainWindow::editFont() const
{
    QFont f(prefs_.fontName);
    f.setPointSizeF(prefs_.fontSize > 0 ? prefs_.fontSize : 8);
    f.setBold(prefs_.fontBold);
    f.setItalic(prefs_.fontItalic);
    return f;
}

void MainWindow::chooseEditFont()
{
    // Cancelling the dialog changes nothing.
    const std::optional<QFont> chosen = dialogs().font(this, editFont());
    if (!chosen)
        return;
    prefs_.fontName = chosen->family();
    prefs_.fontSize = chosen->pointSizeF();
    prefs_.fontBold = chosen->bold();
    prefs_.fontItalic = chosen->italic();
    store_->setText(Key::FontName, prefs_.fontName);
    store_->setText(Key::FontSize, QString::number(prefs_.fontSize));
    store_->setBoolean(Key::FontBold, prefs_.fontBold);
    store_->setBoolean(Key::FontItalic, prefs_.fontItalic);
    store_->sync();
    // TODO(editing): the data-file editor takes the font once it exists.
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    ukonceni();
    if (ended())
        event->accept();
    else
        event->ignore();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        showMinimized();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace ov::gui
