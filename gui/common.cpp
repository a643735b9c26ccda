#include "gui/common.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <QTranslator>
#include <cmath>

namespace ov::gui {

QString appTitle() { return fromStd(ov::kAppTitle); }

double fontScale()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 1.0;
    const QFont font = QGuiApplication::font();
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        points = font.pixelSize() * 72.0 / (screen ? screen->logicalDotsPerInchY() : 96.0);
    }
    return points > 0 ? points / kReferenceFontPoints : 1.0;
}

int twipsToPixels(double twips) { return int(std::lround(twips * fontScale() / kTwipsPerPixel)); }

int pixelsToTwips(int pixels) { return int(std::lround(pixels * kTwipsPerPixel / fontScale())); }

char localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    const QChar c = point.isEmpty() ? QLatin1Char('.') : point.at(0);
    return c.unicode() < 128 ? c.toLatin1() : '.';
}

QString displayText(std::string_view s) { return displayText(fromStd(s)); }

QString displayText(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

QString plainCaption(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

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

DialogService::Icon dialogIcon(ov::MessageIcon icon)
{
    switch (icon) {
    case ov::MessageIcon::Information: return DialogService::Icon::Information;
    case ov::MessageIcon::Exclamation: return DialogService::Icon::Warning;
    case ov::MessageIcon::Critical: return DialogService::Icon::Critical;
    }
    return DialogService::Icon::None;
}

OverrideCursor::OverrideCursor(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(shape); }

OverrideCursor::~OverrideCursor() { QGuiApplication::restoreOverrideCursor(); }

namespace {
double luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double textContrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(QColor colour, const QColor& background, const QColor& towards, double wanted)
{
    for (int step = 1; step <= 10 && textContrast(colour, background) < wanted; ++step)
        colour = QColor::fromRgbF(colour.redF() + (towards.redF() - colour.redF()) * 0.2f,
                                  colour.greenF() + (towards.greenF() - colour.greenF()) * 0.2f,
                                  colour.blueF() + (towards.blueF() - colour.blueF()) * 0.2f);
    return colour;
}

void setLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(text.isEmpty() ? label->accessibleDescription() : text);
}

} // namespace ov::gui
