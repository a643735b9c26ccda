// The structures KRunner's D-Bus interface passes: a match and an action.
#pragma once
#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace ov::search {

// (sssida{sv}): id, text, icon name, match type, relevance, properties ("subtext"...).
struct RemoteMatch {
    QString id;
    QString text;
    QString iconName;
    int type = 100; // an exact match: run when chosen
    double relevance = 1.0;
    QVariantMap properties;
};

// (sss): id, text, icon name.
struct RemoteAction {
    QString id;
    QString text;
    QString iconName;
};

QDBusArgument& operator<<(QDBusArgument& a, const RemoteMatch& m);
const QDBusArgument& operator>>(const QDBusArgument& a, RemoteMatch& m);
QDBusArgument& operator<<(QDBusArgument& a, const RemoteAction& r);
const QDBusArgument& operator>>(const QDBusArgument& a, RemoteAction& r);

// Once per process, before any of these types crosses the bus.
void registerDBusTypes();

} // namespace ov::search

Q_DECLARE_METATYPE(ov::search::RemoteMatch)
Q_DECLARE_METATYPE(ov::search::RemoteAction)
