// Opening the editor on the shipped description, and one meter tick of the 50 ms timer,
// offscreen.
#include "CVuMeterWP.h"
#include "EditorHarness.h"

#include <benchmark/benchmark.h>

namespace {

void BM_EditorOpen(benchmark::State& state)
{
    const std::string text = shippedDescription();
    EditorHarness h;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h.open(text));
        state.PauseTiming();
        h.m_Editor.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond);

void BM_MeterTick(benchmark::State& state)
{
    EditorHarness h;
    h.open(shippedDescription());
    VSTGUI::OffscreenFrame* io = h.io();
    io->advanceTime(CTsraVSTEditor::kTimerPeriodMs);
    float level = 0.0f;
    for (auto _ : state) {
        // A moving signal: both meters change every tick, so both redraw.
        level = level > 0.9f ? 0.1f : level + 0.13f;
        h.m_Parameters.m_Values["17"] = level;
        h.m_Parameters.m_Values["18"] = 1.0f - level;
        io->advanceTime(CTsraVSTEditor::kTimerPeriodMs);
    }
    benchmark::DoNotOptimize(h.m_Editor.meters().front()->shownLevel());
}
BENCHMARK(BM_MeterTick)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// A fresh editor: the bitmaps are decoded on this first opening.
void BM_EditorFirstOpen(benchmark::State& state)
{
    const std::string text = shippedDescription();
    for (auto _ : state) {
        EditorHarness h;
        benchmark::DoNotOptimize(h.open(text));
        state.PauseTiming();
        h.m_Editor.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorFirstOpen)->Unit(benchmark::kMillisecond);

}  // namespace
