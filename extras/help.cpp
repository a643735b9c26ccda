#include "extras/help.h"

#include "extras/helptopics.h"
#include "extras/helpwindow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace ov::gui {

Help::Help(QWidget* owner) : QObject(owner), owner_(owner)
{
    // An open menu has the keyboard: F1 reaches it and never the menu item's shortcut.
    qApp->installEventFilter(this);
}

Help::~Help()
{
    qApp->removeEventFilter(this);
    delete window_;
}

HelpWindow* Help::window() const { return window_; }

void Help::showContext(int context)
{
    if (!window_)
        window_ = new HelpWindow(owner_);
    window_->showUrl(help::url(context));
}

void Help::showForFocus() { showContext(help::contextOf(QApplication::focusWidget())); }

bool Help::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        // Only the program's menus carry help numbers on their items.
        auto* menu = qobject_cast<QMenu*>(watched);
        if (menu && menu->isVisible()) {
            const QAction* item = menu->activeAction();
            const QVariant context = item ? item->property("helpContext") : QVariant();
            if (context.isValid()) {
                // The menu closes, as it does when the help comes up over it.
                for (QWidget* w = menu; qobject_cast<QMenu*>(w); w = w->parentWidget())
                    static_cast<QMenu*>(w)->close();
                showContext(context.toInt());
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ov::gui
