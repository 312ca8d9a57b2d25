// The tape effect's control records, presets and cooking.
#include "CModDelayModule.h"
#include "TapeFilterDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

void settle(CModDelayModule& m, int nFrames = 20000)
{
    const float in[2] = {0, 0};
    float out[2];
    for (int i = 0; i < nFrames; ++i)
        m.processFrame(in, out, 2, 2);
}

}  // namespace

// Names, units, ranges, defaults and entries reach the host's parameter list and are kept as
// data in the parameter snapshot; here what only the records show.
TEST(CModDelayModuleControls, EighteenRecordsWhoseSwitchesHaveIdsApartFromTheirIndices)
{
    CModDelayModule m;
    ASSERT_EQ(m.controlCount(), 18u);
    const uint32_t kIds[18] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 42, 41, 43, 44, 45, 46, 50, 51};  // switches answer to their ids
    for (uint32_t i = 0; i < 18; ++i) {
        const ControlRecord* r = m.controlRecord(i);
        ASSERT_NE(r, nullptr);
        SCOPED_TRACE(r->m_pName);
        EXPECT_EQ(r->m_uKind, i < 10 ? 100u : i < 16 ? 102u : 103u);
        EXPECT_EQ(r->m_nParameterIndex, static_cast<int32_t>(i));
        EXPECT_EQ(r->m_uControlId, kIds[i]);
        EXPECT_EQ(m.valueEntries()[i].m_uControlId, kIds[i]);
        EXPECT_EQ(r->m_uMidiController, 3u);  // the host's MIDI learn starts from these
        EXPECT_EQ(r->m_bSmooth, i < 10);      // knobs glide, switches jump
        EXPECT_EQ(r->m_bLogTaper, i == 4);
        if (r->m_uKind == 103) {
            EXPECT_NE(r->m_pMeter, nullptr);
            EXPECT_EQ(r->m_uMeterDetection, 0u);  // peak: the meter views expect it
        }
    }
    // The joystick axes' entries follow the records'.
    const ControlRecord* pAxes[2] = {&m.m_JoystickX, &m.m_JoystickY};
    for (uint32_t k = 0; k < 2; ++k) {
        EXPECT_EQ(m.valueEntries()[18 + k].m_uControlIndex, 18 + k);
        EXPECT_EQ(m.valueEntries()[18 + k].m_uControlId, pAxes[k]->m_uControlId);
    }
    EXPECT_EQ(m.m_JoystickX.m_uControlId, 32773u);
    EXPECT_EQ(m.m_JoystickY.m_uControlId, 32774u);
    EXPECT_TRUE(m.buildControls());
    EXPECT_EQ(m.controlCount(), 18u);

    m.setControlValue(CModDelayModule::kTapeType, 2.0f);  // by index 11, id 41
    EXPECT_EQ(m.tapeType, 2u);
    EXPECT_EQ(m.m_uWowLFOType, 0u);
    EXPECT_EQ(m.m_nTapeTypeIndex, 2);
    m.setControlValue(CModDelayModule::kWowLfo, 1.0f);  // index 10, id 42
    EXPECT_EQ(m.m_uWowLFOType, 1u);
    EXPECT_EQ(m.m_WowLFO.m_uOscType, 1u);
}

TEST(CModDelayModulePresets, EveryPresetGivesTheTableValues)
{
    ASSERT_STREQ(kTapePresetNames[0], "Factory Preset");
    ASSERT_STREQ(kTapePresetNames[12], "Trashcan Drums");
    EXPECT_STREQ(kTapePresetNames[13], "");
    EXPECT_EQ(kTapePresetValues[3][0], static_cast<double>(31.499996f));  // single precision kept
    for (int k = 0; k < kTapePresetCount; ++k) {
        CModDelayModule m;
        m.resetForSampleRate();
        m.applyPreset(k);
        settle(m);
        for (uint32_t i = 0; i < kTapePresetControls; ++i) {
            EXPECT_EQ(m.getControlValue(i), static_cast<float>(kTapePresetValues[k][i]))
                << kTapePresetNames[k] << ", control " << i;
            EXPECT_EQ(m.controlRecord(i)->m_dPresetValues[k], kTapePresetValues[k][i]);
        }
        EXPECT_STREQ(m.m_pPresetNames[k], kTapePresetNames[k]);
    }
    CModDelayModule m;
    m.applyPreset(16);
    m.applyPreset(-1);
    EXPECT_EQ(m.tapeType, 0u);
}

TEST(CModDelayModuleCooking, AgeDriveTable)
{
    struct Row {
        uint32_t uType, uAge;
        float fDrive, fCutoff, fAgeDrive, fSatDrive;
    };
    const Row rows[] = {
        {0, 4, 10.0f, 4000.0f, 10.0f, 8.0f},  // worn: 10 * 0.7 + 3
        {0, 1, 1.0f, 8000.0f, 1.18f, 1.18f * 0.25f + 0.75f},
        {1, 2, 5.0f, 12000.0f, 5.35f, static_cast<float>(static_cast<float>(5.0 * 0.93 + 0.7) * 1.2 - 4.0)},
        {2, 3, 2.0f, 12500.0f, 3.2f, static_cast<float>(static_cast<float>(2.0 * 0.85 + 1.5) * 0.25 + 0.75)},
        {2, 0, 7.0f, 5000.0f, 7.0f, static_cast<float>(7.0 * 1.2 - 4.0)},  // byp: cutoff untouched
    };
    for (const Row& r : rows) {
        CModDelayModule m;
        m.resetForSampleRate();
        m.setControlValue(CModDelayModule::kTapeType, static_cast<float>(r.uType));
        m.setControlValue(CModDelayModule::kAge, static_cast<float>(r.uAge));
        m.setControlValue(CModDelayModule::kSaturation, r.fDrive);
        settle(m);
        SCOPED_TRACE(testing::Message() << "type " << r.uType << " age " << r.uAge);
        EXPECT_EQ(m.m_fAgeCutoff_Hz, r.fCutoff);
        EXPECT_NEAR(m.m_fAgeDrive, r.fAgeDrive, 1e-6f);
        EXPECT_NEAR(m.m_fSatDrive, r.fSatDrive, 1e-6f);
    }
    // Both branches of the drive curve meet at 2.0 for an age drive of 5.
    CModDelayModule m;
    m.m_fAgeDrive = 5.0f;
    m.resetForSampleRate();
    EXPECT_EQ(m.m_fSatDrive, 2.0f);
}

TEST(CModDelayModuleCooking, BypassKeepsLastCutoffAndAgeBackToBypLeavesIt)
{
    CModDelayModule m;
    m.resetForSampleRate();
    m.setControlValue(CModDelayModule::kTapeType, 1.0f);  // II: 15 kHz
    m.setControlValue(CModDelayModule::kTapeType, 3.0f);  // BYPASS
    EXPECT_EQ(m.m_fTapeCutoff_Hz, 15000.0f);
    EXPECT_EQ(m.m_nTapeTypeIndex, 1);
    m.setControlValue(CModDelayModule::kAge, 1.0f);
    EXPECT_EQ(m.m_fAgeCutoff_Hz, 13000.0f);
    m.setControlValue(CModDelayModule::kAge, 0.0f);
    EXPECT_EQ(m.m_fAgeCutoff_Hz, 13000.0f);
    EXPECT_EQ(m.m_fAgeDrive, m.m_fDriveCont);
}

// Cooking only what a control feeds must leave every derived value exactly as a full
// recomputation gives it.
TEST(CModDelayModuleCooking, SelectiveCookingEqualsFullRecomputation)
{
    CModDelayModule a, b;
    a.resetForSampleRate();
    b.resetForSampleRate();
    const auto cooked = [](const CModDelayModule& m) {
        return std::vector<double>{m.m_fInGain, m.m_fOutGain, m.m_fHissGain, m.m_fDropoutScale, m.m_fSatDrive,
                                   m.m_fAgeDrive, m.m_fAgeCutoff_Hz, static_cast<double>(m.m_nTapeTypeIndex),
                                   m.m_AgeFilterL.m_fB1, m.m_AgeFilterR.m_fA0, m.m_WowLFO.m_fPhaseStep,
                                   m.m_FlutterLFO.m_fPhaseStep, static_cast<double>(m.m_FlutterLFO.m_uOscType)};
    };
    uint32_t uSeed = 7;
    auto next = [&uSeed] {
        uSeed = uSeed * 1664525u + 1013904223u;
        return static_cast<float>(uSeed >> 8) / 16777216.0f;
    };
    for (int step = 0; step < 400; ++step) {
        const auto i = static_cast<uint32_t>(next() * 16.0f);
        const ControlRecord* r = a.controlRecord(i);
        const float v = r->m_fMin + (r->m_fMax - r->m_fMin) * next();
        for (CModDelayModule* p : {&a, &b}) {
            p->controlRecord(i)->m_bSmooth = false;  // store at once
            p->setControlValue(i, v);
        }
        b.controlChanged(6);
        b.controlChanged(-1);  // an id nothing claims: the full recomputation
        ASSERT_EQ(cooked(a), cooked(b)) << "step " << step;
        CBiQuad age;  // and the age filter stands designed for the cutoff cooked
        tape::designSecondOrderLowPass(age, 3.141592653589793 * a.m_fAgeCutoff_Hz, a.m_nSampleRate);
        ASSERT_EQ(a.m_AgeFilterL.m_fB1, age.m_fB1) << "step " << step;
    }
}

TEST(CModDelayModulePrepare, SampleRateSelectsTablesAndOscillatorsRunAtEngineRate)
{
    const struct {
        int32_t nRate, nIndex, nN;
    } rates[] = {{44100, 0, 19}, {48000, 1, 21}, {88200, 2, 39}, {96000, 3, 43},
                 {176400, 4, 79}, {192000, 5, 87}, {50000, 0, 19}, {8000, 0, 19}, {384000, 0, 19}};
    for (const auto& r : rates) {
        CModDelayModule m;
        m.m_nSampleRate = r.nRate;
        m.resetForSampleRate();
        m.controlRecord(CModDelayModule::kWowRate)->m_bSmooth = false;
        m.setControlValue(CModDelayModule::kWowRate, 1.0f);
        SCOPED_TRACE(r.nRate);
        EXPECT_EQ(m.m_nSampleRateIndex, r.nIndex);
        EXPECT_EQ(m.m_nFIRLength[m.m_nSampleRateIndex], r.nN);
        EXPECT_EQ(m.m_WowDelayL.m_nBufferLength, 2 * r.nRate);
        EXPECT_EQ(m.m_FlutterDelayR.m_nBufferLength, 2 * r.nRate);
        // 1 Hz is 1 Hz at every rate: one table per second.
        settle(m, 5000);
        EXPECT_NEAR(m.m_WowLFO.m_fPhaseStep * static_cast<float>(r.nRate), 1024.0f, 0.01f);
        EXPECT_TRUE(m.m_WowLFO.m_bPlaying);
        EXPECT_EQ(m.m_WowLFO.m_uPolarity, 1u);
        EXPECT_EQ(m.m_FlutterLFO.m_uPolarity, 1u);  // both delays only ever grow from their minimum
    }
}

TEST(CModDelayModulePrepare, FilterRecipes)
{
    CModDelayModule m;
    m.resetForSampleRate();
    // The low-pass recipe's DC gain is 4/3, not 1.
    const CBiQuad& s = m.m_DropoutSmootherL;
    const float fNum = s.m_fA0 + s.m_fA1 + s.m_fA2;
    const float fDen = 1.0f + s.m_fB1 + s.m_fB2;
    EXPECT_NEAR(fNum / fDen, 4.0f / 3.0f, 1e-3f);
    EXPECT_EQ(m.m_DropoutSmootherR.m_fB2, s.m_fB2);
    // The hiss shelf has unity DC gain and its -3 dB corner near 127 Hz.
    const CBiQuad& h = m.m_HissFilter;
    EXPECT_NEAR((h.m_fA0 + h.m_fA1) / (1.0f + h.m_fB1), 1.0f, 1e-5f);
    const double w = 2.0 * M_PI * 127.0 / 44100.0;
    const double re = h.m_fA0 + h.m_fA1 * std::cos(w), im = -h.m_fA1 * std::sin(w);
    const double dre = 1.0 + h.m_fB1 * std::cos(w), dim = -h.m_fB1 * std::sin(w);
    EXPECT_NEAR(10 * std::log10((re * re + im * im) / (dre * dre + dim * dim)), -3.0, 0.2);
    // Crossover: the high-pass blocks DC and shares the low-pass's poles.
    EXPECT_NEAR(m.m_NRHighL.m_fA0 + m.m_NRHighL.m_fA1 + m.m_NRHighL.m_fA2, 0.0f, 1e-6f);
    EXPECT_EQ(m.m_NRHighR.m_fA0, m.m_NRHighL.m_fA0);
    EXPECT_EQ(m.m_NRHighL.m_fB1, m.m_NRLowL.m_fB1);
    EXPECT_EQ(m.m_NRHighL.m_fB2, m.m_NRLowL.m_fB2);
    // Below 44.1 kHz the highest age corner is held where the section stays stable.
    CModDelayModule low;
    low.m_nSampleRate = 22050;
    low.resetForSampleRate();
    low.setControlValue(CModDelayModule::kTapeType, 2.0f);  // IV: 17 kHz
    low.setControlValue(CModDelayModule::kAge, 1.0f);
    const CBiQuad& a = low.m_AgeFilterL;
    EXPECT_LT(std::fabs(a.m_fB2), 1.0f);
    EXPECT_LT(std::fabs(a.m_fB1), 1.0f + a.m_fB2);
}
