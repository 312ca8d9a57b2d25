#include "CBwLv2Ui.h"

#include "EditorResources.h"
#include "TsraResources.h"
#include "vstgui/platform/x11frame.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <array>
#include <cstring>

using namespace bwlv2;

namespace {
const void* feature(const LV2_Feature* const* ppFeatures, const char* pUri)
{
    for (; ppFeatures && *ppFeatures; ++ppFeatures)
        if (std::strcmp((*ppFeatures)->URI, pUri) == 0)
            return (*ppFeatures)->data;
    return nullptr;
}
}  // namespace

CBwLv2Ui::CBwLv2Ui(LV2UI_Write_Function pWrite, LV2UI_Controller pController, const LV2_Feature* const* ppFeatures)
    : m_Ports(m_Engine, pWrite, pController, static_cast<const LV2UI_Touch*>(feature(ppFeatures, LV2_UI__touch)))
{
    m_nParent = reinterpret_cast<uintptr_t>(feature(ppFeatures, LV2_UI__parent));
    m_pResize = static_cast<const LV2UI_Resize*>(feature(ppFeatures, LV2_UI__resize));
}

CBwLv2Ui::~CBwLv2Ui()
{
    // The editor's frame window goes first, while its parent (ours or the host's) still exists.
    m_Editor.setValues(nullptr);
    m_Editor.close();
    if (m_nTopLevel) {
        VSTGUI::X11RunLoop::instance().removeClient(this);
        XDestroyWindow(m_pDisplay, m_nTopLevel);
        XSync(m_pDisplay, False);
    }
    if (m_pDisplay)
        VSTGUI::X11RunLoop::instance().releaseDisplay();
}

void CBwLv2Ui::setFixedSize(unsigned long nWindow) const
{
    XSizeHints* pHints = XAllocSizeHints();
    if (!pHints)
        return;
    pHints->flags = PSize | PMinSize | PMaxSize;
    pHints->width = pHints->min_width = pHints->max_width = kWidth;
    pHints->height = pHints->min_height = pHints->max_height = kHeight;
    XSetWMNormalHints(m_pDisplay, nWindow, pHints);
    XFree(pHints);
}

bool CBwLv2Ui::openTopLevel()
{
    const int nScreen = DefaultScreen(m_pDisplay);
    m_nTopLevel = XCreateSimpleWindow(m_pDisplay, RootWindow(m_pDisplay, nScreen), 0, 0, kWidth, kHeight, 0,
                                      BlackPixel(m_pDisplay, nScreen), BlackPixel(m_pDisplay, nScreen));
    if (!m_nTopLevel)
        return false;
    XStoreName(m_pDisplay, m_nTopLevel, "BrindleWarbler");
    setFixedSize(m_nTopLevel);
    Atom deleteAtom = XInternAtom(m_pDisplay, "WM_DELETE_WINDOW", False);
    m_nDeleteAtom = deleteAtom;
    XSetWMProtocols(m_pDisplay, m_nTopLevel, &deleteAtom, 1);
    XSelectInput(m_pDisplay, m_nTopLevel, StructureNotifyMask);
    VSTGUI::X11RunLoop::instance().addClient(this);
    m_nParent = m_nTopLevel;
    return true;
}

bool CBwLv2Ui::open()
{
    m_pDisplay = VSTGUI::X11RunLoop::instance().acquireDisplay();
    if (!m_pDisplay)
        return false;
    if (!m_nParent && !openTopLevel())
        return false;

    tsraRegisterEditorResources();
    const TsraResourceEntry* pDescription = tsraFindResource("DATA", "TSRA.UIDESC");
    if (!pDescription || !m_Editor.open(reinterpret_cast<void*>(m_nParent), &m_Engine, pDescription->pData,
                                        pDescription->nSize))
        return false;
    m_Editor.notifyOpened();
    m_Editor.setValues(&m_Ports);
    const std::vector<int32_t> map = CTsraVSTEditor::controlIndexMapFor(m_Engine);
    m_Editor.setControlIndexMap(map.data(), static_cast<int32_t>(map.size()));
    // The meters as the module lists them: every meter control, by index.
    std::array<int32_t, CTsraVSTEditor::kMeterTableSize> meters;
    meters.fill(-1);
    size_t nMeters = 0;
    for (uint32_t i = 0; i < m_Engine.controlCount() && nMeters < meters.size(); ++i)
        if (const ControlRecord* r = m_Engine.controlRecord(i); r && r->m_uKind == kControlMeter)
            meters[nMeters++] = static_cast<int32_t>(i);
    m_Editor.setMeterTable(meters.data());
    m_Editor.syncAllViews();
    // Until the host reports the ports, the controls show the engine's defaults.
    for (uint32_t i = 0; i < kControlPorts; ++i)
        m_Editor.updateControl(i, static_cast<float>(m_Ports.toNormalised(i, m_Ports.portValue(i))));

    VSTGUI::X11Frame* pFrame = VSTGUI::X11Frame::of(m_Editor.getFrame());
    if (!pFrame)
        return false;
    setFixedSize(pFrame->getWindow());
    if (m_nTopLevel)
        XMapWindow(m_pDisplay, m_nTopLevel);
    XFlush(m_pDisplay);
    if (m_pResize && m_pResize->ui_resize)
        m_pResize->ui_resize(m_pResize->handle, kWidth, kHeight);
    return true;
}

LV2UI_Widget CBwLv2Ui::widget() const
{
    VSTGUI::X11Frame* pFrame = VSTGUI::X11Frame::of(m_Editor.getFrame());
    return pFrame ? reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(pFrame->getWindow())) : nullptr;
}

void CBwLv2Ui::portEvent(uint32_t uPort, uint32_t uSize, uint32_t uFormat, const void* pBuffer)
{
    if (uFormat != 0 || uSize != sizeof(float) || !pBuffer)
        return;
    float fValue;
    std::memcpy(&fValue, pBuffer, sizeof fValue);
    if (!m_Ports.received(uPort, fValue) || uPort >= kControlPorts)
        return;  // the meters are read by the editor's timer
    m_Editor.updateControl(uPort, static_cast<float>(m_Ports.toNormalised(uPort, fValue)));
}

int CBwLv2Ui::idle()
{
    if (m_bClosed)
        return 1;
    // No waiting: whatever is pending is handled, due timers fire, dirty views are painted.
    VSTGUI::X11RunLoop::instance().processEvents(0);
    return m_bClosed ? 1 : 0;
}

int CBwLv2Ui::show()
{
    if (!m_nTopLevel)
        return 1;  // embedded: the host shows its own window
    m_bClosed = false;
    XMapRaised(m_pDisplay, m_nTopLevel);
    XFlush(m_pDisplay);
    return 0;
}

int CBwLv2Ui::hide()
{
    if (!m_nTopLevel)
        return 1;
    XUnmapWindow(m_pDisplay, m_nTopLevel);
    XFlush(m_pDisplay);
    return 0;
}

void CBwLv2Ui::handleEvent(XEvent& event)
{
    if (event.type == ClientMessage && static_cast<unsigned long>(event.xclient.data.l[0]) == m_nDeleteAtom)
        m_bClosed = true;
}
