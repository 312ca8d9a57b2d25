#include "CPlugIn.h"
#include "CPlugInSmoothRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A small object with one control of each data type and a meter, recording what it is told.
class CProbe : public CPlugIn {
public:
    CProbe()
    {
        buildControls();
        setUpJoystickRecords(32773, 32774);
    }
    bool buildControls() override
    {
        if (m_ControlList.count() != 0)
            return true;
        ControlRecord r[5];  // id, data type, range, smoothing; then the bound variable
        record(r[0], 7, kDataFloat, -10.0f, 10.0f, true).m_pFloat = &m_fLevel;
        record(r[1], 41, kDataUInt32, 0.0f, 3.0f, false).m_pUInt = &m_uMode;
        record(r[2], 9, kDataInt32, -5.0f, 5.0f, false).m_pInt = &m_nSteps;
        record(r[3], 50, kDataNone, 0.0f, 1.0f, false).m_pMeter = &m_fMeter;
        record(r[4], 12, kDataDouble, 0.0f, 10.0f, true).m_pDouble = &m_dGain;
        r[0].setName("Level");
        r[1].m_uKind = kControlEnumerated;
        r[3].m_uKind = kControlMeter;
        for (const ControlRecord& c : r)
            m_ControlList.append(c);
        indexControls();
        return true;
    }
    static ControlRecord& record(ControlRecord& r, uint32_t uId, uint32_t uType, float fMin, float fMax, bool bSmooth)
    {
        r.m_uControlId = uId;
        r.m_uDataType = uType;
        r.m_fMin = fMin;
        r.m_fMax = fMax;
        r.m_bSmooth = bSmooth;
        return r;
    }
    bool controlChanged(int32_t nId) override
    {
        m_Changed.push_back(nId);
        return true;
    }
    bool onJoystickMix(float a, float b, float c, float d, float ac, float bd) override
    {
        m_Mix = {a, b, c, d, ac, bd};
        return true;
    }

    float m_fLevel = 0.0f;
    uint32_t m_uMode = 0;
    int32_t m_nSteps = 0;
    float m_fMeter = 0.0f;
    double m_dGain = 0.0;
    std::vector<int32_t> m_Changed;
    std::vector<float> m_Mix;
};

std::vector<ControlValueEntry> entriesFor(const CPlugIn& p)
{
    std::vector<ControlValueEntry> v(p.controlCount() + 2);
    for (uint32_t i = 0; i < v.size(); ++i)
        v[i].m_uControlIndex = i;
    return v;
}

}  // namespace

TEST(ControlRecord, CopyOwnsItsTextsAndLimitsThemTo1023Characters)
{
    ControlRecord a;
    EXPECT_STREQ(a.m_pVariableName, "");  // unset texts are empty
    a.setName("Wow Depth");
    a.setVariableName("m_fWowDepth_pct");
    a.setEnumText("sine,random");  // every text has its own buffer
    const std::string lng(3000, 'x');
    a.setUnits(lng.c_str());
    ControlRecord b(a);
    EXPECT_STREQ(b.m_pName, "Wow Depth");
    EXPECT_STREQ(b.m_pVariableName, "m_fWowDepth_pct");
    EXPECT_STREQ(b.m_pEnumText, "sine,random");
    EXPECT_NE(b.m_pName, a.m_pName);
    EXPECT_EQ(b.m_pName, b.m_Texts[0]);
    EXPECT_EQ(std::strlen(b.m_pUnits), 1023u);
    a.setName("changed");
    EXPECT_STREQ(b.m_pName, "Wow Depth");

    ControlRecord c;
    c.setUnitsPadded64("Hz");
    EXPECT_EQ(std::strlen(c.m_pUnits), 64u);
    EXPECT_EQ(std::string(c.m_pUnits, 3), "Hz ");
}

TEST(ControlList, AppendsCopiesGetsAndRemovesById)
{
    ControlList list;
    for (uint32_t id : {3u, 41u, 42u}) {
        ControlRecord r;
        r.m_uControlId = id;
        list.append(r);
    }
    ASSERT_EQ(list.count(), 3u);
    EXPECT_EQ(list.get(1)->m_uControlId, 41u);
    EXPECT_EQ(list.get(3), nullptr);
    EXPECT_TRUE(list.removeById(41));
    EXPECT_FALSE(list.removeById(41));
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(list.get(1)->m_uControlId, 42u);
    EXPECT_TRUE(list.removeById(42));  // the tail: a later append must still link
    ControlRecord r;
    r.m_uControlId = 5;
    list.append(r);
    EXPECT_EQ(list.get(1)->m_uControlId, 5u);
    list.destroyAll();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.get(0), nullptr);
}

TEST(CPlugIn, SetControlValueByDataTypeAndNormalisedOverTheRange)
{
    CProbe p;
    p.m_Changed.clear();
    p.setControlValue(2, -2.7f);  // int32 truncates toward zero
    EXPECT_EQ(p.m_nSteps, -2);
    p.setControlValue(1, 1.5f);  // uint32 rounds
    EXPECT_EQ(p.m_uMode, 2u);
    p.setControlValue(1, 2.2f);  // same entry again: no notification
    p.setControlValue(0, 4.0f);  // smoothed float: only the target moves
    EXPECT_EQ(p.m_fLevel, 0.0f);
    EXPECT_EQ(p.controlRecord(0)->m_fSmoothTarget, 4.0f);
    p.setControlValue(99, 1.0f);  // out of range: ignored
    p.setControlValue(3, 1.0f);   // a meter has no value to set
    EXPECT_EQ(p.m_Changed, (std::vector<int32_t>{9, 41, 7}));
    p.m_Changed.clear();
    p.setControlNormalised(p.controlRecord(2), 0.75f, false);  // -5 + 10 * 0.75 = 2.5 -> floor(3.0)
    EXPECT_EQ(p.m_nSteps, 3);
    p.setControlNormalised(p.controlRecord(0), 0.25f, true);  // bypassed: stored at once
    EXPECT_EQ(p.m_fLevel, -5.0f);
    p.setControlNormalised(p.controlRecord(1), 1.0f / 3.0f, false);
    EXPECT_EQ(p.m_uMode, 1u);
    p.setControlNormalised(p.controlRecord(1), 0.3f, false);  // 0.9 rounds to the same entry
    p.setControlNormalised(nullptr, 0.5f, false);
    EXPECT_EQ(p.m_Changed, (std::vector<int32_t>{9, 7, 41}));
}

// A smoothed control approaches its target monotonically, lands on it exactly, cooks the value
// it landed on and then stops notifying; at rest it still wakes for a new target, and a write
// that bypasses smoothing jumps and stays.
TEST(CPlugIn, SmootherLandsExactlyWakesAgainAndBypassedJumpsStay)
{
    CProbe p;
    p.m_nSampleRate = 1000;  // 100 ms = 100 samples: settles in a few thousand frames
    p.resetForSampleRate();
    for (float fTarget : {3.3f, -1.0f}) {
        p.setControlValue(0, fTarget);
        p.m_Changed.clear();
        float fPrev = p.m_fLevel, fLastNotified = 0.0f;
        for (int i = 0; i < 20000; ++i) {
            const size_t n = p.m_Changed.size();
            p.smoothControls();
            ASSERT_TRUE(fTarget > 0.0f ? p.m_fLevel >= fPrev : p.m_fLevel <= fPrev);
            fPrev = p.m_fLevel;
            if (i == 10) {  // under way: each step stores its value
                EXPECT_TRUE(p.m_fLevel != fTarget && p.m_fLevel != (fTarget > 0.0f ? 0.0f : 3.3f));
            }
            if (p.m_Changed.size() != n)
                fLastNotified = p.m_fLevel;  // the value cooking saw last
        }
        EXPECT_EQ(p.m_fLevel, fTarget);
        EXPECT_EQ(fLastNotified, fTarget);
        const size_t nNotified = p.m_Changed.size();
        EXPECT_GT(nNotified, 100u);
        p.smoothControls();
        EXPECT_EQ(p.m_Changed.size(), nNotified);
    }
    p.setControlNormalised(p.controlRecord(0), 1.0f, true);
    EXPECT_EQ(p.m_fLevel, 10.0f);
    for (int i = 0; i < 20000; ++i)
        p.smoothControls();
    EXPECT_EQ(p.m_fLevel, 10.0f);
    EXPECT_EQ(p.controlRecord(0)->m_fSmoothTarget, 10.0f);
}

// A double-typed control glides the same way, in double, and lands on its target.
TEST(CPlugIn, DoubleControlsGlideAndLand)
{
    CProbe p;
    p.m_nSampleRate = 1000;
    p.resetForSampleRate();
    p.setControlValue(4, 2.5f);
    p.smoothControls();
    p.smoothControls();
    EXPECT_NEAR(p.m_dGain, 2.5 * (1.0 - std::pow(p.controlRecord(4)->m_dSmoothA, 2.0)), 1e-6);
    for (int i = 0; i < 20000; ++i)
        p.smoothControls();
    EXPECT_EQ(p.m_dGain, 2.5);
}

// smoothRunLanes takes the steps smoothControls takes, in runs of any length (across the
// landing, and at rest), and notifies a control that moved once, after the run; at four and
// at eight lanes.
template <class VF>
void expectSmoothRunGivesTheStepsOneByOne()
{
    CProbe run, ref;
    for (CProbe* p : {&run, &ref}) {
        p->m_nSampleRate = 1000;
        p->resetForSampleRate();
        p->setControlValue(0, 3.3f);
    }
    std::vector<float> track(400);
    float* ppTracks[5] = {track.data(), nullptr, nullptr, nullptr, nullptr};
    EXPECT_FALSE(run.smoothRunLanes<VF>(1, ppTracks));  // a smoothed double is left to smoothControls
    for (CProbe* p : {&run, &ref})
        p->controlRecord(4)->m_bSmooth = false;
    for (uint32_t n : {1u, 7u, 64u, 400u, 400u, 3u, 400u, 400u, 400u, 400u, 400u, 64u}) {
        run.m_Changed.clear();
        ref.m_Changed.clear();
        ASSERT_TRUE(run.smoothRunLanes<VF>(n, ppTracks));
        for (uint32_t k = 0; k < n; ++k) {
            ref.smoothControls();
            ASSERT_EQ(track[k], ref.m_fLevel) << "run of " << n << ", step " << k;
        }
        EXPECT_EQ(run.m_fLevel, ref.m_fLevel);
        const ControlRecord &a = *run.controlRecord(0), &b = *ref.controlRecord(0);
        EXPECT_EQ(a.m_fSmoothZ, b.m_fSmoothZ);
        EXPECT_EQ(a.m_fSmoothLast, b.m_fSmoothLast);
        EXPECT_EQ(a.m_bSmoothSettled, b.m_bSmoothSettled);
        EXPECT_EQ(run.m_Changed, (ref.m_Changed.empty() ? std::vector<int32_t>{} : std::vector<int32_t>{7}));
    }
    EXPECT_EQ(run.m_fLevel, 3.3f);  // landed within the runs
    run.m_JoystickX.m_bSmooth = true;  // a gliding joystick is left to smoothControls
    EXPECT_FALSE(run.smoothRunLanes<VF>(1, ppTracks));
}

TEST(CPlugIn, SmoothRunGivesTheStepsOneByOneAndNotifiesOnceAfter)
{
    expectSmoothRunGivesTheStepsOneByOne<tape::v4f>();
    expectSmoothRunGivesTheStepsOneByOne<tape::v8f>();
}

TEST(CPlugIn, ResetForSampleRateStartsSmootherAtCurrentValue)
{
    CProbe p;
    p.m_fLevel = 2.0f;
    p.resetForSampleRate();
    const ControlRecord* r = p.controlRecord(0);
    EXPECT_EQ(r->m_fSmoothTarget, 2.0f);
    EXPECT_EQ(r->m_fSmoothZ, 2.0f);
    EXPECT_NEAR(r->m_fSmoothA, std::exp(-6.2831855f / 4410.0f), 1e-7f);
    EXPECT_FLOAT_EQ(r->m_fSmoothA + r->m_fSmoothB, 1.0f);
    p.m_Changed.clear();
    p.smoothControls();  // at rest: nothing moves
    EXPECT_TRUE(p.m_Changed.empty());
}

TEST(CPlugIn, HostMessagesApplyValidEntriesAndReportMetersOnlyWithTheRightCount)
{
    CProbe p;
    HostTimeBlock time;
    time.m_Info.m_dTempo_bpm = 133.0;
    time.m_nLoopEnd = 77;
    auto entries = entriesFor(p);
    entries[1].m_fValue = 1.0f;
    entries[1].m_bValid = true;
    entries[2].m_fValue = 1.0f;  // not valid: untouched

    HostMessageInfo info;
    info.m_pEntries = entries.data();
    info.m_pTimeBlock = &time;
    info.m_uEntryCount = p.controlCount() + 1;  // wrong count
    p.onHostMessage(kHostSetControls, info);
    EXPECT_EQ(p.m_uMode, 0u);
    EXPECT_EQ(p.m_HostTime.m_Info.m_dTempo_bpm, 0.0);

    info.m_uEntryCount = p.controlCount() + 2;
    p.onHostMessage(kHostSetControls, info);
    EXPECT_EQ(p.m_uMode, 3u);
    EXPECT_EQ(p.m_nSteps, 0);
    EXPECT_EQ(p.m_HostTime.m_Info.m_dTempo_bpm, 133.0);
    EXPECT_EQ(p.m_HostTime.m_nLoopEnd, 77);
    EXPECT_TRUE(p.m_Mix.empty());  // neither joystick entry valid

    entries[p.controlCount()].m_bValid = true;
    entries[p.controlCount()].m_fJoystickValue = 1.0f;
    entries[p.controlCount()].m_bDiagonal = false;
    p.onHostMessage(kHostSetControls, info);
    EXPECT_EQ(p.m_JoystickX.m_fJoystickValue, 1.0f);
    EXPECT_FALSE(p.m_JoystickY.m_bJoystickDiagonal);
    EXPECT_EQ(p.m_Mix.size(), 6u);

    p.m_fMeter = 0.625f;
    ControlValueEntry* pReturned = nullptr;
    info.m_ppReturnedEntries = &pReturned;
    info.m_uEntryCount = 3;
    p.onHostMessage(kHostReportMeters, info);
    EXPECT_EQ(pReturned, nullptr);

    info.m_uEntryCount = p.controlCount() + 2;
    p.onHostMessage(kHostReportMeters, info);
    ASSERT_EQ(pReturned, p.valueEntries());
    EXPECT_TRUE(pReturned[3].m_bValid);
    EXPECT_EQ(pReturned[3].m_fValue, 0.625f);
    EXPECT_FALSE(pReturned[0].m_bValid);
    EXPECT_EQ(pReturned[1].m_uControlId, 41u);
}

// Weights from the blend's definition: b = pq/645, c = p(255-q)/645, d = (255-p)(255-q)/645
// (percent), a the rest, for p, q = 127 * axis + 127 (doubled and clamped on the diagonal).
TEST(CPlugIn, JoystickBlendAtCentreAndCornersWrittenAtOnce)
{
    CProbe p;
    p.mixJoystick(0.0f, 0.0f, false);
    const float centre[6] = {0.25f, 0.25f, 0.25f, 0.25f, 0.5f, 0.5f};
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(p.m_Mix[k], centre[k], 1e-5f);
    p.mixJoystick(-1.0f, -1.0f, false);  // d = 255^2 / 645 % clamped to 1
    EXPECT_NEAR(p.m_Mix[3], 1.0f, 1e-6f);
    EXPECT_NEAR(p.m_Mix[0], 0.0f, 1e-6f);
    p.mixJoystick(1.0f, 1.0f, false);  // b clamped, c and d tiny
    EXPECT_NEAR(p.m_Mix[2], 254.0f / 645.0f * 0.01f, 1e-5f);
    p.mixJoystick(1.0f, 1.0f, true);  // p = 254, q = 127
    EXPECT_NEAR(p.m_Mix[1], 254.0f * 127.0f / 645.0f * 0.01f, 1e-5f);
    EXPECT_NEAR(p.m_Mix[4], 1.0f, 1e-6f);  // u = x
    p.mixJoystick(0.5f, -0.5f, true);  // p = 127, q = 0
    EXPECT_NEAR(p.m_Mix[2], 127.0f * 255.0f / 645.0f * 0.01f, 1e-4f);
    for (float w : p.m_Mix)
        EXPECT_TRUE(w >= 0.0f && w <= 1.0f);
    p.setJoystickX(0.0f, false);
    EXPECT_NEAR(p.m_Mix[0], 0.25f, 1e-6f);
    p.setJoystickY(-1.0f, false);
    EXPECT_EQ(p.m_JoystickY.m_fJoystickValue, -1.0f);
    EXPECT_NEAR(p.m_Mix[5], 0.5f * (-0.5f + 1.0f), 1e-6f);  // v = (x + y) / 2
}

TEST(CPlugIn, ReleaseEditorUpdatesFreesWholeListAndClearsHead)
{
    CProbe p;
    EditorUpdate* pHead = new EditorUpdate{1, 0.5f, new EditorUpdate{2, 1.0f, new EditorUpdate{3, 0.0f, nullptr}}};
    p.releaseEditorUpdates(&pHead);
    EXPECT_EQ(pHead, nullptr);
    p.releaseEditorUpdates(nullptr);
    EditorUpdate* pList = nullptr;
    EXPECT_FALSE(p.collectEditorUpdates(0, 1.0f, &pList, false));
    EXPECT_EQ(p.onEditorMessage(nullptr), 0);
}

TEST(CPlugIn, GetControlValueReadsBoundVariablesAndZeroWhenMissing)
{
    CProbe p;
    p.m_fLevel = -1.5f;
    p.m_uMode = 2;
    p.m_nSteps = -4;
    EXPECT_EQ(p.getControlValue(0), -1.5f);
    EXPECT_EQ(p.getControlValue(1), 2.0f);
    EXPECT_EQ(p.getControlValue(2), -4.0f);
    EXPECT_EQ(p.getControlValue(3), 0.0f);  // meters have no value type
    EXPECT_EQ(p.getControlValue(4), 0.0f);
    CPlugIn bare;
    EXPECT_EQ(bare.getControlValue(0), 0.0f);
    float buf[2] = {0.5f, 0.5f};
    const float* ins[1] = {buf};
    float* outs[1] = {buf + 1};
    EXPECT_TRUE(bare.processFrames(ins, outs, 1, 1, 1));  // frame by frame through processFrame
    bare.setControlValue(0, 1.0f);
    bare.smoothControls();
}
