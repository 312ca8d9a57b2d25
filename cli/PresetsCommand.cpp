#include "CArguments.h"
#include "CEffectSession.h"
#include "CJsonWriter.h"
#include "Commands.h"
#include "TapePresets.h"

#include <cstdio>

int RunPresets(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {{"json", false, false}, {"module", true, false}};
    const CArguments args(words, kOptions);
    args.ExpectPositionals(0, 0, "brindlewarbler presets [--json]");

    // The module shows each value the way its parameters display it.
    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    const CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);

    if (args.Has("json")) {
        CJsonWriter json;
        json.BeginArray();
        for (int slot = 0; slot < kTapePresetCount; ++slot) {
            json.BeginObject().Key("number").Integer(slot).Key("name").String(kTapePresetNames[slot]).Key("values").BeginArray();
            for (int i = 0; i < kTapePresetControls; ++i) {
                const SParameterInfo& p = session.Resolve(std::to_string(i + 1));
                const double v = kTapePresetValues[slot][i];
                json.BeginObject().Key("id").String(p.m_ID).Key("name").String(p.m_Name).Key("value").Number(v);
                json.Key("display").String(session.DisplayOf(p, session.NormalizedFromReal(p, v))).EndObject();
            }
            json.EndArray().EndObject();
        }
        json.EndArray();
        std::fputs(json.Text().c_str(), stdout);
        return 0;
    }
    std::printf("%-3s  %s\n", "#", "preset");
    for (int slot = 0; slot < kTapePresetCount; ++slot)
        std::printf("%-3d  %s\n", slot, kTapePresetNames[slot]);
    return 0;
}
