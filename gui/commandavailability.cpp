// What the window's state does to the commands: which are available (a topic shown, a data
// file being edited, the recording's state), and which recording buttons are shown.
#include "gui/commands.h"
#include "gui/commandtable.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace ov::gui {
namespace {

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

} // namespace

// Every availability change goes through here. The state asked for is kept on the action, so
// that editing, which blocks some commands for a while, can give each its own state back: an
// action hidden by the recording state reports itself disabled, so isEnabled() cannot be saved.
void Commands::setAvailable(const QString& objectName, bool on)
{
    QAction* a = action(objectName);
    a->setProperty(kAvailableProperty, on);
    if (!(editMode_ && blocked_.contains(objectName)))
        a->setEnabled(on);
}

void Commands::firstDisplay()
{
    if (firstShown_)
        return;
    firstShown_ = true;
    for (const char* n : cmd::firstDisplayNames())
        setAvailable(QString::fromUtf8(n), true);
}

void Commands::editModeOnOff(bool on)
{
    editMode_ = on;
    for (const QString& n : std::as_const(blocked_)) {
        QAction* a = action(n);
        a->setEnabled(!on && a->property(kAvailableProperty).toBool());
    }
    for (const char* n : cmd::editOnlyNames())
        setAvailable(QString::fromUtf8(n), on);
    for (const char* n : cmd::editVisibleNames())
        action(QString::fromUtf8(n))->setVisible(on);
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
        if (command != QLatin1String(s.command))
            continue;
        for (int i = 0; i < 4; ++i) {
            if (s.visible[i] < 0)
                continue;
            action(QStringLiteral("tlb_") + QLatin1String(cmd::recordingCommands()[std::size_t(i)]))
                ->setVisible(s.visible[i] == 1);
            action(cmd::Command::Record, i)->setVisible(s.visible[i] == 1);
        }
    }
}

void Commands::enableRec(bool on)
{
    setAvailable(QStringLiteral("tlb_Rec"), on);
    setAvailable(QStringLiteral("mnuRec_3"), on);
}

} // namespace ov::gui
