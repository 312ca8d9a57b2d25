#pragma once
// What a CFrame needs from the window system it is shown in. Implemented by the X11 child
// window and the offscreen image surface.
//
// Ownership: the CFrame owns its platform frame. Threading: GUI thread.

#include "../cgeometry.h"

namespace VSTGUI {

class IPlatformFrame
{
public:
    virtual ~IPlatformFrame() = default;
    // Adds a frame-coordinate rectangle to the area that the next paint redraws.
    virtual void invalidRect(const CRect& rect) = 0;
    // Paints the pending area now.
    virtual void flush() = 0;
    virtual void setSize(const CRect& size) = 0;
};

}  // namespace VSTGUI
