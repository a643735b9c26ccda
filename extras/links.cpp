#include "extras/links.h"

#include "core/misc.h"
#include "gui/common.h"
#include "gui/dialogservice.h"

#include <QStringList>

namespace ov::gui {
namespace {

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
    return fromStd(ov::MailtoAddress(address.toStdString(), subject.toStdString(), body.toStdString(),
                                     copy.toStdString(), blindCopy.toStdString()));
}

QUrl mailtoUrl(const QString& address, const QString& subject, const QString& body, const QString& copy,
               const QString& blindCopy)
{
    // The same text with every part percent-encoded, so that "&", "?" or "=" in a part stay text.
    const auto encoded = [](const QString& t, const QByteArray& keep = {}) {
        return QUrl::toPercentEncoding(t, keep).toStdString();
    };
    return QUrl::fromEncoded(
        QByteArray::fromStdString(ov::MailtoAddress(encoded(address, "@+"), encoded(subject), encoded(body),
                                                    encoded(copy), encoded(blindCopy))),
        QUrl::StrictMode);
}

bool openAddress(const QUrl& url) { return url.isValid() && dialogs().openUrl(url); }

} // namespace ov::gui
