#include "cbitmap.h"

#include "cdrawcontext.h"

#include <TsraResources.h>
#include <cairo.h>

#include <cstring>

namespace VSTGUI {
namespace {

struct ByteReader
{
    const unsigned char* pData;
    size_t nLeft;
};

cairo_status_t readBytes(void* closure, unsigned char* out, unsigned int length)
{
    auto* r = static_cast<ByteReader*>(closure);
    if (length > r->nLeft)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->pData, length);
    r->pData += length;
    r->nLeft -= length;
    return CAIRO_STATUS_SUCCESS;
}

const TsraResourceEntry* findPng(const UTF8String& name)
{
    if (name.empty())
        return nullptr;
    if (const TsraResourceEntry* e = tsraFindResource("PNG", name.c_str()))
        return e;
    return tsraFindResource("PNG", (name + ".png").c_str());
}

cairo_surface_t* decodePng(const TsraResourceEntry* entry)
{
    if (!entry || !entry->pData)
        return nullptr;
    ByteReader reader{entry->pData, entry->nSize};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readBytes, &reader);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

}  // namespace

CBitmap::CBitmap(const CResourceDescription& desc) : m_Desc(desc), m_pSurface(decodePng(findPng(desc.getName()))) {}

CBitmap::CBitmap(CCoord width, CCoord height)
    : m_pSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height)))
{
}

CBitmap::~CBitmap()
{
    if (m_pSurface)
        cairo_surface_destroy(m_pSurface);
}

CCoord CBitmap::getWidth() const { return m_pSurface ? cairo_image_surface_get_width(m_pSurface) : 0; }
CCoord CBitmap::getHeight() const { return m_pSurface ? cairo_image_surface_get_height(m_pSurface) : 0; }

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (context && m_pSurface)
        context->drawSurface(m_pSurface, rect, offset, alpha);
}

CNinePartTiledBitmap::CNinePartTiledBitmap(const CResourceDescription& desc, const CNinePartTiledDescription& offsets)
    : CBitmap(desc), m_Offsets(offsets)
{
}

void CNinePartTiledBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& /*offset*/, float alpha)
{
    if (!context || !getSurface())
        return;
    const CCoord w = getWidth(), h = getHeight();
    const auto& o = m_Offsets;
    // Source columns/rows and the matching target columns/rows.
    const CCoord sx[4] = {0, o.left, w - o.right, w};
    const CCoord sy[4] = {0, o.top, h - o.bottom, h};
    const CCoord dx[4] = {rect.left, rect.left + o.left, rect.right - o.right, rect.right};
    const CCoord dy[4] = {rect.top, rect.top + o.top, rect.bottom - o.bottom, rect.bottom};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const CRect src(sx[col], sy[row], sx[col + 1], sy[row + 1]);
            const CRect dst(dx[col], dy[row], dx[col + 1], dy[row + 1]);
            if (!src.isEmpty() && !dst.isEmpty())
                context->fillRectWithBitmap(this, src, dst, alpha);
        }
}

}  // namespace VSTGUI
