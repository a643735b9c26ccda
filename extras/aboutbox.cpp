#include "extras/aboutbox.h"

#include "extras/extrasresources.h"
#include "extras/scramble.h"
#include "gui/common.h"

#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace ov::gui {
namespace {

const QString kDescription = QStringLiteral(
    "Aplikace pro převod fyzikálních a jiných jednotek,  na zlomky a římská čísla. Převod do různých číselných soustav.");

// The labels a press opens something with: 4 the home page, 10 a mail.
constexpr int kHomeLabel = 4;
constexpr int kMailLabel = 10;

} // namespace

AboutBox::AboutBox(const Addresses& addresses, QWidget* owner) : QDialog(owner), addresses_(addresses)
{
    ovEnsureExtrasResources();
    setObjectName(QStringLiteral("frmAbout"));
    setAccessibleName(QStringLiteral("O aplikaci omniVELOR"));
    setWindowTitle(QStringLiteral("O aplikaci ") + appTitle());

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setAccessibleName(QStringLiteral("Logo omniVELOR"));
    logo->setPixmap(QIcon(QStringLiteral(":/extras/logo.svg")).pixmap(64, 64));

    buildLabels();
    makeLinks();

    auto* cmdAbout = new QPushButton(QStringLiteral("OK"), this);
    cmdAbout->setObjectName(QStringLiteral("cmdAbout"));
    cmdAbout->setAccessibleName(QStringLiteral("OK"));
    cmdAbout->setDefault(true);
    connect(cmdAbout, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(logo, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(labels_[0], 0, 1);
    grid->addWidget(labels_[1], 1, 1);
    grid->addWidget(labels_[2], 2, 1);
    grid->addWidget(labels_[3], 3, 0, 1, 2);
    grid->addWidget(labels_[kHomeLabel], 4, 0, 1, 2);
    grid->addWidget(labels_[kMailLabel], 5, 0, 1, 2);
    grid->addWidget(cmdAbout, 6, 1, Qt::AlignRight);
    setFixedWidth(twipsToPixels(6000));
}

// The texts of the box: name, version, credit, description and the two addresses.
void AboutBox::buildLabels()
{
    const QString product = appTitle();
    struct Text {
        int n;
        QString caption, toolTip, role;
    };
    const Text texts[] = {
        {0, product, product, QStringLiteral("Název programu")},
        {1, QStringLiteral("VELOR ") + versionText(), product, QStringLiteral("Verze")},
        {2, UnscrambleText(scrambledCredit()), UnscrambleText(scrambledLicence()), QStringLiteral("Autoři a licence")},
        {3, kDescription, QString(), QStringLiteral("Popis programu")},
        {kHomeLabel, QStringLiteral("Domovská stránka"), addresses_.homePage, QStringLiteral("Domovská stránka")},
        {kMailLabel, UnscrambleText(scrambledMailLabel()), QStringLiteral("Odeslat autorovi e-mail"),
         QStringLiteral("Odeslat autorovi e-mail")},
    };
    for (const Text& t : texts) {
        auto* l = new QLabel(t.caption, this);
        l->setObjectName(QStringLiteral("lblAbout_%1").arg(t.n));
        l->setTextFormat(Qt::PlainText);
        l->setToolTip(t.toolTip);
        // Read by what it says; what kind of text it is comes after it.
        l->setAccessibleName(t.caption);
        l->setAccessibleDescription(t.role);
        l->setWordWrap(t.n == 3);
        labels_[std::size_t(t.n)] = l;
    }
    QFont big = labels_[0]->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    labels_[0]->setFont(big);
}

// The two addresses work like links: a press (or Enter while focused) opens them; without
// an address the label stays greyed out.
void AboutBox::makeLinks()
{
    for (int n : {kHomeLabel, kMailLabel}) {
        QLabel* l = labels_[std::size_t(n)];
        const bool has = !(n == kHomeLabel ? addresses_.homePage : addresses_.feedbackMail).isEmpty();
        l->setEnabled(has);
        if (has) {
            l->setCursor(Qt::PointingHandCursor);
            l->setFocusPolicy(Qt::StrongFocus);
            QFont f = l->font();
            f.setUnderline(true);
            l->setFont(f);
        }
        l->installEventFilter(this);
    }
}

QLabel* AboutBox::label(int n) const { return n >= 0 && n <= 10 ? labels_[std::size_t(n)] : nullptr; }

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    for (int n : {kHomeLabel, kMailLabel}) {
        QLabel* l = labels_[std::size_t(n)];
        if (watched != l || !l->isEnabled())
            continue;
        const bool press = event->type() == QEvent::MouseButtonPress;
        const bool key =
            event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                                  static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space);
        if (press || key) {
            openLabel(n);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The labels do not report failures: the menu commands are there for that.
void AboutBox::openLabel(int n)
{
    if (n == kHomeLabel)
        openAddress(QUrl::fromUserInput(addresses_.homePage));
    else
        openAddress(mailtoUrl(addresses_.feedbackMail, appTitle()));
}

} // namespace ov::gui
