// Loads a small test module the way the host loads BrindleWarbler.so and runs an instance:
// registration, factories, algorithm context, render, automation batches, state, editor.

#include "CHostInstance.h"
#include "CHostModule.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

constexpr AAX_CTypeID kChunkID = AAX_FourCC("elck");

struct Buffers {
    std::vector<std::vector<float>> m_In, m_Out;
    std::vector<const float*> m_InPtrs;
    std::vector<float*> m_OutPtrs;
    Buffers(int nChannels, int nFrames, float value)
    {
        for (int c = 0; c < nChannels; ++c) {
            m_In.emplace_back(size_t(nFrames), value * float(c + 1));
            m_Out.emplace_back(size_t(nFrames), -9.0f);
        }
        for (int c = 0; c < nChannels; ++c) {
            m_InPtrs.push_back(m_In[size_t(c)].data());
            m_OutPtrs.push_back(m_Out[size_t(c)].data());
        }
    }
};

int64_t SeenBatch(CHostInstance& instance)
{
    int64_t nSeen = -100;
    uint32_t nWritten = 0;
    EXPECT_EQ(instance.Parameters()->GetCustomData(0, 8, &nSeen, &nWritten), AAX_SUCCESS);
    return nSeen;
}

}  // namespace

TEST(HostModule, RefusesWhatIsNotAModule)
{
    CHostModule module;
    EXPECT_FALSE(module.Load("/nonexistent/module.so"));
    EXPECT_FALSE(module.Error().empty());
    EXPECT_FALSE(module.IsLoaded());
    EXPECT_NE(module.Register(), ACF_OK);
}

TEST(HostModule, LoadsRegistersAndRunsAnInstance)
{
    CHostModule module;
    ASSERT_TRUE(module.Load(BW_TEST_MODULE_PATH)) << module.Error();
    uint64_t version = 0;
    EXPECT_EQ(module.GetSDKVersion(&version), ACF_OK);
    EXPECT_EQ(version, 0x0000020300BF7318ull);
    ASSERT_EQ(module.Register(), ACF_OK);
    EXPECT_NE(module.PlugInDefinition(), nullptr);
    const SHostEffect* pEffect = module.Description().FindEffect("test.Gain");
    ASSERT_NE(pEffect, nullptr);
    ASSERT_EQ(pEffect->m_Components.size(), 2u);
    EXPECT_EQ(module.CanUnloadNow(), 0);

    {
        CHostInstance instance(*pEffect, 1, 48000.0f, 256);
        EXPECT_EQ(instance.InputChannels(), 2);
        ASSERT_EQ(instance.Create(), AAX_SUCCESS);
        EXPECT_EQ(module.CanUnloadNow(), 1);
        EXPECT_EQ(instance.Controller().Latency(), 48);

        // Gain 1 and no batch delivered yet.
        Buffers io(2, 64, 0.25f);
        ASSERT_EQ(instance.Render(io.m_InPtrs.data(), io.m_OutPtrs.data(), 64), AAX_SUCCESS);
        EXPECT_EQ(io.m_Out[1][63], 0.5f);
        EXPECT_EQ(instance.MeterTap(1), 0.5f);
        EXPECT_EQ(SeenBatch(instance), 0);  // the port is zero until something is posted

        // A host change is a request until the parameter thread answers it.
        ASSERT_EQ(instance.Parameters()->SetParameterNormalizedValue("1", 0.25), AAX_SUCCESS);
        instance.Render(io.m_InPtrs.data(), io.m_OutPtrs.data(), 64);
        EXPECT_EQ(io.m_Out[0][0], 0.25f);
        instance.Automation().ProcessPending();  // the gain and the meter the render published
        instance.Render(io.m_InPtrs.data(), io.m_OutPtrs.data(), 64);
        EXPECT_EQ(io.m_Out[0][0], 0.125f);
        instance.Automation().ProcessPending();
        instance.Render(io.m_InPtrs.data(), io.m_OutPtrs.data(), 64);
        EXPECT_EQ(SeenBatch(instance), 1);  // the second batch number reached this render
        double meter = 0;
        instance.Parameters()->GetParameterNormalizedValue("2", &meter);
        EXPECT_FLOAT_EQ(float(meter), 0.25f);

        // State round trip.
        AAX_Result result = -1;
        std::vector<unsigned char> state = instance.SaveState(kChunkID, &result);
        ASSERT_EQ(result, AAX_SUCCESS);
        instance.Parameters()->SetParameterNormalizedValue("1", 1.0);
        instance.Automation().ProcessPending();
        EXPECT_EQ(instance.RestoreState(kChunkID, state), AAX_SUCCESS);
        instance.Automation().ProcessPending();
        double gain = 0;
        instance.Parameters()->GetParameterNormalizedValue("1", &gain);
        EXPECT_DOUBLE_EQ(gain, 0.25);

        // The editor: opened on a window, every parameter pushed once.
        ASSERT_EQ(instance.CreateGUI(), AAX_SUCCESS);
        EXPECT_EQ(module.CanUnloadNow(), 2);
        ASSERT_EQ(instance.SetView(0x5A0001ul), AAX_SUCCESS);
        AAX_Point counts{};
        instance.GUI()->GetViewSize(&counts);
        EXPECT_EQ(counts.vert, 1.0f);
        EXPECT_EQ(counts.horz, 2.0f);
        instance.SetView(0);
        instance.GUI()->GetViewSize(&counts);
        EXPECT_EQ(counts.vert, 0.0f);

        EXPECT_FALSE(module.Unload());  // objects alive: the library stays
        EXPECT_TRUE(module.IsLoaded());
    }
    EXPECT_EQ(module.CanUnloadNow(), 0);
    EXPECT_TRUE(module.Unload());
    EXPECT_FALSE(module.IsLoaded());
}

TEST(HostModule, RendersOnAnAudioThreadWhileTheParameterThreadAnswers)
{
    CHostModule module;
    ASSERT_TRUE(module.Load(BW_TEST_MODULE_PATH)) << module.Error();
    ASSERT_EQ(module.Register(), ACF_OK);
    CHostInstance instance(*module.Description().FindEffect("test.Gain"), 0, 44100.0f, 128);
    ASSERT_EQ(instance.Create(), AAX_SUCCESS);
    instance.Automation().Start(std::chrono::milliseconds(2));

    std::atomic<bool> bStop{false};
    std::thread audio([&] {
        Buffers io(1, 128, 1.0f);
        while (!bStop)
            instance.Render(io.m_InPtrs.data(), io.m_OutPtrs.data(), 128);
    });
    for (int i = 0; i <= 200; ++i)
        instance.Parameters()->SetParameterNormalizedValue("1", (i % 4) / 4.0);
    instance.Automation().Flush();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (SeenBatch(instance) < 1 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    bStop = true;
    audio.join();
    instance.Automation().Stop();
    EXPECT_GE(SeenBatch(instance), 1);
    EXPECT_EQ(instance.Automation().FailedCount(), 0u);
    double gain = -1;
    instance.Parameters()->GetParameterNormalizedValue("1", &gain);
    EXPECT_DOUBLE_EQ(gain, 0.0);  // the last request, i = 200
    instance.Destroy();
    EXPECT_TRUE(module.Unload());
}
