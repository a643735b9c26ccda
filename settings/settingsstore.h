// The per-user settings file KZomniVELOR140.ini in the user's configuration folder: text values
// by section and key, read back into the types of the key table. A value that cannot be used
// raises SettingError, so that the caller can tell the user which value and keep the default.
#pragma once
#include "settings/settingskeys.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;

namespace ov::gui {

inline constexpr const char* kApplicationKey = "KZomniVELOR140";

class SettingError : public std::runtime_error {
public:
    SettingError(Key key, QString value, QString detail);
    Key key() const { return key_; }
    const QString& value() const { return value_; }
    // A Czech sentence naming the key, the stored text and what would have been usable.
    const QString& detail() const { return detail_; }

private:
    Key key_;
    QString value_;
    QString detail_;
};

// What `read` gives, or `fallback` when the stored text is unusable: for the readers that
// pass over a bad value without a message.
template <class T, class Read> T readOr(T fallback, Read read)
{
    try {
        return read();
    } catch (const SettingError&) {
        return fallback;
    }
}

class SettingsStore {
public:
    // The file in the user's configuration folder, or any other file (tests).
    SettingsStore();
    explicit SettingsStore(const QString& filePath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // $XDG_CONFIG_HOME, by default ~/.config.
    static QString configFolder();
    static QString defaultFilePath();
    QString filePath() const;
    // "Nastavení se nepodařilo uložit do souboru …", for a sync that failed.
    QString notSavedText() const;

    // The stored text, nullopt when the key is missing.
    std::optional<QString> stored(Key key) const;
    // The stored text, or the fallback (by default the table's default) when missing.
    QString text(Key key) const;
    QString text(Key key, const QString& fallback) const;
    // Typed readers: a missing key yields the default; garbage or a value out of range throws.
    qint64 integer(Key key) const;
    double number(Key key) const;
    double number(Key key, double fallback) const;
    bool boolean(Key key) const;
    qint64 seconds(Key key) const; // ValueKind::Time

    void setText(Key key, const QString& value);
    void setInteger(Key key, qint64 value);
    void setBoolean(Key key, bool value);
    void setSeconds(Key key, qint64 value);
    void remove(Key key);

    QString navigatorText(bool userTopic, int n, const QString& fallback) const;
    void setNavigatorText(bool userTopic, int n, const QString& text);

    // Section Oznacene: the names of a topic's marked units (topic 1..26, or 26 + n for user
    // topic n), kept by name since the data files may change between runs. A unit name never
    // holds "|", which separates the fields of the data files, so it separates the names here.
    QStringList markedNames(int topic) const;
    void setMarkedNames(int topic, const QStringList& names); // none: the key goes

    // False when the file could not be read or is damaged (reported by the caller).
    bool healthy() const;
    // Writes pending values and re-reads the file (a value the user mended in the meantime);
    // false when the file cannot be written.
    bool sync();

private:
    std::optional<QString> raw(const QString& path) const;
    [[noreturn]] void refuse(Key key, const QString& value) const;
    std::unique_ptr<QSettings> settings_;
};

} // namespace ov::gui
