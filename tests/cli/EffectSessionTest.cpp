// The real module driven as a host drives it: presets and --set values arrive as the
// control values they name, and states round-trip.

#include "CEffectSession.h"
#include "CModuleHost.h"
#include "CStateRecord.h"
#include "CliError.h"
#include "TapePresets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

class EffectSession : public testing::Test {
protected:
    // Loaded once and kept until the process ends: unloading would also unload the libraries
    // only the module uses (cairo, X11, ...), whose start-up allocations the leak checker would
    // then report as lost. The command itself links them and unloads the module normally.
    static void SetUpTestSuite()
    {
        if (!s_pHost)
            s_pHost = new CModuleHost(BW_MODULE_PATH);
    }

    // The stored value of every parameter, by identifier, from the module's own state.
    static std::map<std::string, double> Stored(const CEffectSession& session)
    {
        std::map<std::string, double> values;
        for (const SStateEntry& e : DecodeStateRecord(session.SaveState(), "state").m_Entries)
            values[e.m_ID] = e.m_fNumber;
        return values;
    }

    static std::string ErrorOf(CEffectSession& session, const std::string& assignment)
    {
        try {
            session.ApplySetting(assignment);
        } catch (const CCliError& e) {
            return e.what();
        }
        return "";
    }

    static CModuleHost* s_pHost;
};

CModuleHost* EffectSession::s_pHost = nullptr;

}  // namespace

TEST_F(EffectSession, PresetsArriveAsTheTableValues)
{
    CEffectSession session(*s_pHost, s_pHost->ComponentFor(2), 44100.0f, 512);
    for (int slot = kTapePresetCount - 1; slot >= 0; --slot) {
        session.ApplyPreset(slot);
        const std::map<std::string, double> stored = Stored(session);
        for (int i = 0; i < kTapePresetControls; ++i) {
            const float want = float(kTapePresetValues[slot][i]);
            const double got = stored.at(std::to_string(i + 1));
            if (i == 4) {
                // Tape Hiss: the log taper keeps its value to a thousandth of a dB.
                EXPECT_EQ(float(got), float(std::floor(double(want) * 1000.0 + 0.5) * 0.001)) << kTapePresetNames[slot];
            } else {
                EXPECT_EQ(float(got), want) << kTapePresetNames[slot] << ", control " << i + 1;
            }
        }
    }
}

TEST_F(EffectSession, SettingsTakeUnitsEntriesNamesAndIdentifiers)
{
    CEffectSession session(*s_pHost, s_pHost->ComponentFor(2), 48000.0f, 256);
    session.ApplySetting("Wow Depth=40");
    session.ApplySetting("tape type = ii");
    session.ApplySetting("NR Comp=ON");
    session.ApplySetting("Tape Hiss=-60 dB");
    session.ApplySetting("Input=-3.5dB");
    session.ApplySetting("7=2.5");  // Saturation by identifier
    session.ApplySetting("Age=3");  // an entry by its index
    const std::map<std::string, double> stored = Stored(session);
    EXPECT_EQ(stored.at("1"), 40.0);
    EXPECT_EQ(stored.at("12"), 1.0);
    EXPECT_EQ(stored.at("15"), 1.0);
    EXPECT_NEAR(stored.at("5"), -60.0, 1e-5);
    EXPECT_EQ(stored.at("9"), -3.5);
    EXPECT_EQ(stored.at("7"), 2.5);
    EXPECT_EQ(stored.at("14"), 3.0);
    EXPECT_EQ(session.ValueText(session.Resolve("Tape Type")), "II");

    session.SetBypass(true);
    EXPECT_EQ(session.ValueText(session.Resolve("MasterBypassID")), "on");
}

TEST_F(EffectSession, BadSettingsSayWhatWouldBeRight)
{
    CEffectSession session(*s_pHost, s_pHost->ComponentFor(2), 44100.0f, 512);
    EXPECT_EQ(ErrorOf(session, "Wow Depth=140"), "Wow Depth = 140 is out of range (0.00 % to 100.00 %)");
    EXPECT_EQ(ErrorOf(session, "Tape Hiss=-20"), "Tape Hiss = -20 is out of range (-96.00 dB to -30.00 dB)");
    EXPECT_NE(ErrorOf(session, "Wow Dpeth=4").find("did you mean \"Wow Depth\"?"), std::string::npos);
    EXPECT_NE(ErrorOf(session, "Tape Type=III").find("choose one of I, II, IV, BYPASS"), std::string::npos);
    EXPECT_NE(ErrorOf(session, "Wow Depth=forty").find("needs a number in %"), std::string::npos);
    EXPECT_NE(ErrorOf(session, "Wow Depth=40 Hz").find("needs a number"), std::string::npos);
    EXPECT_NE(ErrorOf(session, "Wow Depth").find("NAME=VALUE"), std::string::npos);
    EXPECT_EQ(ErrorOf(session, "L=0.5"), "L is a meter the effect writes; it cannot be set");
    // Nothing of the refused settings arrived.
    EXPECT_EQ(Stored(session).at("1"), 0.0);
}

TEST_F(EffectSession, PresetsResolveByNameOrNumber)
{
    EXPECT_EQ(ResolvePreset("1988"), 4);  // a name before a number
    EXPECT_EQ(ResolvePreset("dusty piano"), 11);
    EXPECT_EQ(ResolvePreset("12"), 12);
    EXPECT_THROW(ResolvePreset("13"), CCliError);
    try {
        ResolvePreset("Dusty Pianno");
        FAIL();
    } catch (const CCliError& e) {
        EXPECT_NE(std::string(e.what()).find("did you mean \"Dusty Piano\"?"), std::string::npos);
    }
    EXPECT_EQ(ComponentInputChannels(s_pHost->Effect().m_Components[s_pHost->ComponentFor(1)]), 1);
    EXPECT_EQ(ComponentOutputChannels(s_pHost->Effect().m_Components[s_pHost->ComponentFor(2)]), 2);
    EXPECT_THROW(s_pHost->ComponentFor(3), CCliError);
}
