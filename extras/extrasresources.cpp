#include "extras/extrasresources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
void ovEnsureExtrasResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(extras);
        return true;
    }();
    (void)done;
}
