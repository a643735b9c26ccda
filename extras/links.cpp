#include "extras/links.h"

#include "gui/dialogservice.h"

#include <QStringList>
#include <utility>

namespace ov::gui {
namespace {

// The parts of the query in their order, as "Name=value".
template <class Value> QString query(const QString& subject, const QString& body, const QString& copy,
                                     const QString& blindCopy, Value value)
{
    const std::pair<const char*, const QString*> parts[] = {
        {"Subject", &subject}, {"Body", &body}, {"CC", &copy}, {"BCC", &blindCopy}};
    QString q;
    for (const auto& [name, text] : parts)
        if (!text->isEmpty())
            q += QLatin1Char('&') + QLatin1String(name) + QLatin1Char('=') + value(*text);
    if (!q.isEmpty())
        q[0] = QLatin1Char('?');
    return q;
}

QStringList versionParts() { return QStringLiteral(OV_VERSION).split(QLatin1Char('.')); }

int versionPart(int i)
{
    const QStringList parts = versionParts();
    return i < parts.size() ? parts[i].toInt() : 0;
}

} // namespace

Addresses Addresses::built()
{
    return {QStringLiteral(OV_HOME_PAGE).trimmed(), QStringLiteral(OV_FEEDBACK_MAIL).trimmed()};
}

int versionMajor() { return versionPart(0); }
int versionMinor() { return versionPart(1); }
int versionRevision() { return versionPart(2); }
QString versionText() { return QStringLiteral("%1.%2").arg(versionMajor()).arg(versionMinor()); }

QString mailtoText(const QString& address, const QString& subject, const QString& body, const QString& copy,
                   const QString& blindCopy)
{
    return QStringLiteral("mailto:") + address +
           query(subject, body, copy, blindCopy, [](const QString& t) { return t; });
}

QUrl mailtoUrl(const QString& address, const QString& subject, const QString& body, const QString& copy,
               const QString& blindCopy)
{
    const QString q = query(subject, body, copy, blindCopy, [](const QString& t) {
        return QString::fromLatin1(QUrl::toPercentEncoding(t));
    });
    return QUrl::fromEncoded(QByteArray("mailto:") + QUrl::toPercentEncoding(address, "@+") + q.toLatin1(),
                             QUrl::StrictMode);
}

bool openAddress(const QUrl& url) { return url.isValid() && dialogs().openUrl(url); }

} // namespace ov::gui
