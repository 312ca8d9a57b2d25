// A module's timers fire from the host's loop: both reach the same timer queue through the
// shared run-loop library, however the module links the rest of the toolkit.
#include "vstgui/platform/timerqueue.h"

#include <cairo.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

using namespace VSTGUI;

TEST(ToolkitSharedLoop, TimersOfALoadedModuleFireFromTheHostsQueue)
{
    // Like a host that draws, keep cairo (and pixman, which frees its tables only at process
    // exit) loaded across the module's unload.
    (void)cairo_version();
    void* module = dlopen(SHARED_LOOP_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto start = reinterpret_cast<void* (*)(int*)>(dlsym(module, "pluginStartTimer"));
    auto stop = reinterpret_cast<void (*)(void*)>(dlsym(module, "pluginStopTimer"));
    ASSERT_NE(start, nullptr);
    ASSERT_NE(stop, nullptr);

    TimerQueue& hostQueue = TimerQueue::current();
    hostQueue.useManualClock(0);
    int ticks = 0;
    void* timer = start(&ticks);
    EXPECT_EQ(hostQueue.scheduledCount(), 1u);
    hostQueue.advance(100);
    EXPECT_EQ(ticks, 4);
    stop(timer);
    EXPECT_EQ(hostQueue.scheduledCount(), 0u);
    dlclose(module);
}
