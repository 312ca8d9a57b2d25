// A frame as a child of a real X11 window: it maps, paints, takes an injected click and goes
// away cleanly. Needs an X server (DISPLAY); skipped without one.
#include "TestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>

using namespace VSTGUI;
using tktest::colorNear;
using tktest::RecordingListener;

namespace {

class ToolkitX11 : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The server refuses a connection now and then, as the toolkit knows too.
        for (int nTry = 0; nTry < 5 && !m_pDisplay; ++nTry)
            if (!(m_pDisplay = XOpenDisplay(nullptr)))
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!m_pDisplay)
            GTEST_SKIP() << "no X server (DISPLAY=" << (getenv("DISPLAY") ? getenv("DISPLAY") : "") << ")";
        TimerQueue::current().useSystemClock();
        const int screen = DefaultScreen(m_pDisplay);
        m_nParent = XCreateSimpleWindow(m_pDisplay, RootWindow(m_pDisplay, screen), 20, 20, 200, 150, 0,
                                        BlackPixel(m_pDisplay, screen), BlackPixel(m_pDisplay, screen));
        XMapWindow(m_pDisplay, m_nParent);
        XSync(m_pDisplay, False);
    }
    void TearDown() override
    {
        if (!m_pDisplay)
            return;
        XDestroyWindow(m_pDisplay, m_nParent);
        XCloseDisplay(m_pDisplay);
    }

    // Runs the toolkit's loop until pred holds or about a second passes.
    template <class Pred>
    bool runUntil(Pred pred)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
            X11RunLoop::instance().processEvents(10);
            if (pred())
                return true;
        }
        return false;
    }

    unsigned int childCount()
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        XQueryTree(m_pDisplay, m_nParent, &root, &parent, &children, &n);
        if (children)
            XFree(children);
        return n;
    }

    CColor windowPixel(Window w, int x, int y)
    {
        XImage* img = XGetImage(m_pDisplay, w, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!img)
            return kTransparentCColor;
        const unsigned long p = XGetPixel(img, 0, 0);
        XDestroyImage(img);
        return CColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    Display* m_pDisplay = nullptr;
    Window m_nParent = 0;
};

}  // namespace

TEST_F(ToolkitX11, OpenFailsForAWindowThatDoesNotExist)
{
    auto* frame = new CFrame(CRect(0, 0, 10, 10), nullptr);
    const Window bogus = m_nParent + 0x100000;
    EXPECT_FALSE(frame->open(reinterpret_cast<void*>(static_cast<uintptr_t>(bogus)), kX11EmbedWindowID));
    EXPECT_EQ(X11RunLoop::instance().getDisplay(), nullptr);
    frame->forget();
}

TEST_F(ToolkitX11, ChildFrameOpensPaintsTakesClicksKeysAndTheWheelAndCloses)
{
    int ev, err, major, minor;
    if (!XTestQueryExtension(m_pDisplay, &ev, &err, &major, &minor))
        GTEST_SKIP() << "the X server has no XTEST extension";
    tktest::registerTestImages();
    RecordingListener listener;
    auto* frame = new CFrame(CRect(0, 0, 160, 80), nullptr);
    auto* back = new CViewContainer(CRect(0, 0, 160, 80));
    back->setBackgroundColor(kRedCColor);
    frame->addView(back);
    auto* two = new CBitmap(CResourceDescription("TWO.PNG"));
    auto* button = new COnOffButton(CRect(50, 30, 60, 40), &listener, 4, two);
    two->forget();
    auto* edit = new CTextEdit(CRect(0, 60, 100, 80), nullptr, 1, "");
    auto* knob = new CKnob(CRect(110, 0, 150, 40), nullptr, 2, nullptr, nullptr);
    knob->setValue(0.5f);
    knob->setWheelInc(0.1f);
    for (CView* v : {static_cast<CView*>(button), static_cast<CView*>(edit), static_cast<CView*>(knob)})
        frame->addView(v);
    ASSERT_TRUE(frame->open(reinterpret_cast<void*>(static_cast<uintptr_t>(m_nParent)), kX11EmbedWindowID));
    X11Frame* x11 = X11Frame::of(frame);
    ASSERT_NE(x11, nullptr);
    EXPECT_EQ(childCount(), 1u);

    // Wait for the window to be viewable and painted.
    const Window child = x11->getWindow();
    auto painted = [&](int x, int y, const CColor& c) {
        return runUntil([&] {
            XWindowAttributes a;
            XGetWindowAttributes(m_pDisplay, child, &a);
            XSync(X11RunLoop::instance().getDisplay(), False);
            return a.map_state == IsViewable && static_cast<bool>(colorNear(windowPixel(child, x, y), c));
        });
    };
    ASSERT_TRUE(painted(5, 5, kRedCColor));
    EXPECT_TRUE(colorNear(windowPixel(child, 55, 35), kBlackCColor));
    auto press = [&](int x, int y, unsigned int button) {
        Window unused;
        XTranslateCoordinates(m_pDisplay, child, DefaultRootWindow(m_pDisplay), x, y, &x, &y, &unused);
        XTestFakeMotionEvent(m_pDisplay, DefaultScreen(m_pDisplay), x, y, CurrentTime);
        XTestFakeButtonEvent(m_pDisplay, button, True, CurrentTime);
        XTestFakeButtonEvent(m_pDisplay, button, False, CurrentTime);
        XFlush(m_pDisplay);
    };
    press(55, 35, 1);
    ASSERT_TRUE(runUntil([&] { return button->getValue() == 1.f; }));
    EXPECT_EQ(listener.events, (std::vector<std::string>{"begin", "change 1.000", "end"}));
    EXPECT_TRUE(painted(55, 35, kWhiteCColor));
    press(130, 20, 4);  // wheel up over the knob
    EXPECT_TRUE(runUntil([&] { return std::abs(knob->getValue() - 0.6f) < 1e-5f; })) << knob->getValue();
    press(50, 70, 1);  // into the text edit, then "7" and Return
    ASSERT_TRUE(runUntil([&] { return edit->isEditingText(); }));
    for (KeySym sym : {KeySym(XK_7), KeySym(XK_Return)}) {
        const KeyCode code = XKeysymToKeycode(m_pDisplay, sym);
        XTestFakeKeyEvent(m_pDisplay, code, True, CurrentTime);
        XTestFakeKeyEvent(m_pDisplay, code, False, CurrentTime);
    }
    XFlush(m_pDisplay);
    EXPECT_TRUE(runUntil([&] { return edit->getText() == "7"; })) << edit->getText();

    // Timers fire from the same loop.
    int ticks = 0;
    auto* timer = new CVSTGUITimer([&](CVSTGUITimer*) { ++ticks; }, 20);
    EXPECT_TRUE(runUntil([&] { return ticks >= 3; }));
    timer->forget();

    frame->close();
    XSync(m_pDisplay, False);
    EXPECT_EQ(childCount(), 0u);
    EXPECT_EQ(X11RunLoop::instance().getDisplay(), nullptr);  // the toolkit's connection is closed
}
