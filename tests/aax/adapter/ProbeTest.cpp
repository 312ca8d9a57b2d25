// Calls the adapter makes on the engine, observed through the probe module (the adapter with
// a recording engine): MIDI dispatch at the right frame and one control write per batch entry.

#include "ModuleDriver.h"
#include "ProbeEngine.h"

#include <gtest/gtest.h>

namespace {

constexpr float kScale = 0.00012208521f;

struct SProbe {
    CHostAudioThread audio;
    CTestInstance t{Effect(LoadedModule(BW_PROBE_MODULE_PATH)), kStereoComponent};
    CProbeEngine& Engine() { return static_cast<CProbeEngine&>(t.Engine()); }

    void RenderWith(const std::vector<AAX_CMidiPacket>& packets, int nFrames = 512)
    {
        t.Host().MidiInput().SetPackets(packets);
        SAudio io(2, nFrames);
        t.Render(audio, io);
    }
    std::vector<SProbeMidiEvent> Events() const
    {
        CProbeEngine& e = static_cast<CProbeEngine&>(t.Engine());
        return std::vector<SProbeMidiEvent>(e.m_Events, e.m_Events + e.m_nEvents);
    }
};

AAX_CMidiPacket Packet(uint32_t frame, uint8_t status, uint8_t d1, uint8_t d2)
{
    return CHostMidiNode::MakePacket(frame, status, d1, d2);
}

}  // namespace

TEST(MidiDispatch, PacketsArriveBeforeTheirFrameEarlierOnesAreDroppedLaterOnesWait)
{
    SProbe p;
    p.RenderWith({Packet(5, 0x92, 60, 100), Packet(3, 0x92, 61, 100), Packet(5, 0x92, 60, 0), Packet(511, 0x80, 62, 9),
                  Packet(512, 0x90, 63, 1), Packet(900, 0x90, 64, 1)});
    const std::vector<SProbeMidiEvent> events = p.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].m_eKind, SProbeMidiEvent::kNoteOn);
    EXPECT_EQ(events[0].m_nFrame, 5u);  // five frames processed before it
    EXPECT_EQ(events[0].m_uChannel, 2u);
    EXPECT_EQ(events[0].m_uA, 60u);
    EXPECT_EQ(events[0].m_uB, 100u);
    // Note 61 at frame 3 came after a packet for frame 5: out of order, dropped.
    EXPECT_EQ(events[1].m_eKind, SProbeMidiEvent::kNoteOff);  // note on with velocity 0
    EXPECT_EQ(events[1].m_nFrame, 5u);
    EXPECT_EQ(events[1].m_uA, 60u);
    EXPECT_FALSE(events[1].m_bAllNotesOff);
    EXPECT_EQ(events[2].m_nFrame, 511u);
    EXPECT_EQ(events[2].m_uB, 9u);
    // Packets stamped at or after the buffer length are not dispatched in this call.
    EXPECT_EQ(p.Engine().m_nFrames, 512u);
}

TEST(MidiDispatch, ControllerAndPitchWheelRules)
{
    SProbe p;
    p.RenderWith({Packet(0, 0xB1, 126, 9), Packet(0, 0xB1, 120, 0), Packet(0, 0xB1, 123, 0), Packet(0, 0xB1, 127, 0),
                  Packet(1, 0xB1, 123, 5), Packet(1, 0xB3, 1, 77), Packet(2, 0xE4, 0x00, 0x00), Packet(2, 0xE4, 0x7F, 0x7F),
                  Packet(2, 0xE4, 0x00, 0x40), Packet(3, 0xB0, 7, 100)});
    const std::vector<SProbeMidiEvent> events = p.Events();
    ASSERT_EQ(events.size(), 8u);  // 123 with a value and controller 7 need the all-MIDI flag
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(events[size_t(k)].m_eKind, SProbeMidiEvent::kNoteOff) << k;
        EXPECT_TRUE(events[size_t(k)].m_bAllNotesOff) << k;
        EXPECT_EQ(events[size_t(k)].m_uA, 0u);
        EXPECT_EQ(events[size_t(k)].m_uChannel, 1u);
    }
    EXPECT_EQ(events[4].m_eKind, SProbeMidiEvent::kModWheel);
    EXPECT_EQ(events[4].m_uChannel, 3u);
    EXPECT_EQ(events[4].m_uA, 77u);
    EXPECT_EQ(events[5].m_eKind, SProbeMidiEvent::kPitchWheel);
    EXPECT_EQ(events[5].m_nPosition, -8192);
    EXPECT_EQ(events[5].m_fNormalised, -8191.0f * kScale);
    EXPECT_EQ(events[6].m_nPosition, 8191);
    EXPECT_EQ(events[6].m_fNormalised, 8191.0f * kScale);
    EXPECT_EQ(events[7].m_nPosition, 0);
    EXPECT_EQ(events[7].m_fNormalised, 0.0f);

    // With the all-MIDI flag the rest goes to onMidiMessage.
    SProbe q;
    q.Engine().m_bWantAllMidiMessages = true;
    q.RenderWith({Packet(1, 0xB1, 123, 5), Packet(3, 0xB0, 7, 100), Packet(4, 0xA2, 60, 30)});
    const std::vector<SProbeMidiEvent> others = q.Events();
    ASSERT_EQ(others.size(), 3u);
    EXPECT_EQ(others[0].m_eKind, SProbeMidiEvent::kOther);
    EXPECT_EQ(others[0].m_uA, 0xB0u);
    EXPECT_EQ(others[0].m_uB, 123u);
    EXPECT_EQ(others[0].m_uC, 5u);
    EXPECT_EQ(others[0].m_nFrame, 1u);
    EXPECT_EQ(others[2].m_uA, 0xA0u);
    EXPECT_EQ(others[2].m_uChannel, 2u);
}

TEST(MidiDispatch, BypassedOrWithoutPacketsNothingIsDispatched)
{
    SProbe p;
    p.t.Set("MasterBypassID", 1.0);
    p.RenderWith({Packet(0, 0x90, 60, 100)});
    EXPECT_EQ(p.Events().size(), 0u);
    EXPECT_EQ(p.Engine().m_nFrames, 0u);
    p.t.Set("MasterBypassID", 0.0);
    p.RenderWith({});
    EXPECT_EQ(p.Events().size(), 0u);
    EXPECT_EQ(p.Engine().m_nFrames, 512u);
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
