#include "Tessera_EngineFactory.h"

#include "CModDelayModule.h"

#include <new>

CPlugIn* Tessera_CreateEngine()
{
    return new (std::nothrow) CModDelayModule;
}
