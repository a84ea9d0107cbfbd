#include "corvaneresources.h"

#include <QtGlobal>

// Outside any namespace: the resource initialisers are declared at global scope.
static bool registerResources()
{
    Q_INIT_RESOURCE(corvane);
    Q_INIT_RESOURCE(translations);
    return true;
}

void initCorvaneResources()
{
    static const bool registered = registerResources();
    Q_UNUSED(registered)
}
