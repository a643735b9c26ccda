#include "extras/helpwindow.h"

#include "extras/extrasresources.h"
#include "extras/helptopics.h"
#include "gui/common.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace ov::gui {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    ovEnsureExtrasResources();
    setObjectName(QStringLiteral("rtfNapoveda"));
    setAccessibleName(QStringLiteral("Text nápovědy"));
    // Addresses outside the help go through the dialog service, never into this window.
    setOpenLinks(true);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
        if (url.scheme() != QLatin1String("qrc"))
            dialogs().openUrl(url);
    });
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource &&
        name.adjusted(QUrl::RemoveFragment).toString() == QLatin1String(help::kKeyboardPage))
        return help::keyboardPage();
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    ovEnsureExtrasResources();
    setObjectName(QStringLiteral("frmNapoveda"));
    setAccessibleName(QStringLiteral("Nápověda"));
    setWindowTitle(appTitle() + QStringLiteral(" – nápověda"));
    browser_ = new HelpBrowser(this);

    struct Button {
        const char* name;
        const char* text;
    };
    static const Button kButtons[] = {{"cmdZpet", "Zpět"}, {"cmdVpred", "Vpřed"}, {"cmdObsah", "Obsah"}};
    auto* bar = new QHBoxLayout;
    QToolButton* buttons[3] = {};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(kButtons[i].name));
        b->setText(QString::fromUtf8(kButtons[i].text));
        b->setAccessibleName(b->text());
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->addWidget(b);
        buttons[i] = b;
    }
    bar->addStretch();
    buttons[0]->setEnabled(false);
    buttons[1]->setEnabled(false);
    connect(buttons[0], &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(buttons[1], &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(buttons[2], &QToolButton::clicked, this, [this] { showUrl(help::url(help::kIndex)); });
    connect(browser_, &QTextBrowser::backwardAvailable, buttons[0], &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, buttons[1], &QWidget::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(twipsToPixels(9000), twipsToPixels(8000));

    // Closed from the keyboard as any document window is.
    auto* closing = new QAction(this);
    closing->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    closing->setShortcutContext(Qt::WindowShortcut);
    connect(closing, &QAction::triggered, this, &QWidget::close);
    addAction(closing);
}

void HelpWindow::showUrl(const QUrl& url)
{
    browser_->setSource(url);
    if (!url.fragment().isEmpty())
        browser_->scrollToAnchor(url.fragment());
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::currentUrl() const
{
    QUrl u = browser_->source();
    return u;
}

} // namespace ov::gui
