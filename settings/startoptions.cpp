#include "settings/startoptions.h"

#include <array>

namespace ov::gui {

namespace {

constexpr std::array<const char*, 4> kValueOptions = {"--tema", "--jednotka", "--hodnota", "--schranka"};

// The value of an option given as "--name value" or "--name=value"; the last one counts.
std::optional<QString> optionValue(const QStringList& arguments, const QString& name)
{
    std::optional<QString> value;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == name && i + 1 < arguments.size())
            value = arguments.at(++i);
        else if (a.startsWith(name + QLatin1Char('=')))
            value = a.mid(name.size() + 1);
    }
    return value;
}

} // namespace

StartRequest startRequest(const QStringList& arguments)
{
    StartRequest r;
    bool ok = false;
    const int topic = optionValue(arguments, QStringLiteral("--tema")).value_or(QString()).toInt(&ok);
    if (!ok || topic < 1)
        return r;
    r.topic = topic;
    r.unit = optionValue(arguments, QStringLiteral("--jednotka")).value_or(QString());
    r.value = optionValue(arguments, QStringLiteral("--hodnota")).value_or(QString()).trimmed();
    return r;
}

QStringList withoutStartOptions(const QStringList& arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        bool option = false;
        for (const char* name : kValueOptions) {
            const QString n = QLatin1String(name);
            if (i > 0 && a == n) {
                option = true;
                ++i; // and its value
            } else if (i > 0 && a.startsWith(n + QLatin1Char('='))) {
                option = true;
            }
        }
        if (!option)
            rest << a;
    }
    return rest;
}

std::optional<QString> clipboardRequest(const QStringList& arguments)
{
    return optionValue(arguments, QStringLiteral("--schranka"));
}

} // namespace ov::gui
