// The help window frmNapoveda: one window, not modal, that shows the program's own help pages
// with the usual back, forward and index buttons. Showing another topic reuses it.
#pragma once
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QToolButton;

namespace ov::gui {

// The pages come from the resources; the keyboard page is written from the command table.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);
    // Shows the page (and scrolls to its anchor), brings the window up.
    void showUrl(const QUrl& url);
    QUrl currentUrl() const;
    HelpBrowser* browser() const { return browser_; }

private:
    HelpBrowser* browser_ = nullptr;
};

} // namespace ov::gui
