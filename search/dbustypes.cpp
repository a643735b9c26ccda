#include "search/dbustypes.h"

#include <QDBusMetaType>

namespace ov::search {

QDBusArgument& operator<<(QDBusArgument& a, const RemoteMatch& m)
{
    a.beginStructure();
    a << m.id << m.text << m.iconName << m.type << m.relevance << m.properties;
    a.endStructure();
    return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, RemoteMatch& m)
{
    a.beginStructure();
    a >> m.id >> m.text >> m.iconName >> m.type >> m.relevance >> m.properties;
    a.endStructure();
    return a;
}

QDBusArgument& operator<<(QDBusArgument& a, const RemoteAction& r)
{
    a.beginStructure();
    a << r.id << r.text << r.iconName;
    a.endStructure();
    return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, RemoteAction& r)
{
    a.beginStructure();
    a >> r.id >> r.text >> r.iconName;
    a.endStructure();
    return a;
}

void registerDBusTypes()
{
    qDBusRegisterMetaType<RemoteMatch>();
    qDBusRegisterMetaType<QList<RemoteMatch>>();
    qDBusRegisterMetaType<RemoteAction>();
    qDBusRegisterMetaType<QList<RemoteAction>>();
    qDBusRegisterMetaType<QList<QVariantMap>>();
}

} // namespace ov::search
