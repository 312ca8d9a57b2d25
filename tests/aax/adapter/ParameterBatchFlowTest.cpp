// Batches between the parameter thread and the render: which are due, the per-call entry
// limit, and that every batch and entry is freed exactly once whatever path it takes.

#include "AAX_CParameterBatchFlow.h"
#include "RealtimeProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Flow = AAX_CParameterBatchFlow;
constexpr uint32_t kLimit = Flow::kMaxEntriesPerCall;

ParameterBatch* MakeBatch(int64_t nNumber, int nEntries, int nFirstID = 1)
{
    auto* pBatch = new ParameterBatch(nNumber);
    for (int i = 0; i < nEntries; ++i)
        pBatch->Append(new ParameterBatchEntry(std::to_string(nFirstID + i).c_str()));
    return pBatch;
}

std::vector<std::string> MakeIDs(int nFirst, uint32_t nCount)
{
    std::vector<std::string> ids;
    for (uint32_t i = 0; i < nCount; ++i)
        ids.push_back(std::to_string(nFirst + int(i)));
    return ids;
}

std::vector<std::string> TakeIDs(Flow& flow, int64_t nCurrent)
{
    ParameterBatchEntry* entries[kLimit];
    const uint32_t n = flow.Take(nCurrent, entries);
    std::vector<std::string> ids;
    for (uint32_t i = 0; i < n; ++i)
        ids.emplace_back(entries[i]->m_ID);
    flow.Finish(entries, n);
    return ids;
}

}  // namespace

TEST(ParameterBatch, KeepsEntriesInOrderAndCopiesIdentifiers)
{
    ParameterBatch batch(7);
    batch.Append(new ParameterBatchEntry("12"));
    batch.Append(new ParameterBatchEntry("3"));
    ASSERT_EQ(batch.Count(), 2u);
    ParameterBatchEntry* pFirst = batch.TakeFirst();
    EXPECT_STREQ(pFirst->m_ID, "12");
    EXPECT_EQ(pFirst->m_pNext, nullptr);
    delete pFirst;
    EXPECT_STREQ(batch.First()->m_ID, "3");
    delete batch.TakeFirst();  // empty again: the next entry must become the first
    batch.Append(new ParameterBatchEntry("5"));
    ASSERT_NE(batch.First(), nullptr);
    EXPECT_STREQ(batch.First()->m_ID, "5");
    const std::string longID(100, 'x');
    ParameterBatchEntry cut(longID.c_str());
    EXPECT_EQ(std::string(cut.m_ID), longID.substr(0, ParameterBatchEntry::kMaxIDBytes - 1));
}

TEST(ParameterBatchFlow, ABatchIsDueOnceItsNumberIsPosted)
{
    // After the counter wrapped, old large numbers are due at the new small ones.
    const std::tuple<int64_t, int64_t, bool> cases[] = {
        {9, 9, true}, {9, 10, true}, {10, 9, false}, {int64_t(1) << 40, -70000, true}, {70000, -100, false}};
    for (const auto& [nBatch, nPosted, bDue] : cases)
        EXPECT_EQ(Flow::IsDue(nBatch, nPosted), bDue) << nBatch << " at " << nPosted;

    Flow flow;
    ASSERT_TRUE(flow.Queue(MakeBatch(9, 1, 1)));
    ASSERT_TRUE(flow.Queue(MakeBatch(10, 1, 2)));
    std::vector<std::string> taken;
    for (int64_t nPosted : {8, 9, 9, 10})
        for (const std::string& id : TakeIDs(flow, nPosted))
            taken.push_back(std::to_string(nPosted) + ":" + id);
    EXPECT_EQ(taken, (std::vector<std::string>{"9:1", "10:2"}));
}

// Whole batches up to the entry limit per call; a batch larger than one call is spread.
TEST(ParameterBatchFlow, TheEntryLimitPerCall)
{
    Flow flow;
    for (int b = 0; b < 5; ++b)
        ASSERT_TRUE(flow.Queue(MakeBatch(b, 20, 100 * b)));
    const std::vector<std::string> first = TakeIDs(flow, 100);
    ASSERT_EQ(first.size(), 80u);  // four whole batches; the fifth does not fit
    EXPECT_EQ(first.front(), "0");
    EXPECT_EQ(first.back(), "319");
    EXPECT_EQ(TakeIDs(flow, 100), MakeIDs(400, 20));
    EXPECT_EQ(TakeIDs(flow, 100).size(), 0u);

    ASSERT_TRUE(flow.Queue(MakeBatch(0, 100)));
    ASSERT_TRUE(flow.Queue(MakeBatch(1, 3, 500)));
    EXPECT_EQ(TakeIDs(flow, 5), MakeIDs(1, kLimit));
    std::vector<std::string> second = MakeIDs(int(kLimit) + 1, 100 - kLimit);
    for (const std::string& id : MakeIDs(500, 3))
        second.push_back(id);
    EXPECT_EQ(TakeIDs(flow, 5), second);
}

TEST(ParameterBatchFlow, AFullQueueLeavesTheBatchWithTheCaller)
{
    const int64_t nBefore = LiveAllocations();
    {
        Flow flow;
        for (uint32_t b = 0; b < Flow::kBatchSlots; ++b)
            ASSERT_TRUE(flow.Queue(MakeBatch(b, 1)));
        ParameterBatch* pRefused = MakeBatch(999, 2);
        EXPECT_FALSE(flow.Queue(pRefused));
        EXPECT_EQ(pRefused->Count(), 2u);
        delete pRefused;
    }
    // Destruction freed the 256 batches still queued.
    EXPECT_EQ(LiveAllocations(), nBefore);
}

TEST(ParameterBatchFlow, EveryObjectIsFreedOnceWhateverPathItTakes)
{
    const int64_t nBefore = LiveAllocations();
    {
        Flow flow;
        // Far more finished batches and entries than the finished queues hold, without a
        // release in between: what does not fit is freed by the render instead of leaking.
        for (int round = 0; round < 40; ++round) {
            for (int b = 0; b < 20; ++b)
                ASSERT_TRUE(flow.Queue(MakeBatch(round * 20 + b, 4)));
            while (!TakeIDs(flow, 1 << 20).empty()) {
            }
        }
        flow.ReleaseFinished();
        EXPECT_EQ(LiveAllocations(), nBefore);
        // Queued but never taken, and taken but not yet released: the destructor frees both.
        ASSERT_TRUE(flow.Queue(MakeBatch(5000, 3)));
        ASSERT_TRUE(flow.Queue(MakeBatch(5001, 3)));
        TakeIDs(flow, 5000);
    }
    EXPECT_EQ(LiveAllocations(), nBefore);
}
