#include "app/resourceinit.h"

#include <QtGlobal>

static void registerAll()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(language);
    Q_INIT_RESOURCE(models);
}

void initGaitForgeResources()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    registerAll();
}
