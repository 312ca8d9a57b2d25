// The LV2 UI as a host sees it, on a real X server (DISPLAY; Xvfb will do): instantiate to
// the first paint, one idle() with the meters moving, and the memory of one open UI.
// Run: DISPLAY=:NN build/bench/lv2/bench_lv2_ui --benchmark_repetitions=9
//      --benchmark_report_aggregates_only=true
#include "BwLv2Ports.h"

#include <benchmark/benchmark.h>
#include <lv2/ui/ui.h>

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

namespace {

using namespace bwlv2;

struct SUiHost {
    SUiHost()
    {
        m_pDisplay = XOpenDisplay(nullptr);
        m_pLibrary = dlopen(BW_LV2_UI_BINARY, RTLD_NOW | RTLD_LOCAL);
        auto entry = m_pLibrary ? reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(m_pLibrary, "lv2ui_descriptor"))
                                : nullptr;
        m_pDesc = entry ? entry(0) : nullptr;
        if (m_pDesc)
            m_pIdle = static_cast<const LV2UI_Idle_Interface*>(m_pDesc->extension_data(LV2_UI__idleInterface));
        if (m_pDisplay) {
            m_nParent = XCreateSimpleWindow(m_pDisplay, DefaultRootWindow(m_pDisplay), 0, 0, 900, 568, 0, 0, 0);
            XMapWindow(m_pDisplay, m_nParent);
            XSync(m_pDisplay, False);
        }
    }
    ~SUiHost()
    {
        if (m_pDisplay) {
            XDestroyWindow(m_pDisplay, m_nParent);
            XCloseDisplay(m_pDisplay);
        }
    }
    bool ok() const { return m_pDisplay && m_pDesc && m_pIdle; }
    LV2UI_Handle open()
    {
        static const LV2_Feature idle{LV2_UI__idleInterface, nullptr};
        const LV2_Feature parent{LV2_UI__parent, reinterpret_cast<void*>(m_nParent)};
        const LV2_Feature* features[] = {&idle, &parent, nullptr};
        LV2UI_Widget widget = nullptr;
        return m_pDesc->instantiate(m_pDesc, kMonoUri, BW_LV2_BUNDLE, [](LV2UI_Controller, uint32_t, uint32_t,
                                                                         uint32_t, const void*) {},
                                    nullptr, &widget, features);
    }
    void meters(LV2UI_Handle h, float f)
    {
        m_pDesc->port_event(h, kMeterPortL, sizeof f, 0, &f);
        m_pDesc->port_event(h, kMeterPortR, sizeof f, 0, &f);
    }

    Display* m_pDisplay = nullptr;
    void* m_pLibrary = nullptr;  // kept loaded for the program's life
    const LV2UI_Descriptor* m_pDesc = nullptr;
    const LV2UI_Idle_Interface* m_pIdle = nullptr;
    Window m_nParent = 0;
};

SUiHost& host()
{
    static SUiHost h;
    return h;
}

long rssKiB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// instantiate, then the first idle(), which paints the whole editor.
void BM_InstantiateToFirstPaint(benchmark::State& state)
{
    SUiHost& h = host();
    if (!h.ok()) {
        state.SkipWithError("no X server (DISPLAY) or no UI binary");
        return;
    }
    for (auto _ : state) {
        LV2UI_Handle ui = h.open();
        h.m_pIdle->idle(ui);
        XSync(h.m_pDisplay, False);
        state.PauseTiming();
        h.m_pDesc->cleanup(ui);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InstantiateToFirstPaint)->Unit(benchmark::kMillisecond);

// One idle() after the editor's 50 ms timer fell due, with new meter levels: the timer moves
// both meters and their views are painted. Idles between timer periods cost less.
void BM_IdleWithMovingMeters(benchmark::State& state)
{
    SUiHost& h = host();
    if (!h.ok()) {
        state.SkipWithError("no X server (DISPLAY) or no UI binary");
        return;
    }
    LV2UI_Handle ui = h.open();
    h.m_pIdle->idle(ui);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        h.meters(ui, 0.5f + 0.45f * std::sin(0.7f * static_cast<float>(n++)));
        std::this_thread::sleep_for(std::chrono::milliseconds(51));
        state.ResumeTiming();
        h.m_pIdle->idle(ui);
    }
    h.m_pDesc->cleanup(ui);
}
BENCHMARK(BM_IdleWithMovingMeters)->Unit(benchmark::kMicrosecond)->Iterations(40);

// Resident memory added by one open, painted UI (the library already loaded), in KiB.
void BM_OpenUiMemory(benchmark::State& state)
{
    SUiHost& h = host();
    if (!h.ok()) {
        state.SkipWithError("no X server (DISPLAY) or no UI binary");
        return;
    }
    // One open and close first, so what is loaded once per process is not counted.
    LV2UI_Handle warm = h.open();
    h.m_pIdle->idle(warm);
    h.m_pDesc->cleanup(warm);
    long delta = 0;
    for (auto _ : state) {
        const long before = rssKiB();
        LV2UI_Handle ui = h.open();
        h.m_pIdle->idle(ui);
        delta = rssKiB() - before;
        h.m_pDesc->cleanup(ui);
    }
    state.counters["rss_delta_KiB"] = static_cast<double>(delta);
}
BENCHMARK(BM_OpenUiMemory)->Iterations(1);

}  // namespace
