#include "Tessera_GUI.h"

#include <new>

IACFUnknown* Tessera_GUI::Create()
{
    auto* pGUI = new (std::nothrow) Tessera_GUI;
    return pGUI ? static_cast<AAX_IEffectGUI*>(pGUI) : nullptr;
}
