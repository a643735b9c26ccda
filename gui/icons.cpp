#include "gui/icons.h"

#include "core/catalogue.h"

#include <QFile>
#include <QHash>

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
struct ToolName { const char* key; const char* file; };
constexpr ToolName kToolNames[] = {
    {"Otevřít", "Otevrit"},     {"Uložit", "Ulozit"},     {"Tisk", "Tisk"},
    {"Kopírovat", "Kopirovat"}, {"Vložit", "Vlozit"},     {"Náhled", "Nahled"},
    {"Lupa", "Lupa"},           {"Info", "Info"},         {"Bin", "Bin"},
    {"Oct", "Oct"},             {"Hex", "Hex"},           {"AktualniJako", "AktualniJako"},
    {"Zlomek", "Zlomek"},       {"Romanus", "Romanus"},   {"Zpět", "Zpet"},
    {"Vpřed", "Vpred"},         {"Úroveň", "Uroven"},     {"Start", "Start"},
    {"Pause", "Pause"},         {"Stop", "Stop"},         {"Rec", "Rec"},
    {"Nápověda", "Napoveda"},
};

QIcon fromResource(const QString& path)
{
    ensureIconResources();
    if (!QFile::exists(path))
        return {};
    return QIcon(path);
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
            k << QString::fromUtf8(ov::TemaKlic(t).data(), qsizetype(ov::TemaKlic(t).size()));
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

QStringList cellIconKeys()
{
    return {QStringLiteral("info"), QStringLiteral("mark"), QStringLiteral("blank")};
}

} // namespace ov::gui
