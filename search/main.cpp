// omnivelor-search: the D-Bus service behind the desktop's search field (see searchservice.h).
#include "search/searchservice.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("omnivelor-search"));
    ov::search::registerDBusTypes();
    ov::search::SearchService service;
    if (!service.registerOnBus()) {
        std::fprintf(stderr, "omnivelor-search: the name %s cannot be had on the session bus\n", ov::search::kBusName);
        return 1;
    }
    return QCoreApplication::exec();
}
