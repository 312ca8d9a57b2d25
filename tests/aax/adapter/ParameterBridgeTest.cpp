// The host parameters of BrindleWarbler.so, its state chunk, and how host changes reach the
// engine in numbered batches.

#include "AAX_CString.h"
#include "ModuleDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

const SHostEffect& TheEffect()
{
    return Effect(LoadedModule(BW_MODULE_PATH));
}

std::string ValueText(CTestInstance& t, const char* pID)
{
    AAX_CString text;
    EXPECT_EQ(t.Params().GetParameterValueString(pID, &text, 64), AAX_SUCCESS) << pID;
    return text.StdString();
}

std::string TextOf(CTestInstance& t, const char* pID, double fNormalised)
{
    AAX_CString text;
    t.Params().GetParameterStringFromValue(pID, fNormalised, &text, 64);
    return text.StdString();
}

// The identifiers stored in a state-chunk record, in order.
std::vector<std::string> ChunkIdentifiers(const std::vector<unsigned char>& record)
{
    std::vector<std::string> names;
    if (record.size() < sizeof(AAX_SPlugInChunkHeader))
        return names;
    int32_t nSize = 0;
    std::memcpy(&nSize, record.data(), 4);
    const unsigned char* pData = record.data() + sizeof(AAX_SPlugInChunkHeader);
    auto round4 = [](size_t n) { return (n + 3) & ~size_t(3); };
    size_t pos = 4;
    while (pos < size_t(nSize)) {
        const char* pTagged = reinterpret_cast<const char*>(pData + pos);
        const size_t nLength = std::strlen(pTagged);
        names.emplace_back(pTagged + 2);
        const char tag = pTagged[0];
        pos = round4(pos + nLength + 1);
        if (tag == 'd')
            pos += 8;
        else if (tag == 'r')
            pos = round4(pos + std::strlen(reinterpret_cast<const char*>(pData + pos)) + 1);
        else
            pos += 4;
    }
    return names;
}

struct SExpectedParameter {
    const char* pID;
    const char* pName;
    int32_t nType;
    int32_t nSteps;
    bool bAutomatable;
};

}  // namespace

TEST(HostParameters, TwentyOneParametersWithTheirNamesTypesAndSteps)
{
    CTestInstance t(TheEffect(), kStereoComponent);
    const SExpectedParameter expected[] = {
        {"MasterBypassID", "Master Bypass", 0, 2, true},
        {"1", "Wow Depth", 1, 128, true},          {"2", "Wow Rate", 1, 128, true},
        {"3", "Flutter Depth", 1, 128, true},      {"4", "Flutter Rate", 1, 128, true},
        {"5", "Tape Hiss", 1, 128, true},          {"6", "Dropout Amount", 1, 128, true},
        {"7", "Saturation", 1, 128, true},         {"8", "Dropout Intensity", 1, 128, true},
        {"9", "Input", 1, 128, true},              {"10", "Output", 1, 128, true},
        {"11", "Wow LFO", 0, 2, true},             {"12", "Tape Type", 0, 4, true},
        {"13", "Flutter LFO", 0, 2, true},         {"14", "Age", 0, 5, true},
        {"15", "NR Comp", 0, 2, true},             {"16", "Mono/Stereo Dropouts", 0, 2, true},
        {"17", "L", 1, 128, false},                {"18", "R", 1, 128, false},
        {"19", "Vector JS X", 1, 128, true},       {"20", "Vector JS Y", 1, 128, true},
    };
    int32_t nCount = 0;
    t.Params().GetNumberOfParameters(&nCount);
    ASSERT_EQ(nCount, 21);
    for (int32_t i = 0; i < nCount; ++i) {
        const SExpectedParameter& e = expected[i];
        SCOPED_TRACE(e.pID);
        AAX_CString id, name;
        t.Params().GetParameterIDFromIndex(i, &id);
        EXPECT_EQ(id.StdString(), e.pID);
        t.Params().GetParameterName(e.pID, &name);
        EXPECT_EQ(name.StdString(), e.pName);
        int32_t nType = -1, nSteps = -1;
        AAX_CBoolean bAutomatable = 2;
        t.Params().GetParameterType(e.pID, &nType);
        t.Params().GetParameterNumberOfSteps(e.pID, &nSteps);
        t.Params().GetParameterIsAutomatable(e.pID, &bAutomatable);
        EXPECT_EQ(nType, e.nType);
        EXPECT_EQ(nSteps, e.nSteps);
        EXPECT_EQ(bool(bAutomatable), e.bAutomatable);
    }
    AAX_CString bypass;
    t.Params().GetMasterBypassParameter(&bypass);
    EXPECT_EQ(bypass.StdString(), "MasterBypassID");
}

TEST(HostParameters, DisplaysAndTapersFollowTheControls)
{
    CTestInstance t(TheEffect(), kStereoComponent);
    EXPECT_EQ(ValueText(t, "5"), "-42.00 dB");
    EXPECT_EQ(ValueText(t, "2"), "0.18 Hz");
    EXPECT_EQ(ValueText(t, "6"), "0.00 ");  // no units: the number and a single blank
    EXPECT_EQ(ValueText(t, "17"), "0.00");   // meters carry no suffix
    EXPECT_EQ(ValueText(t, "19"), "0.00");
    EXPECT_EQ(ValueText(t, "MasterBypassID"), "bypass");
    EXPECT_EQ(TextOf(t, "MasterBypassID", 1.0), "on");
    EXPECT_EQ(TextOf(t, "15", 0.0), "OFF");
    EXPECT_EQ(TextOf(t, "15", 1.0), "ON");
    EXPECT_EQ(TextOf(t, "12", 1.0), "BYPASS");
    EXPECT_EQ(TextOf(t, "14", 0.5), "used");
    EXPECT_EQ(TextOf(t, "1", 0.5), "50.00 %");
    EXPECT_EQ(TextOf(t, "9", 0.25), "-6.00 dB");
    // Tape Hiss has the log taper: the top maps to the maximum, the bottom decade to the minimum.
    EXPECT_EQ(TextOf(t, "5", 1.0), "-30.00 dB");
    EXPECT_EQ(TextOf(t, "5", 0.003), "-96.00 dB");
    EXPECT_NE(TextOf(t, "5", 0.5), "-63.00 dB");
    EXPECT_EQ(TextOf(t, "20", 0.0), "-1.00");
}

TEST(HostState, FreshChunkHoldsEveryParameterButTheBypass)
{
    CTestInstance t(TheEffect(), kStereoComponent);
    AAX_Result result = AAX_ERROR_UNKNOWN_EXCEPTION;
    const std::vector<unsigned char> record = t.Host().SaveState(AAX_FourCC("elck"), &result);
    ASSERT_EQ(result, AAX_SUCCESS);
    std::vector<std::string> expected;
    for (int i = 1; i <= 20; ++i)
        expected.push_back(std::to_string(i));
    EXPECT_EQ(ChunkIdentifiers(record), expected);
    char name[33] = {};
    std::memcpy(name, record.data() + 24, 32);
    EXPECT_STREQ(name, "Complete Controls State");
}

TEST(HostState, RestoredChunkGivesTheSameAudio)
{
    CHostAudioThread audio;
    const char* ids[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "19", "20"};
    SAudio first(2, 512), second(2, 512);
    first.FillSine(0);
    second.m_In = first.m_In;

    CTestInstance a(TheEffect(), kStereoComponent, 11u);
    for (size_t k = 0; k < std::size(ids); ++k)
        a.Set(ids[k], 0.15 + 0.04 * double(k));
    a.Render(audio, first, 5u);
    const std::vector<unsigned char> record = a.Host().SaveState(AAX_FourCC("elck"));
    ASSERT_FALSE(record.empty());

    CTestInstance b(TheEffect(), kStereoComponent, 11u);
    ASSERT_EQ(b.Host().RestoreState(AAX_FourCC("elck"), record), AAX_SUCCESS);
    b.Host().Automation().ProcessPending();
    // The values themselves: StateChunks (ValidatorTest.cpp) saves the restored state again.
    b.Render(audio, second, 5u);
    EXPECT_EQ(first.m_Out, second.m_Out);
    EXPECT_NE(first.m_Out[0], first.m_In[0]);
}

TEST(ParameterBatches, ABatchWaitsForItsNumber)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    CHostController& controller = t.Host().Controller();
    auto latest = [&] {
        int64_t n = -1;
        const std::vector<unsigned char> packet = controller.LatestPacket(7);
        if (packet.size() == 8)
            std::memcpy(&n, packet.data(), 8);
        return n;
    };
    // Calls without changes still post consecutive numbers.
    for (int64_t k = 0; k < 10; ++k) {
        ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
        EXPECT_EQ(latest(), k);
    }
    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("14", 1.0, 0), AAX_SUCCESS);
    ASSERT_EQ(t.Params().GenerateCoefficients(), AAX_SUCCESS);
    ASSERT_EQ(latest(), 10);

    const int64_t nine = 9, ten = 10;
    SAudio io(2, 64);
    controller.PostPacket(7, &nine, 8);  // the host has delivered only up to 9
    t.Render(audio, io);
    EXPECT_EQ(t.Engine().tapeAge, 0u);
    controller.PostPacket(7, &ten, 8);
    t.Render(audio, io);
    EXPECT_EQ(t.Engine().tapeAge, 4u);
}

TEST(ParameterBatches, BypassActsAtTheNextRenderWithoutABatch)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    SAudio io(2, 256);
    io.FillSine(0);
    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("MasterBypassID", 1.0, 0), AAX_SUCCESS);
    // No GenerateCoefficients, nothing posted: the bypass is not a batch.
    t.Render(audio, io);
    EXPECT_EQ(io.m_Out, io.m_In);
    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("MasterBypassID", 0.0, 0), AAX_SUCCESS);
    t.Render(audio, io);
    EXPECT_NE(io.m_Out, io.m_In);
}

// A change pending when the parameters go away must not be turned into a batch afterwards
// (the sanitizer build would see the freed parameter).
TEST(ParameterBatches, PendingChangesDieWithTheirParameters)
{
    CHostAudioThread audio;
    CTestInstance t(TheEffect(), kStereoComponent);
    ASSERT_EQ(t.Params().UpdateParameterNormalizedValue("12", 1.0, 0), AAX_SUCCESS);
    ASSERT_EQ(t.Params().Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ(t.Params().GenerateCoefficients(), AAX_ERROR_NULL_OBJECT);  // no controller left
    SAudio io(2, 64);
    io.FillSine(0);
    t.Render(audio, io);
    EXPECT_EQ(t.Engine().tapeType, 0u);
}
