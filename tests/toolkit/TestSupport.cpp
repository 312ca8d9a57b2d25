#include <gtest/gtest.h>

#include "TestSupport.h"

#include <TsraResources.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <deque>

namespace tktest {
namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

struct Box
{
    double x, y, w, h;
    CColor c;
};

std::vector<unsigned char> makePng(int w, int h, const std::vector<Box>& boxes)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    for (const Box& b : boxes) {
        cairo_set_source_rgba(cr, b.c.normRed(), b.c.normGreen(), b.c.normBlue(), b.c.normAlpha());
        cairo_rectangle(cr, b.x, b.y, b.w, b.h);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(s, appendBytes, &bytes);
    cairo_surface_destroy(s);
    return bytes;
}

// Font caches are process-wide; free them after the last test so leak checks stay clean.
class FontCacheRelease : public ::testing::Environment
{
public:
    void TearDown() override { releaseFontCaches(); }
};
[[maybe_unused]] ::testing::Environment* const s_pFontCacheRelease =
    ::testing::AddGlobalTestEnvironment(new FontCacheRelease);

}  // namespace

void registerTestImages()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Static storage: the registry keeps pointers.
    static std::deque<std::vector<unsigned char>> images;
    static std::vector<TsraResourceEntry> table;
    auto add = [](const char* name, std::vector<unsigned char> bytes) {
        images.push_back(std::move(bytes));
        table.push_back({"PNG", name, images.back().data(), images.back().size()});
    };
    add("STRIP4.PNG", makePng(10, 40, {{0, 0, 10, 10, kRedCColor},
                                       {0, 10, 10, 10, kGreenCColor},
                                       {0, 20, 10, 10, kBlueCColor},
                                       {0, 30, 10, 10, kYellowCColor}}));
    add("TWO.PNG", makePng(10, 20, {{0, 0, 10, 10, kBlackCColor}, {0, 10, 10, 10, kWhiteCColor}}));
    add("NINE.PNG", makePng(30, 30, {{0, 0, 30, 30, kGreenCColor},
                                     {10, 10, 10, 10, kBlueCColor},
                                     {0, 0, 10, 10, kRedCColor},
                                     {20, 0, 10, 10, kRedCColor},
                                     {0, 20, 10, 10, kRedCColor},
                                     {20, 20, 10, 10, kRedCColor}}));
    add("HANDLE.PNG", makePng(10, 10, {{0, 0, 10, 10, kMagentaCColor}}));
    tsraRegisterResourceTable(table.data(), table.size());
}

::testing::AssertionResult colorNear(const CColor& a, const CColor& e, int tolerance)
{
    const int d = std::max({std::abs(a.red - e.red), std::abs(a.green - e.green), std::abs(a.blue - e.blue),
                            std::abs(a.alpha - e.alpha)});
    return (d <= tolerance ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "colour " << int(a.red) << "," << int(a.green) << "," << int(a.blue) << "," << int(a.alpha) << " expected "
           << int(e.red) << "," << int(e.green) << "," << int(e.blue) << "," << int(e.alpha);
}

OffscreenScreen::OffscreenScreen(CCoord width, CCoord height, VSTGUIEditorInterface* editor)
    : m_pFrame(new CFrame(CRect(0, 0, width, height), editor))
{
    registerTestImages();
    TimerQueue::current().useManualClock(1000);
    m_pFrame->open(nullptr, kOffscreen);
    m_pIo = OffscreenFrame::of(m_pFrame);
    m_pIo->flush();
}

OffscreenScreen::~OffscreenScreen() { close(); }

void OffscreenScreen::close()
{
    if (m_pFrame) {
        m_pFrame->close();
        m_pFrame = nullptr;
        m_pIo = nullptr;
    }
}

void RecordingListener::valueChanged(CControl* control)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "change %.3f", static_cast<double>(control->getValue()));
    events.emplace_back(buf);
}

int32_t RecordingListener::controlModifierClicked(CControl*, CButtonState)
{
    events.emplace_back("modifier");
    return modifierAnswer;
}

void RecordingListener::controlBeginEdit(CControl*) { events.emplace_back("begin"); }
void RecordingListener::controlEndEdit(CControl*) { events.emplace_back("end"); }
void RecordingListener::controlTagWillChange(CControl* c) { events.emplace_back("tag will " + std::to_string(c->getTag())); }
void RecordingListener::controlTagDidChange(CControl* c) { events.emplace_back("tag did " + std::to_string(c->getTag())); }

}  // namespace tktest
