#include "settings/settingsstore.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <cmath>

namespace ov::gui {
namespace {

QString describeRange(const KeyInfo& info)
{
    switch (info.kind) {
    case ValueKind::Integer:
        return QStringLiteral("celé číslo od %1 do %2").arg(qint64(info.min)).arg(qint64(info.max));
    case ValueKind::Number: return QStringLiteral("číslo od %1 do %2").arg(qint64(info.min)).arg(qint64(info.max));
    case ValueKind::Boolean: return QStringLiteral("True nebo False");
    case ValueKind::Time: return QStringLiteral("čas ve tvaru H:MM:SS");
    case ValueKind::Text: break;
    }
    return QStringLiteral("text");
}

// Numbers are written with a decimal point; a decimal comma typed by hand is understood too.
std::optional<double> parseNumber(QString text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint64> parseTime(const QString& text)
{
    static const QRegularExpression hms(QStringLiteral("^(\\d{1,9}):([0-5]?\\d)(?::([0-5]?\\d))?$"));
    const QString t = text.trimmed();
    const QRegularExpressionMatch m = hms.match(t);
    if (m.hasMatch())
        return m.captured(1).toLongLong() * 3600 + m.captured(2).toLongLong() * 60 + m.captured(3).toLongLong();
    // A plain number counts days, the way a time value is a fraction of a day.
    const std::optional<double> days = parseNumber(t);
    if (days && *days >= 0 && *days < 1e7)
        return std::llround(*days * 86400.0);
    return std::nullopt;
}

} // namespace

SettingError::SettingError(Key key, QString value, QString detail)
    : std::runtime_error(detail.toStdString()), key_(key), value_(std::move(value)), detail_(std::move(detail))
{
}

SettingsStore::SettingsStore() : SettingsStore(defaultFilePath()) {}

SettingsStore::SettingsStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::configFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return generic.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : generic;
}

QString SettingsStore::defaultFilePath()
{
    return configFolder() + QLatin1Char('/') + QLatin1String(kApplicationKey) + QStringLiteral(".ini");
}

QString SettingsStore::filePath() const { return settings_->fileName(); }

QString SettingsStore::notSavedText() const
{
    return QStringLiteral("Nastavení se nepodařilo uložit do souboru %1.").arg(QDir::toNativeSeparators(filePath()));
}

std::optional<QString> SettingsStore::raw(const QString& path) const
{
    const QVariant v = settings_->value(path);
    if (!v.isValid())
        return std::nullopt;
    // An unquoted comma in a hand-edited file makes a list; the user meant one text.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

std::optional<QString> SettingsStore::stored(Key key) const { return raw(keyPath(key)); }

QString SettingsStore::text(Key key) const
{
    const char* d = keyInfo(key).defaultText;
    return text(key, d ? QString::fromUtf8(d) : QString());
}

QString SettingsStore::text(Key key, const QString& fallback) const { return stored(key).value_or(fallback); }

void SettingsStore::refuse(Key key, const QString& value) const
{
    const KeyInfo& info = keyInfo(key);
    QString detail = QStringLiteral("Hodnotu „%1“ položky %2 v souboru %3 nelze použít (očekává se %4).")
                         .arg(value, keyPath(key), QDir::toNativeSeparators(filePath()), describeRange(info));
    if (info.defaultText)
        detail += QStringLiteral(" Platí výchozí hodnota %1.").arg(QString::fromUtf8(info.defaultText));
    throw SettingError(key, value, detail);
}

qint64 SettingsStore::integer(Key key) const
{
    const KeyInfo& info = keyInfo(key);
    const QString t = text(key);
    const std::optional<double> v = parseNumber(t);
    if (!v || *v < info.min - 0.5 || *v >= info.max + 0.5)
        refuse(key, t);
    return std::llround(*v);
}

double SettingsStore::number(Key key) const
{
    const char* d = keyInfo(key).defaultText;
    return number(key, d ? parseNumber(QString::fromUtf8(d)).value_or(0) : 0);
}

double SettingsStore::number(Key key, double fallback) const
{
    const KeyInfo& info = keyInfo(key);
    const std::optional<QString> t = stored(key);
    if (!t)
        return fallback;
    const std::optional<double> v = parseNumber(*t);
    if (!v || *v < info.min || *v > info.max)
        refuse(key, *t);
    return *v;
}

bool SettingsStore::boolean(Key key) const
{
    const QString t = text(key).trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    // A number is a boolean too: zero is False, anything else True.
    if (const std::optional<double> v = parseNumber(t))
        return *v != 0;
    refuse(key, t);
}

qint64 SettingsStore::seconds(Key key) const
{
    const QString t = text(key);
    const std::optional<qint64> s = parseTime(t);
    if (!s)
        refuse(key, t);
    return *s;
}

void SettingsStore::setText(Key key, const QString& value) { settings_->setValue(keyPath(key), value); }

void SettingsStore::remove(Key key) { settings_->remove(keyPath(key)); }

void SettingsStore::setInteger(Key key, qint64 value) { setText(key, QString::number(value)); }

void SettingsStore::setBoolean(Key key, bool value) { setText(key, boolText(value)); }

void SettingsStore::setSeconds(Key key, qint64 value) { setText(key, timeText(value)); }

QString SettingsStore::navigatorText(bool userTopic, int n, const QString& fallback) const
{
    return raw(sectionName(Section::Navigator) + QLatin1Char('/') + navigatorKey(userTopic, n)).value_or(fallback);
}

void SettingsStore::setNavigatorText(bool userTopic, int n, const QString& text)
{
    settings_->setValue(sectionName(Section::Navigator) + QLatin1Char('/') + navigatorKey(userTopic, n), text);
}

QStringList SettingsStore::markedNames(int topic) const
{
    const QString text = raw(sectionName(Section::Marks) + QLatin1Char('/') + topicKey(topic)).value_or(QString());
    return text.split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

void SettingsStore::setMarkedNames(int topic, const QStringList& names)
{
    const QString path = sectionName(Section::Marks) + QLatin1Char('/') + topicKey(topic);
    if (names.isEmpty())
        settings_->remove(path);
    else
        settings_->setValue(path, names.join(QLatin1Char('|')));
}

bool SettingsStore::healthy() const { return settings_->status() == QSettings::NoError; }

bool SettingsStore::sync()
{
    settings_->sync();
    // A damaged file is written back with what could be read of it; only a file that cannot
    // be written at all has failed.
    return settings_->status() != QSettings::AccessError;
}

} // namespace ov::gui
