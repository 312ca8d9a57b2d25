// A host that loads, uses and unloads BrindleWarbler.so again and again. This program loads
// the module only through the cycles below, so each dlclose really unmaps it.

#include "ModuleDriver.h"

#include "RealtimeProbe.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

TEST(ModuleLifecycle, HundredLoadUseUnloadCyclesLeaveNothingBehind)
{
    constexpr int kCycles = 100;
    int64_t nLiveAfterFirst = 0;
    for (int k = 0; k < kCycles; ++k) {
        SCOPED_TRACE(k);
        {
            CHostModule module;
            ASSERT_TRUE(module.Load(BW_MODULE_PATH)) << module.Error();
            ASSERT_EQ(module.Register(), ACF_OK);
            {
                CHostInstance instance(Effect(module), kStereoComponent, kSampleRate, kMaxFrames);
                ASSERT_EQ(instance.Create(), AAX_SUCCESS);
                ASSERT_EQ(instance.CreateGUI(), AAX_SUCCESS);
                EXPECT_EQ(module.CanUnloadNow(), 2);
                if (k == 0) {  // objects alive: the library stays; a second one is refused
                    EXPECT_FALSE(module.Unload());
                    EXPECT_TRUE(module.IsLoaded());
                    EXPECT_FALSE(module.Load(BW_MODULE_PATH));
                    EXPECT_NE(module.Error().find("already"), std::string::npos) << module.Error();
                }
                ASSERT_EQ(instance.Parameters()->SetParameterNormalizedValue("1", 0.5), AAX_SUCCESS);
                instance.Automation().ProcessPending();
                SAudio io(2, 256);
                io.FillSine(0);
                const std::vector<const float*> in = io.InPointers();
                std::vector<float*> out = io.OutPointers();
                ASSERT_EQ(instance.Render(in.data(), out.data(), io.Frames()), AAX_SUCCESS);
                instance.Destroy();
            }
            ASSERT_EQ(module.CanUnloadNow(), 0);  // every object released: the host may unload
            ASSERT_TRUE(module.Unload()) << module.Error();
        }
        if (void* pStill = dlopen(BW_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD)) {
            dlclose(pStill);
            FAIL() << "the module stays mapped after dlclose";
        }
        if (k == 0)
            nLiveAfterFirst = LiveAllocations();
    }
    // Everything a cycle allocates (host and module side) is freed by its end.
    EXPECT_EQ(LiveAllocations(), nLiveAfterFirst);
}
