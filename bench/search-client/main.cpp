// The desktop search's answer time: one query against the running omnivelor-search, from the
// call to the answer, as KRunner asks (Match) and as GNOME Shell asks (GetInitialResultSet, then
// GetResultMetas for what it shows). The first call starts the service and is not counted.
//   search-client [QUERY] [RUNS]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QString kService = QStringLiteral("cz.omnivelor.Omnivelor.SearchProvider");

QDBusMessage call(const QString& path, const QString& interface, const QString& method, const QVariantList& args)
{
    QDBusMessage m = QDBusMessage::createMethodCall(kService, path, interface, method);
    m.setArguments(args);
    return QDBusConnection::sessionBus().call(m);
}

void report(const char* what, int runs, const std::function<bool()>& once)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!once()) {
            std::fprintf(stderr, "%s: the call failed\n", what);
            return;
        }
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s median %.3f ms, 95th percentile %.3f ms, %d calls\n", what, ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], runs);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString query = args.size() > 1 ? args.at(1) : QStringLiteral("5 km na mi");
    const int runs = args.size() > 2 ? std::max(args.at(2).toInt(), 20) : 500;
    const QString gnome = QStringLiteral("org.gnome.Shell.SearchProvider2");
    const QString gnomePath = QStringLiteral("/cz/omnivelor/Omnivelor/SearchProvider");
    const QStringList terms = query.split(u' ', Qt::SkipEmptyParts);

    QElapsedTimer start;
    start.start();
    const QDBusMessage first =
        call(QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"), QStringLiteral("Match"), {query});
    if (first.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "no answer: %s\n", qPrintable(first.errorMessage()));
        return 1;
    }
    std::printf("query '%s'\nfirst call, starting the service: %.1f ms\n", qPrintable(query),
                double(start.nsecsElapsed()) / 1e6);
    report("KRunner Match", runs, [&] {
        return call(QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"), QStringLiteral("Match"), {query})
                   .type() == QDBusMessage::ReplyMessage;
    });
    report("GNOME GetInitialResultSet + GetResultMetas", runs, [&] {
        const QDBusMessage ids = call(gnomePath, gnome, QStringLiteral("GetInitialResultSet"), {terms});
        if (ids.type() != QDBusMessage::ReplyMessage)
            return false;
        return call(gnomePath, gnome, QStringLiteral("GetResultMetas"), {ids.arguments().value(0)}).type() ==
               QDBusMessage::ReplyMessage;
    });
    return 0;
}
