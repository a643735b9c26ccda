// omnivelor-search: conversions for the desktop's own search field. One service answers both
// the GNOME Shell search provider interface and KRunner's D-Bus runner interface from the same
// unit database the other programs read, starts the window for a result, and puts a result on
// the clipboard. It is started by D-Bus activation and ends after a minute without calls.
#pragma once
#include "core/quickconvert.h"
#include "core/unitdb.h"
#include "search/dbustypes.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

namespace ov::search {

inline constexpr const char* kBusName = "cz.omnivelor.Omnivelor.SearchProvider";
inline constexpr const char* kGnomePath = "/cz/omnivelor/Omnivelor/SearchProvider";
inline constexpr const char* kKRunnerPath = "/runner";
inline constexpr int kIdleMilliseconds = 60 * 1000;
inline constexpr int kBusCheckMilliseconds = 2000;

class SearchService : public QObject {
    Q_OBJECT
public:
    explicit SearchService(QObject* parent = nullptr);
    ~SearchService() override;

    // Takes the bus name and puts both interfaces on the session bus; false when another
    // copy has the name or there is no bus.
    bool registerOnBus();

    // Every call counts as use: the idle time starts again.
    std::vector<QuickResult> answer(const QString& query);
    std::optional<QuickResult> result(const QString& id);
    // The window on the result's topic with its value entered; the bare window without one.
    void openWindow(const std::optional<QuickResult>& r);
    void copyToClipboard(const QString& text);

    static QString iconName(const QuickResult& r);

private:
    void used();
    void loadIfChanged();

    QTimer idle_;
    QTimer busCheck_;
    std::unique_ptr<UnitDatabase> db_;
    std::unique_ptr<QuickConverter> converter_;
    QStringList loadedStamp_; // the data files and their times as last read
    char decimal_ = ',';
};

// org.gnome.Shell.SearchProvider2
class GnomeSearchProvider : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")
public:
    explicit GnomeSearchProvider(SearchService& service) : QObject(&service), service_(service) {}
public slots:
    QStringList GetInitialResultSet(const QStringList& terms);
    QStringList GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms);
    QList<QVariantMap> GetResultMetas(const QStringList& identifiers);
    void ActivateResult(const QString& identifier, const QStringList& terms, uint timestamp);
    void LaunchSearch(const QStringList& terms, uint timestamp);

private:
    SearchService& service_;
};

// org.kde.krunner1
class KRunnerRunner : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")
public:
    explicit KRunnerRunner(SearchService& service) : QObject(&service), service_(service) {}
public slots:
    QList<ov::search::RemoteAction> Actions();
    QList<ov::search::RemoteMatch> Match(const QString& query);
    void Run(const QString& matchId, const QString& actionId);

private:
    SearchService& service_;
};

} // namespace ov::search
