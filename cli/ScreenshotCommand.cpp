// brindlewarbler screenshot OUT.png: the editor drawn offscreen with the values that a preset,
// a saved state and settings give the module's parameters.
#include "CArguments.h"
#include "CRenderJob.h"
#include "COffscreenEditor.h"
#include "CliError.h"
#include "Commands.h"

#include <cstdio>

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

    COffscreenEditor editor(session);
    editor.Settle();
    if (!OffscreenFrame::of(editor.Frame())->savePNG(out.c_str())) {
        std::fprintf(stderr, "brindlewarbler: cannot write %s\n", out.c_str());
        return CCliError::kFailure;
    }
    return 0;
}
