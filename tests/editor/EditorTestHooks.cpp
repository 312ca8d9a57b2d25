// Built into a test copy of the module: its frames open offscreen, and these functions let a
// test drive the editor of a GUI object that the host created (the toolkit inside the module
// is the module's own copy, so the test reaches it only through here).
#include "CKnobWP.h"
#include "CVuMeterWP.h"
#include "Tessera_GUI.h"

using namespace VSTGUI;

namespace {
__attribute__((constructor)) void openFramesOffscreen() { CFrame::setOffscreenOverride(true); }

CTsraVSTEditor& editorOf(void* pGUI)
{
    return static_cast<Tessera_GUI*>(static_cast<AAX_IEffectGUI*>(pGUI))->Editor();
}
OffscreenFrame* ioOf(void* pGUI)
{
    CFrame* pFrame = editorOf(pGUI).getFrame();
    return pFrame ? OffscreenFrame::of(pFrame) : nullptr;
}
}  // namespace

extern "C" {
__attribute__((visibility("default"))) int bwTestViewCount(void* pGUI)
{
    return static_cast<int>(editorOf(pGUI).viewCount());
}
__attribute__((visibility("default"))) int bwTestIsOpen(void* pGUI) { return editorOf(pGUI).isOpen() ? 1 : 0; }
__attribute__((visibility("default"))) void bwTestMouse(void* pGUI, int kind, double x, double y, int buttons)
{
    if (OffscreenFrame* io = ioOf(pGUI)) {
        if (kind == 0)
            io->mouseDown(CPoint(x, y), buttons);
        else if (kind == 1)
            io->mouseMove(CPoint(x, y), buttons);
        else
            io->mouseUp(CPoint(x, y), buttons);
    }
}
__attribute__((visibility("default"))) void bwTestAdvance(void* pGUI, unsigned ms)
{
    if (OffscreenFrame* io = ioOf(pGUI))
        io->advanceTime(ms);
}
__attribute__((visibility("default"))) float bwTestKnobValue(void* pGUI, int tag)
{
    for (CKnobWP* k : editorOf(pGUI).knobs())
        if (k->getTag() == tag)
            return k->getValue();
    return -1.0f;
}
__attribute__((visibility("default"))) float bwTestMeterLevel(void* pGUI, int index)
{
    const auto& meters = editorOf(pGUI).meters();
    return index >= 0 && static_cast<size_t>(index) < meters.size() ? meters[static_cast<size_t>(index)]->shownLevel() : -1.0f;
}
__attribute__((visibility("default"))) float bwTestEngineControl(void* pGUI, unsigned index)
{
    CPlugIn* p = static_cast<Tessera_GUI*>(static_cast<AAX_IEffectGUI*>(pGUI))->PlugIn();
    return p ? p->getControlValue(index) : -1.0f;
}
__attribute__((visibility("default"))) int bwTestSavePNG(void* pGUI, const char* pPath)
{
    OffscreenFrame* io = ioOf(pGUI);
    return io && io->savePNG(pPath) ? 1 : 0;
}
}
