#include "CArguments.h"
#include "CJsonWriter.h"
#include "CRenderJob.h"
#include "Commands.h"

#include <cstdio>

int RunParams(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {
        {"json", false, false}, {"preset", true, false}, {"state", true, false}, {"set", true, true}, {"module", true, false}};
    const CArguments args(words, kOptions);
    args.ExpectPositionals(0, 0, "brindlewarbler params [--preset P] [--state F] [--set NAME=VALUE] [--json]");

    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
    ApplyRequestedSettings(session, args.Value("state"), args.Value("preset"), args.Values("set"), false);

    if (args.Has("json")) {
        CJsonWriter json;
        json.BeginArray();
        for (const SParameterInfo& p : session.Parameters()) {
            json.BeginObject().Key("id").String(p.m_ID).Key("name").String(p.m_Name);
            json.Key("value").String(session.ValueText(p)).Key("normalized").Number(session.NormalizedValue(p));
            json.Key("min").String(p.m_MinText).Key("max").String(p.m_MaxText);
            if (!p.m_Items.empty()) {
                json.Key("entries").BeginArray();
                for (const std::string& item : p.m_Items)
                    json.String(item);
                json.EndArray();
            }
            json.Key("steps").Integer(p.m_nSteps).Key("discrete").Bool(p.m_bDiscrete).Key("automatable").Bool(p.m_bAutomatable);
            json.EndObject();
        }
        json.EndArray();
        std::fputs(json.Text().c_str(), stdout);
        return 0;
    }
    std::printf("%-14s  %-20s  %-12s  %-40s  %5s  %s\n", "id", "name", "value", "range", "steps", "automatable");
    for (const SParameterInfo& p : session.Parameters()) {
        std::string range;
        if (!p.m_Items.empty())
            for (const std::string& item : p.m_Items)
                range += (range.empty() ? "" : " | ") + item;
        else
            range = p.m_MinText + " to " + p.m_MaxText;
        std::printf("%-14s  %-20s  %-12s  %-40s  %5d  %s\n", p.m_ID.c_str(), p.m_Name.c_str(), session.ValueText(p).c_str(),
                    range.c_str(), p.m_nSteps, p.m_bAutomatable ? "yes" : "no");
    }
    return 0;
}
