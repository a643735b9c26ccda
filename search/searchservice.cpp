#include "search/searchservice.h"

#include "core/datafolder.h"
#include "core/loader.h"
#include "core/messages.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>

namespace ov::search {

namespace {

constexpr const char* kAppId = "cz.omnivelor.Omnivelor";
constexpr const char* kOpenAction = "open";

QString fromStd(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Nobody sees the service: what the loader would show goes to the log.
class LogSink : public MessageSink {
public:
    void showMessage(const std::string& text, const std::string&, MessageIcon) override
    {
        qWarning("omnivelor-search: %s", text.c_str());
    }
};

char localeDecimal()
{
    const QString point = QLocale::system().decimalPoint();
    return point == QLatin1String(",") ? ',' : '.';
}

// The window program: the one OMNIVELOR_PROGRAM names, the one installed beside the service,
// else the one on the path.
QString windowProgram()
{
    const QString named = qEnvironmentVariable("OMNIVELOR_PROGRAM");
    if (!named.isEmpty())
        return named;
    const QFileInfo beside(QCoreApplication::applicationDirPath() + QStringLiteral("/omnivelor"));
    return beside.isExecutable() ? beside.filePath() : QStringLiteral("omnivelor");
}

} // namespace

SearchService::SearchService(QObject* parent) : QObject(parent), decimal_(localeDecimal())
{
    idle_.setSingleShot(true);
    idle_.setInterval(kIdleMilliseconds);
    connect(&idle_, &QTimer::timeout, QCoreApplication::instance(), &QCoreApplication::quit);
    idle_.start();
    // A session that ends takes its bus along: the service goes with it rather than at the
    // end of its idle minute.
    busCheck_.setInterval(kBusCheckMilliseconds);
    connect(&busCheck_, &QTimer::timeout, this, [] {
        if (!QDBusConnection::sessionBus().isConnected())
            QCoreApplication::quit();
    });
    busCheck_.start();
    new GnomeSearchProvider(*this);
    new KRunnerRunner(*this);
}

SearchService::~SearchService() = default;

bool SearchService::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerService(QLatin1String(kBusName)))
        return false;
    const auto exported = QDBusConnection::ExportAllSlots;
    return bus.registerObject(QLatin1String(kGnomePath), findChild<GnomeSearchProvider*>(), exported) &&
           bus.registerObject(QLatin1String(kKRunnerPath), findChild<KRunnerRunner*>(), exported);
}

void SearchService::used() { idle_.start(); }

// The data files are read as the other programs read them: the user's copies when they exist,
// else the shipped ones. An edit, or a user copy made while the service runs, is read anew.
void SearchService::loadIfChanged()
{
    const DataFiles files = defaultDataFiles(QCoreApplication::applicationDirPath().toStdString());
    QStringList stamp;
    for (const auto& path : {files.main, files.user}) {
        const QFileInfo info(QString::fromStdString(path.string()));
        stamp << info.filePath() << info.lastModified().toString(Qt::ISODateWithMs) << QString::number(info.size());
    }
    if (converter_ && stamp == loadedStamp_)
        return;
    converter_.reset();
    db_ = std::make_unique<UnitDatabase>();
    LoadOptions options;
    options.mainPath = files.main.string();
    options.userPath = files.user.string();
    options.decimalSeparator = decimal_;
    LogSink sink;
    LoadDataFiles(*db_, options, sink);
    converter_ = std::make_unique<QuickConverter>(*db_, decimal_);
    loadedStamp_ = stamp;
}

std::vector<QuickResult> SearchService::answer(const QString& query)
{
    used();
    loadIfChanged();
    return converter_->answer(query.toStdString());
}

std::optional<QuickResult> SearchService::result(const QString& id)
{
    used();
    loadIfChanged();
    return converter_->result(id.toStdString());
}

QString SearchService::iconName(const QuickResult& r)
{
    return QLatin1String(kAppId) + QLatin1Char('-') + fromStd(r.iconKey);
}

void SearchService::openWindow(const std::optional<QuickResult>& r)
{
    used();
    QStringList arguments;
    if (r)
        arguments << QStringLiteral("--tema") << QString::number(r->topic) << QStringLiteral("--jednotka")
                  << fromStd(r->unitName) << QStringLiteral("--hodnota") << fromStd(r->valueText);
    QProcess::startDetached(windowProgram(), arguments);
}

// A program without windows cannot own the clipboard itself. The window program can: started
// with --schranka it puts the text there and keeps it until another program takes the clipboard.
// Under X11 and under Wayland with XWayland (both desktops have it) it runs as an X client,
// since X selections need no focused window and the compositor passes them on to Wayland
// programs. Only a Wayland session without X takes wl-copy, when it is there.
void SearchService::copyToClipboard(const QString& text)
{
    used();
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString wlCopy = QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
    if (!environment.contains(QStringLiteral("DISPLAY")) && environment.contains(QStringLiteral("WAYLAND_DISPLAY")) &&
        !wlCopy.isEmpty()) {
        process.setProgram(wlCopy);
        process.setArguments({QStringLiteral("--"), text});
    } else {
        if (environment.contains(QStringLiteral("DISPLAY")))
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProgram(windowProgram());
        process.setArguments({QStringLiteral("--schranka"), text});
    }
    process.setProcessEnvironment(environment);
    process.startDetached();
}

// ---- org.gnome.Shell.SearchProvider2 ---------------------------------------------------------

QStringList GnomeSearchProvider::GetInitialResultSet(const QStringList& terms)
{
    QStringList ids;
    for (const QuickResult& r : service_.answer(terms.join(QLatin1Char(' '))))
        ids << fromStd(r.id);
    return ids;
}

QStringList GnomeSearchProvider::GetSubsearchResultSet(const QStringList&, const QStringList& terms)
{
    // A narrower query can name other units altogether: it is answered afresh.
    return GetInitialResultSet(terms);
}

QList<QVariantMap> GnomeSearchProvider::GetResultMetas(const QStringList& identifiers)
{
    QList<QVariantMap> metas;
    for (const QString& id : identifiers)
        if (const auto r = service_.result(id))
            metas << QVariantMap{{QStringLiteral("id"), id},
                                 {QStringLiteral("name"), fromStd(r->title)},
                                 {QStringLiteral("description"), fromStd(r->description)},
                                 {QStringLiteral("gicon"), SearchService::iconName(*r)},
                                 {QStringLiteral("clipboardText"), fromStd(r->copyText)}};
    return metas;
}

void GnomeSearchProvider::ActivateResult(const QString& identifier, const QStringList&, uint)
{
    if (const auto r = service_.result(identifier))
        service_.copyToClipboard(fromStd(r->copyText));
}

void GnomeSearchProvider::LaunchSearch(const QStringList& terms, uint)
{
    const std::vector<QuickResult> results = service_.answer(terms.join(QLatin1Char(' ')));
    service_.openWindow(results.empty() ? std::nullopt : std::optional(results.front()));
}

// ---- org.kde.krunner1 ------------------------------------------------------------------------

QList<RemoteAction> KRunnerRunner::Actions()
{
    return {{QLatin1String(kOpenAction), QStringLiteral("Otevřít v omniVELOR"), QLatin1String(kAppId)}};
}

QList<RemoteMatch> KRunnerRunner::Match(const QString& query)
{
    QList<RemoteMatch> matches;
    for (const QuickResult& r : service_.answer(query)) {
        RemoteMatch m;
        m.id = fromStd(r.id);
        m.text = fromStd(r.title);
        m.iconName = SearchService::iconName(r);
        m.relevance = 1.0 - 0.01 * double(matches.size());
        m.properties.insert(QStringLiteral("subtext"), fromStd(r.description));
        matches << m;
    }
    return matches;
}

void KRunnerRunner::Run(const QString& matchId, const QString& actionId)
{
    const auto r = service_.result(matchId);
    if (!r)
        return;
    if (actionId == QLatin1String(kOpenAction))
        service_.openWindow(r);
    else
        service_.copyToClipboard(fromStd(r->copyText));
}

} // namespace ov::search
