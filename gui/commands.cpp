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

namespace ov::gui {
namespace {

const char* const kKeyProperty = "commandKey";
const char* const kAvailableProperty = "available";

// Which recording buttons (Start, Pause, Stop, Rec) each recording command shows (1), hides (0)
// or leaves alone (-1); the mnuRec items 0..3 follow the same pattern.
struct RecVisibility {
    const char* command;
    int visible[4];
};
constexpr RecVisibility kRecStates[] = {
    {"Rec", {-1, 1, 1, 0}},
    {"Pause", {1, 0, 1, -1}},
    {"Start", {0, 1, 1, -1}},
    {"Stop", {0, 0, 0, 1}},
};

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
        if (key == QString::fromUtf8(r.key)) return &r;
    return nullptr;
}

const cmd::DropRow* dropRow(const QString& button, const QString& key)
{
    for (const auto& r : cmd::dropRows())
        if (button == QString::fromUtf8(r.button) && key == QString::fromUtf8(r.key)) return &r;
    return nullptr;
}

} // namespace

Commands::Commands(QMainWindow* window) : QObject(window)
{
    buildMenus(window);
    buildTopicItems();
    buildToolBar(window);
    buildStatusBar(window);
    for (const char* n : cmd::editBlockedNames()) m_blocked.insert(QString::fromUtf8(n));
}

void Commands::buildMenus(QMainWindow* window)
{
    for (const auto& row : cmd::menuRows()) {
        const QString name = QString::fromUtf8(row.name);
        const QString objectName = objectNameOf(row.name, row.index);
        const QString caption = QString::fromUtf8(row.caption);
        QMenu* parent = row.parent[0] ? m_menus.value(QString::fromUtf8(row.parent)) : nullptr;
        Q_ASSERT(parent || (row.flags & cmd::Submenu));
        QAction* a = nullptr;
        if (row.flags & cmd::Submenu) {
            auto* m = new QMenu(caption, parent ? static_cast<QWidget*>(parent) : window);
            m->setObjectName(objectName);
            if (parent)
                parent->addMenu(m);
            else if (!(row.flags & cmd::NotInBar))
                window->menuBar()->addMenu(m);
            m_menus.insert(objectName, m);
            a = m->menuAction();
        } else if (row.flags & cmd::Separator) {
            a = parent->addSeparator();
        } else {
            a = new QAction(caption, parent);
            parent->addAction(a);
            connect(a, &QAction::triggered, this, [this, a, name, index = row.index] { onMenuItem(a, name, index); });
        }
        a->setObjectName(objectName);
        a->setData(row.index);
        a->setProperty("helpContext", row.help);
        if (row.shortcut[0]) a->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
        if (row.flags & cmd::Checkable) a->setCheckable(true);
        if (row.flags & cmd::Group) {
            QActionGroup*& g = m_groups[name];
            if (!g) g = new QActionGroup(this);
            a->setActionGroup(g);
        }
        a->setChecked(row.flags & cmd::Checked);
        a->setEnabled(!(row.flags & cmd::Off));
        a->setProperty(kAvailableProperty, !(row.flags & cmd::Off));
        a->setVisible(!(row.flags & cmd::Hidden));
        m_actions.insert(objectName, a);
    }
    for (const auto& row : cmd::contextItems()) {
        QMenu* m = m_menus.value(QString::fromUtf8(row.menu));
        m->addSeparator();
        m->addAction(m_actions.value(QString::fromUtf8(row.item)));
    }
}

// "&Přejít" ends with one item per built-in topic, captioned with the topic's name.
void Commands::buildTopicItems()
{
    QMenu* m = m_menus.value(QStringLiteral("mnuPrejit"));
    for (int t = 1; t <= ov::kBuiltinTopics; ++t) {
        const QString name = fromStd(ov::DefaultTopicName(t));
        auto* a = new QAction(literalCaption(name), m);
        m->addAction(a);
        a->setObjectName(objectNameOf("mnuTema", t));
        a->setData(t);
        a->setProperty("helpContext", cmd::kHelpDefault);
        connect(a, &QAction::triggered, this, [this, a, t] { onMenuItem(a, QStringLiteral("mnuTema"), t); });
        m_actions.insert(a->objectName(), a);
    }
}

void Commands::buildToolBar(QMainWindow* window)
{
    m_toolBar = new QToolBar(window);
    m_toolBar->setObjectName(QStringLiteral("tlbLista"));
    m_toolBar->setMovable(false);
    applyFontScale();
    m_toolBar->toggleViewAction()->setVisible(false);
    window->addToolBar(m_toolBar);
    for (const auto& row : cmd::toolRows()) {
        if (row.kind == cmd::ButtonKind::Separator) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString key = QString::fromUtf8(row.key);
        // A pane switch: the button shows the menu item's own action, one state for both.
        if (row.kind == cmd::ButtonKind::Check && row.command[0]) {
            addPaneButton(key, QString::fromUtf8(row.command), row);
            continue;
        }
        auto* a = new QAction(key, m_toolBar);
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
                if (key != QString::fromUtf8(d.button)) continue;
                const QString itemKey = QString::fromUtf8(d.key);
                QAction* item = items->addAction(QString::fromUtf8(d.text));
                item->setObjectName(QStringLiteral("tlb_") + itemKey);
                item->setProperty(kKeyProperty, itemKey);
                connect(item, &QAction::triggered, this, [this, key, itemKey] { onDropItem(key, itemKey); });
                m_actions.insert(item->objectName(), item);
            }
            a->setMenu(items);
        }
        connect(a, &QAction::triggered, this, [this, key] { onToolButton(key); });
        m_toolBar->addAction(a);
        if (auto* b = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(a))) {
            b->setObjectName(a->objectName());
            if (row.kind == cmd::ButtonKind::DropDown) b->setPopupMode(QToolButton::MenuButtonPopup);
        }
        m_actions.insert(a->objectName(), a);
    }
}

void Commands::applyFontScale()
{
    // Small pictures that grow with the desktop font, so that every button fits the window.
    const int side = twipsToPixels(kToolIconTwips);
    m_toolBar->setIconSize(QSize(side, side));
}

void Commands::addPaneButton(const QString& key, const QString& menuName, const cmd::ToolRow& row)
{
    QAction* a = action(menuName);
    a->setToolTip(QString::fromUtf8(row.toolTip));
    setImage(a, QString::fromUtf8(row.image));
    a->setIconVisibleInMenu(false);
    m_toolBar->addAction(a);
    if (auto* b = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(a)))
        b->setObjectName(QStringLiteral("tlb_") + key);
    m_actions.insert(QStringLiteral("tlb_") + key, a);
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
        m_panels.insert(key, label);
    }
    m_singleLabel = new QLabel(QStringLiteral("Editace jednotek"), bar);
    m_singleLabel->setObjectName(QStringLiteral("sta_Simple"));
    bar->addWidget(m_singleLabel, 1);
    m_singleLabel->hide();
}

QAction* Commands::action(const QString& objectName) const { return m_actions.value(objectName); }

QMenu* Commands::menu(const QString& objectName) const { return m_menus.value(objectName); }

void Commands::popupMenu(const QString& objectName, const QPoint& globalPos) const
{
    if (QMenu* m = menu(objectName))
        m->popup(globalPos);
}

QLabel* Commands::panel(const QString& key) const { return m_panels.value(key); }

// ---- dispatch ----------------------------------------------------------------------------

// A shortcut must not reach an item whose menu is disabled, just as a click cannot.
bool Commands::reachable(const QAction* a) const
{
    for (auto* m = qobject_cast<QMenu*>(a->parent()); m; m = qobject_cast<QMenu*>(m->parent()))
        if (!m->menuAction()->isEnabled()) return false;
    return true;
}

void Commands::onMenuItem(QAction* a, const QString& name, int index)
{
    const bool ownCheck = a->isCheckable() && !a->actionGroup();
    if (!reachable(a)) {
        if (ownCheck) a->setChecked(!a->isChecked());
        return;
    }
    run(name, index);
}

void Commands::onToolButton(const QString& key)
{
    emit toolbarTriggered(key);
    if (key == QLatin1String("Jako")) {
        const cmd::DropRow* d = dropRow(key, lastRepresentation_);
        if (!d) return;
        emit representationRequested(lastRepresentation_);
        run(QString::fromUtf8(d->command), d->index);
        return;
    }
    const cmd::ToolRow* row = toolRow(key);
    if (row && row->command[0]) run(QString::fromUtf8(row->command), row->index);
}

void Commands::onDropItem(const QString& button, const QString& key)
{
    const cmd::DropRow* d = dropRow(button, key);
    if (!d) return;
    if (button == QLatin1String("Jako")) {
        QAction* asButton = action(QStringLiteral("tlb_Jako"));
        if (d->image[0]) setImage(asButton, QString::fromUtf8(d->image));
        if (d->remembered) {
            lastRepresentation_ = key;
            asButton->setToolTip(QString::fromUtf8(d->text));
        }
        emit representationRequested(key);
    }
    run(QString::fromUtf8(d->command), d->index);
}

void Commands::run(const QString& name, int index)
{
    if (name == QLatin1String("mnuFormatZ"))
        index = formatZ(index);
    else if (name == QLatin1String("mnuU"))
        setLevel(index);
    emit triggered(name, index);
    if (const Handler h = m_handlers.value(name))
        h(index);
}

void Commands::bind(const QString& name, Handler handler)
{
    Q_ASSERT(!m_handlers.contains(name));
    m_handlers.insert(name, std::move(handler));
}

void Commands::bindPanel(const QString& key, std::function<void()> handler)
{
    m_panelHandlers.insert(key, std::move(handler));
}

bool Commands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        auto* me = static_cast<QMouseEvent*>(event);
        if (label && me->button() == Qt::LeftButton && label->rect().contains(me->position().toPoint())) {
            const QString key = label->property(kKeyProperty).toString();
            emit panelClicked(key);
            if (const auto h = m_panelHandlers.value(key))
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
    if (QLabel* l = panel(key)) l->setText(text);
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
    m_singleText = on;
    for (QLabel* l : std::as_const(m_panels)) l->setVisible(!on);
    m_singleLabel->setVisible(on);
}

void Commands::updateCounts(const ov::UnitDatabase& db, int userTopicCount)
{
    int topics = 0;
    int units = 0;
    for (int t = 1; t <= ov::kBuiltinTopics; ++t) {
        units += db.unitCount(t);
        if (db.unitCount(t) >= 1) ++topics;
    }
    setPanelText(QStringLiteral("Temata"),
                 QStringLiteral("Témat: %1+%2").arg(topics).arg(userTopicCount));
    setPanelText(QStringLiteral("Veličiny"), QStringLiteral("Jednotek v aplikaci: %1").arg(units));
}

// ---- availability ------------------------------------------------------------------------

// Every availability change goes through here. The state asked for is kept on the action, so
// that editing, which blocks some commands for a while, can give each its own state back: an
// action hidden by the recording state reports itself disabled, so isEnabled() cannot be saved.
void Commands::setAvailable(const QString& objectName, bool on)
{
    QAction* a = action(objectName);
    if (!a) return;
    a->setProperty(kAvailableProperty, on);
    if (!(m_editMode && m_blocked.contains(objectName))) a->setEnabled(on);
}

void Commands::firstDisplay()
{
    if (m_firstShown) return;
    m_firstShown = true;
    for (const char* n : cmd::firstDisplayNames()) setAvailable(QString::fromUtf8(n), true);
}

void Commands::editModeOnOff(bool on)
{
    m_editMode = on;
    for (const QString& n : std::as_const(m_blocked)) {
        QAction* a = action(n);
        a->setEnabled(!on && a->property(kAvailableProperty).toBool());
    }
    for (const char* n : cmd::editOnlyNames()) setAvailable(QString::fromUtf8(n), on);
    for (const char* n : cmd::editVisibleNames()) action(QString::fromUtf8(n))->setVisible(on);
}

void Commands::setNavigation(bool canPrev, bool canNext)
{
    setAvailable(QStringLiteral("tlb_Zpět"), canPrev);
    setAvailable(QStringLiteral("mnuNavigace_1"), canPrev);
    setAvailable(QStringLiteral("tlb_Vpřed"), canNext);
    setAvailable(QStringLiteral("mnuNavigace_2"), canNext);
}

void Commands::setHideEnabled(bool on)
{
    setAvailable(QStringLiteral("mnuSkryt"), on);
    setAvailable(QStringLiteral("mnuHide_2"), on);
}

void Commands::setHideActiveEnabled(bool on) { setAvailable(QStringLiteral("mnuHide_1"), on); }

void Commands::setRepresentationEnabled(bool on) { setAvailable(QStringLiteral("tlb_Jako"), on); }

void Commands::setCopyEnabled(bool on)
{
    setAvailable(QStringLiteral("mnuKopirovat"), on);
    setAvailable(QStringLiteral("mnuKopirovatJ"), on);
    setAvailable(QStringLiteral("tlb_Kopírovat"), on);
}

void Commands::setPasteEnabled(bool on)
{
    setAvailable(QStringLiteral("mnuVlozit"), on);
    setAvailable(QStringLiteral("tlb_Vložit"), on);
}

void Commands::setRecordingState(const QString& command)
{
    for (const auto& s : kRecStates) {
        if (command != QLatin1String(s.command)) continue;
        for (int i = 0; i < 4; ++i) {
            if (s.visible[i] < 0) continue;
            action(QStringLiteral("tlb_") + QLatin1String(cmd::recordingCommands()[std::size_t(i)]))->setVisible(s.visible[i] == 1);
            action(objectNameOf("mnuRec", i))->setVisible(s.visible[i] == 1);
        }
    }
}

void Commands::enableRec(bool on)
{
    setAvailable(QStringLiteral("tlb_Rec"), on);
    setAvailable(QStringLiteral("mnuRec_3"), on);
}

// ---- formats, level, captions ------------------------------------------------------------

int Commands::formatZ(int index)
{
    // A stored value out of range selects single precision rather than nothing.
    if (index < 0 || index > 3) index = 0;
    m_format = index;
    QAction* item = action(objectNameOf("mnuFormatZ", index));
    item->setChecked(true);
    setPanelText(QStringLiteral("Presnost"), QString::fromLatin1(cmd::kFormatLetters[index]),
                 plainCaption(item->text()));
    return index;
}

void Commands::setFix(int decimals)
{
    QAction* item = action(QStringLiteral("mnuFormatZ_3"));
    item->setText(QStringLiteral("Pevný počet (%1)").arg(decimals));
    if (m_format == 3) setPanelText(QStringLiteral("Presnost"), QStringLiteral("F"), item->text());
}

void Commands::setNumBase(int base)
{
    action(QStringLiteral("mnuSoustava_3"))->setText(QStringLiteral("Vlast&ní (%1)").arg(base));
}

void Commands::setLevel(int index)
{
    if (index < 0 || index > 3) index = 0;
    action(objectNameOf("mnuU", index))->setChecked(true);
    if (index == 0)
        setPanelText(QStringLiteral("Uroven"), QStringLiteral("V"), QStringLiteral("Úroveň Vše"));
    else
        setPanelText(QStringLiteral("Uroven"), QString::number(index), QStringLiteral("Úroveň %1").arg(index));
}

void Commands::setTopicName(int topic, const QString& name)
{
    if (QAction* a = action(objectNameOf("mnuTema", topic))) a->setText(literalCaption(name));
}

// ---- toolbar -----------------------------------------------------------------------------

void Commands::toggleButton(const QString& key)
{
    QAction* a = action(QStringLiteral("tlb_") + key);
    if (a && a->isCheckable()) a->setChecked(!a->isChecked());
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
    a->setIcon(toolIcon(imageKey));   // a null icon leaves the key's text on the button
}

} // namespace ov::gui
