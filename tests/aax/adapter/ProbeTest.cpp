// Calls the adapter makes on the engine, observed through the probe module (the adapter with
// a recording engine): MIDI dispatch at the right frame and one control write per batch entry.

#include "ModuleDriver.h"
#include "ProbeEngine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct SProbe {
    CHostAudioThread audio;
    CTestInstance t{Effect(LoadedModule(BW_PROBE_MODULE_PATH)), kStereoComponent};
    CProbeEngine& Engine() { return static_cast<CProbeEngine&>(t.Engine()); }

    // Renders one buffer with these packets (frame, status, data 1, data 2) and returns what the
    // engine received, one event a line: "kind frame channel a b c position normalised all-off".
    std::string RenderWith(std::initializer_list<std::array<uint32_t, 4>> packets, int nFrames = 512)
    {
        std::vector<AAX_CMidiPacket> midi;
        for (const auto& p : packets)
            midi.push_back(CHostMidiNode::MakePacket(p[0], uint8_t(p[1]), uint8_t(p[2]), uint8_t(p[3])));
        t.Host().MidiInput().SetPackets(midi);
        SAudio io(2, nFrames);
        const uint32_t nBefore = Engine().m_nEvents;
        t.Render(audio, io);
        std::ostringstream text;
        for (uint32_t k = nBefore; k < Engine().m_nEvents; ++k) {
            const SProbeMidiEvent& e = Engine().m_Events[k];
            text << e.m_eKind << ' ' << e.m_nFrame << ' ' << e.m_uChannel << ' ' << e.m_uA << ' ' << e.m_uB << ' ' << e.m_uC
                 << ' ' << e.m_nPosition << ' ' << e.m_fNormalised << ' ' << e.m_bAllNotesOff << '\n';
        }
        return text.str();
    }
};

}  // namespace

// Kinds: 0 note on, 1 note off, 2 mod wheel, 3 pitch wheel, 4 other.
TEST(MidiDispatch, PacketsArriveBeforeTheirFrameEarlierOnesAreDroppedLaterOnesWait)
{
    SProbe p;
    // Note 61 at frame 3 comes after a packet for frame 5: out of order, dropped. A note on
    // with velocity 0 is a note off. Packets at or after the buffer length wait.
    EXPECT_EQ(p.RenderWith({{5, 0x92, 60, 100}, {3, 0x92, 61, 100}, {5, 0x92, 60, 0}, {511, 0x80, 62, 9}, {512, 0x90, 63, 1},
                            {900, 0x90, 64, 1}}),
              "0 5 2 60 100 0 0 0 0\n"
              "1 5 2 60 0 0 0 0 0\n"
              "1 511 0 62 9 0 0 0 0\n");
    EXPECT_EQ(p.Engine().m_nFrames, 512u);
}

TEST(MidiDispatch, ControllerAndPitchWheelRules)
{
    SProbe p;
    // 120, 123, 126 and 127 turn all notes off; 123 with a value and controller 7 need the
    // all-MIDI flag. The pitch wheel is centred on 8192 and scaled by 1 / 8191.
    EXPECT_EQ(p.RenderWith({{0, 0xB1, 126, 9}, {0, 0xB1, 120, 0}, {0, 0xB1, 123, 0}, {0, 0xB1, 127, 0}, {1, 0xB1, 123, 5},
                            {1, 0xB3, 1, 77}, {2, 0xE4, 0x00, 0x00}, {2, 0xE4, 0x7F, 0x7F}, {2, 0xE4, 0x00, 0x40},
                            {3, 0xB0, 7, 100}}),
              "1 0 1 0 0 0 0 0 1\n"
              "1 0 1 0 0 0 0 0 1\n"
              "1 0 1 0 0 0 0 0 1\n"
              "1 0 1 0 0 0 0 0 1\n"
              "2 1 3 77 0 0 0 0 0\n"
              "3 2 4 0 0 0 -8192 -1 0\n"
              "3 2 4 0 0 0 8191 1 0\n"
              "3 2 4 0 0 0 0 0 0\n");
    const SProbeMidiEvent& low = p.Engine().m_Events[5];
    EXPECT_EQ(low.m_fNormalised, -8191.0f * 0.00012208521f);

    // With the all-MIDI flag the rest goes to onMidiMessage.
    SProbe q;
    q.Engine().m_bWantAllMidiMessages = true;
    EXPECT_EQ(q.RenderWith({{1, 0xB1, 123, 5}, {3, 0xB0, 7, 100}, {4, 0xA2, 60, 30}}),
              "4 1 1 176 123 5 0 0 0\n"
              "4 3 0 176 7 100 0 0 0\n"
              "4 4 2 160 60 30 0 0 0\n");
}

TEST(MidiDispatch, BypassedOrWithoutPacketsNothingIsDispatched)
{
    SProbe p;
    p.t.Set("MasterBypassID", 1.0);
    EXPECT_EQ(p.RenderWith({{0, 0x90, 60, 100}}), "");
    EXPECT_EQ(p.Engine().m_nFrames, 0u);
    p.t.Set("MasterBypassID", 0.0);
    EXPECT_EQ(p.RenderWith({}), "");
    EXPECT_EQ(p.Engine().m_nFrames, 512u);
}

// The frames rendered one at a time while MIDI is due sound as the rest: each input reaches its
// own side.
TEST(MidiDispatch, FramesRenderedWhileMidiIsDueSoundAsTheRest)
{
    SProbe withMidi, without;
    SAudio a(2, 512), b(2, 512);
    a.FillSine(0, 0.5f);  // a tone of its own on each side
    b.m_In = a.m_In;
    withMidi.t.Host().MidiInput().SetPackets({CHostMidiNode::MakePacket(300, 0x90, 60, 100)});
    withMidi.t.Render(withMidi.audio, a, 9u);
    without.t.Render(without.audio, b, 9u);
    EXPECT_EQ(a.m_Out, b.m_Out);
}

TEST(ParameterBatchesOnTheEngine, SeveralChangesBeforeOneBatchMakeOneWriteOfTheLatestValue)
{
    SProbe p;
    const uint32_t nDepthBefore = p.Engine().m_nControlChanged[0], nLfoBefore = p.Engine().m_nControlChanged[42];
    for (double v : {0.1, 0.9, 0.3, 0.6})
        ASSERT_EQ(p.t.Params().UpdateParameterNormalizedValue("1", v, 0), AAX_SUCCESS);
    ASSERT_EQ(p.t.Params().UpdateParameterNormalizedValue("11", 1.0, 0), AAX_SUCCESS);
    ASSERT_EQ(p.t.Params().GenerateCoefficients(), AAX_SUCCESS);
    p.RenderWith({}, 0);  // no frames: no smoothing, only the batch
    EXPECT_EQ(p.Engine().m_nControlChanged[0] - nDepthBefore, 1u);
    EXPECT_FLOAT_EQ(p.Engine().controlRecord(0)->m_fSmoothTarget, 60.0f);
    EXPECT_EQ(p.Engine().m_nControlChanged[42] - nLfoBefore, 1u);  // Wow LFO has control id 42
    EXPECT_EQ(p.Engine().m_uWowLFOType, 1u);
    // Nothing changed since: the next batch number brings no writes.
    ASSERT_EQ(p.t.Params().GenerateCoefficients(), AAX_SUCCESS);
    p.RenderWith({}, 0);
    EXPECT_EQ(p.Engine().m_nControlChanged[0] - nDepthBefore, 1u);
}
