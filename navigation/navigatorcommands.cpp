#include "navigation/navigatorcommands.h"

#include "core/catalogue.h"
#include "gui/commands.h"
#include "navigation/navigator.h"

#include <QAction>

namespace ov::gui {
namespace {

void check(Commands& c, cmd::Command command, int index) { c.action(command, index)->setChecked(true); }

} // namespace

void bindNavigatorCommands(Commands& c, Navigator& n)
{
    c.bind(cmd::Command::Navigate, [&n](int i) {
        if (i == 1)
            n.previousTopic();
        else
            n.nextTopic();
    });
    c.bind(cmd::Command::Topic, [&n](int topic) { n.chooseTopicFromMenu(topic); });
    c.bind(cmd::Command::TopicList, [&n](int i) { n.chooseList(i); });
    c.bind(cmd::Command::ListView, [&n](int mode) { n.setViewMode(mode); });
    c.bindPanel(QStringLiteral("Temata"), [&n] {
        n.requestConversionPane();
        n.showTopicList();
    });
    c.bindPanel(QStringLiteral("Veličiny"), [&n] {
        n.requestConversionPane();
        n.showUnitList();
    });

    QObject::connect(&n, &Navigator::navigationChanged, &c, &Commands::setNavigation);
    QObject::connect(&n, &Navigator::listShown, &c,
                     [&c](const QString& text) { c.setPanelText(QStringLiteral("Navi"), text); });
    QObject::connect(&n, &Navigator::listMenuChecked, &c, [&c](int i) { check(c, cmd::Command::TopicList, i); });
    QObject::connect(&n, &Navigator::viewModeChanged, &c, [&c](int mode) { check(c, cmd::Command::ListView, mode); });
    QObject::connect(&n, &Navigator::topicRenamed, &c, [&c](int topic, const QString& name) {
        if (topic <= ov::kBuiltinTopics)
            c.setTopicName(topic, name);
    });
    QObject::connect(&n, &Navigator::contextMenuRequested, &c, &Commands::popupMenu);
}

} // namespace ov::gui
