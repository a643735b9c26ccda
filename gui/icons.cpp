#include "gui/icons.h"

#include "core/catalogue.h"
#include "gui/common.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

// The pictures live in a static library; the linker keeps their resource object only when
// something refers to its initialiser, and this must be called outside any namespace.
static void ensureIconResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)done;
}

namespace ov::gui {
namespace {

// Toolbar keys as the commands name them -> file names (ASCII). Image keys that are already
// ASCII ("Bin", "Oct", "Hex", "AktualniJako", "Zlomek", "Romanus", "Start"...) map to themselves.
struct ToolName {
    const char* key;
    const char* file;
};
constexpr ToolName kToolNames[] = {
    {"Otevřít", "Otevrit"}, {"Uložit", "Ulozit"},     {"Tisk", "Tisk"},   {"Kopírovat", "Kopirovat"},
    {"Vložit", "Vlozit"},   {"Náhled", "Nahled"},     {"Lupa", "Lupa"},   {"Info", "Info"},
    {"Bin", "Bin"},         {"Oct", "Oct"},           {"Hex", "Hex"},     {"AktualniJako", "AktualniJako"},
    {"Zlomek", "Zlomek"},   {"Romanus", "Romanus"},   {"Zpět", "Zpet"},   {"Vpřed", "Vpred"},
    {"Úroveň", "Uroven"},   {"Start", "Start"},       {"Pause", "Pause"}, {"Stop", "Stop"},
    {"Rec", "Rec"},         {"Nápověda", "Napoveda"},
};

// A drawing is parsed when it is first drawn or measured, not when the icon is made: the
// window sets dozens of pictures on menus, buttons and lists before it shows, and most of
// them are not on the screen at first.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(QString path) : path_(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }
    // Views ask every item's picture for its size while laying out, long before anything is
    // drawn. Every drawing of ours is square, so the answer is the largest square that fits,
    // the same as the drawing would give (a test compares the two for every picture).
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return side > 0 ? QSize(side, side) : QSize();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
    QString key() const override { return QStringLiteral("ov-deferred"); }
    bool isNull() override { return false; } // made only for a picture that exists

private:
    const QIcon& loaded()
    {
        if (icon_.isNull())
            icon_ = QIcon(path_);
        return icon_;
    }

    QString path_;
    QIcon icon_;
};

// Each picture has one icon, shared by every list, menu and button that shows it, so it is
// parsed at most once.
QIcon fromResource(const QString& path)
{
    static QHash<QString, QIcon> cache;
    // Emptied while the application still exists, so that no picture outlives it.
    static const bool cleared = [] {
        qAddPostRoutine([] { cache.clear(); });
        return true;
    }();
    (void)cleared;
    const auto it = cache.constFind(path);
    if (it != cache.constEnd())
        return *it;
    ensureIconResources();
    const QIcon icon = QFile::exists(path) ? QIcon(new DeferredIconEngine(path)) : QIcon();
    cache.insert(path, icon);
    return icon;
}

} // namespace

QIcon topicIcon(const QString& key, bool large)
{
    const QString base = topicIconKeys().contains(key) ? key : QStringLiteral("User");
    return fromResource(QStringLiteral(":/icons/%1%2.svg").arg(base, large ? QString() : QStringLiteral("_16")));
}

QIcon toolIcon(const QString& key)
{
    static const QHash<QString, QString> files = [] {
        QHash<QString, QString> h;
        for (const ToolName& n : kToolNames) {
            h.insert(QString::fromUtf8(n.key), QString::fromLatin1(n.file));
            h.insert(QString::fromLatin1(n.file), QString::fromLatin1(n.file));
        }
        return h;
    }();
    const auto it = files.constFind(key);
    if (it == files.constEnd())
        return {};
    return fromResource(QStringLiteral(":/icons/%1.svg").arg(*it));
}

QIcon cellIcon(const QString& key)
{
    if (!cellIconKeys().contains(key))
        return {};
    return fromResource(QStringLiteral(":/icons/%1.svg").arg(key));
}

QStringList topicIconKeys()
{
    static const QStringList keys = [] {
        QStringList k;
        for (int t = 1; t <= ov::kBuiltinTopics; ++t)
            k << fromStd(ov::TopicKey(t));
        k << QStringLiteral("User");
        return k;
    }();
    return keys;
}

QStringList toolIconKeys()
{
    QStringList keys;
    for (const ToolName& n : kToolNames)
        keys << QString::fromUtf8(n.key);
    return keys;
}

QStringList cellIconKeys() { return {QStringLiteral("info"), QStringLiteral("mark"), QStringLiteral("blank")}; }

} // namespace ov::gui
