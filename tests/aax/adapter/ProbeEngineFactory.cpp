// The probe module's engine: the tape effect that records the adapter's calls.
#include "ProbeEngine.h"
#include "Tessera_EngineFactory.h"

#include <new>

CPlugIn* Tessera_CreateEngine()
{
    return new (std::nothrow) CProbeEngine;
}
