// Arbitrary bytes as the editor's UI description, opened offscreen (no X server) on the
// module's own parameter object and engine, wired as the module's GUI object wires it: a
// description the editor cannot use is refused; one it accepts must give a frame that
// syncs, ticks its timer, paints and closes.
#include "CTsraVSTEditor.h"
#include "EditorResources.h"
#include "Tessera_Parameters.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace VSTGUI;

namespace {

struct SModule {
    Tessera_Parameters* m_pParameters = new Tessera_Parameters;
    CPlugIn* m_pPlugIn = nullptr;
    const int32_t* m_pMeterTable = nullptr;
    std::vector<int32_t> m_ControlIndexMap;

    SModule()
    {
        CFrame::setOffscreenOverride(true);
        TimerQueue::current().useManualClock(0);
        tsraRegisterEditorResources();
        // Cairo's and fontconfig's font caches look leaked at exit unless freed.
        std::atexit(releaseFontCaches);
        m_pParameters->AddRef();
        if (m_pParameters->Initialize(nullptr) != AAX_SUCCESS)
            std::abort();
        void* pointers[2] = {nullptr, nullptr};
        uint32_t nWritten = 0;
        if (m_pParameters->GetCustomData(Tessera_Parameters::kCustomDataEngine, sizeof pointers, pointers, &nWritten) !=
                AAX_SUCCESS ||
            !pointers[0] || !pointers[1])
            std::abort();
        m_pPlugIn = static_cast<CPlugIn*>(pointers[0]);
        m_pMeterTable = static_cast<const int32_t*>(pointers[1]);
        m_ControlIndexMap = CTsraVSTEditor::controlIndexMapFor(*m_pPlugIn);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // The module stays for the run: the editor only reads from it while nobody clicks.
    static SModule s_Module;
    CTsraVSTEditor editor;
    if (!editor.open(reinterpret_cast<void*>(1), s_Module.m_pPlugIn, pData, nSize)) {
        if (editor.isOpen() || editor.controlCopyCount() != 0)
            std::abort();  // a refused description keeps nothing
        return 0;
    }
    editor.notifyOpened();
    editor.setEffectParameters(s_Module.m_pParameters);
    editor.setControlIndexMap(s_Module.m_ControlIndexMap.data(), int32_t(s_Module.m_ControlIndexMap.size()));
    editor.setMeterTable(s_Module.m_pMeterTable);
    editor.syncAllViews();
    float fWidth = 0, fHeight = 0;
    editor.getSize(fWidth, fHeight);
    if (!(fWidth > 0 && fHeight > 0))
        std::abort();
    if (OffscreenFrame* pFrame = OffscreenFrame::of(editor.getFrame()))
        pFrame->advanceTime(CTsraVSTEditor::kTimerPeriodMs + 1);  // one meter tick, then a paint
    else
        std::abort();
    editor.close();
    return 0;
}
