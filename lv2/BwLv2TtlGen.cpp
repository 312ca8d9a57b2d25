// bw_lv2_ttlgen SKELETON OUTDIR [--ui]: writes the bundle's Turtle files from the engine's own
// control records and preset table, so names, ranges, defaults and presets cannot drift:
//   OUTDIR/mono.ttl, OUTDIR/stereo.ttl  the two plug-in descriptions
//   OUTDIR/presets.ttl                  the named factory presets, for both plug-ins
//   OUTDIR/manifest.ttl                 SKELETON with the URIs filled in and the presets listed
//   OUTDIR/ui.ttl                       with --ui: the editor (brindlewarbler_ui.so), which
//                                       both plug-ins then name as their UI
// Fails (exit 1) on anything the description cannot express faithfully.
#include "BwLv2Ports.h"
#include "BwLv2Turtle.h"
#include "CModDelayModule.h"
#include "TapePresets.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace bwlv2;

namespace {

const char* const kPrefixes =
    "@prefix doap:   <http://usefulinc.com/ns/doap#> .\n"
    "@prefix lv2:    <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
    "@prefix pset:   <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf:    <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs:   <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix ui:     <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units:  <http://lv2plug.in/ns/extensions/units#> .\n\n";

std::string unitFor(const std::string& units)
{
    if (units.empty())
        return "";
    if (units == "%")
        return "units:pc";
    if (units == "Hz")
        return "units:hz";
    if (units == "dB")
        return "units:db";
    throw std::runtime_error("no LV2 unit for \"" + units + "\"");
}

std::vector<std::string> splitEntries(const std::string& text)
{
    std::vector<std::string> out;
    std::stringstream ss(text);
    for (std::string item; std::getline(ss, item, ',');) {
        // The switches' entries read "OFF"/"ON" wherever a person sees them.
        if (item.rfind("SWITCH_", 0) == 0)
            item = item.substr(7);
        out.push_back(item);
    }
    return out;
}

void writeControlPort(std::ostream& os, uint32_t i, const ControlRecord& r)
{
    os << "        a lv2:InputPort , lv2:ControlPort ;\n"
       << "        lv2:index " << i << " ;\n"
       << "        lv2:symbol " << turtleString(kControlSymbols[i]) << " ;\n"
       << "        lv2:name " << turtleString(r.m_pName) << " ;\n";
    if (r.m_uKind == kControlEnumerated) {
        const std::vector<std::string> entries = splitEntries(r.m_pEnumText);
        const auto uMax = static_cast<uint32_t>(r.m_fMax);
        if (r.m_fMin != 0.0f || entries.size() != uMax + 1)
            throw std::runtime_error(std::string("entries do not match the range of ") + r.m_pName);
        os << "        lv2:portProperty lv2:integer , lv2:enumeration ;\n"
           << "        lv2:default " << r.m_uDefault << " ;\n"
           << "        lv2:minimum 0 ;\n"
           << "        lv2:maximum " << uMax << " ;\n"
           << "        lv2:scalePoint ";
        for (uint32_t k = 0; k < entries.size(); ++k)
            os << (k ? " , " : "") << "[ rdfs:label " << turtleString(entries[k])
               << " ; rdf:value " << k << " ]";
        os << "\n";
        return;
    }
    if (r.m_uKind != kControlContinuous || r.m_uDataType != kDataFloat)
        throw std::runtime_error(std::string("unexpected kind of control ") + r.m_pName);
    os << "        lv2:default " << turtleFloat(r.m_fDefault) << " ;\n"
       << "        lv2:minimum " << turtleFloat(r.m_fMin) << " ;\n"
       << "        lv2:maximum " << turtleFloat(r.m_fMax);
    // A logarithmic scale needs a positive range; the hiss control's taper works on values
    // that are decibels already, so hosts must draw it linearly (GTK hosts refuse otherwise).
    if (r.m_bLogTaper && r.m_fMin > 0.0f)
        os << " ;\n        lv2:portProperty pprops:logarithmic";
    const std::string unit = unitFor(r.m_pUnits);
    if (!unit.empty())
        os << " ;\n        units:unit " << unit;
    os << "\n";
}

void writeMeterPort(std::ostream& os, uint32_t i, const ControlRecord& r)
{
    if (r.m_uKind != kControlMeter)
        throw std::runtime_error(std::string("expected a meter at ") + std::to_string(i));
    // Linear peak level of the block; 1.0 is full scale.
    os << "        a lv2:OutputPort , lv2:ControlPort ;\n"
       << "        lv2:index " << i << " ;\n"
       << "        lv2:symbol " << turtleString(kControlSymbols[i]) << " ;\n"
       << "        lv2:name " << turtleString(kMeterNames[i - kMeterPortL]) << " ;\n"
       << "        lv2:minimum 0.0 ;\n"
       << "        lv2:maximum 1.0\n";
}

void writePlugin(std::ostream& os, const CModDelayModule& engine, const char* pUri,
                 const char* pName, const AudioPortNames* pAudio, uint32_t uChannels, bool bUi)
{
    os << kPrefixes << "<" << pUri << ">\n"
       << "    a lv2:Plugin , lv2:SimulatorPlugin ;\n"
       << "    doap:name " << turtleString(pName) << " ;\n"
       << "    lv2:optionalFeature lv2:hardRTCapable ;\n";
    if (bUi)
        os << "    ui:ui <" << kUiUri << "> ;\n";
    os << "    lv2:port [\n";
    for (uint32_t i = 0; i < kFirstAudioPort; ++i) {
        const ControlRecord* r = engine.controlRecord(i);
        if (!r)
            throw std::runtime_error("the engine has fewer controls than ports");
        if (i < kControlPorts)
            writeControlPort(os, i, *r);
        else
            writeMeterPort(os, i, *r);
        os << "    ] , [\n";
    }
    for (uint32_t a = 0; a < 2 * uChannels; ++a) {
        os << "        a " << (a < uChannels ? "lv2:InputPort" : "lv2:OutputPort")
           << " , lv2:AudioPort ;\n"
           << "        lv2:index " << kFirstAudioPort + a << " ;\n"
           << "        lv2:symbol " << turtleString(pAudio[a].pSymbol) << " ;\n"
           << "        lv2:name " << turtleString(pAudio[a].pName) << "\n"
           << (a + 1 < 2 * uChannels ? "    ] , [\n" : "    ] .\n");
    }
}

// The editor: embedded through ui:parent and driven by the host's idle calls; the meters'
// ports are sent to it as they change.
void writeUi(std::ostream& os, std::ostream& manifest)
{
    manifest << "\n<" << kUiUri << ">\n    a <http://lv2plug.in/ns/extensions/ui#X11UI> ;\n"
             << "    <http://lv2plug.in/ns/extensions/ui#binary> <brindlewarbler_ui.so> ;\n"
             << "    rdfs:seeAlso <ui.ttl> .\n";
    os << kPrefixes << "<" << kUiUri << ">\n"
       << "    a ui:X11UI ;\n"
       << "    ui:binary <brindlewarbler_ui.so> ;\n"
       << "    lv2:requiredFeature ui:idleInterface ;\n"
       << "    lv2:optionalFeature ui:parent , ui:resize , ui:touch , ui:noUserResize ;\n"
       << "    lv2:extensionData ui:idleInterface , ui:showInterface ;\n"
       << "    ui:portNotification ";
    bool bFirst = true;
    for (const char* pPlugin : {kMonoUri, kStereoUri})
        for (uint32_t uPort : {kMeterPortL, kMeterPortR}) {
            os << (bFirst ? "" : " , ") << "[\n        ui:plugin <" << pPlugin << "> ;\n"
               << "        lv2:symbol " << turtleString(kControlSymbols[uPort]) << " ;\n"
               << "        ui:protocol ui:floatProtocol\n    ]";
            bFirst = false;
        }
    os << " .\n";
}

std::string presetUri(const char* pPluginUri, int nSlot)
{
    return std::string(pPluginUri) + ":preset:" + slug(kTapePresetNames[nSlot]);
}

// Checks a preset value against its control: in range, and a whole entry for a switch.
float presetValue(const ControlRecord& r, int nSlot, uint32_t i)
{
    const auto f = static_cast<float>(kTapePresetValues[nSlot][i]);
    const bool bWhole = r.m_uKind != kControlEnumerated || f == std::floor(f);
    if (f < r.m_fMin || f > r.m_fMax || !bWhole)
        throw std::runtime_error(std::string("preset \"") + kTapePresetNames[nSlot] +
                                 "\" is out of range for " + r.m_pName);
    return f;
}

void writePresets(std::ostream& os, std::ostream& manifest, const CModDelayModule& engine)
{
    os << kPrefixes;
    for (const char* pPlugin : {kMonoUri, kStereoUri}) {
        for (int s = 0; s < kTapePresetCount; ++s) {
            const std::string uri = presetUri(pPlugin, s);
            manifest << "\n<" << uri << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << pPlugin
                     << "> ;\n    rdfs:seeAlso <presets.ttl> .\n";
            os << "<" << uri << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << pPlugin
               << "> ;\n    rdfs:label " << turtleString(kTapePresetNames[s]) << " ;\n    lv2:port ";
            for (uint32_t i = 0; i < kControlPorts; ++i) {
                const ControlRecord* r = engine.controlRecord(i);
                const float f = presetValue(*r, s, i);
                // Always a float literal, switches too: hosts restore an integer literal as
                // an integer value, which a float control port then misreads.
                os << (i ? " , " : "") << "[\n        lv2:symbol " << turtleString(kControlSymbols[i])
                   << " ;\n        pset:value " << turtleFloat(f) << "\n    ]";
            }
            os << " .\n\n";
        }
    }
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path);
    out << text;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool bUi = argc == 4 && std::string(argv[3]) == "--ui";
    if (argc != 3 && !bUi) {
        std::cerr << "usage: bw_lv2_ttlgen SKELETON OUTDIR [--ui]\n";
        return 2;
    }
    try {
        const std::string outDir = argv[2];
        const CModDelayModule engine;
        if (engine.controlCount() != kFirstAudioPort)
            throw std::runtime_error("the engine's control count does not match the port layout");

        std::ostringstream mono, stereo, presets, manifest, ui;
        writePlugin(mono, engine, kMonoUri, "BrindleWarbler Mono", kMonoAudio, 1, bUi);
        writePlugin(stereo, engine, kStereoUri, "BrindleWarbler Stereo", kStereoAudio, 2, bUi);
        std::string skeleton = readFile(argv[1]);
        skeleton = replaceAll(skeleton, "@MONO_URI@", kMonoUri);
        skeleton = replaceAll(skeleton, "@STEREO_URI@", kStereoUri);
        manifest << skeleton;
        writePresets(presets, manifest, engine);
        if (bUi) {
            writeUi(ui, manifest);
            writeFile(outDir + "/ui.ttl", ui.str());
        }

        writeFile(outDir + "/mono.ttl", mono.str());
        writeFile(outDir + "/stereo.ttl", stereo.str());
        writeFile(outDir + "/presets.ttl", presets.str());
        writeFile(outDir + "/manifest.ttl", manifest.str());
    } catch (const std::exception& e) {
        std::cerr << "bw_lv2_ttlgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
