#include "TsraMutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(TsraMutex, OwnerReentersWithoutBlockingAndOnlyOwnerReleases)
{
    CTsraMutex m;
    ASSERT_TRUE(m.Lock());
    EXPECT_TRUE(m.IsOwner());
    EXPECT_FALSE(m.Lock());  // already ours: returns at once, takes nothing

    std::atomic<bool> bGotIt{false};
    std::thread other([&] {
        m.Unlock();  // not the owner: no effect
        EXPECT_FALSE(m.IsOwner());
        m.Lock();
        bGotIt = true;
        m.Unlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(bGotIt.load());  // the stranger's release did not free it
    m.Unlock();
    other.join();
    EXPECT_TRUE(bGotIt.load());
    EXPECT_FALSE(m.IsOwner());
}

TEST(TsraMutex, NestedGuardsReleaseOnlyAtTheOuterScope)
{
    CTsraMutex m;
    {
        CTsraMutexLock outer(m);
        {
            CTsraMutexLock inner(m);
        }
        EXPECT_TRUE(m.IsOwner());
    }
    EXPECT_FALSE(m.IsOwner());
}
