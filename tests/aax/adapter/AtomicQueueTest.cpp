// The pointer queue that hands batches between threads: capacity, and order across wrap-arounds
// with a concurrent producer/consumer pair.

#include "AAX_CAtomicQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(AtomicQueue, HoldsExactlyItsCapacityAndRefusesMore)
{
    AAX_CAtomicQueue<int, 4> queue;
    int values[6] = {0, 1, 2, 3, 4, 5};
    for (int i = 0; i < 7; ++i)  // pops on empty do not disturb later pushes
        EXPECT_EQ(queue.Pop(), nullptr);
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(queue.Push(&values[i]), AAX_IContainer::eStatus_Success) << i;
    EXPECT_EQ(queue.Push(&values[4]), AAX_IContainer::eStatus_Overflow);
    EXPECT_EQ(queue.Push(nullptr), AAX_IContainer::eStatus_Invalid);
    EXPECT_EQ(queue.Peek(), &values[0]);
    EXPECT_EQ(queue.Pop(), &values[0]);
    // The refused push left the indices intact: the freed slot takes the next item.
    EXPECT_EQ(queue.Push(&values[5]), AAX_IContainer::eStatus_Success);
    for (int expected : {1, 2, 3, 5})
        EXPECT_EQ(*queue.Pop(), expected);
    EXPECT_EQ(queue.Pop(), nullptr);
    EXPECT_EQ(queue.Peek(), nullptr);
}

// 20000 items through 16 slots: every index wraps many times, in order, nothing lost.
TEST(AtomicQueue, ConcurrentProducerAndConsumerLoseNothing)
{
    constexpr int kCount = 20000;
    AAX_CAtomicQueue<int, 16> queue;
    std::vector<int> items(kCount);
    for (int i = 0; i < kCount; ++i)
        items[size_t(i)] = i;
    std::thread producer([&] {
        for (int i = 0; i < kCount; ++i)
            while (queue.Push(&items[size_t(i)]) != AAX_IContainer::eStatus_Success)
                std::this_thread::yield();
    });
    int nExpected = 0;
    while (nExpected < kCount) {
        if (int* p = queue.Pop()) {
            ASSERT_EQ(*p, nExpected);
            ++nExpected;
        } else {
            std::this_thread::yield();
        }
    }
    producer.join();
    EXPECT_EQ(queue.Pop(), nullptr);
}
