#include "CArguments.h"
#include "CEffectSession.h"
#include "CJsonWriter.h"
#include "CStateRecord.h"
#include "Commands.h"

#include <cstdio>
#include <optional>

namespace {

const char* TypeName(char c)
{
    switch (c) {
    case 'f': return "float";
    case 'l': return "int32";
    case 'd': return "double";
    case 's': return "int16";
    case 'r': return "string";
    default: return "?";
    }
}

std::string StoredValue(const SStateEntry& e)
{
    if (e.m_cType == 'r')
        return e.m_Text;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", e.m_fNumber);
    return buf;
}

}  // namespace

int RunState(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {{"json", false, false}, {"module", true, false}};
    const CArguments args(words, kOptions);
    args.ExpectPositionals(1, 1, "brindlewarbler state FILE [--json]");
    const SStateRecord record = ReadStateFile(args.Positionals()[0]);

    // The module reads the state back and shows each value as its parameter displays it.
    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
    session.RestoreState(record.m_Bytes);
    auto find = [&](const std::string& id) -> const SParameterInfo* {
        for (const SParameterInfo& p : session.Parameters())
            if (p.m_ID == id)
                return &p;
        return nullptr;
    };

    if (args.Has("json")) {
        CJsonWriter json;
        json.BeginObject().Key("chunk").String(FourCCText(record.m_nChunkID)).Key("name").String(record.m_Name);
        json.Key("version").Integer(record.m_nVersion).Key("dataBytes").Integer(int64_t(record.m_Bytes.size() - kStateHeaderBytes));
        json.Key("entries").BeginArray();
        for (const SStateEntry& e : record.m_Entries) {
            const SParameterInfo* p = find(e.m_ID);
            json.BeginObject().Key("id").String(e.m_ID).Key("type").String(TypeName(e.m_cType));
            if (e.m_cType == 'r')
                json.Key("value").String(e.m_Text);
            else
                json.Key("value").Number(e.m_fNumber);
            if (p)
                json.Key("name").String(p->m_Name).Key("display").String(session.ValueText(*p));
            else
                json.Key("name").Null().Key("display").Null();
            json.EndObject();
        }
        json.EndArray().EndObject();
        std::fputs(json.Text().c_str(), stdout);
        return 0;
    }
    std::printf("chunk '%s' \"%s\", version %d, %zu data bytes, %zu values\n\n", FourCCText(record.m_nChunkID).c_str(),
                record.m_Name.c_str(), record.m_nVersion, record.m_Bytes.size() - kStateHeaderBytes, record.m_Entries.size());
    std::printf("%-14s  %-20s  %-6s  %-14s  %s\n", "id", "name", "type", "stored", "value");
    for (const SStateEntry& e : record.m_Entries) {
        const SParameterInfo* p = find(e.m_ID);
        std::printf("%-14s  %-20s  %-6s  %-14s  %s\n", e.m_ID.c_str(), p ? p->m_Name.c_str() : "(unknown)", TypeName(e.m_cType),
                    StoredValue(e).c_str(), p ? session.ValueText(*p).c_str() : "-");
    }
    return 0;
}
