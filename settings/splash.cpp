#include "settings/splash.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace ov::gui {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    auto* title = new QLabel(QStringLiteral("omniVELOR"), frame);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    label_ = new QLabel(QStringLiteral("Nahrává se omniVELOR"), frame);
    label_->setObjectName(QStringLiteral("lblSplash"));
    label_->setAlignment(Qt::AlignCenter);
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(24, 18, 24, 18);
    inner->addWidget(title);
    inner->addWidget(label_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setFixedSize(320, 120);
}

void SplashWindow::setText(const QString& text) { label_->setText(text); }

QString SplashWindow::text() const { return label_->text(); }

void SplashWindow::showAndPaint()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    QApplication::processEvents();
}

} // namespace ov::gui
