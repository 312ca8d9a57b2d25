// The built LV2 UI driven as a host drives it, in a parent window on the X server: edits injected
// with XTest are seen as write_function and touch calls, what the host sends is read back from
// the window's pixels. jalv's test sees an edit reach the plug-in through a real host.
#include "BwLv2Ports.h"
#include "CBwLv2UiPorts.h"
#include "CModDelayModule.h"
#include "TapePresets.h"

#include <gtest/gtest.h>
#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include "XTestInput.h"  // after gtest: Xlib's macros
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <cmath>
#include <string>
#include <vector>

// cairo's xlib back end keeps a 32-byte allocation per drawing connection that a UI unloaded
// before the process ends cannot give back: only that library's are exempt from leak checks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libcairo.so\n"; }

namespace {

using namespace bwlv2;
using bwtest::PauseMs;

constexpr int kWidth = 900, kHeight = 568;

// What a host records of the UI's calls.
struct SHostLog {
    std::vector<std::pair<uint32_t, float>> writes;
    std::vector<std::pair<uint32_t, bool>> touches;
    std::pair<int, int> size;
};

void onWrite(LV2UI_Controller c, uint32_t uPort, uint32_t uSize, uint32_t uFormat, const void* pBuffer)
{
    static_cast<SHostLog*>(c)->writes.emplace_back(uPort, uFormat == 0 && uSize == 4 ? *static_cast<const float*>(pBuffer) : NAN);
}
void onTouch(LV2UI_Feature_Handle h, uint32_t uPort, bool bGrabbed) { static_cast<SHostLog*>(h)->touches.emplace_back(uPort, bGrabbed); }
int onResize(LV2UI_Feature_Handle h, int w, int hgt) { return static_cast<SHostLog*>(h)->size = {w, hgt}, 0; }

class Lv2Ui : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X server (DISPLAY): the UI cannot be tested here";
        // A loaded server refuses a connection now and then.
        for (int i = 0; i < 3 && !(m_pDisplay = XOpenDisplay(nullptr)); ++i)
            PauseMs(20);
        ASSERT_NE(m_pDisplay, nullptr) << "cannot reach the X server " << std::getenv("DISPLAY");
        m_pLibrary = dlopen(BW_LV2_UI_BINARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_pLibrary, nullptr) << dlerror();
        auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(m_pLibrary, "lv2ui_descriptor"));
        ASSERT_TRUE(entry && (m_pDesc = entry(0)) && !entry(1));
        ASSERT_TRUE((m_pIdle = static_cast<const LV2UI_Idle_Interface*>(m_pDesc->extension_data(LV2_UI__idleInterface))));
        m_nParent = XCreateSimpleWindow(m_pDisplay, DefaultRootWindow(m_pDisplay), 0, 0, kWidth, kHeight, 0, 0, 0);
        XMapWindow(m_pDisplay, m_nParent);
        XSync(m_pDisplay, False);
    }
    void TearDown() override
    {
        for (LV2UI_Handle h : m_Open)
            m_pDesc->cleanup(h);
        if (m_pDisplay)
            XCloseDisplay(m_pDisplay);  // and with it the parent window
        if (m_pLibrary)
            dlclose(m_pLibrary);
    }

    LV2UI_Handle open(SHostLog& log, bool bEmbedded = true)
    {
        m_Touch = {&log, onTouch};
        m_Resize = {&log, onResize};
        const LV2_Feature touch{LV2_UI__touch, &m_Touch}, resize{LV2_UI__resize, &m_Resize}, idle{LV2_UI__idleInterface, nullptr},
            parent{LV2_UI__parent, reinterpret_cast<void*>(m_nParent)};
        const LV2_Feature* features[] = {&idle, &touch, &resize, bEmbedded ? &parent : nullptr, nullptr};
        LV2UI_Widget widget = nullptr;
        LV2UI_Handle h = m_pDesc->instantiate(m_pDesc, kMonoUri, BW_LV2_BUNDLE, onWrite, &log, &widget, features);
        if (h) {
            m_Open.push_back(h);
            m_nWidget = reinterpret_cast<uintptr_t>(widget);
        }
        return h;
    }
    void close(LV2UI_Handle h)
    {
        m_pDesc->cleanup(h);
        std::erase(m_Open, h);
    }
    void idleFor(int ms)
    {
        for (int t = 0; t < ms; t += 10, PauseMs(10))
            for (LV2UI_Handle h : m_Open)
                m_pIdle->idle(h);
    }
    void send(LV2UI_Handle h, uint32_t uPort, float f) { m_pDesc->port_event(h, uPort, sizeof f, 0, &f); }
    void drag(int x, int y, int dx, int dy)
    {
        bwtest::Drag(m_pDisplay, m_nWidget, x, y, dx, dy, [this] { idleFor(20); });
        idleFor(60);
    }
    // The window's parent and its number of children.
    std::pair<Window, unsigned> tree(Window w)
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        XQueryTree(m_pDisplay, w, &root, &parent, &children, &n);
        if (children)
            XFree(children);
        return {parent, n};
    }
    // The pixels of a rectangle of the editor (views as placed in editor/resources/TSRA.UIDESC).
    std::string pixels(int x, int y, int w, int h)
    {
        XSync(m_pDisplay, False);
        XImage* image = XGetImage(m_pDisplay, m_nWidget, x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
        const std::string out = image ? std::string(image->data, size_t(image->bytes_per_line) * unsigned(h)) : "";
        if (image)
            XDestroyImage(image);
        return out;
    }

    Display* m_pDisplay = nullptr;
    void* m_pLibrary = nullptr;
    const LV2UI_Descriptor* m_pDesc = nullptr;
    const LV2UI_Idle_Interface* m_pIdle = nullptr;
    Window m_nParent = 0, m_nWidget = 0;
    std::vector<LV2UI_Handle> m_Open;
    LV2UI_Touch m_Touch{};
    LV2UI_Resize m_Resize{};
};

TEST_F(Lv2Ui, EmbedsAtAFixedSizeShowsHostValuesAndWritesOnlyEdits)
{
    SHostLog log;
    LV2UI_Handle h = open(log);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(log.size, std::make_pair(kWidth, kHeight));
    EXPECT_EQ(tree(m_nWidget).first, m_nParent);
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(m_pDisplay, m_nWidget, &hints, &supplied));
    EXPECT_EQ(std::vector<long>({hints.flags & (PMinSize | PMaxSize), hints.min_width, hints.max_width, hints.min_height, hints.max_height}),
              std::vector<long>({PMinSize | PMaxSize, kWidth, kWidth, kHeight, kHeight}));
    idleFor(150);
    // A value the host sets (a preset it loads, automation) turns the knob: Output, in dB.
    const auto knob = pixels(525, 380, 30, 30), meter = pixels(525, 135, 30, 251);
    send(h, 9, -12.0f);
    idleFor(60);
    EXPECT_NE(pixels(525, 380, 30, 30), knob) << "the Output knob did not move";
    for (int i = 0; i < 20; ++i, idleFor(20))  // the host sends the meter as the plug-in writes it
        send(h, kMeterPortR, 0.9f);
    EXPECT_NE(pixels(525, 135, 30, 251), meter) << "the output meter did not move";
    EXPECT_TRUE(log.writes.empty()) << "a value from the host came back as an edit";
    // Dragged up from there inside a touch: 60 px of the knob's 200 are 7.2 dB.
    drag(540, 395, 0, -60);
    ASSERT_FALSE(log.writes.empty());
    for (const auto& [uPort, fValue] : log.writes)
        EXPECT_TRUE(uPort == 9 && fValue >= -12.0f && fValue < 0.0f) << uPort << " " << fValue;
    EXPECT_GT(log.writes.back().second, -10.0f);
    EXPECT_EQ(log.touches, (std::vector<std::pair<uint32_t, bool>>{{9u, true}, {9u, false}}));
    log.writes.clear();
    drag(30 + 412 * 5 / 8, 200, 0, 0);  // the Tape Type switch writes whole entries
    ASSERT_FALSE(log.writes.empty());
    EXPECT_EQ(log.writes.back(), std::make_pair(11u, std::floor(log.writes.back().second)));
}

// The module's taper maps the hiss knob's position in decades, not linearly: a host that
// shows the port value must see what the module's host parameter would hold.
TEST(Lv2UiPorts, MapNormalisedValuesAsTheModulesParameters)
{
    const CModDelayModule engine;
    CBwLv2UiPorts ports(engine, nullptr, nullptr, nullptr);
    const ControlRecord& hiss = *engine.controlRecord(4);
    EXPECT_NEAR(ports.toPort(4, 0.5), hiss.m_fMin + (hiss.m_fMax - hiss.m_fMin) * (std::log10(0.5) / 2.4 + 1.0), 1e-3);
    // Every factory preset's value survives the round trip through the editor's positions.
    for (int s = 0; s < kTapePresetCount; ++s)
        for (uint32_t i = 0; i < kControlPorts; ++i)
            EXPECT_NEAR(ports.toPort(i, ports.toNormalised(i, float(kTapePresetValues[s][i]))), kTapePresetValues[s][i], 2e-3)
                << "preset " << s << " port " << i;
}

TEST_F(Lv2Ui, OpensAgainAndSideBySideEmbeddedOrInAWindowOfItsOwn)
{
    // 22 embedded, the first two staying open beside the others; then one without a parent in
    // a window of its own, which the user closes and its idle() reports.
    std::vector<SHostLog> logs(23);
    for (size_t i = 0; i < 22; ++i) {
        ASSERT_NE(open(logs[i]), nullptr);
        send(m_Open.back(), 9, -6.0f);
        idleFor(i % 5 == 0 ? 60 : 0);
        if (i >= 2)
            close(m_Open.back());
    }
    LV2UI_Handle h = open(logs[22], false);
    const auto* show = static_cast<const LV2UI_Show_Interface*>(m_pDesc->extension_data(LV2_UI__showInterface));
    ASSERT_TRUE(h && show);
    EXPECT_EQ(show->show(h), 0);
    idleFor(60);
    const Window top = tree(m_nWidget).first;
    ASSERT_NE(top, DefaultRootWindow(m_pDisplay));
    bwtest::SendClose(m_pDisplay, top);
    int closed = 0;
    for (int i = 0; i < 50 && !closed; ++i, PauseMs(10))
        closed = m_pIdle->idle(h);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(show->hide(h), 0);
    while (!m_Open.empty())
        close(m_Open.back());
    XSync(m_pDisplay, False);
    EXPECT_EQ(tree(m_nParent).second, 0u) << "an embedded editor left its window behind";
}

}  // namespace
