#include "CArguments.h"
#include "CJsonWriter.h"
#include "CEffectSession.h"
#include "CModuleHost.h"
#include "COffscreenEditor.h"
#include "CStateRecord.h"
#include "Commands.h"
#include "EditorViews.h"

#include <cstdio>

namespace {

const char* PropertyName(int32_t id)
{
    switch (id) {
    case AAX_eProperty_ManufacturerID: return "ManufacturerID";
    case AAX_eProperty_ProductID: return "ProductID";
    case AAX_eProperty_PlugInID_Native: return "PlugInID_Native";
    case AAX_eProperty_InputStemFormat: return "InputStemFormat";
    case AAX_eProperty_OutputStemFormat: return "OutputStemFormat";
    case AAX_eProperty_UsesClientGUI: return "UsesClientGUI";
    case AAX_eProperty_CanBypass: return "CanBypass";
    case AAX_eProperty_Meter_Type: return "Meter_Type";
    case AAX_eProperty_Meter_Orientation: return "Meter_Orientation";
    case AAX_eProperty_SupportsSaveRestore: return "SupportsSaveRestore";
    default: return nullptr;
    }
}

std::string PropertyKey(int32_t id)
{
    const char* p = PropertyName(id);
    return p ? p : "property " + std::to_string(id);
}

std::string PropertyValue(int32_t id, int32_t value)
{
    if (id == AAX_eProperty_ManufacturerID || id == AAX_eProperty_ProductID || id == AAX_eProperty_PlugInID_Native)
        return "'" + FourCCText(uint32_t(value)) + "'";
    if (id == AAX_eProperty_InputStemFormat || id == AAX_eProperty_OutputStemFormat)
        return value == AAX_eStemFormat_None ? "none" : std::to_string(AAX_StemFormatChannelCount(value)) + " ch";
    return std::to_string(value);
}

const char* FieldKind(SHostField::EKind kind)
{
    switch (kind) {
    case SHostField::kAudioIn: return "audio in";
    case SHostField::kAudioOut: return "audio out";
    case SHostField::kBufferLength: return "buffer length";
    case SHostField::kMeters: return "meters";
    case SHostField::kMIDINode: return "MIDI node";
    case SHostField::kPrivateData: return "private data";
    case SHostField::kDataInPort: return "data-in port";
    }
    return "?";
}

void JsonProperties(CJsonWriter& json, const SHostProperties& properties)
{
    json.BeginObject();
    for (const auto& [id, value] : properties)
        json.Key(PropertyKey(id)).String(PropertyValue(id, value));
    json.EndObject();
}

std::string TextProperties(const SHostProperties& properties)
{
    std::string text;
    for (const auto& [id, value] : properties)
        text += (text.empty() ? "" : ", ") + PropertyKey(id) + " " + PropertyValue(id, value);
    return text;
}

void WriteJson(const SHostDescription& d)
{
    CJsonWriter json;
    json.BeginObject().Key("manufacturer").String(d.m_ManufacturerName).Key("packages").BeginArray();
    for (const std::string& p : d.m_PackageNames)
        json.String(p);
    json.EndArray().Key("packageVersion").Integer(d.m_nPackageVersion).Key("effects").BeginArray();
    for (const SHostEffect& e : d.m_Effects) {
        json.BeginObject().Key("id").String(e.m_ID).Key("names").BeginArray();
        for (const std::string& n : e.m_Names)
            json.String(n);
        json.EndArray().Key("categories").BeginArray();
        for (const uint32_t c : e.m_Categories)
            json.Integer(c);
        json.EndArray().Key("properties");
        JsonProperties(json, e.m_Properties);
        json.Key("factories").BeginArray();
        for (const auto& [id, proc] : e.m_Factories)
            json.Integer(id);
        json.EndArray().Key("meters").BeginArray();
        for (const SHostMeter& m : e.m_Meters) {
            json.BeginObject().Key("id").String(FourCCText(m.m_nID)).Key("name").String(m.m_Name).Key("properties");
            JsonProperties(json, m.m_Properties);
            json.EndObject();
        }
        json.EndArray().Key("components").BeginArray();
        for (const SHostComponent& c : e.m_Components) {
            json.BeginObject().Key("inputChannels").Integer(ComponentInputChannels(c));
            json.Key("outputChannels").Integer(ComponentOutputChannels(c)).Key("fields").BeginArray();
            for (const SHostField& f : c.m_Fields) {
                json.BeginObject().Key("index").Integer(f.m_nIndex).Key("kind").String(FieldKind(f.m_eKind));
                if (f.m_nBytes)
                    json.Key("bytes").Integer(f.m_nBytes);
                if (!f.m_Name.empty())
                    json.Key("name").String(f.m_Name);
                if (!f.m_MeterIDs.empty()) {
                    json.Key("meters").BeginArray();
                    for (const AAX_CTypeID id : f.m_MeterIDs)
                        json.String(FourCCText(id));
                    json.EndArray();
                }
                json.EndObject();
            }
            json.EndArray().Key("processProcs").BeginArray();
            for (const SHostProcessProc& p : c.m_ProcessProcs)
                JsonProperties(json, p.m_Properties);
            json.EndArray().EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    std::fputs(json.Text().c_str(), stdout);
}

void WriteText(const SHostDescription& d)
{
    std::printf("manufacturer  %s\n", d.m_ManufacturerName.c_str());
    for (const std::string& p : d.m_PackageNames)
        std::printf("package       %s\n", p.c_str());
    std::printf("version       0x%08X\n", d.m_nPackageVersion);
    for (const SHostEffect& e : d.m_Effects) {
        std::printf("\neffect %s\n", e.m_ID.c_str());
        for (const std::string& n : e.m_Names)
            std::printf("  name        %s\n", n.c_str());
        for (const uint32_t c : e.m_Categories)
            std::printf("  category    0x%08X\n", c);
        if (!e.m_Properties.empty())
            std::printf("  properties  %s\n", TextProperties(e.m_Properties).c_str());
        std::string factories;
        for (const auto& [id, proc] : e.m_Factories)
            factories += (factories.empty() ? "" : ", ") + std::to_string(id);
        std::printf("  factories   %s\n", factories.c_str());
        for (const SHostMeter& m : e.m_Meters)
            std::printf("  meter       '%s' \"%s\"  %s\n", FourCCText(m.m_nID).c_str(), m.m_Name.c_str(), TextProperties(m.m_Properties).c_str());
        for (size_t i = 0; i < e.m_Components.size(); ++i) {
            const SHostComponent& c = e.m_Components[i];
            std::printf("  component %zu: %d in, %d out\n", i, ComponentInputChannels(c), ComponentOutputChannels(c));
            for (const SHostField& f : c.m_Fields) {
                std::printf("    field %2d  %s", f.m_nIndex, FieldKind(f.m_eKind));
                if (f.m_nBytes)
                    std::printf(", %d bytes", f.m_nBytes);
                if (!f.m_Name.empty())
                    std::printf(", \"%s\"", f.m_Name.c_str());
                for (const AAX_CTypeID id : f.m_MeterIDs)
                    std::printf(" '%s'", FourCCText(id).c_str());
                std::printf("\n");
            }
            for (const SHostProcessProc& p : c.m_ProcessProcs)
                std::printf("    render procedure  %s\n", TextProperties(p.m_Properties).c_str());
        }
    }
}

}  // namespace

int RunDescribe(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {{"json", false, false}, {"editor", false, false}, {"module", true, false}};
    const CArguments args(words, kOptions);
    args.ExpectPositionals(0, 0, "brindlewarbler describe [--editor] [--json]");
    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    if (args.Has("editor")) {
        // The editor as it opens on a new instance: every parameter at its default.
        CEffectSession session(host, host.ComponentFor(2), 44100.0f, 512);
        COffscreenEditor editor(session);
        const std::string views = args.Has("json") ? EditorViewsJson(editor.Frame()) : EditorViewsText(editor.Frame());
        std::fputs(views.c_str(), stdout);
    } else if (args.Has("json"))
        WriteJson(host.Description());
    else
        WriteText(host.Description());
    return 0;
}
