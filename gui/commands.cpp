#include "gui/commands.h"

#include "core/catalogue.h"
#include "core/unitdb.h"
#include "gui/common.h"
#include "gui/icons.h"
#include "gui/commandtable.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace ov::gui {
namespace {

const char* const kKeyProperty = "commandKey";

QString objectNameOf(const char* name, int index)
{
    const QString n = QString::fromUtf8(name);
    return index >= 0 ? n + QLatin1Char('_') + QString::number(index) : n;
}

// A name shown as a caption: an "&" in it is a character, not an accelerator.
QString literalCaption(QString text) { return text.replace(QLatin1Char('&'), QLatin1String("&&")); }

const cmd::ToolRow* toolRow(const QString& key)
{
    for (const auto& r : cmd::toolRows())
        if (key == QString::fromUtf8(r.key))
            return &r;
    return nullptr;
}

const cmd::DropRow* dropRow(const QString& button, const QString& key)
{
    for (const auto& r : cmd::dropRows())
        if (button == QString::fromUtf8(r.button) && key == QString::fromUtf8(r.key))
            return &r;
    return nullptr;
}

// The command of a control name in the rows; the rows name only commands of the list.
cmd::Command commandOf(const char* name)
{
    const auto c = cmd::commandNamed(name);
    if (!c)
        qFatal("Unknown command %s", name);
    return *c;
}

} // namespace

Commands::Commands(QMainWindow* window) : QObject(window)
{
    buildMenus(window);
    buildTopicItems();
    buildToolBar(window);
    buildStatusBar(window);
    for (const char* n : cmd::editBlockedNames())
        blocked_.insert(QString::fromUtf8(n));
}

void Commands::buildMenus(QMainWindow* window)
{
    for (const auto& row : cmd::menuRows()) {
        const QString objectName = objectNameOf(row.name, row.index);
        const QString caption = QString::fromUtf8(row.caption);
        QMenu* parent = row.parent[0] ? menus_.value(QString::fromUtf8(row.parent)) : nullptr;
        Q_ASSERT(parent || (row.flags & cmd::Submenu));
        QAction* a = nullptr;
        if (row.flags & cmd::Submenu) {
            auto* m = new QMenu(caption, parent ? static_cast<QWidget*>(parent) : window);
            m->setObjectName(objectName);
            if (parent)
                parent->addMenu(m);
            else if (!(row.flags & cmd::NotInBar))
                window->menuBar()->addMenu(m);
            menus_.insert(objectName, m);
            a = m->menuAction();
        } else if (row.flags & cmd::Separator) {
            a = parent->addSeparator();
        } else {
            a = new QAction(caption, parent);
            parent->addAction(a);
            connect(a, &QAction::triggered, this,
                    [this, a, c = commandOf(row.name), index = row.index] { onMenuItem(a, c, index); });
        }
        a->setObjectName(objectName);
        a->setData(row.index);
        a->setProperty("helpContext", row.help);
        if (row.shortcut[0])
            a->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
        if (row.flags & cmd::Checkable)
            a->setCheckable(true);
        if (row.flags & cmd::Group) {
            QActionGroup*& g = groups_[QString::fromUtf8(row.name)];
            if (!g)
                g = new QActionGroup(this);
            a->setActionGroup(g);
        }
        a->setChecked(row.flags & cmd::Checked);
        a->setEnabled(!(row.flags & cmd::Off));
        a->setProperty(kAvailableProperty, !(row.flags & cmd::Off));
        a->setVisible(!(row.flags & cmd::Hidden));
        actions_.insert(objectName, a);
    }
    for (const auto& row : cmd::contextItems()) {
        QMenu* m = menus_.value(QString::fromUtf8(row.menu));
        m->addSeparator();
        m->addAction(actions_.value(QString::fromUtf8(row.item)));
    }
}

// "&Přejít" ends with one item per built-in topic, captioned with the topic's name.
void Commands::buildTopicItems()
{
    QMenu* m = menus_.value(QStringLiteral("mnuPrejit"));
    for (int t = 1; t <= ov::kBuiltinTopics; ++t) {
        const QString name = fromStd(ov::DefaultTopicName(t));
        auto* a = new QAction(literalCaption(name), m);
        m->addAction(a);
        a->setObjectName(objectNameOf("mnuTema", t));
        a->setData(t);
        a->setProperty("helpContext", cmd::kHelpDefault);
        connect(a, &QAction::triggered, this, [this, a, t] { onMenuItem(a, cmd::Command::Topic, t); });
        actions_.insert(a->objectName(), a);
    }
}

void Commands::buildToolBar(QMainWindow* window)
{
    toolBar_ = new QToolBar(window);
    toolBar_->setObjectName(QStringLiteral("tlbLista"));
    toolBar_->setMovable(false);
    applyFontScale();
    toolBar_->toggleViewAction()->setVisible(false);
    window->addToolBar(toolBar_);
    for (const auto& row : cmd::toolRows()) {
        if (row.kind == cmd::ButtonKind::Separator) {
            toolBar_->addSeparator();
            continue;
        }
        const QString key = QString::fromUtf8(row.key);
        // A pane switch: the button shows the menu item's own action, one state for both.
        if (row.kind == cmd::ButtonKind::Check && row.command[0]) {
            addPaneButton(key, QString::fromUtf8(row.command), row);
            continue;
        }
        auto* a = new QAction(key, toolBar_);
        a->setObjectName(QStringLiteral("tlb_") + key);
        a->setProperty(kKeyProperty, key);
        a->setToolTip(QString::fromUtf8(row.toolTip));
        setImage(a, QString::fromUtf8(row.image));
        a->setCheckable(row.kind == cmd::ButtonKind::Check);
        a->setChecked(row.flags & cmd::Checked);
        a->setEnabled(!(row.flags & cmd::Off));
        a->setProperty(kAvailableProperty, !(row.flags & cmd::Off));
        a->setVisible(!(row.flags & cmd::Hidden));
        if (row.kind == cmd::ButtonKind::DropDown) {
            auto* items = new QMenu(window);
            items->setObjectName(QStringLiteral("tlb_") + key + QStringLiteral("_menu"));
            for (const auto& d : cmd::dropRows()) {
                if (key != QString::fromUtf8(d.button))
                    continue;
                const QString itemKey = QString::fromUtf8(d.key);
                QAction* item = items->addAction(QString::fromUtf8(d.text));
                item->setObjectName(QStringLiteral("tlb_") + itemKey);
                item->setProperty(kKeyProperty, itemKey);
                connect(item, &QAction::triggered, this, [this, key, itemKey] { onDropItem(key, itemKey); });
                actions_.insert(item->objectName(), item);
            }
            a->setMenu(items);
        }
        connect(a, &QAction::triggered, this, [this, key] { onToolButton(key); });
        toolBar_->addAction(a);
        if (auto* b = qobject_cast<QToolButton*>(toolBar_->widgetForAction(a))) {
            b->setObjectName(a->objectName());
            if (row.kind == cmd::ButtonKind::DropDown)
                b->setPopupMode(QToolButton::MenuButtonPopup);
        }
        actions_.insert(a->objectName(), a);
    }
}

bool Commands::closeToolBarOverflow()
{
    // Qt gives the toolbar's extension button this name; it has no other handle.
    auto* overflow = toolBar_->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    if (!overflow || !overflow->isVisible() || !overflow->isChecked())
        return false;
    overflow->click();
    return true;
}

void Commands::applyFontScale()
{
    // Small pictures that grow with the desktop font, so that every button fits the window.
    const int side = twipsToPixels(kToolIconTwips);
    toolBar_->setIconSize(QSize(side, side));
}

void Commands::addPaneButton(const QString& key, const QString& menuName, const cmd::ToolRow& row)
{
    QAction* a = action(menuName);
    a->setToolTip(QString::fromUtf8(row.toolTip));
    setImage(a, QString::fromUtf8(row.image));
    a->setIconVisibleInMenu(false);
    toolBar_->addAction(a);
    if (auto* b = qobject_cast<QToolButton*>(toolBar_->widgetForAction(a)))
        b->setObjectName(QStringLiteral("tlb_") + key);
    actions_.insert(QStringLiteral("tlb_") + key, a);
}

void Commands::buildStatusBar(QMainWindow* window)
{
    QStatusBar* bar = window->statusBar();
    bar->setObjectName(QStringLiteral("staStav"));
    for (const auto& row : cmd::panelRows()) {
        const QString key = QString::fromUtf8(row.key);
        auto* label = new QLabel(QString::fromUtf8(row.text), bar);
        label->setObjectName(QStringLiteral("sta_") + key);
        label->setProperty(kKeyProperty, key);
        label->setToolTip(QString::fromUtf8(row.toolTip));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMargin(1);
        label->installEventFilter(this);
        bar->addWidget(label, row.stretch);
        panels_.insert(key, label);
    }
    singleLabel_ = new QLabel(QStringLiteral("Editace jednotek"), bar);
    singleLabel_->setObjectName(QStringLiteral("sta_Simple"));
    bar->addWidget(singleLabel_, 1);
    singleLabel_->hide();
}

QAction* Commands::action(const QString& objectName) const
{
    QAction* a = actions_.value(objectName);
    if (!a)
        qFatal("Unknown command %s", qPrintable(objectName));
    return a;
}

QAction* Commands::action(cmd::Command command, int index) const
{
    return action(objectNameOf(cmd::nameOf(command), index));
}

QMenu* Commands::menu(const QString& objectName) const { return menus_.value(objectName); }

void Commands::popupMenu(cmd::Menu menu, const QPoint& globalPos) const
{
    if (QMenu* m = this->menu(QString::fromLatin1(cmd::nameOf(menu))))
        m->popup(globalPos);
}

QLabel* Commands::panel(const QString& key) const { return panels_.value(key); }

// ---- dispatch ----------------------------------------------------------------------------

// A shortcut must not reach an item whose menu is disabled, just as a click cannot.
bool Commands::reachable(const QAction* a) const
{
    for (auto* m = qobject_cast<QMenu*>(a->parent()); m; m = qobject_cast<QMenu*>(m->parent()))
        if (!m->menuAction()->isEnabled())
            return false;
    return true;
}

void Commands::onMenuItem(QAction* a, cmd::Command command, int index)
{
    const bool ownCheck = a->isCheckable() && !a->actionGroup();
    if (!reachable(a)) {
        if (ownCheck)
            a->setChecked(!a->isChecked());
        return;
    }
    run(command, index);
}

void Commands::onToolButton(const QString& key)
{
    emit toolbarTriggered(key);
    if (key == QLatin1String("Jako")) {
        const cmd::DropRow* d = dropRow(key, lastRepresentation_);
        if (!d)
            return;
        emit representationRequested(lastRepresentation_);
        run(commandOf(d->command), d->index);
        return;
    }
    const cmd::ToolRow* row = toolRow(key);
    if (row && row->command[0])
        run(commandOf(row->command), row->index);
}

void Commands::onDropItem(const QString& button, const QString& key)
{
    const cmd::DropRow* d = dropRow(button, key);
    if (!d)
        return;
    if (button == QLatin1String("Jako")) {
        QAction* asButton = action(QStringLiteral("tlb_Jako"));
        if (d->image[0])
            setImage(asButton, QString::fromUtf8(d->image));
        if (d->remembered) {
            lastRepresentation_ = key;
            asButton->setToolTip(QString::fromUtf8(d->text));
        }
        emit representationRequested(key);
    }
    run(commandOf(d->command), d->index);
}

void Commands::run(cmd::Command command, int index)
{
    if (command == cmd::Command::Format)
        index = formatZ(index);
    else if (command == cmd::Command::Level)
        setLevel(index);
    emit triggered(QString::fromUtf8(cmd::nameOf(command)), index);
    if (const Handler& h = handlers_[std::size_t(command)])
        h(index);
}

void Commands::bind(cmd::Command command, Handler handler)
{
    Q_ASSERT(!isBound(command));
    handlers_[std::size_t(command)] = std::move(handler);
}

QStringList Commands::bindingProblems() const
{
    QStringList problems;
    const auto inert = cmd::inertCommands();
    for (int i = 0; i < cmd::kCommandCount; ++i) {
        const auto c = cmd::Command(i);
        const bool isInert = std::find(inert.begin(), inert.end(), c) != inert.end();
        if (isBound(c) == isInert)
            problems << QString::fromUtf8(cmd::nameOf(c)) +
                            (isInert ? QStringLiteral(": inert but bound") : QStringLiteral(": no handler"));
    }
    for (int i = 0; i < cmd::kMenuCount; ++i)
        if (!menu(QString::fromLatin1(cmd::kMenuNames[i])))
            problems << QString::fromLatin1(cmd::kMenuNames[i]) + QStringLiteral(": no such menu");
    return problems;
}

void Commands::bindPanel(const QString& key, std::function<void()> handler)
{
    panelHandlers_.insert(key, std::move(handler));
}

bool Commands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        auto* me = static_cast<QMouseEvent*>(event);
        if (label && me->button() == Qt::LeftButton && label->rect().contains(me->position().toPoint())) {
            const QString key = label->property(kKeyProperty).toString();
            emit panelClicked(key);
            if (const auto h = panelHandlers_.value(key))
                h();
            QMenu* levels = menu(QStringLiteral("mnuUroven"));
            if (key == QLatin1String("Uroven") && levels->menuAction()->isEnabled())
                levels->popup(me->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---- status bar --------------------------------------------------------------------------

void Commands::setPanelText(const QString& key, const QString& text)
{
    if (QLabel* l = panel(key))
        l->setText(text);
}

void Commands::setPanelText(const QString& key, const QString& text, const QString& toolTip)
{
    if (QLabel* l = panel(key)) {
        l->setText(text);
        l->setToolTip(toolTip);
    }
}

QString Commands::panelText(const QString& key) const
{
    QLabel* l = panel(key);
    return l ? l->text() : QString();
}

QString Commands::panelToolTip(const QString& key) const
{
    QLabel* l = panel(key);
    return l ? l->toolTip() : QString();
}

void Commands::setSingleTextStyle(bool on)
{
    singleText_ = on;
    for (QLabel* l : std::as_const(panels_))
        l->setVisible(!on);
    singleLabel_->setVisible(on);
}

void Commands::updateCounts(const ov::UnitDatabase& db, int userTopicCount)
{
    int topics = 0;
    int units = 0;
    for (int t = 1; t <= ov::kBuiltinTopics; ++t) {
        units += db.unitCount(t);
        if (db.unitCount(t) >= 1)
            ++topics;
    }
    setPanelText(QStringLiteral("Temata"), QStringLiteral("Témat: %1+%2").arg(topics).arg(userTopicCount));
    setPanelText(QStringLiteral("Veličiny"), QStringLiteral("Jednotek v aplikaci: %1").arg(units));
}

// ---- formats, level, captions ------------------------------------------------------------

int Commands::formatZ(int index)
{
    // A stored value out of range selects single precision rather than nothing.
    if (index < 0 || index > 3)
        index = 0;
    format_ = index;
    QAction* item = action(cmd::Command::Format, index);
    item->setChecked(true);
    setPanelText(QStringLiteral("Presnost"), QString::fromLatin1(cmd::kFormatLetters[index]),
                 plainCaption(item->text()));
    return index;
}

void Commands::setFix(int decimals)
{
    QAction* item = action(cmd::Command::Format, 3);
    item->setText(QStringLiteral("Pevný počet (%1)").arg(decimals));
    if (format_ == 3)
        setPanelText(QStringLiteral("Presnost"), QStringLiteral("F"), item->text());
}

void Commands::setNumBase(int base)
{
    action(cmd::Command::Base, 3)->setText(QStringLiteral("Vlast&ní (%1)").arg(base));
}

void Commands::setLevel(int index)
{
    if (index < 0 || index > 3)
        index = 0;
    action(cmd::Command::Level, index)->setChecked(true);
    if (index == 0)
        setPanelText(QStringLiteral("Uroven"), QStringLiteral("V"), QStringLiteral("Úroveň Vše"));
    else
        setPanelText(QStringLiteral("Uroven"), QString::number(index), QStringLiteral("Úroveň %1").arg(index));
}

void Commands::setTopicName(int topic, const QString& name)
{
    if (QAction* a = actions_.value(objectNameOf("mnuTema", topic)))
        a->setText(literalCaption(name));
}

// ---- toolbar -----------------------------------------------------------------------------

void Commands::toggleButton(const QString& key)
{
    QAction* a = action(QStringLiteral("tlb_") + key);
    if (a && a->isCheckable())
        a->setChecked(!a->isChecked());
}

bool Commands::isPressed(const QString& key) const
{
    QAction* a = action(QStringLiteral("tlb_") + key);
    return a && a->isChecked();
}

QString Commands::representationImage() const
{
    return action(QStringLiteral("tlb_Jako"))->property("imageKey").toString();
}

void Commands::setImage(QAction* a, const QString& imageKey)
{
    a->setProperty("imageKey", imageKey);
    a->setIcon(toolIcon(imageKey)); // a null icon leaves the key's text on the button
}

} // namespace ov::gui
