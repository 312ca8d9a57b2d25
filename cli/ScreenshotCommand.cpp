// brindlewarbler screenshot OUT.png: the editor drawn offscreen with the values that a preset,
// a saved state and settings give the module's parameters.
//
// The module's own frames open in windows, so the picture is drawn by this program's copy of
// the editor, fed with the module's parameter values exactly as the host feeds the module's
// editor (ParameterUpdated for every parameter).
#include "CArguments.h"
#include "CModDelayModule.h"
#include "CRenderJob.h"
#include "CTsraVSTEditor.h"
#include "CliError.h"
#include "Commands.h"
#include "EditorResources.h"
#include "TsraResources.h"

#include <cstdio>
#include <cstdlib>

using namespace VSTGUI;

int RunScreenshot(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {
        {"preset", true, false}, {"state", true, false}, {"set", true, true}, {"module", true, false}};
    const CArguments args(words, kOptions);
    const char* kUsage = "brindlewarbler screenshot OUT.png [--preset P] [--state F] [--set NAME=VALUE]";
    args.ExpectPositionals(1, 1, kUsage);
    const std::string out = args.Positionals().front();

    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
    ApplyRequestedSettings(session, args.Value("state"), args.Value("preset"), args.Values("set"), false);

    tsraRegisterEditorResources();
    const TsraResourceEntry* pDescription = tsraFindResource("DATA", "TSRA.UIDESC");
    if (!pDescription)
        throw CCliError("the editor's description is missing from this program");
    CFrame::setOffscreenOverride(true);
    TimerQueue::current().useManualClock(0);
    CModDelayModule engine;
    int status = 0;
    {
        CTsraVSTEditor editor;
        if (!editor.open(reinterpret_cast<void*>(1), &engine, pDescription->pData, pDescription->nSize))
            throw CCliError("the editor did not open");
        std::vector<int32_t> map;
        for (uint32_t i = 0; i < engine.controlList().count(); ++i) {
            const uint32_t kind = engine.controlList().get(i)->m_uKind;
            if (kind == 100 || kind == 102 || kind == 103 || kind == 104 || kind == 106)
                map.push_back(static_cast<int32_t>(i));
        }
        editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
        editor.syncAllViews();
        for (const SParameterInfo& p : session.Parameters()) {
            char* pEnd = nullptr;
            const long id = std::strtol(p.m_ID.c_str(), &pEnd, 10);
            if (*pEnd == '\0' && id >= 1)
                editor.updateControl(static_cast<uint32_t>(id - 1), static_cast<float>(session.NormalizedValue(p)));
        }
        OffscreenFrame* io = OffscreenFrame::of(editor.getFrame());
        io->advanceTime(CTsraVSTEditor::kTimerPeriodMs);
        if (!io->savePNG(out.c_str())) {
            std::fprintf(stderr, "brindlewarbler: cannot write %s\n", out.c_str());
            status = CCliError::kFailure;
        }
        editor.close();
    }
    TimerQueue::current().useSystemClock();
    return status;
}
