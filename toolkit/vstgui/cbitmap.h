#pragma once
// Bitmaps decoded from the module's PNG resources, and nine-part tiled bitmaps.
//
// A resource is found by type "PNG" and the description's name, without regard to case; a
// name without ".png" is also tried with it. A bitmap that fails to load has size 0 x 0 and
// draws nothing. Ownership: reference counted; views remember the bitmaps they show.

#include "cgeometry.h"
#include "vstguibase.h"

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {

class CDrawContext;

class CResourceDescription
{
public:
    enum Type : uint32_t { kIntegerType, kStringType, kUnknownType };
    CResourceDescription() = default;
    CResourceDescription(int32_t id) : type(kIntegerType), m_Name(std::to_string(id)) { u.id = id; }  // NOLINT
    CResourceDescription(UTF8StringPtr name) : type(kStringType), m_Name(name ? name : "")  // NOLINT
    {
        u.name = m_Name.c_str();
    }
    CResourceDescription(const CResourceDescription& o) : type(o.type), m_Name(o.m_Name)
    {
        u.name = m_Name.c_str();
        if (type == kIntegerType)
            u.id = o.u.id;
    }
    CResourceDescription& operator=(const CResourceDescription& o)
    {
        type = o.type;
        m_Name = o.m_Name;
        u.name = m_Name.c_str();
        if (type == kIntegerType)
            u.id = o.u.id;
        return *this;
    }

    Type type = kUnknownType;
    union {
        int32_t id;
        const char* name;
    } u{};
    const UTF8String& getName() const { return m_Name; }

private:
    UTF8String m_Name;
};

class CBitmap : public CBaseObject
{
public:
    explicit CBitmap(const CResourceDescription& desc);
    CBitmap(CCoord width, CCoord height);  // transparent, for drawing into
    ~CBitmap() override;

    // Draws the part of the bitmap that starts at offset into rect (nothing outside rect).
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
                      float alpha = 1.f);

    CCoord getWidth() const;
    CCoord getHeight() const;
    bool isLoaded() const { return m_pSurface != nullptr; }
    const CResourceDescription& getResourceDescription() const { return m_Desc; }
    cairo_surface_t* getSurface() const { return m_pSurface; }

private:
    CResourceDescription m_Desc;
    cairo_surface_t* m_pSurface = nullptr;
};

// Edge widths of the four fixed borders.
struct CNinePartTiledDescription
{
    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;
    CNinePartTiledDescription() = default;
    CNinePartTiledDescription(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}
};

// Corners drawn as they are, edges and centre tiled to fill the target rectangle.
class CNinePartTiledBitmap : public CBitmap
{
public:
    using PartOffsets = CNinePartTiledDescription;
    CNinePartTiledBitmap(const CResourceDescription& desc, const CNinePartTiledDescription& offsets);

    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
              float alpha = 1.f) override;

    void setPartOffsets(const CNinePartTiledDescription& offsets) { m_Offsets = offsets; }
    const CNinePartTiledDescription& getPartOffsets() const { return m_Offsets; }

private:
    CNinePartTiledDescription m_Offsets;
};

}  // namespace VSTGUI
