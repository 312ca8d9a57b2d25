// The UI binary's one exported symbol and the C callbacks around CBwLv2Ui. Exceptions stop
// here: they must not cross into a C host.
#include "BwLv2Ports.h"
#include "CBwLv2Ui.h"

#include <dlfcn.h>

#include <cstring>
#include <new>

namespace {

// The window-system libraries stay loaded once we have used them: cairo and Xlib keep
// process-wide state (font caches, extension hooks) that must not outlive their code.
__attribute__((constructor)) void keepWindowLibrariesResident()
{
    for (const char* pName : {"libcairo.so.2", "libX11.so.6", "libfontconfig.so.1"})
        if (void* pHandle = dlopen(pName, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE))
            dlclose(pHandle);
}

CBwLv2Ui* ui(LV2UI_Handle h) { return static_cast<CBwLv2Ui*>(h); }

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pPluginUri, const char*, LV2UI_Write_Function pWrite,
                         LV2UI_Controller pController, LV2UI_Widget* pWidget, const LV2_Feature* const* ppFeatures)
{
    if (!pPluginUri || (std::strcmp(pPluginUri, bwlv2::kMonoUri) != 0 && std::strcmp(pPluginUri, bwlv2::kStereoUri) != 0))
        return nullptr;
    try {
        auto* p = new CBwLv2Ui(pWrite, pController, ppFeatures);
        if (!p->open()) {
            delete p;
            return nullptr;
        }
        if (pWidget)
            *pWidget = p->widget();
        return p;
    } catch (...) {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle h) { delete ui(h); }

void portEvent(LV2UI_Handle h, uint32_t uPort, uint32_t uSize, uint32_t uFormat, const void* pBuffer)
{
    try {
        ui(h)->portEvent(uPort, uSize, uFormat, pBuffer);
    } catch (...) {
    }
}

int idle(LV2UI_Handle h)
{
    try {
        return ui(h)->idle();
    } catch (...) {
        return 1;
    }
}

int show(LV2UI_Handle h) { return ui(h)->show(); }
int hide(LV2UI_Handle h) { return ui(h)->hide(); }

const LV2UI_Idle_Interface kIdle = {idle};
const LV2UI_Show_Interface kShow = {show, hide};

const void* extensionData(const char* pUri)
{
    if (std::strcmp(pUri, LV2_UI__idleInterface) == 0)
        return &kIdle;
    if (std::strcmp(pUri, LV2_UI__showInterface) == 0)
        return &kShow;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {bwlv2::kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t uIndex)
{
    return uIndex == 0 ? &kDescriptor : nullptr;
}
