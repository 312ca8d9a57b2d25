#pragma once
// Shared helpers of the toolkit tests: small PNG resources made in memory, an offscreen frame
// with a manual clock, and a listener that records what controls report.

#include "vstgui/vstgui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tktest {

using namespace VSTGUI;

// Registers the test images once per process (type "PNG"):
//   STRIP4.PNG  10 x 40: four 10 x 10 frames, red, green, blue, yellow (top to bottom)
//   TWO.PNG     10 x 20: black frame above a white frame
//   NINE.PNG    30 x 30: red 10 x 10 corners, green edges, blue centre
//   HANDLE.PNG  10 x 10: magenta
void registerTestImages();

// Colour comparison with a tolerance per channel (blending rounds).
::testing::AssertionResult colorNear(const CColor& actual, const CColor& expected, int tolerance = 2);

// An open offscreen frame on a manual clock; closes the frame on destruction.
class OffscreenScreen
{
public:
    OffscreenScreen(CCoord width, CCoord height, VSTGUIEditorInterface* editor = nullptr);
    ~OffscreenScreen();
    OffscreenScreen(const OffscreenScreen&) = delete;
    OffscreenScreen& operator=(const OffscreenScreen&) = delete;

    CFrame* frame() const { return m_pFrame; }
    OffscreenFrame* io() const { return m_pIo; }
    CColor pixel(int x, int y) const { return m_pIo->getPixel(x, y); }
    // Closes early (e.g. to check what closing releases).
    void close();

private:
    CFrame* m_pFrame;
    OffscreenFrame* m_pIo;
};

// Records listener calls as text: "begin", "change 0.500", "end", "modifier".
class RecordingListener : public IControlListener
{
public:
    void valueChanged(CControl* control) override;
    int32_t controlModifierClicked(CControl* control, CButtonState button) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;
    void controlTagWillChange(CControl* control) override;
    void controlTagDidChange(CControl* control) override;

    std::vector<std::string> events;
    int32_t modifierAnswer = 0;  // what controlModifierClicked returns
};

// An editor interface with a chosen knob mode.
class KnobModeEditor : public VSTGUIEditorInterface
{
public:
    explicit KnobModeEditor(int32_t mode) : m_nMode(mode) {}
    int32_t getKnobMode() const override { return m_nMode; }

private:
    int32_t m_nMode;
};

}  // namespace tktest
